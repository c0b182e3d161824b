// A picture of the other shapes for a person to look at: every dilemma variant, every callout
// style, labels, open and closed free shapes and hotspots, with checks that each was painted.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <memory>
#include <numbers>

#include "model/outlines/shapegenerator.h"
#include "model/shapes/balloon.h"
#include "model/shapes/dilemma.h"
#include "model/shapes/freeshape.h"
#include "model/shapes/hotspot.h"
#include "model/shapes/label.h"
#include "platform/canvas.h"
#include "testsupport.h"

namespace {

constexpr double kZoom = 75;
const TColorRef kFace = MakeColorRef(255, 225, 150);

QByteArray Rtf(const QString& words, int halfPoints = 16)
{
  return QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\qc\\f0\\fs") +
         QByteArray::number(halfPoints) + ' ' + words.toLatin1() + "\\par}";
}

class TGallery {
 public:
  TGallery() : image_(1500, 560, QImage::Format_RGB32)
  {
    image_.fill(Qt::white);
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::TextAntialiasing);
    canvas_ = std::make_unique<TCanvas>(*painter_, 96, 96);
  }

  TCanvas& Canvas() { return *canvas_; }
  QImage& Image() { return image_; }
  QRgb At(TModelPoint p) const { return image_.pixel(canvas_->ToPixel(p.X, p.Y, 0, 0, kZoom)); }
  void Caption(double x, double y, const QString& text)
  {
    painter_->setPen(Qt::darkGray);
    painter_->drawText(canvas_->ToPixel(x, y, 0, 0, kZoom), text);
  }
  void Draw(CGPObject& object)
  {
    object.Draw(*canvas_, false, 0, 0, kZoom);
    QRegion handles;
    object.DrawSelection(*canvas_, 0, handles, true, 0, 0, kZoom);
  }
  void Finish() { painter_->end(); }

 private:
  QImage image_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<TCanvas> canvas_;
};

TOutline Points(const std::vector<TModelPoint>& points)
{
  TOutline outline;
  for (const TModelPoint& p : points)
    AppendLine(outline, p.X, p.Y);
  return outline;
}

}  // namespace

