// The table of every main-window command: id, caption with its access key, shortcut, icon
// and hint. The main window registers each row once; menus, toolbars and popup menus place
// the actions by id. Commands whose work is built elsewhere get their handler later through
// TActionRegistry::Implement.
#pragma once

#include <QString>
#include <vector>

struct TCommandRow {
  const char* Id;
  const char* Caption;
  const char* Shortcut;  // portable text ("Ctrl+N"), empty for none
  const char* Icon;      // name of an icon in resources/icons, empty for none
  const char* Hint;      // short part "|" long part
  bool Checkable = false;
};

class TCommandTable {
 public:
  static const std::vector<TCommandRow>& Rows();
  static const TCommandRow* Find(const QString& id);
};
