// Every command of the main window is built here once (id, caption, shortcut, icon, hint,
// handler); menus and toolbars only place the actions they find by id. A hint has a short
// part (the tooltip) and a long part (the status bar) separated by "|".
#pragma once

#include <QAction>
#include <QHash>
#include <QKeySequence>
#include <QString>
#include <functional>

class QToolBar;
class QToolButton;

class TActionRegistry {
 public:
  explicit TActionRegistry(QObject* owner) : owner_(owner) {}

  QAction* Register(const QString& id, const QString& caption, const QKeySequence& shortcut,
                    const QString& iconName, std::function<void()> handler,
                    const QString& hint = QString());
  // The action with that id; a missing id is a programming error and returns nullptr.
  QAction* Action(const QString& id) const;
  // Changes a caption (and so the name screen readers give it) at run time.
  void SetCaption(const QString& id, const QString& caption);
  void SetHint(const QString& id, const QString& hint);
  // Puts the action on a toolbar; its button is named by the caption without "&".
  QToolButton* Place(QToolBar* bar, const QString& id);

  static QString ShortHint(const QString& hint);
  static QString LongHint(const QString& hint);

 private:
  QObject* owner_;
  QHash<QString, QAction*> actions_;
};
