// Selection marks copied from pictures must leave exactly the pixels the painter leaves.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>
#include <vector>

#include "platform/markstamps.h"

namespace {

struct TMarkCall {
  bool round;
  std::vector<QRect> marks;
  QColor fill;
};

QImage Background(QSize size, qreal ratio)
{
  QImage image(size, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  // A pattern under the marks, so that a pixel the copy leaves out or adds shows.
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x)
      image.setPixel(x, y, qRgb((x * 7) % 256, (y * 13) % 256, ((x + y) * 5) % 256));
  return image;
}

// The marks the calls draw, through the stamps or through the painter alone.
QImage Draw(const std::vector<TMarkCall>& calls, QSize size, qreal ratio, bool stamped,
            int* copied = nullptr)
{
  QImage image = Background(size, ratio);
  QPainter painter(&image);
  TMarkStamps stamps(painter);
  for (const TMarkCall& call : calls) {
    if (stamped) {
      if (call.round)
        for (const QRect& mark : call.marks)
          stamps.Circle(mark, call.fill);
      else
        stamps.Squares(call.marks.data(), static_cast<int>(call.marks.size()), call.fill);
      continue;
    }
    painter.save();
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    painter.setBrush(call.fill);
    if (call.round)
      for (const QRect& mark : call.marks)
        painter.drawEllipse(mark);
    else
      painter.drawRects(call.marks.data(), static_cast<int>(call.marks.size()));
    painter.restore();
  }
  painter.end();
  if (copied) *copied = stamps.Copied();
  return image;
}

// Every handle size the objects use, square and round, both fills, at scattered places,
// at the image's edges, overlapping earlier marks and overlapping within one call.
std::vector<TMarkCall> Calls()
{
  std::vector<TMarkCall> calls;
  const QColor fills[] = {QColor(0, 255, 255), QColor(192, 192, 192)};
  int n = 0;
  for (int size = 2; size <= 6; ++size) {
    for (bool round : {false, true}) {
      const QColor fill = fills[n % 2];
      std::vector<QRect> marks;
      for (int i = 0; i < 8; ++i)
        marks.emplace_back((n * 37 + i * 23) % 190, (n * 53 + i * 11) % 110, size - 1, size - 1);
      calls.push_back({round, marks, fill});
      ++n;
    }
  }
  calls.push_back({false, {QRect(-2, 10, 5, 5), QRect(197, 117, 5, 5)}, fills[0]});  // edges
  calls.push_back({true, {QRect(-1, -1, 5, 5)}, fills[1]});
  calls.push_back({false, {QRect(50, 50, 5, 5), QRect(53, 52, 5, 5)}, fills[1]});  // one call
  calls.push_back({true, {QRect(52, 51, 5, 5)}, fills[0]});                        // over the last
  return calls;
}

}  // namespace

TEST(MarkStamps, CopiedMarksLeaveExactlyThePaintersPixels)
{
  const QSize size(200, 120);
  int copied = 0;
  const QImage stamped = Draw(Calls(), size, 1.0, true, &copied);
  const QImage painted = Draw(Calls(), size, 1.0, false);
  EXPECT_EQ(stamped, painted);
  // The copies did the work: all but the calls at the edges and the overlapping one.
  EXPECT_GT(copied, 70);
}

TEST(MarkStamps, ScaledOrClippedPaintersDrawTheMarksThemselves)
{
  // A 2x back buffer: the painter scales, and the copy would draw at the wrong size.
  int copied = -1;
  EXPECT_EQ(Draw(Calls(), QSize(400, 240), 2.0, true, &copied),
            Draw(Calls(), QSize(400, 240), 2.0, false));
  EXPECT_EQ(copied, 0);

  QImage clippedStamps = Background(QSize(200, 120), 1.0);
  QImage clippedPainter = clippedStamps;
  for (QImage* image : {&clippedStamps, &clippedPainter}) {
    QPainter painter(image);
    painter.setClipRect(QRect(0, 0, 60, 60));
    const QRect marks[] = {QRect(55, 55, 5, 5), QRect(20, 20, 5, 5)};
    if (image == &clippedStamps) {
      TMarkStamps stamps(painter);
      stamps.Squares(marks, 2, Qt::cyan);
      EXPECT_EQ(stamps.Copied(), 0);
    } else {
      painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
      painter.setBrush(Qt::cyan);
      painter.drawRects(marks, 2);
    }
  }
  EXPECT_EQ(clippedStamps, clippedPainter);
}
