// Pictures of every shape of the Cogi and cluster family for a person to look at, with
// checks that each shape was painted where it belongs.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <memory>

#include "model/cluster.h"
#include "model/cogi.h"
#include "model/outlines/shapegenerator.h"
#include "platform/canvas.h"
#include "testsupport.h"

namespace {

constexpr double kZoom = 50;
constexpr int kVariants = 17;  // 0 to 16; 17 is fitted or drawn by hand
const TColorRef kCogiFace = MakeColorRef(255, 230, 150);
const TColorRef kClusterFace = MakeColorRef(170, 210, 255);

template <typename T>
void Shape(T& shape, int variant, TCogiDimensions size, double x, double y, TColorRef face)
{
  shape.ShapeVariant = static_cast<std::uint8_t>(variant);
  shape.Width = size.Width;
  shape.Height = size.Height;
  shape.X = x;
  shape.Y = y;
  shape.Outline = MakeShapeOutline(shape.KindCode(), variant, size.Width, size.Height);
  shape.FaceColor = face;
  shape.LineWidth = 1.5f;
}

void Label(QPainter& painter, const TCanvas& canvas, double x, double y, const QString& text)
{
  painter.setPen(Qt::black);
  painter.drawText(canvas.ToPixel(x, y, 0, 0, kZoom), text);
}

}  // namespace

