#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "model/cogi.h"
#include "model/objectfactory.h"
#include "model/recordtestsupport.h"
#include "model/shapes/label.h"
#include "platform/canvas.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "platform/streams/streamerror.h"
#include "render/text/textmeasurer.h"

using recordtest::Record;

namespace {

QByteArray Rtf(const char* words, int halfPoints = 20)
{
  return QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\f0\\fs") +
         QByteArray::number(halfPoints) + ' ' + words + "\\par}";
}

int InkPixels(const QImage& image)
{
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      count += image.pixel(x, y) != qRgb(255, 255, 255);
  return count;
}

}  // namespace

TEST(Label, ANewLabelIsAFiveInchWhiteBoxOfText)
{
  std::unique_ptr<CGPObject> object(TObjectFactory::Create(6));
  auto* label = dynamic_cast<TLabel*>(object.get());
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->KindCode(), 6);
  EXPECT_EQ(label->ClassDisplayName(), QStringLiteral("Label"));
  EXPECT_EQ(label->Width, 5.0);
  EXPECT_EQ(label->Height, 1.0);
  EXPECT_EQ(label->FillStyle, kFillSolid);
  EXPECT_EQ(label->FaceColor, colors::White);
  EXPECT_EQ(label->LineStyle, kLineSolid);
  label->Recalculate(nullptr, true);
  // The text box is the whole label, and labels carry no number.
  EXPECT_EQ(label->TextOffsetX, 0.0);
  EXPECT_EQ(label->TextOffsetY, 0.0);
  EXPECT_EQ(label->TextWidth, 1.0);
  EXPECT_EQ(label->TextHeight, 1.0);
  EXPECT_EQ(label->NumberX, -1.0);
  EXPECT_EQ(label->NumberY, -1.0);
  EXPECT_EQ(label->Anchors.size(), 16u);
}

TEST(Label, ClearLabelsFitTheirTextAndFilledOnesOnlyGrow)
{
  TLabel clear;
  clear.FillStyle = kFillClear;
  clear.Text = Rtf("Word");
  TTextLayout layout;
  const TTextExtent word =
      BuildTextLayout(clear.Text, TTextMeasurer::ObjectControlWidth(5.0, 1.0), layout);
  ASSERT_GT(word.Width, 0.0);
  clear.Recalculate(nullptr, true);
  EXPECT_DOUBLE_EQ(clear.Width, word.Width);
  EXPECT_DOUBLE_EQ(clear.Height, word.Height);
  EXPECT_LT(clear.Width, 1.0);
  EXPECT_FALSE(clear.TextLayout.Empty());  // laid out at once, not at the first paint
  // Refreshing again does not creep: the text still fits the box it made.
  clear.Recalculate(nullptr, true);
  EXPECT_DOUBLE_EQ(clear.Width, word.Width);
  EXPECT_DOUBLE_EQ(clear.Height, word.Height);
  // Anchors follow the new size.
  EXPECT_DOUBLE_EQ(clear.Anchors.back().DX, -word.Width / 2);

  TLabel filled;
  filled.Text = Rtf("Word");
  filled.Recalculate(nullptr, true);
  EXPECT_EQ(filled.Width, 5.0);
  EXPECT_EQ(filled.Height, 1.0);

  // Long text wraps at the label's width and makes it taller.
  QByteArray many;
  for (int i = 0; i < 60; ++i)
    many += "several words ";
  filled.Text = Rtf(many.constData());
  filled.Recalculate(nullptr, true);
  EXPECT_EQ(filled.Width, 5.0);
  EXPECT_GT(filled.Height, 1.0);
  EXPECT_DOUBLE_EQ(filled.Height, filled.TextExtent.Height);

  // A word longer than the label is broken at its width; refreshing again and again (as
  // every opening and undo does) leaves the label as it is.
  TLabel narrow;
  narrow.Width = 1.0;
  narrow.Height = 0.3;
  narrow.Text = Rtf("Supercalifragilisticexpialidocious and more", 24);
  narrow.Recalculate(nullptr, true);
  const double height = narrow.Height;
  EXPECT_GT(height, 0.5);
  for (int i = 0; i < 3; ++i)
    narrow.Recalculate(nullptr, true);
  EXPECT_EQ(narrow.Width, 1.0);
  EXPECT_EQ(narrow.Height, height);

  // A clear label without text keeps its box instead of shrinking out of reach.
  TLabel empty;
  empty.FillStyle = kFillClear;
  empty.Recalculate(nullptr, true);
  EXPECT_EQ(empty.Width, 5.0);
  EXPECT_EQ(empty.Height, 1.0);
}

TEST(Label, TextStaysVisibleAtZoomsWhereOtherObjectsDropIt)
{
  const QByteArray big = Rtf("Big words", 200);
  const auto draw = [](CGPObject& object, double zoom) {
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas(painter, 96, 96);
    object.Draw(canvas, false, 0, 0, zoom);
    painter.end();
    return InkPixels(image);
  };
  TLabel label;
  label.FillStyle = kFillClear;
  label.LineStyle = kLineNone;
  label.Text = big;
  label.X = 5;
  label.Y = 2;
  label.Recalculate(nullptr, true);
  EXPECT_GT(draw(label, 6), 0);
  EXPECT_EQ(draw(label, 5), 0);

  TCogi cogi;
  cogi.SetShape(3, 3);
  cogi.Width = label.Width;
  cogi.Height = label.Height;
  cogi.X = 5;
  cogi.Y = 2;
  cogi.FillStyle = kFillClear;
  cogi.LineStyle = kLineNone;
  cogi.Text = big;
  cogi.Recalculate(nullptr, true);
  EXPECT_EQ(draw(cogi, 30), 0);
}

TEST(Label, TheRecordRoundTrips)
{
  TLabel label;
  label.X = 1.5;
  label.Y = -2.25;
  label.Width = 3;
  label.Height = 0.5;
  label.Angle = 30;
  label.LabelReserved = 7;
  label.FillStyle = kFillClear;
  label.LineStyle = kLineNone;
  label.Text = Rtf("kept");
  label.SetLink(QStringLiteral("http://example.org/"), nullptr);
  const QByteArray bytes = Record(label);
  // Layers up to the angle are 140 bytes with empty streams and link; the link adds 24,
  // the text its block, the label one byte.
  EXPECT_EQ(bytes.size(), 140 + 20 + label.Text.size() + 1);

  TBinaryReader reader(bytes);
  ASSERT_EQ(reader.ReadInt32(), 6);
  TLabel loaded;
  loaded.LoadFromStream(reader);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(loaded.LabelReserved, 7);
  EXPECT_EQ(loaded.Angle, 30);
  EXPECT_EQ(loaded.Width, 3.0);
  EXPECT_EQ(loaded.Link, QStringLiteral("http://example.org/"));
  EXPECT_EQ(Record(loaded), bytes);

  TBinaryReader cut(bytes.left(bytes.size() - 1), 4);
  TLabel damaged;
  EXPECT_THROW(damaged.LoadFromStream(cut), EStreamError);
}
