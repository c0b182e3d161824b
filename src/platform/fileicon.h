// Icons that stand for files and programs, taken from the desktop's icon theme by the
// file's type, with the program's own pictures where the theme has none.
#pragma once

#include <QIcon>
#include <QString>

class TFileIcon {
 public:
  // The program's picture for a program or for a file whose icon cannot be found.
  static QIcon ApplicationIcon();
  // The icon of an existing file's type (a plain document picture when the theme has none);
  // the application icon for a path that names no existing file.
  static QIcon ForFile(const QString& path);
};
