#include "app/toolbars/modelmenu.h"

#include <QMenu>

#include "app/actionregistry.h"
#include "document/modeldocument.h"
#include "model/cluster.h"
#include "model/layers/gateway.h"
#include "model/shapes/freeshape.h"

QStringList TModelMenu::Items(const TModelDocument& document, const CGPObject* object)
{
  QStringList items;
  const auto* gateway = dynamic_cast<const TGateway*>(object);
  const bool linked = gateway && gateway->HasGateway();
  if (linked) items << QStringLiteral("ActivateGateway");
  if (object) items << QStringLiteral("ContextEditText") << QStringLiteral("-");
  items << QStringLiteral("EditCut") << QStringLiteral("EditCopy") << QStringLiteral("EditPaste");
  if (object) {
    items << QStringLiteral("-") << QStringLiteral("CogiShowNumber");
    const auto* cluster = dynamic_cast<const TCluster*>(object);
    if (dynamic_cast<const TFreeShape*>(object) || (cluster && cluster->ShapeVariant == 17))
      items << QStringLiteral("SmoothPoints");
  }
  if (gateway) {
    items << QStringLiteral("-");
    if (!linked)
      items << QStringLiteral("CogiLinkGateway") << QStringLiteral("CogiLinkNewModel")
            << QStringLiteral("CogiLinkWeb");
    else
      items << QStringLiteral("CogiRemoveLink");
  }
  if (dynamic_cast<const TCluster*>(object)) items << QStringLiteral("-");
  if (!object) {
    items << QStringLiteral("ModelShowGrid") << QStringLiteral("ModelSnapToShape")
          << QStringLiteral("ModelSnapToGrid") << QStringLiteral("-")
          << QStringLiteral("ModelBackground");
    if (document.Background) items << QStringLiteral("ModelClearBackground");
  }
  return items;
}

QMenu* TModelMenu::Build(QWidget* parent, TActionRegistry& actions, const TModelDocument& document,
                         const CGPObject* object)
{
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("ModelMenu"));
  for (const QString& id : Items(document, object))
    if (id == QLatin1String("-"))
      menu->addSeparator();
    else if (QAction* action = actions.Action(id))
      menu->addAction(action);
  return menu;
}
