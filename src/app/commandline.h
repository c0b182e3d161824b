// The program's command line: global options, headless subcommands and the desktop start.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class TCommandLine {
 public:
  // A subcommand runs without any window, on the offscreen platform.
  struct TSubcommand {
    QString Name;
    QString Usage;    // arguments after the name, for --help
    QString Summary;  // one line, for --help
    std::function<int(const QStringList& args)> Handler;
  };

  TCommandLine();
  // Returns the process exit status: 0 success, 1 failure, 2 usage error.
  int Run(int argc, char** argv);

  static QString VersionText();
  QString HelpText() const;

 private:
  int RunDesktop(int argc, char** argv, const QStringList& files, bool splash);
  int RunHeadless(int argc, char** argv, const TSubcommand& command, const QStringList& args);
  int UsageError(const QString& message) const;
  const TSubcommand* Find(const QString& name) const;

  std::vector<TSubcommand> subcommands_;
};
