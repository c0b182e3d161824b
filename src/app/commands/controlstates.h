// The enable, check and press rules that depend on the active model's contents: what the
// selection allows, the zoom limits, whether there is anything to save, and the size, fill,
// line and effect the first selected object (else the model's defaults) has.
#pragma once

#include <QList>

class TActionRegistry;
class TDropDownMenus;
class TModelDocument;

class TControlStates {
 public:
  // With no active model `document` is null; `anyModified` tells whether some open model
  // has unsaved changes.
  static void Apply(TActionRegistry& actions, TDropDownMenus& menus, const TModelDocument* document,
                    bool surveyMode, bool anyModified);

 private:
  static void ApplyEnables(TActionRegistry& actions, const TModelDocument& document,
                           bool surveyMode);
  static void ApplyChecks(TActionRegistry& actions, TDropDownMenus& menus,
                          const TModelDocument& document);
};
