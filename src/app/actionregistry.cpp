#include "app/actionregistry.h"

#include <QIcon>

QAction* TActionRegistry::Register(const QString& id, const QString& text,
                                   const QKeySequence& shortcut, const QString& iconName,
                                   std::function<void()> handler)
{
  auto* action = new QAction(text, owner_);
  action->setObjectName(id);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  if (!iconName.isEmpty())
    action->setIcon(QIcon::fromTheme(iconName, QIcon(QStringLiteral(":/icons/") + iconName)));
  if (handler)
    QObject::connect(action, &QAction::triggered, owner_, [h = std::move(handler)] { h(); });
  actions_.insert(id, action);
  return action;
}

QAction* TActionRegistry::Action(const QString& id) const
{
  return actions_.value(id, nullptr);
}
