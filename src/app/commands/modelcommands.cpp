#include "app/commands/modelcommands.h"

#include <algorithm>
#include <cmath>

#include "app/commands/numberinput.h"
#include "app/dialogs/dialogservice.h"
#include "app/modelform.h"
#include "document/modeldocument.h"
#include "document/modelview.h"
#include "interaction/gestures/selectionrotator.h"
#include "interaction/modelpaintbox.h"
#include "model/cogi.h"
#include "model/layers/angled.h"
#include "model/layers/filled.h"
#include "model/layers/lined.h"
#include "model/objectkind.h"
#include "model/operationmode.h"

TModelDocument& TModelCommands::Document() const
{
  return form_.Document();
}

void TModelCommands::Record(const QString& caption)
{
  TModelDocument& document = Document();
  document.ChangePending = true;
  document.RecordUndo(caption);
  form_.Repaint();
}

void TModelCommands::Beep()
{
  dialogs_.ReportError(QString());
}

// ---- Edit ---------------------------------------------------------------------------------

void TModelCommands::Delete()
{
  TModelDocument& document = Document();
  if (document.Mode == opEditText) return;
  document.DeleteSelection();
  form_.Repaint();
}

void TModelCommands::SelectAll()
{
  if (Document().Mode == opEditText) return;
  Document().SelectAll();
  form_.PaintBox().PaintSelection();
}

// ---- Attributes ---------------------------------------------------------------------------

void TModelCommands::SetSize(int sizeCode)
{
  TModelDocument& document = Document();
  if (document.AnySelectedOfClass<TCogi>()) {
    for (CGPObject* object : document.Objects) {
      auto* cogi = dynamic_cast<TCogi*>(object);
      if (!cogi || !cogi->Selected) continue;
      cogi->SetShape(cogi->ShapeVariant, sizeCode);
      cogi->Recalculate(&document.Objects, true);
    }
  } else {
    document.CogiSize = static_cast<std::uint8_t>(sizeCode);
  }
  Record(QStringLiteral("Change Size"));
}

void TModelCommands::SetFill(std::uint8_t style)
{
  TModelDocument& document = Document();
  if (!document.AnySelectedOfClass<TFilled>()) {
    document.FillStyle = style;
    return;
  }
  for (CGPObject* object : document.Objects)
    if (auto* filled = dynamic_cast<TFilled*>(object); filled && filled->Selected) {
      filled->FillStyle = style;
      filled->FillPicture.reset();
    }
  Record(QStringLiteral("Fill Properties"));
}

void TModelCommands::ToggleShowLine()
{
  TModelDocument& document = Document();
  const auto flip = [](std::uint8_t style) { return style == kLineNone ? kLineSolid : kLineNone; };
  if (document.AnySelectedOfClass<TLined>()) {
    for (CGPObject* object : document.Objects)
      if (auto* lined = dynamic_cast<TLined*>(object); lined && lined->Selected)
        lined->LineStyle = flip(lined->LineStyle);
  } else {
    document.LineStyle = flip(document.LineStyle);
  }
  Record(QStringLiteral("Line Style"));
}

void TModelCommands::SetLineWidth(double points)
{
  if (!(points >= 0.0)) return;
  const auto width = static_cast<float>(TNumberInput::Clamp(points, numberranges::kLineWidth));
  TModelDocument& document = Document();
  if (document.AnySelectedOfClass<TLined>()) {
    for (CGPObject* object : document.Objects)
      if (auto* lined = dynamic_cast<TLined*>(object); lined && lined->Selected) {
        lined->LineWidth = width;
        object->Recalculate(&document.Objects, false);
      }
  } else {
    document.LineWidth = width;
  }
  Record(QStringLiteral("Line Thickness"));
}

void TModelCommands::AskLineWidth()
{
  dialogs_.Beep(TBeep::Asterisk);
  const std::optional<QString> text =
      dialogs_.InputText(QStringLiteral("Other Line Width"),
                         QStringLiteral("Enter a Line Width in pts"), QStringLiteral("20.0"));
  if (!text) return;
  const std::optional<double> width = TNumberInput::Decimal(*text);
  if (!width) {
    dialogs_.ReportError(TNumberInput::NotADecimal(*text));
    return;
  }
  if (*width < 0.0) return;
  if (!TNumberInput::Within(*width, numberranges::kLineWidth)) {
    dialogs_.ReportError(TNumberInput::InvalidFigure());
    return;
  }
  SetLineWidth(*width);
}

