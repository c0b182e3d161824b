#include "model/cgpobject.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <optional>

#include "model/arrow.h"
#include "model/kindcast.h"
#include "platform/canvas.h"
#include "platform/markstamps.h"
#include "platform/parallelslices.h"
#include "platform/rounding.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "render/extrusionpainter.h"
#include "render/shadowpainter.h"
#include "render/text/textdrawer.h"
#include "render/text/textmeasurer.h"

CGPObject::CGPObject() = default;

CGPObject::~CGPObject()
{
  DetachAll();
}

QString CGPObject::ClassDisplayName() const
{
  switch (KindCode()) {
    case okCogi:
      return QStringLiteral("Cogi");
    case okCluster:
      return QStringLiteral("Cluster");
    case okArrow:
    case okBlockArrow:
      return QStringLiteral("Arrow");
    case okOLECogi:
      return QStringLiteral("OLE");
    case okClipart:
      return QStringLiteral("Clipart");
    case okBalloon:
      return QStringLiteral("Callout");
    case okShortCut:
      return QStringLiteral("Shortcut");
    case okLabel:
      return QStringLiteral("Label");
    case okDilemma:
      return QStringLiteral("Dilemma");
    case okFreeShape:
      return QStringLiteral("Freeform");
    default:
      return QString();
  }
}

// ---- Drawing ------------------------------------------------------------------------------

void CGPObject::Draw(TCanvas& canvas, bool, double offsetX, double offsetY, double zoom)
{
  DrawShadow(canvas, offsetX, offsetY, zoom);
  Draw3D(canvas, offsetX, offsetY, zoom);
  DrawBody(canvas, offsetX, offsetY, zoom);
  if (zoom > 30) DrawText(canvas, 0, offsetX, offsetY, zoom, 0);
  DrawNumber(canvas, 0, offsetX, offsetY, zoom, 0);
}

void CGPObject::DrawShadow(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  TShadowPainter::DrawBoxShadow(canvas, Centre(), Width, Height, Shadow, Style3D, offsetX, offsetY,
                                zoom);
}

void CGPObject::Draw3D(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  // Objects without a fill of their own extrude in plain grey.
  TExtrusionPainter::DrawExtrusion(canvas, BoxOutline(Width, Height), Centre(), 0, Style3D,
                                   colors::Silver, TExtrusionPainter::TFaceFill::Plain, offsetX,
                                   offsetY, zoom);
}

void CGPObject::DrawBody(TCanvas&, double, double, double) {}

void CGPObject::DrawSelection(TCanvas& canvas, int mode, QRegion& handleRegion, bool primary,
                              double offsetX, double offsetY, double zoom)
{
  if (mode == opRotateReady) mode = 0;
  if (Selected) DrawHandles(canvas, 0, handleRegion, primary, mode, offsetX, offsetY, zoom);
}

void CGPObject::ClearHandleRegions()
{
  HandleRegions.fill(THandleShape());
}

void CGPObject::DrawHandles(TCanvas& canvas, double angle, QRegion& handleRegion, bool primary,
                            int mode, double offsetX, double offsetY, double zoom)
{
  ClearHandleRegions();
  const double w = Width / 2.0;
  const double h = Height / 2.0;
  if (mode == opRotateReady) {
    DrawHandlesAt(canvas, {{-w, -h}, {w, -h}, {w, h}, {-w, h}}, true, angle, handleRegion, primary,
                  mode, offsetX, offsetY, zoom);
    return;
  }
  DrawHandlesAt(canvas, {{-w, -h}, {0, -h}, {w, -h}, {w, 0}, {w, h}, {0, h}, {-w, h}, {-w, 0}},
                false, angle, handleRegion, primary, mode, offsetX, offsetY, zoom);
}

int CGPObject::HandleSize(double zoom)
{
  return std::clamp(RoundHalfEven(zoom * 13.0 / 100.0), 2, 6);
}

int CGPObject::HandleMargin(double zoom)
{
  return std::min(RoundHalfEven(zoom * 5.0 / 100.0), 5);
}

