// The colour palette strip: where each swatch is, the spectrum's colours, the hints, and
// that a pick is reported exactly once whichever way the mouse went.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QSignalSpy>
#include <QTest>

#include "app/palette/cgpcolorgrid.h"
#include "app/palette/cgpcolorpanel.h"
#include "app/palette/colorpreviewbox.h"
#include "app/palette/palettecolors.h"
#include "app/palette/spectrum.h"
#include "testsupport.h"

namespace {

constexpr int kBox = 14;
constexpr int kGridWidth = TCGPColorGrid::kColumns * kBox;

QPoint CentreOf(int index, const TCGPColorGrid& grid)
{
  return TCGPColorGrid::CellOf(index, grid.BoxSize(), grid.width()).center();
}

struct TShownStrip {
  TShownStrip()
  {
    strip.resize(700, TCGPColorPanel::kHeight);
    strip.show();
  }
  TCGPColorPanel strip;
};

}  // namespace

TEST(PaletteGrid, HitTestsFindEachBlockAndTheGapsBetween)
{
  auto at = [](int x, int y) { return TCGPColorGrid::IndexAt({x, y}, kBox, kGridWidth); };
  // Thinking colours: five columns, two rows.
  EXPECT_EQ(at(0, 0), 0);
  EXPECT_EQ(at(4 * kBox + kBox - 1, kBox), 9);
  EXPECT_EQ(at(2 * kBox, kBox - 1), 2);
  // Column 5 is the gap before the dark colours, which sit in columns 6 to 9.
  EXPECT_EQ(at(5 * kBox + 3, 3), -1);
  EXPECT_EQ(at(6 * kBox, 0), 28);
  EXPECT_EQ(at(9 * kBox + kBox - 1, 2 * kBox - 1), 35);
  EXPECT_EQ(at(10 * kBox, 0), -1);
  // Pastels are held against the right edge, whatever the width.
  EXPECT_EQ(at(kGridWidth - 8 * kBox, 0), 36);
  EXPECT_EQ(at(kGridWidth - 1, 2 * kBox - 1), 51);
  EXPECT_EQ(TCGPColorGrid::IndexAt({300 - 8 * kBox, kBox}, kBox, 300), 44);
  // Outside the grid.
  EXPECT_EQ(at(kGridWidth, 0), -1);
  EXPECT_EQ(at(3, 2 * kBox), -1);
  EXPECT_EQ(at(-1, 3), -1);
  EXPECT_EQ(at(3, -1), -1);
  // Every shown swatch's own cell finds it again.
  for (int index : {0, 4, 5, 9, 28, 31, 32, 35, 36, 43, 44, 51}) {
    const QRect cell = TCGPColorGrid::CellOf(index, kBox, kGridWidth);
    EXPECT_EQ(at(cell.left(), cell.top()), index);
    EXPECT_EQ(at(cell.right(), cell.bottom()), index);
  }
}

TEST(PaletteGrid, MarksFollowTheCurrentTargetAndTheLookupOrder)
{
  TCGPColorPanel strip;
  const TColorRef darkGreen = MakeColorRef(0, 128, 0);
  strip.TargetButton(ptBackground)->click();
  EXPECT_EQ(strip.Target(), ptBackground);
  strip.SetBackGroundColor(darkGreen);
  EXPECT_EQ(strip.Grid().SelectedIndex(), 30);
  // Another target's colour leaves the mark alone.
  strip.SetForeGroundColor(MakeColorRef(255, 0, 0));
  EXPECT_EQ(strip.Grid().SelectedIndex(), 30);
  // Black is found first among the hidden thinking entries, so no visible swatch is marked.
  strip.SetBackGroundColor(colors::Black);
  EXPECT_EQ(strip.Grid().SelectedIndex(), 16);
  EXPECT_TRUE(TCGPColorGrid::CellOf(16, kBox, kGridWidth).isNull());
  strip.SetBackGroundColor(MakeColorRef(1, 2, 3));
  EXPECT_EQ(strip.Grid().SelectedIndex(), -1);
  EXPECT_EQ(strip.Grid().SelectedColor(), MakeColorRef(255, 255, 80));
  // Going back to the face target marks the face colour.
  strip.TargetButton(ptForeground)->click();
  EXPECT_EQ(strip.Grid().SelectedIndex(), 9);
}

