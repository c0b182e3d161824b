#include "render/picturepainter.h"

#include <gtest/gtest.h>

#include "rendertest.h"

using namespace rendertest;

namespace {

constexpr TColorRef kFace = MakeColorRef(0, 0, 255);

// A picture of four coloured quadrants: red, green above; blue, yellow below.
TPicture Quadrants(int size)
{
  QImage image(size, size, QImage::Format_RGB32);
  const int h = size / 2;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      image.setPixel(
          x, y,
          QColor(y < h ? (x < h ? Qt::red : Qt::green) : (x < h ? Qt::blue : Qt::yellow)).rgb());
  return TPicture::FromImage(image);
}

// A tile that marks its top-left pixel.
TPicture MarkedTile()
{
  QImage image(10, 10, QImage::Format_RGB32);
  image.fill(Qt::green);
  image.setPixel(0, 0, QColor(Qt::red).rgb());
  return TPicture::FromImage(image);
}

}  // namespace

TEST(PicturePainter, CentredPicturesScaleWithTheZoomAndLeaveAFaceMargin)
{
  const TPicture picture = Quadrants(40);
  const QRegion area(10, 10, 20, 20);
  {
    // Larger than the area: it covers it, no face colour anywhere.
    QImage image = WhiteImage(40, 40);
    TPaint paint(image);
    TPicturePainter::PictureFill(paint.Canvas(), area, &picture, 100, MakeColorRef(0, 0, 128),
                                 true);
    for (int y = 10; y < 30; ++y)
      for (int x = 10; x < 30; ++x)
        ASSERT_NE(At(image, x, y), QColor(0, 0, 128)) << x << "," << y;
    EXPECT_EQ(At(image, 10, 10), QColor(Qt::red));
    EXPECT_EQ(At(image, 29, 29), QColor(Qt::yellow));
    EXPECT_TRUE(IsWhite(image, 9, 9));
  }
  {
    // At 25 % it is 10 x 10, centred at 15..24 with the face colour all round.
    QImage image = WhiteImage(40, 40);
    TPaint paint(image);
    TPicturePainter::PictureFill(paint.Canvas(), area, &picture, 25, MakeColorRef(0, 0, 128), true);
    const QColor face(0, 0, 128);
    for (const QPoint p : {QPoint(14, 20), QPoint(25, 20), QPoint(20, 14), QPoint(20, 25),
                           QPoint(10, 10), QPoint(29, 29)})
      EXPECT_EQ(At(image, p.x(), p.y()), face) << p.x() << "," << p.y();
    EXPECT_EQ(At(image, 15, 15), QColor(Qt::red));
    EXPECT_EQ(At(image, 24, 15), QColor(Qt::green));
    EXPECT_EQ(At(image, 24, 24), QColor(Qt::yellow));
    EXPECT_TRUE(IsWhite(image, 30, 20));
  }
}

TEST(PicturePainter, TiledPicturesKeepTheirSizeWhenTheViewZooms)
{
  const TPicture tile = MarkedTile();
  QImage images[2] = {WhiteImage(60, 60), WhiteImage(60, 60)};
  const double zooms[2] = {100, 400};
  for (int i = 0; i < 2; ++i) {
    TPaint paint(images[i]);
    TPicturePainter::PictureFill(paint.Canvas(), QRegion(5, 5, 40, 40), &tile, zooms[i], kFace,
                                 false);
  }
  EXPECT_EQ(images[0], images[1]);
  for (const QPoint p : {QPoint(5, 5), QPoint(15, 5), QPoint(5, 15), QPoint(35, 35)})
    EXPECT_EQ(At(images[0], p.x(), p.y()), QColor(Qt::red));
  EXPECT_EQ(At(images[0], 6, 5), QColor(Qt::green));
  EXPECT_EQ(At(images[0], 44, 44), QColor(Qt::green));
  EXPECT_TRUE(IsWhite(images[0], 45, 45));
}