void CGPObject::DrawHandlesAt(TCanvas& canvas, const std::vector<TModelPoint>& points, bool round,
                              double angle, QRegion& handleRegion, bool primary, int mode,
                              double offsetX, double offsetY, double zoom)
{
  const int size = HandleSize(zoom);
  const int margin = HandleMargin(zoom);
  const std::size_t count = std::min(points.size(), HandleRegions.size());
  std::array<QRect, 9> marks;
  for (std::size_t i = 0; i < count; ++i) {
    const TModelPoint p = RotateOffset(Centre(), points[i].X, points[i].Y, angle);
    const QPoint pixel = canvas.ToPixel(p.X, p.Y, offsetX, offsetY, zoom);
    const int hx = pixel.x() - size / 2;
    const int hy = pixel.y() - size / 2;
    marks[i] = QRect(hx, hy, size - 1, size - 1);
    HandleRegions[i] =
        THandleShape(QRect(hx - margin, hy - margin, size + 2 * margin, size + 2 * margin), round);
  }
  const bool grey = mode == opFormatPaint && !primary;
  const QColor fill = ToQColor(grey ? colors::Silver : colors::Aqua);
  TMarkStamps& stamps = canvas.Marks();
  if (round) {
    for (std::size_t i = 0; i < count; ++i)
      stamps.Circle(marks[i], fill);
  } else {
    stamps.Squares(marks.data(), static_cast<int>(count), fill);
  }
  if (!canvas.HandleRegionsWanted()) return;
  for (std::size_t i = 0; i < count; ++i)
    handleRegion += HandleRegions[i].ToRegion();
}

namespace {

const QImage& ConnectHandleBitmap()
{
  static const QImage bitmap =
      QImage(QStringLiteral(":/bitmaps/connect_handle.xpm")).convertToFormat(QImage::Format_RGB32);
  return bitmap;
}

}  // namespace

void CGPObject::DrawAnchors(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  if (!canvas.SupportsRasterOps()) return;
  QPainter& painter = canvas.Painter();
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  const double angle = ObjectAngle();
  for (const TAnchor& anchor : Anchors) {
    const TModelPoint p = RotateOffset(Centre(), anchor.DX, anchor.DY, angle);
    const QPoint pixel = canvas.ToPixel(p.X, p.Y, offsetX, offsetY, zoom);
    painter.drawImage(pixel - QPoint(2, 2), ConnectHandleBitmap());
  }
  painter.restore();
}

void CGPObject::DrawNumber(TCanvas& canvas, double angle, double offsetX, double offsetY,
                           double zoom, int shadowDirection)
{
  if (!ShowNumber || (NumberX == -1.0 && NumberY == -1.0)) return;
  TModelPoint centre = Centre();
  QColor color = ToQColor(NumberColor());
  if (shadowDirection >= 1 && shadowDirection <= 4) {
    const TModelPoint d = TShadowPainter::ShadowOffset(shadowDirection, Style3D);
    centre = {centre.X + d.X, centre.Y + d.Y};
    color = ToQColor(colors::ShadowGrey);
  }
  QPainter& painter = canvas.Painter();
  painter.save();
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, PenWidthPixels(0.5, zoom, canvas), Qt::SolidLine));
  QFont font(QStringLiteral("Arial"));
  const QString text = QString::number(Number);
  QPoint anchor;
  if (zoom > 30) {
    const double points = RoundHalfEven(zoom * 8.0 / 100.0);
    font.setPixelSize(std::max(1, RoundHalfEven(points * canvas.DpiY() / 72.0)));
    const TModelPoint p = RotateOffset(centre, NumberX * Width, NumberY * Height, angle);
    anchor = canvas.ToPixel(p.X, p.Y, offsetX, offsetY, zoom);
  } else {
    font.setPixelSize(std::max(1, RoundHalfEven(canvas.DpiX() * zoom / 100.0 * 0.5)));
    anchor = canvas.ToPixel(centre.X, centre.Y, offsetX, offsetY, zoom);
  }
  numberText_.Prepare(text, font, painter.device());
  const int th = numberText_.Height();
  const int tw = numberText_.Width();
  if (zoom > 30 && !Notes.isEmpty()) {
    // The ellipse marks objects that carry notes.
    const int ry = th * 5 / 8;
    const int rx = std::max(tw * 5 / 8, ry);
    painter.drawEllipse(QRect(anchor.x() - rx, anchor.y() - ry, 2 * rx, 2 * ry));
  }
  painter.setPen(color);
  numberText_.Draw(painter, anchor.x() - tw / 2, anchor.y() - th / 2);
  painter.restore();
}

void CGPObject::DrawText(TCanvas& canvas, double angle, double offsetX, double offsetY, double zoom,
                         int shadowDirection)
{
  EnsureTextLayout();
  if (TextLayout.Empty()) return;
  const TTextBox box = ObjectTextBox(Centre(), Width, Height, TextOffsetX, TextOffsetY, TextWidth,
                                     TextHeight, angle);
  DrawObjectText(canvas, TextLayout, box, angle, offsetX, offsetY, zoom, shadowDirection,
                 Style3D != 0);
}

