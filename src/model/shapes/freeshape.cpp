#include "model/shapes/freeshape.h"

#include <QPainter>
#include <algorithm>

#include "model/outlines/arrowheads.h"
#include "platform/canvas.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "render/linerenderer.h"

bool TFreeShape::IsClosed() const
{
  return Outline.size() > 2 && Outline.front().End() == Outline.back().End();
}

QPainterPath TFreeShape::ShapePath(const TCanvas& canvas, double angle, TModelPoint centre,
                                   double offsetX, double offsetY, double zoom) const
{
  QPainterPath path = OutlinePath(canvas, Outline, angle, zoom, offsetX, offsetY, centre);
  if (IsClosed()) path.closeSubpath();
  return path;
}

std::optional<THeadLine> TFreeShape::HeadLine() const
{
  if (FillStyle != kFillClear || FreeHead >= kNoHead || Outline.size() < 2) return std::nullopt;
  const TSegment& last = Outline.back();
  const TSegment& before = Outline[Outline.size() - 2];
  const TModelPoint from =
      CubicPoint(0.75, before.End(), {last.C1x, last.C1y}, {last.C2x, last.C2y}, last.End());
  return THeadLine{RotateOffset(Centre(), from.X, from.Y, Angle),
                   RotateOffset(Centre(), last.Ex, last.Ey, Angle)};
}

void TFreeShape::DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  TPointed::DrawBody(canvas, offsetX, offsetY, zoom);
  const std::optional<THeadLine> head = HeadLine();
  if (!head) return;
  QPainter& painter = canvas.Painter();
  painter.save();
  TLineRenderer::SelectLinePen(canvas, kLineSolid, LineColor, zoom, LineWidth);
  // Sizes past Large (from damaged files) draw small.
  const int size = FreeHeadSize <= 2 ? FreeHeadSize : 0;
  TArrowHeads::DrawEndHead(canvas, FreeHead, size, head->From.X, head->From.Y, head->To.X,
                           head->To.Y, 0.0, offsetX, offsetY, zoom);
  painter.restore();
}

void TFreeShape::Draw3D(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  if (Style3D == 0 || Outline.empty()) return;
  if (IsClosed()) {
    ExtrudeOutline(canvas, Outline, offsetX, offsetY, zoom);
    return;
  }
  // The side faces run once around; an open line gets the edge its fill closes it with,
  // rather than a face from its end along its first segment.
  TOutline closed = Outline;
  AppendLine(closed, Outline.front().Ex, Outline.front().Ey);
  ExtrudeOutline(canvas, closed, offsetX, offsetY, zoom);
}

void TFreeShape::SimplifyPoints()
{
  const bool closed = IsClosed();
  SimplifyOutline(Outline);
  // Smoothing takes the neighbours of the ends cyclically; an open line has no such
  // neighbours, so its ends leave straight towards the next point instead.
  if (!closed && Outline.size() >= 2) {
    const TModelPoint start = Outline[0].End();
    const TModelPoint second = Outline[1].End();
    const TModelPoint first = PointAt(start, Distance(start, second) / 3.0, Bearing(start, second));
    Outline[1].C1x = first.X;
    Outline[1].C1y = first.Y;
    const TModelPoint end = Outline.back().End();
    const TModelPoint previous = Outline[Outline.size() - 2].End();
    const TModelPoint last = PointAt(end, Distance(previous, end) / 3.0, Bearing(end, previous));
    Outline.back().C2x = last.X;
    Outline.back().C2y = last.Y;
  }
  FitToVertices();
}

void TFreeShape::SaveToStream(TBinaryWriter& stream) const
{
  TPointed::SaveToStream(stream);
  stream.WriteByte(FreeHead);
  stream.WriteByte(FreeHeadSize);
}

void TFreeShape::LoadFromStream(TBinaryReader& stream)
{
  TPointed::LoadFromStream(stream);
  FreeHead = stream.ReadByte();
  FreeHeadSize = stream.ReadByte();
}