TEST(PicturePainter, ZeroSizedTileIsTreatedAsAbsent)
{
  const TPicture zeroWide =
      TPicture::FromEncoded(TPicture::TKind::Bitmap, QByteArray("bm"), QImage(), QSize(0, 16));
  const TPicture zeroHigh =
      TPicture::FromEncoded(TPicture::TKind::Jpeg, QByteArray("jp"), QImage(), QSize(16, 0));
  const TPicture none;
  QImage image = WhiteImage(30, 30);
  TPaint paint(image);
  for (const TPicture* picture :
       {&zeroWide, &zeroHigh, &none, static_cast<const TPicture*>(nullptr)}) {
    EXPECT_FALSE(TPicturePainter::IsDrawable(picture));
    TPicturePainter::TilePicture(paint.Canvas(), QRect(0, 0, 30, 30), picture);
    TPicturePainter::PictureFill(paint.Canvas(), QRegion(0, 0, 30, 30), picture, 100, kFace, false);
    TPicturePainter::PictureFill(paint.Canvas(), QRegion(0, 0, 30, 30), picture, 100, kFace, true);
    TPicturePainter::StretchPicture(paint.Canvas(), QRect(0, 0, 30, 30), picture);
    TPicturePainter::DrawPicture(paint.Canvas(), 0, 0, picture);
  }
  EXPECT_EQ(InkCount(image, image.rect()), 0);
}

TEST(PicturePainter, FarAwayPlacementsDrawOnlyTheVisiblePart)
{
  const TPicture picture = Quadrants(2);
  QImage image = WhiteImage(60, 60);
  TPaint paint(image);
  // Stretched two thousand million pixels wide, centred on (50, 30).
  TPicturePainter::StretchPicture(
      paint.Canvas(), QRect(50 - 1000000000, 30 - 1000000000, 2000000000, 2000000000), &picture);
  EXPECT_EQ(At(image, 49, 29), QColor(Qt::red));
  EXPECT_EQ(At(image, 50, 29), QColor(Qt::green));
  EXPECT_EQ(At(image, 49, 30), QColor(Qt::blue));
  EXPECT_EQ(At(image, 50, 30), QColor(Qt::yellow));
  // Tiles counted from a corner far to the left still line up with that corner.
  const TPicture tile = MarkedTile();
  TPicturePainter::TilePicture(paint.Canvas(), QRect(3 - 1000000000, 0, 2000000000, 60), &tile);
  EXPECT_EQ(At(image, 3, 0), QColor(Qt::red));
  EXPECT_EQ(At(image, 53, 10), QColor(Qt::red));
  EXPECT_EQ(At(image, 4, 0), QColor(Qt::green));
  // At natural size, top-left corner at the point.
  TPicturePainter::DrawPicture(paint.Canvas(), 7, 9, &picture);
  EXPECT_EQ(At(image, 7, 9), QColor(Qt::red));
  EXPECT_EQ(At(image, 8, 10), QColor(Qt::yellow));
  EXPECT_EQ(At(image, 9, 9), QColor(Qt::green));  // the tile shows again beside it
}

TEST(PicturePainter, RotateBitmapTurnsAnticlockwiseIntoTheTurnedBox)
{
  QImage source(21, 11, QImage::Format_RGB32);
  source.fill(Qt::white);
  source.setPixel(16, 5, QColor(Qt::red).rgb());  // six pixels right of the centre (10, 5)
  QImage target;
  TPicturePainter::RotateBitmap(source, target, MakeColorRef(0, 0, 255), 90);
  ASSERT_EQ(target.size(), QSize(10, 20));
  EXPECT_EQ(QColor(target.pixel(5, 4)), QColor(Qt::red));  // now six pixels above (5, 10)
  EXPECT_EQ(QColor(target.pixel(5, 16)), QColor(Qt::white));

  TPicturePainter::RotateBitmap(source, target, MakeColorRef(0, 0, 255), 45);
  EXPECT_EQ(target.size(), QSize(22, 22));
  EXPECT_EQ(QColor(target.pixel(1, 1)), QColor(Qt::blue));  // outside the turned source
  EXPECT_EQ(QColor(target.pixel(11, 11)), QColor(Qt::white));

  TPicturePainter::RotateBitmap(QImage(), target, colors::White, 30);
  EXPECT_TRUE(target.isNull());
}