void TModelCommands::ToggleShadow()
{
  TModelDocument& document = Document();
  if (document.SelectedCount() > 0) {
    for (CGPObject* object : document.Objects)
      if (object->Selected) object->Shadow = object->Shadow != 1 ? 1 : 0;
  } else {
    document.Shadow = document.Shadow == 0 ? 1 : 0;
  }
  Record(QStringLiteral("Toggle Shadow"));
}

void TModelCommands::Toggle3D()
{
  TModelDocument& document = Document();
  if (document.SelectedCount() > 0) {
    for (CGPObject* object : document.Objects)
      if (object->Selected) object->Style3D = object->Style3D == 0 ? 1 : 0;
  } else {
    document.Style3D = document.Style3D == 0 ? 1 : 0;
  }
  Record(QStringLiteral("Toggle 3D"));
}

void TModelCommands::ToggleShowNumber(bool on)
{
  TModelDocument& document = Document();
  if (document.SelectedCount() > 0) {
    for (CGPObject* object : document.Objects)
      if (object->Selected) object->ShowNumber = on;
  } else {
    document.ShowNumber = on;
  }
  Record(QStringLiteral("Numbering"));
}

// ---- Order and turning --------------------------------------------------------------------

void TModelCommands::SendToBack()
{
  Document().SendToBackCommand();
  form_.Repaint();
}

void TModelCommands::BringToFront()
{
  Document().BringToFrontCommand();
  form_.Repaint();
}

void TModelCommands::RotateRight()
{
  TModelDocument& document = Document();
  if (document.SelectedCount() == 0) {
    Beep();
    return;
  }
  const TModelPoint centre = form_.PaintBox().Machine().SelectionCentre();
  if (TSelectionRotator::RotateSelection(document, centre, 90))
    Record(QStringLiteral("Rotate Right"));
}

void TModelCommands::FreeRotate()
{
  TModelDocument& document = Document();
  if (!dynamic_cast<TAngled*>(document.FirstSelected())) {
    Beep();
    return;
  }
  document.ChangeMode(opRotateReady);
  form_.Repaint();
}

// ---- Numbering ----------------------------------------------------------------------------

void TModelCommands::Renumber()
{
  TModelDocument& document = Document();
  if (document.Objects.empty()) {
    Beep();
    return;
  }
  for (;;) {
    dialogs_.Beep(TBeep::Asterisk);
    const std::optional<QString> text = dialogs_.InputText(
        QStringLiteral("Renumber Cogis"),
        QStringLiteral("Enter a starting number to begin renumbering from:"), QStringLiteral("1"));
    if (!text) return;
    const std::optional<std::int64_t> start = TNumberInput::Integer(*text);
    if (!start || *start == -1 ||
        !TNumberInput::Within(static_cast<double>(*start), numberranges::kRenumberStart) ||
        !document.RenumberStartFits(*start)) {
      dialogs_.ReportError(TNumberInput::InvalidNumber());
      continue;
    }
    document.RenumberCommand(static_cast<int>(*start));
    form_.Repaint();
    return;
  }
}

// ---- View ---------------------------------------------------------------------------------

void TModelCommands::ZoomMenu(int value)
{
  if (value == 1) {
    TModelView(Document()).ShowWholeModel();
    form_.Repaint();
    return;
  }
  ZoomTo(value);
}

void TModelCommands::ZoomTo(double percent)
{
  TModelView view(Document());
  const double zoom = TNumberInput::Clamp(percent, numberranges::kZoomPercent);
  // At or below the whole-model zoom the whole model is shown.
  if (zoom <= view.WholeModelZoom())
    view.ShowWholeModel();
  else
    view.SetView(false, zoom, 0, 0, 0, 0);
  form_.Repaint();
}

void TModelCommands::AskZoom()
{
  dialogs_.Beep(TBeep::Asterisk);
  const std::optional<QString> text =
      dialogs_.InputText(QStringLiteral("Set Zoom"), QStringLiteral("Enter the % zoom required:"),
                         QStringLiteral("100"));
  if (!text) return;
  // Text that is not a whole number counts as 100 %.
  const std::optional<std::int64_t> value = TNumberInput::Integer(*text);
  ZoomTo(value ? TNumberInput::Clamp(static_cast<double>(*value), numberranges::kZoomPercent)
               : 100.0);
}

