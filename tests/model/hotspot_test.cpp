#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "model/objectfactory.h"
#include "model/shapes/hotspot.h"
#include "platform/canvas.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "render/rendertest.h"

namespace {

QImage White()
{
  return rendertest::WhiteImage(300, 200);
}

int Count(const QImage& image, QRgb colour)
{
  return rendertest::CountPixels(image, colour);
}

}  // namespace

TEST(Hotspot, AnUnlinedHotspotIsInvisibleButHitAndHandled)
{
  std::unique_ptr<CGPObject> made(TObjectFactory::Create(12));
  auto* hotspot = dynamic_cast<THotspot*>(made.get());
  ASSERT_NE(hotspot, nullptr);
  EXPECT_EQ(hotspot->KindCode(), 12);
  EXPECT_TRUE(hotspot->ClassDisplayName().isEmpty());
  hotspot->X = 1.5;
  hotspot->Y = 1;
  hotspot->Width = 2;
  hotspot->Height = 1;
  hotspot->FillStyle = kFillSolid;
  hotspot->FaceColor = 0x0000FF;
  hotspot->Shadow = 0;
  hotspot->LineStyle = kLineNone;
  hotspot->SetLink(QStringLiteral("http://example.org/"), nullptr);
  hotspot->Recalculate(nullptr, true);

  QImage image = White();
  QPainter painter(&image);
  TCanvas canvas(painter, 96, 96);
  hotspot->Draw(canvas, false, 0, 0, 100);
  painter.end();
  // Neither fill, line nor gateway icon shows.
  EXPECT_EQ(Count(image, qRgb(255, 255, 255)), image.width() * image.height());

  QImage selected = White();
  QPainter selectedPainter(&selected);
  TCanvas selectedCanvas(selectedPainter, 96, 96);
  const QRegion region = hotspot->CreateRegion(selectedCanvas, 0, 0, 100);
  EXPECT_TRUE(region.contains(QPoint(144, 96)));
  EXPECT_TRUE(region.contains(QPoint(60, 60)));
  EXPECT_FALSE(region.contains(QPoint(144, 150)));
  hotspot->Selected = true;
  QRegion handles;
  hotspot->DrawSelection(selectedCanvas, 0, handles, true, 0, 0, 100);
  selectedPainter.end();
  for (int i = 0; i < 8; ++i)
    EXPECT_FALSE(hotspot->HandleRegions[i].isEmpty()) << i;
  EXPECT_TRUE(handles.contains(QPoint(48, 48)));  // the top-left corner handle
  EXPECT_GT(Count(selected, ToQColor(colors::Aqua).rgb()), 8 * 4);
}

TEST(Hotspot, ALinedHotspotIsAnUnfilledRectangle)
{
  THotspot hotspot;
  hotspot.X = 1.5;
  hotspot.Y = 1;
  hotspot.Width = 2;
  hotspot.Height = 1;
  hotspot.FaceColor = 0x0000FF;
  hotspot.LineColor = 0xFF0000;
  QImage image = White();
  QPainter painter(&image);
  TCanvas canvas(painter, 96, 96);
  hotspot.Draw(canvas, false, 0, 0, 100);
  painter.end();
  EXPECT_EQ(image.pixel(144, 48), qRgb(0, 0, 255));      // top edge in the line colour
  EXPECT_EQ(image.pixel(144, 96), qRgb(255, 255, 255));  // no fill inside
  EXPECT_EQ(Count(image, qRgb(255, 0, 0)), 0);
}

TEST(Hotspot, TheRecordIsTheGatewayLayers)
{
  THotspot hotspot;
  hotspot.X = 4;
  hotspot.Width = 3;
  hotspot.LineStyle = kLineNone;
  hotspot.SetLink(QStringLiteral("CGPTOMAINVIEW"), nullptr);
  QByteArray bytes;
  TBinaryWriter writer(bytes);
  hotspot.SaveToStream(writer);
  EXPECT_EQ(bytes.size(), 136 + 14);
  TBinaryReader reader(bytes);
  ASSERT_EQ(reader.ReadInt32(), 12);
  THotspot loaded;
  loaded.LoadFromStream(reader);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(loaded.Link, QStringLiteral("CGPTOMAINVIEW"));
  EXPECT_EQ(loaded.LineStyle, kLineNone);
  EXPECT_EQ(loaded.Width, 3.0);
}
