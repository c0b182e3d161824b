#include "app/actionregistry.h"

#include <QIcon>
#include <QToolBar>
#include <QToolButton>

#include "app/dialogs/accessiblenames.h"

QString TActionRegistry::ShortHint(const QString& hint)
{
  return hint.section(QLatin1Char('|'), 0, 0);
}

QString TActionRegistry::LongHint(const QString& hint)
{
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
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
  if (!iconName.isEmpty())
    action->setIcon(QIcon::fromTheme(iconName, QIcon(QStringLiteral(":/icons/") + iconName)));
  if (handler)
    QObject::connect(action, &QAction::triggered, owner_, [h = std::move(handler)] { h(); });
  return action;
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