void CGPObject::RelayoutText()
{
  FreeTextLayout(TextLayout);
  TextExtent = {};
  textLayoutPending_ = !Text.isEmpty();
}

void CGPObject::EnsureTextLayout()
{
  if (!textLayoutPending_) return;
  textLayoutPending_ = false;
  TextExtent =
      BuildTextLayout(Text, TTextMeasurer::ObjectControlWidth(Width, TextWidth), TextLayout);
}

void CGPObject::DrawOutline(TCanvas& canvas, double, double x, double y, double offsetX,
                            double offsetY, double zoom)
{
  QPainter& painter = canvas.Painter();
  painter.save();
  painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
  painter.setBrush(Qt::NoBrush);
  canvas.SetInverting(true);
  painter.drawPolygon(RectanglePolygon(canvas, 0, zoom, offsetX, offsetY, Width, Height, {x, y}));
  canvas.SetInverting(false);
  painter.restore();
}

// ---- Geometry -----------------------------------------------------------------------------

void CGPObject::MoveTo(TObjectList*, double x, double y)
{
  X = x;
  Y = y;
}

TPixelRect CGPObject::GetScreenBox(const TCanvas& canvas, double offsetX, double offsetY,
                                   double zoom) const
{
  return {canvas.ToPixelX(X - Width / 2.0, offsetX, zoom),
          canvas.ToPixelY(Y - Height / 2.0, offsetY, zoom),
          canvas.ToPixelX(X + Width / 2.0, offsetX, zoom),
          canvas.ToPixelY(Y + Height / 2.0, offsetY, zoom)};
}

TPixelRect CGPObject::RegionBox(const TCanvas& canvas, double offsetX, double offsetY,
                                double zoom) const
{
  return GetScreenBox(canvas, offsetX, offsetY, zoom).Normalized();
}

QRegion CGPObject::CreateRegion(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  return QRegion(GetScreenBox(canvas, offsetX, offsetY, zoom).Normalized().ToQRect() &
                 canvas.RegionWindow());
}

bool CGPObject::FindAnchor(TModelPoint point, int& index, TModelPoint& position) const
{
  const double angle = ObjectAngle();
  for (std::size_t i = 0; i < Anchors.size(); ++i) {
    const TModelPoint p = RotateOffset(Centre(), Anchors[i].DX, Anchors[i].DY, angle);
    if (std::abs(p.X - point.X) < 0.1 && std::abs(p.Y - point.Y) < 0.1) {
      index = static_cast<int>(i) + 1;
      position = p;
      return true;
    }
  }
  return false;
}

void CGPObject::Recalculate(TObjectList* list, bool full)
{
  if (full) {
    const TModelPoint number = NumberPositionRule();
    NumberX = number.X;
    NumberY = number.Y;
    const TTextBoxFractions box = TextBoxRule();
    TextOffsetX = box.OffsetX;
    TextOffsetY = box.OffsetY;
    TextWidth = box.Width;
    TextHeight = box.Height;
    RelayoutText();
  }
  BuildAnchors();
  if (list) UpdateAttachedArrows(list);
}

// ---- Arrows -------------------------------------------------------------------------------