TEST(OtherShapesPicture, DilemmasCalloutsLabelsFreeShapesAndHotspots)
{
  TGallery gallery;
  std::vector<std::unique_ptr<CGPObject>> objects;

  // Row 1: the ten dilemma variants, the ropes wider; and a rope turned by 30 degrees.
  double x = 0.3;
  for (int variant = 0; variant < TDilemma::kVariantCount; ++variant) {
    auto d = std::make_unique<TDilemma>();
    const bool rope = variant >= TDilemma::kRopeVariant;
    d->ShapeVariant = static_cast<std::uint8_t>(variant);
    d->Width = rope ? 2.2 : 1.4;
    d->Height = rope ? 0.7 : 1.1;
    d->X = x + d->Width / 2;
    d->Y = 1.0;
    d->Outline = MakeShapeOutline(okDilemma, variant, d->Width, d->Height);
    d->FaceColor = kFace;
    d->LineWidth = 1.5f;
    d->ShowNumber = true;
    d->Number = variant;
    d->Text = Rtf(QStringLiteral("Choice"));
    d->Recalculate(nullptr, true);
    gallery.Draw(*d);
    gallery.Caption(x, 0.3, QStringLiteral("dilemma %1").arg(variant));
    if (!rope) {
      const TModelPoint inside{d->X + d->TextOffsetX * d->Width, d->Y + d->TextOffsetY * d->Height};
      EXPECT_NE(gallery.At(inside), qRgb(255, 255, 255)) << variant;
    }
    x += d->Width + 0.4;
    objects.push_back(std::move(d));
  }
  auto turned = std::make_unique<TDilemma>();
  turned->ShapeVariant = TDilemma::kFrayedRopeVariant;
  turned->Width = 2.2;
  turned->Height = 0.7;
  turned->X = 1.6;
  turned->Y = 2.7;
  turned->Angle = 30;
  turned->Outline =
      MakeShapeOutline(okDilemma, turned->ShapeVariant, turned->Width, turned->Height);
  turned->Recalculate(nullptr, true);
  gallery.Draw(*turned);
  gallery.Caption(0.3, 2.0, QStringLiteral("frayed rope at 30"));
  // The rope runs along its turned axis.
  int ropeInk = 0;
  for (double along = -0.9; along < -0.3; along += 0.05)
    ropeInk += gallery.At(RotateOffset({1.6, 2.7}, along, 0.03, 30)) != qRgb(255, 255, 255);
  EXPECT_GT(ropeInk, 8);

  // Row 2: the four callout styles pointing down and left, a shadowed cloud, a tip inside.
  const char* styles[] = {"rectangle", "rounded", "ellipse", "cloud"};
  x = 3.6;
  for (int style = 0; style < 5; ++style) {
    auto b = std::make_unique<TBalloon>();
    b->BalloonStyle = static_cast<std::uint8_t>(style == 4 ? TBalloon::Cloud : style);
    b->Width = 2.0;
    b->Height = 1.1;
    b->X = x + 1.4;
    b->Y = 2.6;
    b->MoveTip({x + 0.3, 3.7});
    b->FaceColor = MakeColorRef(200, 230, 255);
    b->LineWidth = 1.5f;
    b->Text = Rtf(QStringLiteral("Callout"));
    if (style == 4) b->Shadow = 1;
    b->Selected = style == 0;  // shows the tip handle
    b->Recalculate(nullptr, true);
    gallery.Draw(*b);
    gallery.Caption(
        x + 0.4, 1.9,
        style == 4 ? QStringLiteral("cloud, shadow") : QString::fromLatin1(styles[style]));
    EXPECT_EQ(gallery.At({b->X, b->Y + 0.2}), ToQColor(b->FaceColor).rgb()) << style;
    // Near the tip: on the triangle, or in the smallest puff of a cloud.
    const TModelPoint nearTip =
        b->BalloonStyle == TBalloon::Cloud ? b->Tip() : TModelPoint{x + 0.4, 3.6};
    EXPECT_NE(gallery.At(nearTip), qRgb(255, 255, 255)) << "pointer of " << style;
    x += 2.4;
    objects.push_back(std::move(b));
  }

  // Row 3: a clear label, a filled one that grew to its text, and a turned one.
  auto clear = std::make_unique<TLabel>();
  clear->FillStyle = kFillClear;
  clear->LineStyle = kLineNone;
  clear->Text = Rtf(QStringLiteral("A clear label"), 24);
  clear->X = 1.6;
  clear->Y = 4.6;
  clear->Recalculate(nullptr, true);
  gallery.Draw(*clear);
  gallery.Caption(0.3, 4.2, QStringLiteral("clear label"));
  auto filled = std::make_unique<TLabel>();
  filled->Width = 2.0;
  filled->Height = 0.3;
  filled->FaceColor = MakeColorRef(230, 255, 230);
  filled->Text = Rtf(QStringLiteral("A filled label grows to hold more text than its box"), 24);
  filled->X = 5.0;
  filled->Y = 4.7;
  filled->Recalculate(nullptr, true);
  EXPECT_GT(filled->Height, 0.3);
  gallery.Draw(*filled);
  gallery.Caption(3.8, 4.2, QStringLiteral("filled label"));
  auto tilted = std::make_unique<TLabel>();
  tilted->FillStyle = kFillClear;
  tilted->LineStyle = kLineNone;
  tilted->Angle = -20;
  tilted->Text = Rtf(QStringLiteral("Turned label"), 24);
  tilted->X = 8.6;
  tilted->Y = 4.7;
  tilted->Recalculate(nullptr, true);
  gallery.Draw(*tilted);
  gallery.Caption(7.6, 4.2, QStringLiteral("turned label"));

  // Row 4: an open scribble with a head, a closed filled shape, and two hotspots.
  std::vector<TModelPoint> wave;
  for (int i = 0; i <= 80; ++i)
    wave.push_back({0.5 + i * 0.03, 6.2 + 0.5 * std::sin(i * std::numbers::pi / 30)});
  auto open = std::make_unique<TFreeShape>();
  open->Outline = Points(wave);
  open->FillStyle = kFillClear;
  open->FreeHead = 1;
  open->LineWidth = 2;
  open->FitToVertices();
  open->SimplifyPoints();
  open->Recalculate(nullptr, true);
  gallery.Draw(*open);
  gallery.Caption(0.3, 5.4, QStringLiteral("open free shape"));
  auto closed = std::make_unique<TFreeShape>();
  closed->Outline = Points({{4, 5.8}, {5.5, 5.6}, {6.2, 6.4}, {5.2, 7.0}, {4.3, 6.8}, {4, 5.8}});
  closed->FaceColor = kFace;
  closed->LineWidth = 1.5f;
  closed->Text = Rtf(QStringLiteral("Closed"));
  closed->FitToVertices();
  closed->Recalculate(nullptr, true);
  gallery.Draw(*closed);
  EXPECT_EQ(gallery.At({5.1, 6.3}), ToQColor(kFace).rgb());
  gallery.Caption(3.9, 5.4, QStringLiteral("closed free shape"));
  auto lined = std::make_unique<THotspot>();
  lined->X = 8.0;
  lined->Y = 6.3;
  lined->Width = 1.6;
  lined->Height = 0.9;
  lined->LineStyle = 3;
  lined->SetLink(QStringLiteral("http://example.org/"), nullptr);
  gallery.Draw(*lined);
  gallery.Caption(7.2, 5.4, QStringLiteral("hotspot, dashed"));
  auto hidden = std::make_unique<THotspot>();
  hidden->X = 10.6;
  hidden->Y = 6.3;
  hidden->Width = 1.6;
  hidden->Height = 0.9;
  hidden->LineStyle = kLineNone;
  hidden->Selected = true;
  gallery.Draw(*hidden);
  gallery.Caption(9.8, 5.4, QStringLiteral("hotspot, no line, selected"));
  EXPECT_EQ(gallery.At({10.6, 6.3}), qRgb(255, 255, 255));
  EXPECT_EQ(gallery.At({9.8, 5.85}), ToQColor(colors::Aqua).rgb());

  gallery.Finish();
  ASSERT_TRUE(gallery.Image().save(testsupport::OutputPath(QStringLiteral("other_shapes.png"))));
}
