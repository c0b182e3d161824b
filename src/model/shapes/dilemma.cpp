#include "model/shapes/dilemma.h"

#include <QPainter>

#include "platform/canvas.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "render/picturepainter.h"

int TDilemma::ValidVariant(int variant)
{
  return variant >= 0 && variant < kVariantCount ? variant : 2;
}

TDilemmaLayout TDilemma::VariantLayout(int variant)
{
  switch (ValidVariant(variant)) {
    case 0:
      return {{-0.445, -0.4}, {0.1, 0.1, 0.5, 0.3}, {0.22, 0.4}};
    case 1:
      return {{0.45, -0.4}, {-0.1, 0.1, 0.5, 0.3}, {-0.22, 0.4}};
    case 2:  // the number stays where it is
      return {{0.0, -0.4}, {0.0, 0.0, 0.95, 0.6}, {0.0, 0.4}};
    case 3:
      return {{0.0, -0.45}, {0.0, 0.0, 0.95, 0.8}, {0.0, 0.45}};
    case 4:
      return {{-0.3, 0.0}, {0.1, 0.0, 0.6, 0.3}, {0.45, 0.0}};
    case 5:
      return {{0.25, -0.38}, {-0.21, -0.25, 0.55, 0.4}, {-0.45, 0.25}};
    case 6:
      return {{0.25, 0.38}, {-0.21, 0.25, 0.55, 0.4}, {-0.45, -0.25}};
    case 7:
      return {{0.0, -0.45}, {0.0, 0.0, 0.6, 0.75}, {0.0, 0.45}};
    default:  // the ropes
      return {{-1.0, -1.0}, {0.0, 0.05, 0.8, 0.8}, {0.0, 0.42}};
  }
}

TModelPoint TDilemma::NumberPositionRule() const
{
  if (ValidVariant(ShapeVariant) == 2) return {NumberX, NumberY};
  return VariantLayout(ShapeVariant).Number;
}

TTextBoxFractions TDilemma::TextBoxRule() const
{
  return VariantLayout(ShapeVariant).TextBox;
}

TModelPoint TDilemma::IconPositionRule() const
{
  return VariantLayout(ShapeVariant).Icon;
}

TAnchorList TDilemma::AnchorRule() const
{
  const double w = Width;
  const double h = Height;
  switch (ValidVariant(ShapeVariant)) {
    case 0:
    case 1: {
      // The horn's corners and the middles of its curves; variant 1 is the mirror image.
      const double s = ShapeVariant == 0 ? 1.0 : -1.0;
      return {{s * -25 * w / 96, 3 * h / 16}, {s * w / 6, h / 2},
              {s * 7 * w / 24, h / 4},        {s * 5 * w / 12, 0},
              {s * -w / 24, -7 * h / 64},     {s * -w / 2, -h / 2}};
    }
    case 4:
    case 5:
    case 6:
    case 7:
      return VertexAndMidpointAnchors(Outline);
    default:
      return Box16Anchors(w, h);
  }
}

bool TDilemma::IsRope() const
{
  return ShapeVariant == kRopeVariant || ShapeVariant == kFrayedRopeVariant;
}

QImage TDilemma::RopePicture(int variant)
{
  if (variant == kRopeVariant) return QImage(QStringLiteral(":/images/rope.bmp"));
  if (variant == kFrayedRopeVariant) return QImage(QStringLiteral(":/images/rope_frayed.bmp"));
  return QImage();
}

void TDilemma::RebuildBitmap()
{
  if (DilemmaBitmap && builtVariant_ == ShapeVariant && builtAngle_ == Angle) return;
  DilemmaBitmap.reset();
  builtVariant_ = ShapeVariant;
  builtAngle_ = Angle;
  const QImage rope = RopePicture(ShapeVariant);
  if (rope.isNull()) return;  // without the picture the box stays empty
  QImage turned;
  TPicturePainter::RotateBitmap(rope, turned, colors::White, -Angle);
  // White is the picture's background: it lets what lies below show through.
  turned = turned.convertToFormat(QImage::Format_ARGB32);
  const QRgb white = qRgb(255, 255, 255);
  for (int y = 0; y < turned.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(turned.scanLine(y));
    for (int x = 0; x < turned.width(); ++x)
      if ((line[x] | 0xFF000000u) == white) line[x] = 0;
  }
  DilemmaBitmap = std::move(turned);
}

void TDilemma::DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  if (!IsRope()) {
    TPointed::DrawBody(canvas, offsetX, offsetY, zoom);
    return;
  }
  // The picture was turned when it was built; it is drawn as it is until the next refresh.
  if (!DilemmaBitmap || DilemmaBitmap->isNull()) return;
  const TPixelRect box =
      RotatedBox(CGPObject::GetScreenBox(canvas, offsetX, offsetY, zoom).Normalized(), Angle);
  canvas.Painter().drawImage(box.ToQRect(), *DilemmaBitmap);
}

void TDilemma::Recalculate(TObjectList* list, bool full)
{
  if (IsRope())
    RebuildBitmap();
  else
    DilemmaBitmap.reset();
  TPointed::Recalculate(list, full);
}

void TDilemma::SaveToStream(TBinaryWriter& stream) const
{
  TPointed::SaveToStream(stream);
  stream.WriteByte(ShapeVariant);
}

void TDilemma::LoadFromStream(TBinaryReader& stream)
{
  TPointed::LoadFromStream(stream);
  ShapeVariant = stream.ReadByte();
}
