#include "document/modeldocument.h"

#include <QFile>
#include <algorithm>
#include <limits>

#include "document/documentobserver.h"
#include "document/modecontroller.h"
#include "document/undorecorder.h"
#include "model/arrow.h"
#include "model/cluster.h"
#include "model/cogi.h"
#include "model/embedded/clipart.h"
#include "model/embedded/olecogi.h"
#include "model/embedded/shortcut.h"
#include "model/kindcast.h"
#include "model/objectfactory.h"
#include "model/outlines/shapegenerator.h"
#include "model/shapes/label.h"
#include "platform/measurecanvas.h"
#include "platform/printerinfo.h"
#include "platform/streams/datetimevalue.h"
#include "platform/text/richtext.h"
#include "platform/text/rtfwriter.h"
#include "platform/userfolders.h"

TModelDocument::TModelDocument(IPrinterInfo* printer)
    : printer_(printer ? printer : &TPrinterService::Current())
{
  CreatedBy = TUserFolders::CurrentUserName();
  CreatedTime = TDateTimeValue::Now();
  SavedTime = CreatedTime;
  RecoverFileName = TUserFolders::UniqueFileName(
      TUserFolders::RecoveryFolder(), QStringLiteral("CGP Recover "), QStringLiteral(".MDL"));
  Orientation = static_cast<std::uint8_t>(printer_->Orientation());
  UpdatePageSize();
  Objects.reserve(50);
  SetModelSize(2, 2);
}

TModelDocument::~TModelDocument()
{
  ClearModel();
  DeleteTemporaryFiles();
}

void TModelDocument::DeleteTemporaryFiles()
{
  // Files already gone are simply skipped.
  if (!RecoverFileName.isEmpty()) {
    QFile::remove(RecoverFileName);
    QFile::remove(RecoverFileName + QStringLiteral(".name"));
    QFile::remove(RecoverFileName + QStringLiteral(".undo"));
  }
  for (const TUndoEntry& entry : UndoList)
    SnapshotWriter.Remove(entry.FileName);
  for (const TUndoEntry& entry : RedoList)
    SnapshotWriter.Remove(entry.FileName);
  UndoList.clear();
  RedoList.clear();
}

// ---- Change protocol ----------------------------------------------------------------------

void TModelDocument::RecordUndo(const QString& caption)
{
  if (undoRecorder_) {
    undoRecorder_->RecordUndo(*this, caption);
    return;
  }
  // Without a recorder the change is accepted as it stands.
  if (ChangePending) {
    ChangePending = false;
    NotifyRepaint();
  }
  NotifyControls();
}

void TModelDocument::NotifyRepaint()
{
  if (observer_) observer_->Repaint();
}

void TModelDocument::NotifyControls()
{
  if (observer_) observer_->UpdateControls();
}

void TModelDocument::NotifySelection()
{
  if (observer_) observer_->SyncTextToolbar();
}

void TModelDocument::Beep()
{
  if (observer_) observer_->Beep();
}

// ---- Operation mode -----------------------------------------------------------------------

void TModelDocument::ChangeMode(TOperationMode mode)
{
  if (modeController_)
    modeController_->SetMode(mode);
  else
    Mode = mode;
}

bool TModelDocument::ObjectsMayBeDeleted() const
{
  return !modeController_ || modeController_->ObjectsMayBeDeleted();
}

// ---- Objects ------------------------------------------------------------------------------

CGPObject* TModelDocument::CreateObject(int kind)
{
  CGPObject* object = TObjectFactory::Create(kind);
  object->Serial = NextSerial;
  // A serial read from a file may be the largest there is; stay there rather than overflow.
  if (NextSerial < std::numeric_limits<std::int32_t>::max()) ++NextSerial;
  Objects.push_back(object);
  object->Number = static_cast<std::int32_t>(Objects.size());
  return object;
}

void TModelDocument::AppendObject(CGPObject* object)
{
  if (object && IndexOf(object) < 0) Objects.push_back(object);
}

int TModelDocument::IndexOf(const CGPObject* object) const
{
  const auto found = std::find(Objects.begin(), Objects.end(), object);
  return found == Objects.end() ? -1 : static_cast<int>(found - Objects.begin());
}

// ---- Selection ----------------------------------------------------------------------------

int TModelDocument::SelectedCount() const
{
  return static_cast<int>(
      std::count_if(Objects.begin(), Objects.end(), [](CGPObject* o) { return o->Selected; }));
}

