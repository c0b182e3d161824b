#include "app/actionregistry.h"

#include <QFile>
#include <QIcon>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "app/dialogs/accessiblenames.h"

QString TActionRegistry::ShortHint(const QString& hint)
{
  return hint.section(QLatin1Char('|'), 0, 0);
}

QString TActionRegistry::LongHint(const QString& hint)
{
  // The status bar shows the last part: a hint written with a stray middle part ("Draw
  // Line|Draw Arrow|Drag lines...") must not show a bar there.
  const qsizetype bar = hint.lastIndexOf(QLatin1Char('|'));
  return bar < 0 ? hint : hint.mid(bar + 1);
}

QAction* TActionRegistry::Register(const QString& id, const QString& caption,
                                   const QKeySequence& shortcut, const QString& iconName,
                                   std::function<void()> handler, const QString& hint)
{
  auto* action = new QAction(owner_);
  action->setObjectName(id);
  actions_.insert(id, action);
  SetCaption(id, caption);
  SetHint(id, hint);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  if (!iconName.isEmpty()) {
    // Our own drawings, the same on every desktop: scalable ones first.
    const QString base = QStringLiteral(":/icons/") + iconName;
    const QString svg = base + QStringLiteral(".svg");
    action->setIcon(QIcon(QFile::exists(svg) ? svg : base + QStringLiteral(".png")));
  }
  // The handler is looked up at each trigger, so Implement may replace it later.
  QObject::connect(action, &QAction::triggered, owner_, [this, id] {
    const auto found = handlers_.constFind(id);
    if (found != handlers_.constEnd() && *found) (*found)();
  });
  if (handler)
    handlers_.insert(id, std::move(handler));
  else
    action->setEnabled(false);
  return action;
}

void TActionRegistry::Implement(const QString& id, std::function<void()> handler)
{
  QAction* action = Action(id);
  if (!action || !handler) return;
  handlers_.insert(id, std::move(handler));
  action->setEnabled(true);
}

bool TActionRegistry::Available(const QString& id) const
{
  return handlers_.contains(id);
}

void TActionRegistry::Enable(const QString& id, bool condition)
{
  if (QAction* action = Action(id)) action->setEnabled(condition && Available(id));
}

QStringList TActionRegistry::Ids() const
{
  QStringList ids = actions_.keys();
  std::sort(ids.begin(), ids.end());
  return ids;
}

QStringList TActionRegistry::UnavailableIds() const
{
  QStringList ids;
  for (const QString& id : Ids())
    if (!Available(id)) ids << id;
  return ids;
}

QAction* TActionRegistry::Action(const QString& id) const
{
  return actions_.value(id, nullptr);
}

void TActionRegistry::SetCaption(const QString& id, const QString& caption)
{
  QAction* action = Action(id);
  if (!action) return;
  action->setText(caption);
  // Buttons show and screen readers speak the caption without its access-key marks.
  const QString plain = TAccessibleNames::Plain(caption).trimmed();
  action->setIconText(plain);
  for (QObject* user : action->associatedObjects())
    if (auto* button = qobject_cast<QToolButton*>(user)) button->setAccessibleName(plain);
}

void TActionRegistry::SetHint(const QString& id, const QString& hint)
{
  QAction* action = Action(id);
  if (!action) return;
  hints_.insert(id, hint);
  action->setToolTip(hint.isEmpty() ? action->iconText() : ShortHint(hint));
  action->setStatusTip(LongHint(hint));
}

QToolButton* TActionRegistry::Place(QToolBar* bar, const QString& id)
{
  QAction* action = Action(id);
  if (!action) return nullptr;
  bar->addAction(action);
  auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
  if (button) button->setAccessibleName(action->iconText());
  return button;
}
