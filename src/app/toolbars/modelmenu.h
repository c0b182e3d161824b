// The menu of a right click on a model: what it holds depends on the object under the
// pointer (gateway items, Edit Text, Show Number, Smooth Points) or, over the empty
// surface, the grid and background items. Items are the registry's actions, so they act
// and are enabled as the menu bar's.
#pragma once

#include <QStringList>

class CGPObject;
class QMenu;
class QWidget;
class TActionRegistry;
class TModelDocument;

class TModelMenu {
 public:
  // The ids (and "-" for separators) shown for an object, or for none.
  static QStringList Items(const TModelDocument& document, const CGPObject* object);
  // A menu built from those items; the caller shows and deletes it.
  static QMenu* Build(QWidget* parent, TActionRegistry& actions, const TModelDocument& document,
                      const CGPObject* object);
};
