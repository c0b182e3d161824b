// The desktop shell as the program uses it: opening files and addresses with the programs
// associated with them, finding such a program, and starting programs.
#pragma once

#include <QString>
#include <QStringList>

class IShell {
 public:
  virtual ~IShell() = default;
  // Opens a file or address with its associated program; false when that failed.
  virtual bool OpenPath(const QString& path) = 0;
  // The program that opens a document, or empty when none is known.
  virtual QString FindProgramFor(const QString& document) = 0;
  // Starts a program on its own; minimised asks for its window to start minimised.
  virtual bool StartProgram(const QString& program, const QStringList& arguments,
                            bool minimised) = 0;
};

// The shell of the desktop the program runs on.
class TDesktopShell : public IShell {
 public:
  bool OpenPath(const QString& path) override;
  // Desktops offer no lookup that names a program without starting it: always empty, so
  // documents are opened through OpenPath.
  QString FindProgramFor(const QString& document) override;
  bool StartProgram(const QString& program, const QStringList& arguments, bool minimised) override;
};