TEST(ShapesPicture, EveryCogiAndClusterVariantInEachSize)
{
  const char* names[] = {"small", "medium", "large"};
  for (int size = 0; size <= 2; ++size) {
    double column = 0, row = 0;
    for (int variant = 0; variant < kVariants; ++variant) {
      const TCogiDimensions d = TCogi::StandardSize(variant, size);
      column = std::max(column, d.Width + 0.5);
      row = std::max(row, d.Height + 0.7);
    }
    const double inchesWide = column * kVariants;
    const double inchesHigh = row * 2;
    QImage image(static_cast<int>(inchesWide * 48), static_cast<int>(inchesHigh * 48),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas(painter, 96, 96);
    for (int variant = 0; variant < kVariants; ++variant) {
      SCOPED_TRACE(testing::Message() << names[size] << " variant " << variant);
      const TCogiDimensions d = TCogi::StandardSize(variant, size);
      const double x = column * (variant + 0.5);
      TCogi cogi;
      Shape(cogi, variant, d, x, row * 0.5 + 0.1, kCogiFace);
      cogi.CogiSize = static_cast<std::uint8_t>(size);
      cogi.Recalculate(nullptr, true);
      cogi.Draw(canvas, false, 0, 0, kZoom);
      TCluster cluster;
      Shape(cluster, variant, d, x, row * 1.5 + 0.1, kClusterFace);
      cluster.Recalculate(nullptr, true);
      cluster.Draw(canvas, false, 0, 0, kZoom);
      Label(painter, canvas, x - column / 2 + 0.1, 0.25, QString::number(variant));
      // Each body is filled at its centre and leaves the corner of its cell alone.
      EXPECT_EQ(image.pixel(canvas.ToPixel(cogi.X, cogi.Y, 0, 0, kZoom)),
                ToQColor(kCogiFace).rgb());
      EXPECT_EQ(image.pixel(canvas.ToPixel(cluster.X, cluster.Y, 0, 0, kZoom)),
                ToQColor(kClusterFace).rgb());
      EXPECT_EQ(image.pixel(canvas.ToPixel(x + column / 2 - 0.1, row - 0.1, 0, 0, kZoom)),
                qRgb(255, 255, 255));
    }
    painter.end();
    const QString file = QStringLiteral("shapes_%1.png").arg(QLatin1String(names[size]));
    EXPECT_TRUE(image.save(testsupport::OutputPath(file)));
  }
}

TEST(ShapesPicture, EffectsRotationAndFittedClusters)
{
  QImage image(1200, 700, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  TCanvas canvas(painter, 96, 96);
  constexpr double zoom = 70;

  // A row of hexagons: plain, shadow, 3-D, shadow and 3-D turned, clear, selected gateway.
  std::vector<std::unique_ptr<TCogi>> cogis;
  for (int i = 0; i < 9; ++i) {
    auto cogi = std::make_unique<TCogi>();
    cogi->X = 1.0 + 1.9 * i;
    cogi->Y = 1.3;
    cogi->SetShape(kCogiVariantHexagon, kCogiSmall);
    cogi->FaceColor = kCogiFace;
    cogi->ShowNumber = true;
    cogi->Number = i + 1;
    cogis.push_back(std::move(cogi));
  }
  cogis[1]->Shadow = 1;
  cogis[2]->Style3D = 1;
  cogis[3]->Shadow = 1;
  cogis[3]->Style3D = 3;
  cogis[3]->Angle = 30;
  cogis[4]->FillStyle = kFillClear;
  cogis[4]->Shadow = 1;
  cogis[5]->SetLink(QStringLiteral("CGPTOLASTMODEL"), nullptr);
  cogis[5]->Selected = true;
  cogis[5]->LineColor = MakeColorRef(200, 0, 0);
  // Pattern and gradient fills, and a dashed line.
  cogis[6]->FillStyle = kFillPattern;
  cogis[6]->PatternIndex = 5;
  cogis[7]->FillStyle = kFillGradient;
  cogis[7]->GradientIndex = 2;
  cogis[7]->BackColor = kClusterFace;
  cogis[8]->LineStyle = 3;
  cogis[8]->LineWidth = 2;
  QRegion handles;
  for (auto& cogi : cogis) {
    cogi->Recalculate(nullptr, true);
    cogi->Draw(canvas, false, 0, 0, zoom);
    cogi->DrawSelection(canvas, 0, handles, true, 0, 0, zoom);
  }
  EXPECT_FALSE(handles.isEmpty());
  // The 3-D hexagon draws side faces below and to the right of its outline.
  const QPoint face = canvas.ToPixel(cogis[2]->X + 0.69, cogis[2]->Y + 0.05, 0, 0, zoom);
  EXPECT_NE(image.pixel(face), qRgb(255, 255, 255));
  EXPECT_NE(image.pixel(face), ToQColor(kCogiFace).rgb());
  // The shadow of the plain-shadow hexagon shows a twelfth of an inch beyond its right side.
  const QPoint shadow = canvas.ToPixel(cogis[1]->X + 0.667, cogis[1]->Y + 0.2, 0, 0, zoom);
  const QColor grey(image.pixel(shadow));
  EXPECT_LT(grey.red(), 255);
  EXPECT_EQ(grey.red(), grey.green());
  EXPECT_EQ(grey.red(), grey.blue());

  // Fitted clusters: an ellipse and a free form around three Cogis each; a see-through one.
  std::vector<std::unique_ptr<CGPObject>> owned;
  TObjectList list;
  auto add = [&](CGPObject* object) {
    owned.emplace_back(object);
    list.push_back(object);
    return object;
  };
  for (int k = 0; k < 2; ++k) {
    auto* cluster = static_cast<TCluster*>(add(new TCluster));
    const double left = 0.8 + 5.0 * k;
    cluster->ShapeVariant = k == 0 ? kCogiVariantEllipse : kCogiVariantFree;
    cluster->X = left + 1.8;
    cluster->Y = 5.2;
    cluster->Width = 4;
    cluster->Height = 3;
    cluster->Outline = MakeShapeOutline(okCluster, kCogiVariantEllipse, 4, 3);
    cluster->FaceColor = kClusterFace;
    cluster->FitMembers = true;
    cluster->ClusterMargin = 0;
    for (auto [dx, dy] : {std::pair{0.8, 4.4}, {2.4, 4.9}, {1.4, 6.0}}) {
      auto* cogi = static_cast<TCogi*>(add(new TCogi));
      cogi->X = left + dx;
      cogi->Y = dy;
      cogi->SetShape(kCogiVariantHexagon, kCogiSmall);
      cogi->FaceColor = kCogiFace;
    }
  }
  auto* under = static_cast<TCogi*>(add(new TCogi));
  under->X = 14.0;
  under->Y = 5.2;
  under->SetShape(kCogiVariantHexagon, kCogiMedium);
  under->FaceColor = MakeColorRef(255, 120, 120);
  auto* glass = static_cast<TCluster*>(add(new TCluster));
  glass->ShapeVariant = 9;
  glass->X = 14.5;
  glass->Y = 5.4;
  glass->Width = 2.5;
  glass->Height = 2;
  glass->Outline = MakeShapeOutline(okCluster, 9, 2.5, 2);
  glass->FaceColor = kClusterFace;
  glass->SeeThrough = true;
  for (CGPObject* object : list)
    object->Recalculate(&list, true);
  for (CGPObject* object : list)
    object->Draw(canvas, false, 0, 0, zoom);
  EXPECT_EQ(static_cast<TCluster*>(list[0])->Members.size(), 3u);
  EXPECT_EQ(static_cast<TCluster*>(list[4])->Members.size(), 3u);
  // Seen through the glass cluster, the hexagon below still shows, darkened.
  const QRgb mixed = image.pixel(canvas.ToPixel(14.0, 5.2, 0, 0, zoom));
  EXPECT_EQ(mixed, qRgb(170 & 255, 210 & 120, 255 & 120));
  painter.end();
  EXPECT_TRUE(image.save(testsupport::OutputPath(QStringLiteral("shapes_effects.png"))));
}