CGPObject* TModelDocument::FirstSelected() const
{
  const auto found =
      std::find_if(Objects.begin(), Objects.end(), [](CGPObject* o) { return o->Selected; });
  return found == Objects.end() ? nullptr : *found;
}

void TModelDocument::SelectObject(CGPObject* object, bool notify)
{
  if (!object || object->Selected) return;
  object->Selected = true;
  if (notify) NotifySelection();
}

void TModelDocument::DeselectObject(CGPObject* object, bool notify)
{
  if (!object || !object->Selected) return;
  object->Selected = false;
  if (notify) NotifySelection();
}

void TModelDocument::DeselectAll(bool notify)
{
  if (Objects.empty()) return;
  for (CGPObject* object : Objects)
    object->Selected = false;
  if (notify) NotifySelection();
}

void TModelDocument::SelectAll()
{
  for (CGPObject* object : Objects)
    object->Selected = true;
  NotifySelection();
  NotifyRepaint();
}

// ---- Stacking order -----------------------------------------------------------------------

void TModelDocument::SendSelectionToBack()
{
  // Scanning down from the top and moving each selected object to the bottom; the moved
  // ones gather below the scan, so it stops when it reaches them.
  int moved = 0;
  int i = static_cast<int>(Objects.size()) - 1;
  while (i >= moved) {
    CGPObject* object = Objects[static_cast<std::size_t>(i)];
    if (object->Selected) {
      Objects.erase(Objects.begin() + i);
      Objects.insert(Objects.begin(), object);
      ++moved;
    } else {
      --i;
    }
  }
}

void TModelDocument::BringSelectionToFront()
{
  int limit = static_cast<int>(Objects.size());
  int i = 0;
  while (i < limit) {
    CGPObject* object = Objects[static_cast<std::size_t>(i)];
    if (object->Selected) {
      Objects.erase(Objects.begin() + i);
      Objects.push_back(object);
      --limit;
    } else {
      ++i;
    }
  }
}

void TModelDocument::BringToFrontCommand()
{
  if (SelectedCount() == 0) {
    Beep();
    return;
  }
  BringSelectionToFront();
  ChangePending = true;
  RecordUndo(QStringLiteral("Bring to Front"));
  NotifyRepaint();
}

void TModelDocument::SendToBackCommand()
{
  if (SelectedCount() == 0) {
    Beep();
    return;
  }
  SendSelectionToBack();
  ChangePending = true;
  RecordUndo(QStringLiteral("Send to Back"));
  NotifyRepaint();
}

// ---- Deleting -----------------------------------------------------------------------------

void TModelDocument::ForgetObject(CGPObject* object)
{
  VisibleObjects.erase(std::remove(VisibleObjects.begin(), VisibleObjects.end(), object),
                       VisibleObjects.end());
  ObjectRegion.Forget(object);
  HandleRegion.Forget(object);
  if (ContextObject == object) ContextObject = nullptr;
  if (modeController_) modeController_->ObjectDestroyed(object);
}

void TModelDocument::DestroyObject(CGPObject* object)
{
  ForgetObject(object);
  delete object;
}

void TModelDocument::StingObject(CGPObject* object)
{
  if (Mode == opEditText || !object) return;
  const int index = IndexOf(object);
  if (index < 0) return;
  auto* member = dynamic_cast<TClusteredObject*>(object);
  TCluster* cluster = member ? member->Cluster : nullptr;
  Objects.erase(Objects.begin() + index);
  DestroyObject(object);
  // The cluster the object left closes up around the members that remain.
  if (cluster) {
    TMeasureCanvas measure;  // at the model's resolution, like every membership decision
    cluster->FitToMembers(measure.Canvas(), Objects, 100, 0, 0);
  }
  ChangePending = true;
}

void TModelDocument::RemoveObject(CGPObject* object)
{
  if (!object || IndexOf(object) < 0) return;
  const TOperationMode mode = Mode;
  // Stinging refuses while text is edited; the removal itself is the same.
  Mode = opNone;
  StingObject(object);
  Mode = mode;
}

void TModelDocument::DeleteSelection()
{
  if (Mode == opEditText) return;
  if (!ObjectsMayBeDeleted()) {
    Beep();
    return;
  }
  if (SelectedCount() == 0) {
    if (Objects.empty())
      Beep();
    else
      ChangeMode(opSting);
    return;
  }
  while (CGPObject* object = FirstSelected())
    StingObject(object);
  NotifyRepaint();
  RecordUndo(QStringLiteral("Delete Cogis"));
}

