#include "app/commands/controlstates.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextDocument>
#include <QTextEdit>

#include "app/actionregistry.h"
#include "app/modelform.h"
#include "app/text/texteditors.h"
#include "app/toolbars/dropdownmenus.h"
#include "document/modeldocument.h"
#include "document/modelview.h"
#include "io/undorecorder.h"
#include "model/cogi.h"
#include "model/layers/angled.h"
#include "model/layers/filled.h"
#include "model/layers/gateway.h"
#include "model/layers/lined.h"

namespace {

// The line style that draws no line.
constexpr int kNoLine = 5;
constexpr double kMaxZoom = 400.0;
// Cutting, copying and pasting model objects is not built yet: outside text mode those
// commands stay off, and in text mode they act on the editor.
constexpr bool kObjectClipboard = false;

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

std::optional<TTextEditState> TControlStates::TextModeOf(const TModelForm* form)
{
  const QTextEdit* box = form ? form->TextEditors().ActiveBox() : nullptr;
  if (!box) return std::nullopt;
  TTextEditState state;
  state.HoldsText = !box->document()->isEmpty();
  state.HasSelection = box->textCursor().hasSelection();
  state.CanUndo = box->document()->isUndoAvailable();
  const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
  state.ClipboardHasText = clipboard && clipboard->hasText();
  return state;
}

void TControlStates::ApplyEditCommands(TActionRegistry& actions, const TModelDocument* document,
                                       const std::optional<TTextEditState>& textMode)
{
  bool cut = false;
  bool paste = false;
  bool selectAll = false;
  std::pair<bool, QString> undo{false, QStringLiteral("Can't Undo")};
  std::pair<bool, QString> redo{false, QStringLiteral("Can't Redo")};
  QString undoCaption = undo.second;
  QString redoCaption = redo.second;
  if (document && textMode) {
    selectAll = textMode->HoldsText;
    cut = textMode->HasSelection;
    paste = textMode->ClipboardHasText;
    if (textMode->CanUndo) undo = {true, QStringLiteral("Undo Typing")};
    undoCaption =
        textMode->CanUndo ? QStringLiteral("&Undo Typing") : QStringLiteral("Can't &Undo");
    redoCaption = QStringLiteral("Can't &Redo");
  } else if (document) {
    cut = kObjectClipboard && AnySelected(*document);
    paste = kObjectClipboard;
    selectAll = !document->Objects.empty();
    undo = TUndoRecorder::UndoCaption(*document);
    redo = TUndoRecorder::RedoCaption(*document);
    undoCaption = undo.second;
    redoCaption = redo.second;
  }
  const std::pair<const char*, bool> rules[] = {
      {"EditCut", cut},         {"EditCopy", cut},
      {"EditPaste", paste},     {"EditSelectAll", selectAll},
      {"EditUndo", undo.first}, {"EditRedo", redo.first}};
  for (const auto& [id, on] : rules)
    actions.Enable(QLatin1String(id), on);
  actions.SetCaption(QStringLiteral("EditUndo"), undoCaption);
  actions.SetHint(QStringLiteral("EditUndo"), undo.second);
  actions.SetCaption(QStringLiteral("EditRedo"), redoCaption);
  actions.SetHint(QStringLiteral("EditRedo"), redo.second);
}

TLinkStates TControlStates::LinkStates(const TModelDocument& document)
{
  TLinkStates states;
  if (const TGateway* gateway = FirstSelected<TGateway>(document)) {
    states.Link = true;
    states.RemoveLink = gateway->HasGateway();
  }
  return states;
}

void TControlStates::Apply(TActionRegistry& actions, TDropDownMenus& menus,
                           const TModelDocument* document, bool surveyMode, bool anyModified,
                           const std::optional<TTextEditState>& textMode)
{
  ApplyEditCommands(actions, document, textMode);
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
                                                {"RotateRight", angled},
                                                {"FreeRotate", angled},
                                                {"ZoomIn", document.Zoom < kMaxZoom},
                                                {"ZoomBack", !document.ViewStack.empty()},
                                                {"WholeModel", document.Zoom > whole},
                                                {"ToMainView", MainViewSet(document)}};
  for (const auto& [id, on] : rules)
    actions.Enable(QLatin1String(id), on);
  // The navigation commands stay unavailable until their work exists; the registry keeps
  // them off whatever is asked here.
  const TLinkStates links = LinkStates(document);
  for (const char* id :
       {"CogiLinkGateway", "CogiLinkNewModel", "CogiLinkWeb", "LinkCogi", "LinkToWeb"})
    actions.Enable(QLatin1String(id), links.Link);
  actions.Enable(QStringLiteral("CogiRemoveLink"), links.RemoveLink);
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
