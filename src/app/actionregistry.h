// Every command of the main window is built here once (id, text, shortcut, icon, handler);
// menus and toolbars only place the actions they find by id.
#pragma once

#include <QAction>
#include <QHash>
#include <QKeySequence>
#include <QString>
#include <functional>

class TActionRegistry {
 public:
  explicit TActionRegistry(QObject* owner) : owner_(owner) {}

  QAction* Register(const QString& id, const QString& text, const QKeySequence& shortcut,
                    const QString& iconName, std::function<void()> handler);
  // The action with that id; a missing id is a programming error and returns nullptr.
  QAction* Action(const QString& id) const;

 private:
  QObject* owner_;
  QHash<QString, QAction*> actions_;
};