namespace {

// How many of an arrow's ends sit on carriers that are still waiting in the pass, or on
// the one given carrier.
template <typename Waits>
int WaitingEnds(const TArrow* arrow, Waits waits)
{
  return int(waits(arrow->FromObject)) +
         int(arrow->ToObject != arrow->FromObject && waits(arrow->ToObject));
}

// Refreshes the arrows of a pass (every entry but the first, which started it) so that each
// comes after the arrows of the pass it sits on; a cycle is broken at its earliest arrow.
// refresh(arrow, position in the pass); positionOf(object) is where an object stands in the
// pass, 0 when it is none of its arrows.
template <typename InPass, typename PositionOf, typename Refresh>
void RefreshInOrder(const std::vector<CGPObject*>& pass, InPass inPass, PositionOf positionOf,
                    Refresh refresh)
{
  constexpr int kRefreshed = -1;
  std::vector<int> waiting(pass.size(), kRefreshed);  // ends still waiting, by position
  std::vector<std::size_t> ready;
  for (std::size_t i = 1; i < pass.size(); ++i) {
    waiting[i] = WaitingEnds(static_cast<TArrow*>(pass[i]), inPass);
    if (waiting[i] == 0) ready.push_back(i);
  }
  std::size_t cursor = 1;
  std::vector<CGPObject*> riders;
  for (std::size_t done = 1; done < pass.size(); ++done) {
    std::size_t next = 0;
    while (!ready.empty() && next == 0) {
      next = ready.back();
      ready.pop_back();
      if (waiting[next] == kRefreshed) next = 0;
    }
    if (next == 0) {  // only cycles are left
      while (waiting[cursor] == kRefreshed)
        ++cursor;
      next = cursor;
    }
    waiting[next] = kRefreshed;
    auto* arrow = static_cast<TArrow*>(pass[next]);
    refresh(arrow, next);
    riders.assign(arrow->AttachedArrows.begin(), arrow->AttachedArrows.end());
    std::sort(riders.begin(), riders.end());
    riders.erase(std::unique(riders.begin(), riders.end()), riders.end());
    for (CGPObject* object : riders) {
      const std::size_t at = positionOf(object);
      if (at == 0 || waiting[at] == kRefreshed) continue;
      waiting[at] -= WaitingEnds(static_cast<TArrow*>(object),
                                 [arrow](const CGPObject* end) { return end == arrow; });
      if (waiting[at] == 0) ready.push_back(at);
    }
  }
}

// The ends of the arrows of a large pass that sit on nothing the pass refreshes, placed on
// every core, by position in the pass (nothing for the others): their ends cannot move before
// their own turn comes, so placing them early puts them exactly where their turn would.
// Placing is most of the work of reading a model.
template <typename InPass>
std::vector<std::optional<TArrowEnds>> PlanFreeArrows(const std::vector<CGPObject*>& pass,
                                                      InPass inPass)
{
  constexpr std::size_t kArrowsPerThread = 512;
  std::vector<std::size_t> free;
  for (std::size_t i = 1; i < pass.size(); ++i)
    if (WaitingEnds(static_cast<TArrow*>(pass[i]), inPass) == 0) free.push_back(i);
  std::vector<std::optional<TArrowEnds>> planned;
  if (TParallelSlices::SliceCount(free.size(), kArrowsPerThread) < 2) return planned;
  planned.resize(pass.size());
  TParallelSlices::Run(free.size(), kArrowsPerThread,
                       [&](std::size_t begin, std::size_t end, std::size_t) {
                         for (std::size_t i = begin; i < end; ++i)
                           planned[free[i]] = static_cast<TArrow*>(pass[free[i]])->PlannedEnds();
                       });
  return planned;
}

}  // namespace

std::size_t CGPObject::PassPosition(const std::vector<CGPObject*>& pass, const CGPObject* object)
{
  const std::size_t at = object->passPosition_;
  return object->refreshingArrows_ && at < pass.size() && pass[at] == object ? at : 0;
}

void CGPObject::UpdateAttachedArrows(TObjectList* list)
{
  // Arrows can sit on arrows, in chains and in cycles. One pass gathers every arrow reached
  // from here and refreshes each once, without recursion, so neither a cycle nor a long chain
  // can run away. An arrow's own refresh inside the pass leaves its arrows to the pass.
  if (refreshingArrows_ || AttachedArrows.empty()) return;
  refreshingArrows_ = true;
  std::vector<CGPObject*> pass{this};
  for (std::size_t i = 0; i < pass.size(); ++i)
    for (CGPObject* object : pass[i]->AttachedArrows)
      if (!object->refreshingArrows_ && TKindCast::Arrow(object)) {
        object->refreshingArrows_ = true;
        object->passPosition_ = static_cast<std::uint32_t>(pass.size());
        pass.push_back(object);
      }
  RefreshInOrder(
      pass, [this](const CGPObject* end) { return end && end != this && end->refreshingArrows_; },
      [&pass](const CGPObject* object) { return PassPosition(pass, object); },
      [list](TArrow* arrow, std::size_t) {
        arrow->ComputeArrowEnds();
        arrow->Recalculate(list, true);
      });
  for (CGPObject* object : pass)
    object->refreshingArrows_ = false;
}

