#include "model/layers/pointed.h"

#include <QPainterPathStroker>
#include <algorithm>

#include "platform/canvas.h"
#include "platform/pixelregion.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"

namespace {
constexpr qint64 kSegmentBytes = 52;
// A clear shape's hit band is this many pixels wider than its line.
constexpr int kBandExtra = 10;
}  // namespace

QPainterPath TPointed::ShapePath(const TCanvas& canvas, double angle, TModelPoint centre,
                                 double offsetX, double offsetY, double zoom) const
{
  QPainterPath path = OutlinePath(canvas, Outline, angle, zoom, offsetX, offsetY, centre);
  if (!path.isEmpty()) path.closeSubpath();
  return path;
}

void TPointed::DrawShadow(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  if (Shadow == 0) return;
  // Without a fill the text and the number cast the shadow.
  if (FillStyle == kFillClear) {
    const int direction = Shadow > 4 ? 2 : Shadow;
    DrawText(canvas, Angle, offsetX, offsetY, zoom, direction);
    DrawNumber(canvas, Angle, offsetX, offsetY, zoom, direction);
  }
  DrawShapeShadow(canvas, offsetX, offsetY, zoom);
}

void TPointed::Draw3D(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  if (Style3D == 0 || Outline.empty()) return;
  ExtrudeOutline(canvas, Outline, offsetX, offsetY, zoom);
}

QPainterPath TPointed::HitPath(const TCanvas& canvas, double offsetX, double offsetY,
                               double zoom) const
{
  const QPainterPath path = ShapePath(canvas, Angle, Centre(), offsetX, offsetY, zoom);
  if (FillStyle != kFillClear) return path;
  // A clear shape is hit only along a band around its line.
  QPainterPathStroker stroker;
  stroker.setWidth(PenWidthPixels(LineWidth, zoom, canvas) + kBandExtra);
  stroker.setJoinStyle(Qt::MiterJoin);
  stroker.setCapStyle(Qt::FlatCap);
  return stroker.createStroke(path).simplified();
}

TPixelRect TPointed::RegionBox(const TCanvas& canvas, double offsetX, double offsetY,
                               double zoom) const
{
  const TPixelRect box = TAngled::RegionBox(canvas, offsetX, offsetY, zoom);
  if (FillStyle != kFillClear) return box;
  // The band around the line, whose mitred corners reach up to twice its width from a vertex.
  const int pad = static_cast<int>(std::min<qint64>(
      2 * (qint64{PenWidthPixels(LineWidth, zoom, canvas)} + kBandExtra) + 1, kRegionReach));
  return {box.Left - pad, box.Top - pad, box.Right + pad, box.Bottom + pad};
}

QRegion TPointed::CreateRegion(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  return PathRegion(HitPath(canvas, offsetX, offsetY, zoom), canvas.RegionWindow());
}

std::optional<TModelPoint> TPointed::SnapOutline(const TOutline& moving, double angle,
                                                 TModelPoint point, const TObjectList& objects)
{
  double best = kSnapDistance;
  std::optional<TModelPoint> shift;
  for (const CGPObject* object : objects) {
    const auto* other = dynamic_cast<const TPointed*>(object);
    if (!other) continue;
    for (const TSegment& m : moving) {
      const TModelPoint mp = RotateOffset(point, m.Ex, m.Ey, angle);
      for (const TSegment& q : other->Outline) {
        const TModelPoint qp = RotateOffset(other->Centre(), q.Ex, q.Ey, other->Angle);
        const double d = Distance(mp, qp);
        // Earlier pairs win ties.
        if (d < best) {
          best = d;
          shift = TModelPoint{qp.X - mp.X, qp.Y - mp.Y};
        }
      }
    }
  }
  if (!shift) return std::nullopt;
  return TModelPoint{point.X + shift->X, point.Y + shift->Y};
}

void TPointed::FitToVertices()
{
  if (Outline.empty()) return;
  double left = Outline.front().Ex, right = left;
  double top = Outline.front().Ey, bottom = top;
  for (const TSegment& s : Outline) {
    left = std::min(left, s.Ex);
    right = std::max(right, s.Ex);
    top = std::min(top, s.Ey);
    bottom = std::max(bottom, s.Ey);
  }
  const double cx = (left + right) / 2.0;
  const double cy = (top + bottom) / 2.0;
  for (TSegment& s : Outline) {
    s.C1x -= cx;
    s.C2x -= cx;
    s.Ex -= cx;
    s.C1y -= cy;
    s.C2y -= cy;
    s.Ey -= cy;
  }
  // The outline is unrotated about the centre, so the centre moves along the turned offset.
  const TModelPoint centre = RotateOffset(Centre(), cx, cy, Angle);
  X = centre.X;
  Y = centre.Y;
  Width = right - left;
  Height = bottom - top;
}

void TPointed::SaveToStream(TBinaryWriter& stream) const
{
  TAngled::SaveToStream(stream);
  stream.WriteInt32(static_cast<std::int32_t>(Outline.size()));
  for (const TSegment& s : Outline) {
    for (double value : {s.C1x, s.C1y, s.C2x, s.C2y, s.Ex, s.Ey})
      stream.WriteDouble(value);
    stream.WriteInt32(0);  // the link of a linked list; meaningless in a file
  }
}

void TPointed::LoadFromStream(TBinaryReader& stream)
{
  TAngled::LoadFromStream(stream);
  const std::int32_t count = stream.ReadInt32();
  // Checked up front, so a damaged count never reserves or loops beyond the data.
  stream.Require(static_cast<qint64>(count) * kSegmentBytes);
  FreeOutline(Outline);
  Outline.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    double v[6];
    for (double& value : v)
      value = stream.ReadDouble();
    stream.Skip(4);
    // Repeated consecutive end points are dropped.
    AppendSegment(Outline, v[0], v[1], v[2], v[3], v[4], v[5]);
  }
}