TEST(PaletteSpectrum, SegmentBoundariesGiveThePureHues)
{
  const QSize size(270, 30);  // segments of 10 pixels; row 20 holds the pure colours
  auto at = [&](int x, int y) { return TSpectrum::ColorAt({x, y}, size); };
  EXPECT_EQ(at(0, 20), MakeColorRef(128, 0, 0));
  EXPECT_EQ(at(20, 20), MakeColorRef(255, 0, 0));
  EXPECT_EQ(at(50, 20), MakeColorRef(255, 128, 0));
  EXPECT_EQ(at(90, 20), MakeColorRef(255, 255, 0));
  EXPECT_EQ(at(120, 20), MakeColorRef(0, 255, 0));
  EXPECT_EQ(at(160, 20), MakeColorRef(0, 255, 255));
  EXPECT_EQ(at(190, 20), MakeColorRef(0, 0, 255));
  EXPECT_EQ(at(230, 20), MakeColorRef(255, 0, 255));
  EXPECT_EQ(at(269, 20), MakeColorRef(130, 125, 130));  // on the way to grey
  // Paler above, darker below.
  EXPECT_EQ(at(20, 10), MakeColorRef(255, 128, 128));
  EXPECT_EQ(at(20, 25), MakeColorRef(191, 0, 0));
  for (int x = 0; x < size.width(); x += 7)
    EXPECT_EQ(at(x, 0), colors::White) << x;
}

TEST(PaletteSpectrum, SpillAndDivisionByZeroOnOutsidePointsAndTinyStrips)
{
  const QSize size(270, 30);
  // Far outside, a point is taken at the nearest edge: never a component that wrapped round.
  EXPECT_EQ(TSpectrum::ColorAt({100, -50}, size), colors::White);
  EXPECT_EQ(TSpectrum::ColorAt({100, 500}, size), TSpectrum::ColorAt({100, 29}, size));
  EXPECT_EQ(TSpectrum::ColorAt({-40, 20}, size), MakeColorRef(128, 0, 0));
  EXPECT_EQ(TSpectrum::ColorAt({4000, 20}, size), TSpectrum::ColorAt({269, 20}, size));
  // Strips squeezed to a pixel, or to nothing, neither divide by zero nor give system colours.
  for (const QSize tiny :
       {QSize(0, 0), QSize(1, 1), QSize(1, 30), QSize(270, 1), QSize(270, 2), QSize(-5, -5)}) {
    EXPECT_EQ(TSpectrum::ColorAt({0, 0}, tiny), colors::White) << tiny.width() << tiny.height();
    for (const QPoint p : {QPoint(0, 1), QPoint(1, 0), QPoint(269, 1), QPoint(-9, 99)}) {
      const TColorRef c = TSpectrum::ColorAt(p, tiny);
      EXPECT_FALSE(IsSystemColor(c));
      EXPECT_EQ(c & 0xFF000000u, 0u);
    }
  }
  EXPECT_EQ(TSpectrum::ColorAt({20, 1}, QSize(270, 2)), MakeColorRef(255, 0, 0));
}

TEST(PaletteHints, SwatchesAndSpectrumTellTheStatusBar)
{
  EXPECT_EQ(TSpectrum::HintFor(MakeColorRef(5, 80, 200)), QStringLiteral("|RGB(  5,  80, 200)"));
  TShownStrip shown;
  TCGPColorPanel& strip = shown.strip;
  QSignalSpy hints(&strip, &TCGPColorPanel::HintChanged);
  QTest::mouseMove(&strip.Spectrum(), QPoint(strip.Spectrum().width() - 2, 0));
  ASSERT_FALSE(hints.isEmpty());
  EXPECT_EQ(hints.last().at(0).toString(), QStringLiteral("|RGB(255, 255, 255)"));
  QTest::mouseMove(&strip.Grid(), CentreOf(2, strip.Grid()));
  EXPECT_EQ(hints.last().at(0).toString(),
            QStringLiteral("|Green - Innovations.  Creations.  New ideas.  Breakthroughs."));
  QTest::mouseMove(&strip.Grid(), CentreOf(50, strip.Grid()));
  EXPECT_EQ(hints.last().at(0).toString(), QStringLiteral("|Pastel Olive"));
  QTest::mouseMove(&strip.Grid(), QPoint(5 * strip.Grid().BoxSize() + 2, 2));
  EXPECT_EQ(hints.last().at(0).toString(), QStringLiteral("|"));
}