void CGPObject::UpdateArrowsAttachedTo(const std::vector<CGPObject*>& carriers, TObjectList* list)
{
  // The first entry of a pass starts it and is not refreshed itself; here nothing started it.
  std::vector<CGPObject*> pass{nullptr};
  for (CGPObject* carrier : carriers)
    for (CGPObject* object : carrier->AttachedArrows)
      if (!object->refreshingArrows_ && TKindCast::Arrow(object)) {
        object->refreshingArrows_ = true;
        object->passPosition_ = static_cast<std::uint32_t>(pass.size());
        pass.push_back(object);
      }
  const auto inPass = [](const CGPObject* end) { return end && end->refreshingArrows_; };
  const std::vector<std::optional<TArrowEnds>> planned = PlanFreeArrows(pass, inPass);
  RefreshInOrder(
      pass, inPass, [&pass](const CGPObject* object) { return PassPosition(pass, object); },
      [list, &planned](TArrow* arrow, std::size_t at) {
        if (at < planned.size() && planned[at])
          arrow->TakeEnds(*planned[at]);
        else
          arrow->ComputeArrowEnds();
        arrow->Recalculate(list, true);
      });
  for (std::size_t i = 1; i < pass.size(); ++i)
    pass[i]->refreshingArrows_ = false;
}

void CGPObject::DetachArrow(CGPObject* object)
{
  TArrow* arrow = TKindCast::Arrow(object);
  if (!arrow) return;
  const auto found = std::remove(AttachedArrows.begin(), AttachedArrows.end(), object);
  if (found == AttachedArrows.end()) return;
  // An arrow with both ends on this object is listed twice; every entry goes.
  AttachedArrows.erase(found, AttachedArrows.end());
  if (arrow->FromObject == this) {
    arrow->FromObject = nullptr;
    arrow->FromAnchor = -1;
  }
  if (arrow->ToObject == this) {
    arrow->ToObject = nullptr;
    arrow->ToAnchor = -1;
  }
}

void CGPObject::DetachAll()
{
  if (TArrow* arrow = TKindCast::Arrow(this)) {
    if (arrow->FromObject) arrow->FromObject->DetachArrow(arrow);
    if (arrow->ToObject) arrow->ToObject->DetachArrow(arrow);
  }
  while (!AttachedArrows.empty()) {
    CGPObject* first = AttachedArrows.front();
    const std::size_t before = AttachedArrows.size();
    DetachArrow(first);
    if (AttachedArrows.size() == before)  // not an arrow: drop the stray entry
      AttachedArrows.erase(AttachedArrows.begin());
  }
}

bool CGPObject::HasAttachedArrow(const CGPObject* arrow) const
{
  return std::find(AttachedArrows.begin(), AttachedArrows.end(), arrow) != AttachedArrows.end();
}

void CGPObject::ForgetIfAttached(CGPObject*& arrow) const
{
  if (arrow && HasAttachedArrow(arrow)) arrow = nullptr;
}

// ---- Streams ------------------------------------------------------------------------------

void CGPObject::SaveToStream(TBinaryWriter& stream) const
{
  stream.WriteInt32(KindCode());
  stream.WriteInt32(Serial);
  stream.WriteInt32(Number);
  stream.WriteDouble(X);
  stream.WriteDouble(Y);
  stream.WriteDouble(Width);
  stream.WriteDouble(Height);
  stream.WriteBlock(Text);
  stream.WriteBlock(Notes);
  stream.WriteByte(Shadow);
  stream.WriteByte(Style3D);
  stream.WriteBool(ShowNumber);
  stream.WriteDouble(DragX);
  stream.WriteDouble(DragY);
  stream.WriteDouble(TextOffsetX);
  stream.WriteDouble(TextOffsetY);
  stream.WriteDouble(TextWidth);
  stream.WriteDouble(TextHeight);
}

void CGPObject::LoadFromStream(TBinaryReader& stream)
{
  Serial = stream.ReadInt32();
  Number = stream.ReadInt32();
  X = stream.ReadDouble();
  Y = stream.ReadDouble();
  Width = stream.ReadDouble();
  Height = stream.ReadDouble();
  // An empty block leaves the stream as it is.
  if (QByteArray text = stream.ReadBlock(); !text.isEmpty()) Text = std::move(text);
  if (QByteArray notes = stream.ReadBlock(); !notes.isEmpty()) Notes = std::move(notes);
  Shadow = stream.ReadByte();
  Style3D = stream.ReadByte();
  ShowNumber = stream.ReadBool();
  DragX = stream.ReadDouble();
  DragY = stream.ReadDouble();
  TextOffsetX = stream.ReadDouble();
  TextOffsetY = stream.ReadDouble();
  TextWidth = stream.ReadDouble();
  TextHeight = stream.ReadDouble();
}
