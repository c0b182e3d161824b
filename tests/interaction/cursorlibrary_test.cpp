// The cursor pictures: every program cursor loads with a sensible hot spot and a sharp 2x
// picture, a missing file is reported once and falls back to the arrow, and the renumber
// cursor's pixels follow the black / white / clear / inverted mapping.
#include <gtest/gtest.h>

#include <QBitmap>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>
#include <climits>

#include "interaction/cursorlibrary.h"
#include "testsupport.h"

namespace {

// Every number the operation modes show a picture of ours for; the renumber cursor is built.
// clang-format off
const int kOwnCursors[] = {
    crBee, crRotateAnimated, crHand, crHandGrab, crZoomIn, crDrag, crDragPlus, crNoDrop,
    crStinger, crRotate, crPaintBrush, crTextEditAnimated, crTextEdit, crCrossAuto, crCrossLock,
    crFormatPaintModel, crFormatPaintCogi, crMove, crCalloutPoint, crTextBox, crDrawArrow,
    crFreeDraw, crCreateLabel, crCreateCluster, crBendArrow, crMovePlus, crDelete,
    crCreateHotspot, crGateway};
// clang-format on

// A copy of the shipped cursor folder that a test may spoil.
QString CopyOfCursorFolder(QTemporaryDir& dir)
{
  QDirIterator files(QStringLiteral(":/cursors"));
  while (files.hasNext()) {
    const QString from = files.next();
    QFile::copy(from, dir.filePath(QFileInfo(from).fileName()));
  }
  return dir.path();
}

TEST(CursorLibrary, EveryOwnCursorLoadsWithItsHotSpotOnThePictureAndASharp2xPicture)
{
  TCursorLibrary library;
  EXPECT_EQ(library.TakeMessages(), QStringList());
  for (const int id : kOwnCursors) {
    SCOPED_TRACE(id);
    ASSERT_TRUE(library.HasPicture(id));
    const int frames = library.FrameCount(id);
    EXPECT_EQ(frames > 1, library.FrameInterval(id) > 0);
    for (int frame = 0; frame < frames; ++frame) {
      const QCursor normal = library.Cursor(id, frame, 1.0);
      const QCursor sharp = library.Cursor(id, frame, 2.0);
      const QImage picture = normal.pixmap().toImage();
      ASSERT_EQ(picture.size(), QSize(32, 32));
      EXPECT_EQ(sharp.pixmap().size(), QSize(64, 64));
      EXPECT_EQ(sharp.pixmap().deviceIndependentSize(), QSizeF(32, 32));
      const QPoint hot = normal.hotSpot();
      EXPECT_EQ(sharp.hotSpot(), hot);
      ASSERT_TRUE(QRect(0, 0, 32, 32).contains(hot));
      // The hot spot sits on the drawing (its outline or fill), not on clear space.
      int cover = 0;
      for (int y = std::max(0, hot.y() - 1); y <= std::min(31, hot.y() + 1); ++y) {
        for (int x = std::max(0, hot.x() - 1); x <= std::min(31, hot.x() + 1); ++x) {
          cover = std::max(cover, qAlpha(picture.pixel(x, y)));
        }
      }
      EXPECT_GT(cover, 128) << "frame " << frame;
      // Animated frames differ from their neighbours.
      if (frames > 1) {
        EXPECT_NE(library.Cursor(id, frame + 1).pixmap().toImage(), picture) << "frame " << frame;
      }
    }
  }
  // The platform's own shapes; the two diagonals are easily swapped.
  EXPECT_EQ(library.Cursor(crSizeNESW).shape(), Qt::SizeBDiagCursor);
  EXPECT_EQ(library.Cursor(crSizeNWSE).shape(), Qt::SizeFDiagCursor);
  EXPECT_EQ(library.Cursor(crSizeNS).shape(), Qt::SizeVerCursor);
  EXPECT_EQ(library.Cursor(crSizeWE).shape(), Qt::SizeHorCursor);
  EXPECT_EQ(library.Cursor(crNone).shape(), Qt::BlankCursor);
  EXPECT_EQ(library.Cursor(crHourGlass).shape(), Qt::WaitCursor);
  EXPECT_EQ(library.Cursor(crDefault).shape(), Qt::ArrowCursor);
}

TEST(CursorLibrary, MissingPictureIsReportedOnceAndShowsTheArrow)
{
  QTemporaryDir dir;
  const QString folder = CopyOfCursorFolder(dir);
  const QString missing = QDir(folder).absoluteFilePath(QStringLiteral("move.png"));
  ASSERT_TRUE(QFile::remove(missing));
  TCursorLibrary library(folder);
  EXPECT_EQ(library.TakeMessages(), QStringList{QStringLiteral("Cursor not found ") + missing});
  EXPECT_EQ(library.TakeMessages(), QStringList());
  // The 2x picture alone does not make the cursor.
  EXPECT_EQ(library.Cursor(crMove, 0, 1.0).shape(), Qt::ArrowCursor);
  EXPECT_EQ(library.Cursor(crMove, 0, 2.0).shape(), Qt::ArrowCursor);
  EXPECT_EQ(library.Cursor(crMovePlus).shape(), Qt::BitmapCursor);

  // A table line that would reach outside the folder loads nothing and says so.
  QFile table(QDir(folder).absoluteFilePath(QStringLiteral("cursors.txt")));
  ASSERT_TRUE(table.open(QIODevice::WriteOnly | QIODevice::Truncate));
  table.write("30019 ../move_plus 15 15 1 0\n30029 move_plus 15 15 99999 0\n");
  table.close();
  TCursorLibrary spoiled(folder);
  EXPECT_EQ(spoiled.TakeMessages().size(), 2);
  EXPECT_EQ(spoiled.Cursor(crMove).shape(), Qt::ArrowCursor);
  EXPECT_EQ(spoiled.Cursor(crMovePlus).shape(), Qt::ArrowCursor);
  EXPECT_EQ(spoiled.Cursor(crNoDrop).shape(), Qt::ForbiddenCursor);

  TCursorLibrary empty(dir.filePath(QStringLiteral("nowhere")));
  const QStringList messages = empty.TakeMessages();
  ASSERT_EQ(messages.size(), 2);  // the table and the renumber picture
  EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Cursor not found ")));
  empty.BuildRenumberCursor(5);
  EXPECT_EQ(empty.Cursor(crRenumber).shape(), Qt::ArrowCursor);
}

// Whether a bitmap pixel is set: QBitmap shows set bits as black.
bool Bit(const QImage& image, int x, int y)
{
  return qGray(image.pixel(x, y)) < 128;
}

TEST(RenumberCursor, EveryPixelFollowsTheColourMappingForShortAndLongNumbers)
{
  TCursorLibrary library;
  const QImage base(QStringLiteral(":/cursors/renumber.png"));
  ASSERT_EQ(base.size(), QSize(32, 32));
  int lastRevision = library.Revision();
  QImage lastMask;
  for (const int number : {5, INT_MAX, INT_MIN}) {
    SCOPED_TRACE(number);
    const QImage picture = TCursorLibrary::RenumberPicture(base, number);
    picture.save(testsupport::OutputPath(QStringLiteral("renumber_%1.png").arg(number)));
    library.BuildRenumberCursor(number);
    EXPECT_GT(library.Revision(), lastRevision);
    lastRevision = library.Revision();
    const QCursor cursor = library.Cursor(crRenumber);
    EXPECT_EQ(cursor.hotSpot(), QPoint(1, 1));
    const QImage bitmap = cursor.bitmap().toImage();
    const QImage mask = cursor.mask().toImage();
    ASSERT_EQ(bitmap.size(), QSize(32, 32));
    ASSERT_EQ(mask.size(), QSize(32, 32));
    int counts[4] = {};  // black, inverted, clear, white
    QRect red;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const QRgb pixel = picture.pixel(x, y);
        const bool b = Bit(bitmap, x, y);
        const bool m = Bit(mask, x, y);
        if (pixel == qRgb(0, 0, 0)) {
          EXPECT_TRUE(b && m) << x << "," << y;
          ++counts[0];
        } else if (pixel == qRgb(255, 0, 0)) {
          EXPECT_TRUE(b && !m) << x << "," << y;
          ++counts[1];
          red |= QRect(x, y, 1, 1);
        } else if (pixel == qRgb(0xC0, 0xC0, 0xC0)) {
          EXPECT_TRUE(!b && !m) << x << "," << y;
          ++counts[2];
        } else {
          ASSERT_EQ(pixel, qRgb(255, 255, 255)) << x << "," << y;
          EXPECT_TRUE(!b && m) << x << "," << y;
          ++counts[3];
        }
        // The number only changes pixels; everything else is the base picture.
        if (pixel != qRgb(255, 0, 0)) {
          EXPECT_EQ(pixel, base.pixel(x, y)) << x << "," << y;
        }
      }
    }
    for (int count : counts) {
      EXPECT_GT(count, 0);
    }
    // The number hangs from y = 17 and, when it fits, is centred on x = 15.
    EXPECT_GE(red.top(), 17);
    EXPECT_LE(red.top(), 20);
    if (number == 5) {
      EXPECT_LE(std::abs(red.center().x() - 15), 1);
    }
    EXPECT_GT(red.width(), number == 5 ? 3 : 20);
    // Black and red pixels differ only in the mask.
    EXPECT_NE(mask, lastMask);
    lastMask = mask;
  }
}

}  // namespace
