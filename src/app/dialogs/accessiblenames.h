// Screen readers and the desktop's accessibility interface name controls by their accessible
// name. Every control of the program gets its caption without the "&" of its access key.
#pragma once

#include <QString>

class QWidget;

class TAccessibleNames {
 public:
  // A caption as read aloud: "&Save" -> "Save", "Size && Orientation" -> "Size & Orientation".
  static QString Plain(const QString& caption);
  // Names every control inside a dialog or window that has no name yet: buttons and check
  // boxes by their caption, menus and group boxes by their title, and an edit box, list or spin box
  // by the caption of the label that is its buddy.
  static void NameControls(QWidget* root);
};
