// Every command of the main window is built here once (id, caption, shortcut, icon, hint,
// handler); menus and toolbars only place the actions they find by id. A hint has a short
// part (the tooltip) and a long part (the status bar) separated by "|".
//
// A command whose work is not built yet is registered without a handler: it stands in the
// menus and toolbars, disabled, until Implement supplies the handler.
#pragma once

#include <QAction>
#include <QHash>
#include <QKeySequence>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

class QToolBar;
class QToolButton;

class TActionRegistry {
 public:
  explicit TActionRegistry(QObject* owner) : owner_(owner) {}

  // A command; without a handler it is unavailable until Implement gives it one.
  QAction* Register(const QString& id, const QString& caption, const QKeySequence& shortcut,
                    const QString& iconName, std::function<void()> handler,
                    const QString& hint = QString());
  // Gives a command its handler (replacing any earlier one) and makes it available.
  void Implement(const QString& id, std::function<void()> handler);
  // The handler a command runs now (empty when unavailable), so another may wrap it.
  std::function<void()> Handler(const QString& id) const { return handlers_.value(id); }
  // Whether the command has a handler. Unavailable commands stay disabled whatever Enable
  // asks.
  bool Available(const QString& id) const;
  // Enables a command when it is available and the condition holds.
  void Enable(const QString& id, bool condition);
  // Every registered id, and those still without a handler, both sorted.
  QStringList Ids() const;
  QStringList UnavailableIds() const;

  // The action with that id; a missing id is a programming error and returns nullptr.
  QAction* Action(const QString& id) const;
  // Changes a caption (and so the name screen readers give it) at run time.
  void SetCaption(const QString& id, const QString& caption);
  void SetHint(const QString& id, const QString& hint);
  // The hint as registered (short and long part).
  QString Hint(const QString& id) const { return hints_.value(id); }
  // Puts the action on a toolbar; its button is named by the caption without "&".
  QToolButton* Place(QToolBar* bar, const QString& id);

  static QString ShortHint(const QString& hint);
  static QString LongHint(const QString& hint);

 private:
  QObject* owner_;
  QHash<QString, QAction*> actions_;
  QHash<QString, QString> hints_;
  QHash<QString, std::function<void()>> handlers_;
};