TEST(PalettePick, GridPressDragReleaseReportsOnceTheLastSwatchPassed)
{
  TShownStrip shown;
  TCGPColorPanel& strip = shown.strip;
  TCGPColorGrid& grid = strip.Grid();
  strip.TargetButton(ptLine)->click();
  QSignalSpy changes(&strip, &TCGPColorPanel::Change);
  QTest::mousePress(&grid, Qt::LeftButton, {}, CentreOf(0, grid));
  QTest::mouseMove(&grid, CentreOf(1, grid));
  QTest::mouseMove(&grid, CentreOf(33, grid));
  EXPECT_EQ(changes.count(), 0);
  // Released below the grid: the last swatch passed over is picked.
  QTest::mouseRelease(&grid, Qt::LeftButton, {}, QPoint(CentreOf(33, grid).x(), 60));
  ASSERT_EQ(changes.count(), 1);
  EXPECT_EQ(changes.at(0).at(0).toInt(), ptLine);
  EXPECT_EQ(changes.at(0).at(1).value<TColorRef>(), palettecolors::ColorOf(33));
  EXPECT_EQ(strip.LineColor(), palettecolors::ColorOf(33));
  EXPECT_EQ(grid.SelectedIndex(), 33);

  // A right click and a press off the swatches pick nothing.
  QTest::mouseClick(&grid, Qt::RightButton, {}, CentreOf(5, grid));
  QTest::mouseClick(&grid, Qt::LeftButton, {}, QPoint(5 * grid.BoxSize() + 2, 2));
  EXPECT_EQ(changes.count(), 1);
  QTest::mouseClick(&grid, Qt::LeftButton, {}, CentreOf(40, grid));
  EXPECT_EQ(changes.count(), 2);
}

TEST(PalettePick, SpectrumPressDragReleaseReportsOnceAtTheRelease)
{
  TShownStrip shown;
  TCGPColorPanel& strip = shown.strip;
  TSpectrum& spectrum = strip.Spectrum();
  QSignalSpy changes(&strip, &TCGPColorPanel::Change);
  const int row = spectrum.height() - 3;
  QTest::mousePress(&spectrum, Qt::LeftButton, {}, QPoint(3, row));
  QTest::mouseMove(&spectrum, QPoint(60, row));
  QTest::mouseMove(&spectrum, QPoint(120, row));
  EXPECT_EQ(changes.count(), 0);
  QTest::mouseRelease(&spectrum, Qt::LeftButton, {}, QPoint(150, row));
  ASSERT_EQ(changes.count(), 1);
  const TColorRef expected = TSpectrum::ColorAt({150, row}, spectrum.size());
  EXPECT_EQ(changes.at(0).at(0).toInt(), ptForeground);
  EXPECT_EQ(changes.at(0).at(1).value<TColorRef>(), expected);
  EXPECT_EQ(strip.ForeGroundColor(), expected);
  // Right button: nothing.
  QTest::mouseClick(&spectrum, Qt::RightButton, {}, QPoint(50, row));
  EXPECT_EQ(changes.count(), 1);
}

TEST(PaletteStrip, PaintsSwatchesTheMarkThePreviewAndTheSpectrum)
{
  TShownStrip shown;
  TCGPColorPanel& strip = shown.strip;
  strip.SetForeGroundColor(MakeColorRef(255, 0, 0));  // marks the red swatch, index 9
  const QImage image = strip.grab().toImage();
  image.save(testsupport::OutputPath(QStringLiteral("palette-strip.png")));
  auto pixel = [&](QPoint p) { return FromQColor(image.pixelColor(p)); };
  const QPoint grid = strip.Grid().pos();
  const int b = strip.Grid().BoxSize();
  ASSERT_EQ(b, kBox);

  const QRect red = TCGPColorGrid::CellOf(9, b, strip.Grid().width()).translated(grid);
  EXPECT_EQ(pixel(red.center()), MakeColorRef(255, 0, 0));
  EXPECT_EQ(pixel(red.topLeft()), colors::White);  // the mark inverts the black outline
  const QRect white = TCGPColorGrid::CellOf(0, b, strip.Grid().width()).translated(grid);
  EXPECT_EQ(pixel(white.topLeft()), colors::Black);
  const QRect pastel = TCGPColorGrid::CellOf(51, b, strip.Grid().width()).translated(grid);
  EXPECT_EQ(pixel(pastel.center()), palettecolors::ColorOf(51));

  // The preview's hexagon shows the face colour.
  const QPoint preview = strip.PreviewBox().pos();
  EXPECT_EQ(pixel(preview + QPoint(8, 22)), MakeColorRef(255, 0, 0));

  const QPoint spectrum = strip.Spectrum().pos();
  EXPECT_EQ(pixel(spectrum + QPoint(40, 0)), colors::White);
  const int m = 2 * strip.Spectrum().height() / 3;
  EXPECT_EQ(pixel(spectrum + QPoint(0, m)), TSpectrum::ColorAt({0, m}, strip.Spectrum().size()));
}
