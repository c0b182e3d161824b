#include "platform/markstamps.h"

#include <QPaintDevice>
#include <QPen>

namespace {

// Room around a mark in its picture for an outline reaching past the rectangle.
constexpr int kPad = 2;

QPen MarkPen()
{
  return QPen(Qt::black, 1, Qt::SolidLine);
}

}  // namespace

QImage* TMarkStamps::Target() const
{
  QPaintDevice* device = painter_.device();
  if (!device || device->devType() != QInternal::Image) return nullptr;
  auto* image = static_cast<QImage*>(device);
  const QImage::Format format = image->format();
  if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
      format != QImage::Format_ARGB32_Premultiplied)
    return nullptr;
  if (image->devicePixelRatio() != 1.0 ||
      painter_.combinedTransform().type() != QTransform::TxNone || painter_.hasClipping() ||
      painter_.opacity() != 1.0 ||
      painter_.compositionMode() != QPainter::CompositionMode_SourceOver ||
      painter_.testRenderHint(QPainter::Antialiasing))
    return nullptr;
  return image;
}

const TMarkStamps::TStamp& TMarkStamps::StampFor(bool round, const QRect& mark, const QColor& fill)
{
  const QRgb rgb = fill.rgba();
  for (const TStamp& stamp : stamps_)
    if (stamp.round == round && stamp.size == mark.size() && stamp.fill == rgb) return stamp;
  TStamp stamp;
  stamp.round = round;
  stamp.size = mark.size();
  stamp.fill = rgb;
  // The mark drawn by the painter itself, on clear pixels, tells which pixels it covers.
  QImage picture(mark.width() + 2 * kPad + 2, mark.height() + 2 * kPad + 2,
                 QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  {
    QPainter painter(&picture);
    painter.setPen(MarkPen());
    painter.setBrush(fill);
    const QRect at(kPad, kPad, mark.width(), mark.height());
    if (round)
      painter.drawEllipse(at);
    else
      painter.drawRect(at);
  }
  stamp.exact = fill.alpha() == 255;
  for (int y = 0; y < picture.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
    for (int x = 0; x < picture.width(); ++x) {
      const int alpha = qAlpha(line[x]);
      if (alpha == 0) continue;
      if (alpha != 255) stamp.exact = false;
      const QPoint offset(x - kPad, y - kPad);
      stamp.pixels.emplace_back(offset, line[x]);
      stamp.bounds |= QRect(offset, QSize(1, 1));
    }
  }
  stamps_.push_back(std::move(stamp));
  return stamps_.back();
}

void TMarkStamps::Copy(QImage& image, const TStamp& stamp, QPoint at)
{
  const qsizetype stride = image.bytesPerLine();
  uchar* bits = image.bits();
  for (const auto& [offset, pixel] : stamp.pixels) {
    const QPoint p = at + offset;
    reinterpret_cast<QRgb*>(bits + p.y() * stride)[p.x()] = pixel;
  }
}

void TMarkStamps::Paint(bool round, const QRect* marks, int count, const QColor& fill)
{
  painter_.save();
  painter_.setPen(MarkPen());
  painter_.setBrush(fill);
  if (round) {
    for (int i = 0; i < count; ++i)
      painter_.drawEllipse(marks[i]);
  } else {
    painter_.drawRects(marks, count);
  }
  painter_.restore();
}

void TMarkStamps::Squares(const QRect* marks, int count, const QColor& fill)
{
  QImage* image = Target();
  if (!image || count <= 0) {
    Paint(false, marks, count, fill);
    return;
  }
  // The painter fills all the squares before it outlines any, so copies in turn match it only
  // while no two marks share a pixel.
  const QRect area = image->rect();
  for (int i = 0; i < count; ++i) {
    const TStamp& stamp = StampFor(false, marks[i], fill);
    const QRect covered = stamp.bounds.translated(marks[i].topLeft());
    bool apart = stamp.exact && !marks[i].isEmpty() && area.contains(covered);
    for (int j = 0; apart && j < i; ++j)
      apart = !covered.intersects(
          StampFor(false, marks[j], fill).bounds.translated(marks[j].topLeft()));
    if (!apart) {
      Paint(false, marks, count, fill);
      return;
    }
  }
  for (int i = 0; i < count; ++i)
    Copy(*image, StampFor(false, marks[i], fill), marks[i].topLeft());
  copied_ += count;
}

void TMarkStamps::Circle(const QRect& mark, const QColor& fill)
{
  QImage* image = Target();
  if (image && !mark.isEmpty()) {
    const TStamp& stamp = StampFor(true, mark, fill);
    if (stamp.exact && image->rect().contains(stamp.bounds.translated(mark.topLeft()))) {
      Copy(*image, stamp, mark.topLeft());
      ++copied_;
      return;
    }
  }
  Paint(true, &mark, 1, fill);
}