void TModelCommands::AskZoomSpeed()
{
  TModelDocument& document = Document();
  dialogs_.Beep(TBeep::Asterisk);
  const std::optional<QString> text =
      dialogs_.InputText(QStringLiteral("Set Model Zoom Speed"),
                         QStringLiteral("Number of frames to draw during zooming (min 1):"),
                         QString::number(document.ZoomFrames));
  if (!text) return;
  const std::optional<std::int64_t> frames = TNumberInput::Integer(*text);
  if (!frames || !TNumberInput::Within(static_cast<double>(*frames), numberranges::kZoomFrames)) {
    dialogs_.ReportError(TNumberInput::InvalidFigure());
    return;
  }
  document.ZoomFrames = static_cast<std::int32_t>(*frames);
  Record(QStringLiteral("Zoom Speed"));
}

void TModelCommands::WholeModel()
{
  TModelView view(Document());
  view.WholeModelCommand();
  form_.Repaint();
}

void TModelCommands::ToMainView()
{
  TModelView(Document()).ToMainView();
  form_.Repaint();
}

void TModelCommands::SetMainView()
{
  TModelView(Document()).SetMainViewToCurrent();
}

void TModelCommands::ZoomBack()
{
  TModelView view(Document());
  view.ZoomBack(form_.PaintBox().AsyncInput());
  form_.Repaint();
}

void TModelCommands::ToggleGrid()
{
  Document().ShowGrid = !Document().ShowGrid;
  form_.Repaint();
}

void TModelCommands::ToggleSnapToGrid()
{
  Document().SnapToGrid = !Document().SnapToGrid;
  form_.Repaint();
}

void TModelCommands::ToggleSnapToShape()
{
  Document().SnapToShape = !Document().SnapToShape;
  form_.Repaint();
}

void TModelCommands::ClearBackground()
{
  TModelDocument& document = Document();
  if (!document.Background) {
    Beep();
    return;
  }
  document.SetBackground(std::nullopt);
  Record(QStringLiteral("Clear Background"));
}

// ---- Modes --------------------------------------------------------------------------------

void TModelCommands::StartTool(TCreationTool tool)
{
  TModelDocument& document = Document();
  document.CreateAngle = 0;
  const auto arrow = [&document](std::uint32_t tag) {
    document.NewArrowStyle = static_cast<std::uint8_t>(tag & 0xFF);
    document.NewArrowA = static_cast<std::uint8_t>((tag >> 8) & 0xFF);
    document.NewArrowB = static_cast<std::uint8_t>((tag >> 16) & 0xFF);
    document.ChangeMode(opCreateArrows);
  };
  switch (tool) {
    case TCreationTool::Cogis: {
      document.CreateKind = okCogi;
      document.CreateVariant = 7;
      if (document.CogiSize <= kCogiLarge) {
        const TCogiDimensions size = TCogi::StandardSize(7, document.CogiSize);
        document.CreateWidth = size.Width;
        document.CreateHeight = size.Height;
      }
      document.ChangeMode(opPlaceShape);
      break;
    }
    case TCreationTool::Clusters:
      document.CreateKind = okCluster;
      document.CreateVariant = 0;
      document.CreateWidth = 1.0;
      document.CreateHeight = 1.0;
      document.ChangeMode(opCreateClusters);
      break;
    case TCreationTool::Freeform:
      document.CreateKind = okFreeShape;
      document.CreateVariant = 0;
      document.ChangeMode(opFreeform);
      break;
    case TCreationTool::ArrowPlain:
      arrow(0);
      break;
    case TCreationTool::Line:
      arrow(10);
      break;
    case TCreationTool::ArrowDefault:
      arrow(65536);
      break;
  }
}

void TModelCommands::EnterMode(int mode)
{
  Document().ChangeMode(static_cast<TOperationMode>(mode));
  form_.Repaint();
}

void TModelCommands::EditText()
{
  if (Document().Objects.empty()) {
    Beep();
    return;
  }
  Document().ChangeMode(opPickText);
}
