#include "app/commands/controlstates.h"

#include <QAction>

#include "app/actionregistry.h"
#include "app/toolbars/dropdownmenus.h"
#include "document/modeldocument.h"
#include "document/modelview.h"
#include "model/angled.h"
#include "model/cogi.h"
#include "model/filled.h"
#include "model/lined.h"

namespace {

// The line style that draws no line.
constexpr int kNoLine = 5;
constexpr double kMaxZoom = 400.0;

template <typename T>
const T* FirstSelected(const TModelDocument& document)
{
  for (const CGPObject* object : document.Objects)
    if (object->Selected)
      if (const auto* found = dynamic_cast<const T*>(object)) return found;
  return nullptr;
}

bool AnySelected(const TModelDocument& document)
{
  for (const CGPObject* object : document.Objects)
    if (object->Selected) return true;
  return false;
}

bool MainViewSet(const TModelDocument& document)
{
  return document.MainViewTopLeft.X != document.MainViewBottomRight.X &&
         document.MainViewTopLeft.Y != document.MainViewBottomRight.Y;
}

}  // namespace

void TControlStates::Apply(TActionRegistry& actions, TDropDownMenus& menus,
                           const TModelDocument* document, bool surveyMode, bool anyModified)
{
  actions.Enable(QStringLiteral("FileSaveAll"), !surveyMode && anyModified);
  if (!document) {
    for (const char* id : {"FileSave", "SaveModel"})
      actions.Enable(QLatin1String(id), false);
    return;
  }
  ApplyEnables(actions, *document, surveyMode);
  ApplyChecks(actions, menus, *document);
}

void TControlStates::ApplyEnables(TActionRegistry& actions, const TModelDocument& document,
                                  bool surveyMode)
{
  const bool selection = AnySelected(document);
  const bool objects = !document.Objects.empty();
  const bool angled = FirstSelected<TAngled>(document) != nullptr;
  const double whole = TModelView(const_cast<TModelDocument&>(document)).WholeModelZoom();
  const std::pair<const char*, bool> rules[] = {{"FileSave", !surveyMode && document.Modified},
                                                {"SaveModel", !surveyMode && document.Modified},
                                                {"Standardise", selection},
                                                {"CogiRenumber", objects},
                                                {"EditText", objects},
                                                {"StingCogis", objects},
                                                {"EditSelectAll", objects},
                                                {"RotateRight", angled},
                                                {"FreeRotate", angled},
                                                {"ZoomIn", document.Zoom < kMaxZoom},
                                                {"ZoomBack", !document.ViewStack.empty()},
                                                {"WholeModel", document.Zoom > whole},
                                                {"ToMainView", MainViewSet(document)}};
  for (const auto& [id, on] : rules)
    actions.Enable(QLatin1String(id), on);
}

void TControlStates::ApplyChecks(TActionRegistry& actions, TDropDownMenus& menus,
                                 const TModelDocument& document)
{
  const TCogi* cogi = FirstSelected<TCogi>(document);
  menus.CheckSize(cogi ? cogi->CogiSize : document.CogiSize);
  const TFilled* filled = FirstSelected<TFilled>(document);
  menus.CheckFill(filled ? filled->FillStyle : document.FillStyle);
  const TLined* lined = FirstSelected<TLined>(document);
  const int lineStyle = lined ? lined->LineStyle : document.LineStyle;
  actions.Action(QStringLiteral("ShowLine"))->setChecked(lineStyle != kNoLine);
  menus.CheckLineWidth(lined ? lined->LineWidth : document.LineWidth);
  const CGPObject* first = document.FirstSelected();
  actions.Action(QStringLiteral("Shadow"))
      ->setChecked((first ? first->Shadow : document.Shadow) != 0);
  actions.Action(QStringLiteral("Style3D"))
      ->setChecked((first ? first->Style3D : document.Style3D) != 0);
}