void TModelDocument::ClearModel()
{
  ObjectRegion.Clear();
  HandleRegion.Clear();
  Background.reset();
  // Taken out of the list first so that no object sees a half-destroyed neighbour in it.
  TObjectList doomed;
  doomed.swap(Objects);
  for (CGPObject* object : doomed)
    ForgetObject(object);
  // Arrows first: destroying them detaches them cleanly from objects still alive.
  for (CGPObject*& object : doomed)
    if (TKindCast::Arrow(object)) {
      delete object;
      object = nullptr;
    }
  for (CGPObject* object : doomed)
    delete object;
  VisibleObjects.clear();
}

// ---- Numbering ----------------------------------------------------------------------------

std::vector<CGPObject*> TModelDocument::SelectionForNumbering() const
{
  std::vector<CGPObject*> list;
  for (CGPObject* object : Objects)
    if (object->Selected) list.push_back(object);
  return list;
}

void TModelDocument::RenumberSelection(int start)
{
  std::vector<CGPObject*> list = SelectionForNumbering();
  // Reading order of the screen boxes at 100 % with no offset, at the model's resolution: top
  // edge, then left edge.
  TMeasureCanvas measure;
  std::vector<std::pair<TPixelRect, CGPObject*>> keyed;
  keyed.reserve(list.size());
  for (CGPObject* object : list)
    keyed.emplace_back(object->GetScreenBox(measure.Canvas(), 0, 0, 100), object);
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    return a.first.Top != b.first.Top ? a.first.Top < b.first.Top : a.first.Left < b.first.Left;
  });
  for (std::size_t i = 0; i < keyed.size(); ++i)
    list[i] = keyed[i].second;
  for (std::size_t i = 0; i < list.size(); ++i)
    list[i]->Number = start + static_cast<int>(i);
}

bool TModelDocument::RenumberStartFits(std::int64_t start) const
{
  const std::int64_t count = std::max<std::int64_t>(SelectedCount(), 1);
  return start >= std::numeric_limits<std::int32_t>::min() &&
         start + count - 1 <= std::numeric_limits<std::int32_t>::max();
}

void TModelDocument::RenumberCommand(int start)
{
  if (!RenumberStartFits(start)) {
    if (observer_) observer_->ReportError(QStringLiteral("Invalid Number."));
    return;
  }
  if (SelectedCount() == 0) {
    NextRenumber = start;
    ChangeMode(opRenumber);
    return;
  }
  RenumberSelection(start);
  ChangePending = true;
  RecordUndo(QStringLiteral("Renumber Objects"));
  NotifyRepaint();
}

// ---- Attributes, background, page geometry ------------------------------------------------

void TModelDocument::ApplyCurrentAttributes(CGPObject* object)
{
  if (!object) return;
  object->ShowNumber = ShowNumber;
  object->Shadow = Shadow;
  object->Style3D = Style3D;
  if (auto* filled = dynamic_cast<TFilled*>(object)) {
    filled->FillStyle = FillStyle;
    filled->FaceColor = FaceColor;
    filled->BackColor = BackColor;
    filled->PatternIndex = PatternIndex;
    filled->GradientIndex = GradientIndex;
    if (FillStyle == kFillPicture) {
      filled->PictureCentred = PictureCentred;
      filled->FillPicture = FillPicture;
    }
  }
  if (auto* lined = dynamic_cast<TLined*>(object)) {
    lined->LineStyle = LineStyle;
    lined->LineWidth = LineWidth;
    lined->LineColor = LineColor;
  }
  if (auto* cluster = dynamic_cast<TCluster*>(object)) cluster->FaceColor = ClusterColor;
  // A label is bare text, whatever the other objects wear.
  if (auto* label = dynamic_cast<TLabel*>(object)) {
    label->Shadow = 0;
    label->Style3D = 0;
    label->FillPicture.reset();
    label->FillStyle = kFillClear;
    label->LineStyle = kLineNone;
  }
}

void TModelDocument::SetBackground(const std::optional<TPicture>& picture)
{
  Background = picture;
  ChangePending = true;
  RecordUndo(QStringLiteral("Background Picture"));
}

void TModelDocument::UpdatePageSize()
{
  const QSize page = printer_->PageSizePixels();
  PaperWidth = page.width() / printer_->DpiX();
  PaperHeight = page.height() / printer_->DpiY();
  PageWidth = PaperWidth - LeftMargin - RightMargin;
  PageHeight = PaperHeight - TopMargin - BottomMargin;
  if (PrintHeader) PageHeight -= 0.25;
  if (PrintFooter) PageHeight -= 0.25;
}

void TModelDocument::ApplyPrinterOrientation()
{
  printer_->SetOrientation(Orientation);
  printer_->SetCopies(1);
}

void TModelDocument::SetModelSize(int across, int down)
{
  PagesAcross = across;
  PagesDown = down;
  ModelWidth = across * PageWidth;
  ModelHeight = down * PageHeight;
}

TModelPoint TModelDocument::InsertionPoint{-1.0, -1.0};

namespace {

QByteArray ThoughtText(const QString& text)
{
  QTextCharFormat format = richtext::NewTextFormat();
  format.setFontPointSize(11);
  return TRtfWriter::CentredText(text, format);
}

}  // namespace

CGPObject* TModelDocument::AddBrainstormCogi(const QString& text)
{
  TCogi* cogi = PlaceInsertedCogi();
  cogi->Text = TRtfWriter::CentredText(text);
  FinishInsertedCogi(cogi, QStringLiteral("Create Brainstorm Cogi"));
  return cogi;
}

CGPObject* TModelDocument::AddThoughtCogi(const QString& text, const QString& secondText)
{
  TCogi* cogi = PlaceInsertedCogi();
  cogi->Text = ThoughtText(text);
  if (!secondText.isEmpty()) cogi->Notes = TRtfWriter::CentredText(secondText);
  FinishInsertedCogi(cogi, QStringLiteral("Create thought of the day Cogi"));
  return cogi;
}

TCogi* TModelDocument::PlaceInsertedCogi()
{
  if (InsertionPoint.X == -1.0 && InsertionPoint.Y == -1.0)
    InsertionPoint = SnapToQuarterGrid({ViewOrigin.X + 0.5, ViewOrigin.Y + 0.5});
  auto* cogi = static_cast<TCogi*>(CreateObject(okCogi));
  cogi->SetShape(kCogiVariantHexagon, CogiSize > 2 ? 0 : CogiSize);
  ApplyCurrentAttributes(cogi);
  cogi->X = InsertionPoint.X;
  cogi->Y = InsertionPoint.Y;
  return cogi;
}

void TModelDocument::FinishInsertedCogi(TCogi* cogi, const QString& caption)
{
  cogi->Recalculate(&Objects, true);
  InsertionPoint.X += cogi->Width;
  const double rightEdge = ViewOrigin.X + ClientSize.width() / (ScreenDpiX * Zoom / 100.0);
  if (InsertionPoint.X > rightEdge - 0.5) {
    InsertionPoint.Y += cogi->Height;
    InsertionPoint.X = SnapToQuarterGrid({ViewOrigin.X + 0.5, 0}).X;
  }
  ChangePending = true;
  RecordUndo(caption);
  NotifyRepaint();
}

CGPObject* TModelDocument::InsertClipart(const TPicture& picture)
{
  auto* clipart = static_cast<TClipart*>(CreateObject(okClipart));
  const TModelPoint centre = WindowCentre();
  clipart->X = centre.X;
  clipart->Y = centre.Y;
  clipart->SetPicture(picture, {ScreenDpiX, ScreenDpiY});
  ApplyCurrentAttributes(clipart);
  clipart->LineStyle = kLineNone;
  clipart->Recalculate(&Objects, true);
  ChangePending = true;
  RecordUndo(QStringLiteral("Insert Clipart"));
  NotifyRepaint();
  return clipart;
}

CGPObject* TModelDocument::InsertShortcut(const QString& path)
{
  auto* shortcut = static_cast<TShortCut*>(CreateObject(okShortCut));
  const TModelPoint centre = WindowCentre();
  shortcut->X = centre.X;
  shortcut->Y = centre.Y;
  shortcut->SetTarget(path);
  shortcut->Text = TRtfWriter::CentredText(TShortCut::FileNamePart(path));
  ApplyCurrentAttributes(shortcut);
  shortcut->Recalculate(&Objects, true);
  ChangePending = true;
  RecordUndo(QStringLiteral("Insert Shortcut"));
  NotifyRepaint();
  return shortcut;
}

void TModelDocument::ActivateOleObject(const TOLECogi& object)
{
  const QString message = object.Activate();
  if (!message.isEmpty() && observer_) observer_->ReportError(message);
}

TModelPoint TModelDocument::WindowCentre() const
{
  const double scaleX = ScreenDpiX * Zoom / 100.0;
  const double scaleY = ScreenDpiY * Zoom / 100.0;
  return {ViewOrigin.X + ClientSize.width() / 2.0 / scaleX,
          ViewOrigin.Y + ClientSize.height() / 2.0 / scaleY};
}
