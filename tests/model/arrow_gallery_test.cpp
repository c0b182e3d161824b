// A picture of straight and bent arrows in every line style and several widths, with gaps,
// text, heads and attached ends, and of every block arrow variant, for a person to look at;
// each sample is checked to have been drawn.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <memory>
#include <vector>

#include "model/arrow.h"
#include "model/cogi.h"
#include "model/shapes/blockarrow.h"
#include "platform/canvas.h"
#include "platform/text/rtfwriter.h"
#include "render/rendertest.h"
#include "testsupport.h"

namespace {

constexpr double kZoom = 100;

struct TGallery {
  QImage image;
  std::vector<std::unique_ptr<CGPObject>> objects;
  TObjectList list;

  TGallery() : image(1392, 1440, QImage::Format_RGB32)
  {
    image.setDotsPerMeterX(3780);  // 96 DPI
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
  }

  template <typename T>
  T* Add()
  {
    objects.push_back(std::make_unique<T>());
    list.push_back(objects.back().get());
    return static_cast<T*>(objects.back().get());
  }

  TArrow* Line(double x1, double y1, double x2, double y2, double bend)
  {
    auto* arrow = Add<TArrow>();
    arrow->FromX = x1;
    arrow->FromY = y1;
    arrow->ToX = x2;
    arrow->ToY = y2;
    arrow->ChordHeight = bend;
    return arrow;
  }
};

int InkIn(const QImage& image, const QRect& rect)
{
  return rendertest::InkCount(image, rect);
}

}  // namespace

TEST(ArrowGallery, LineStylesWidthsTextHeadsAndBlockArrows)
{
  TGallery g;
  const char* const styles[] = {"solid",         "round dots", "square dots", "dashes",
                                "long dashes",   "none",       "double",      "dashed double",
                                "broken double", "wave",       "zigzag",      "stars"};
  std::vector<std::pair<TArrow*, QString>> captions;
  for (int style = 0; style < 12; ++style) {
    const double y = 0.5 + style * 0.55;
    TArrow* straight = g.Line(1.3, y, 4.3, y, 0);
    straight->LineStyle = static_cast<std::uint8_t>(style);
    straight->LineWidth = 1.5f;
    straight->FromHead = style % 3 == 1 ? 1 : 0;
    straight->ToHead = static_cast<std::uint8_t>(style % 10);
    TArrow* bent = g.Line(4.7, y + 0.15, 7.7, y + 0.15, 0.3);
    bent->LineStyle = straight->LineStyle;
    bent->LineWidth = 1.5f;
    bent->ToHead = straight->ToHead;
    bent->LineColor = MakeColorRef(0, 90, 170);
    captions.push_back({straight, QString::fromLatin1(styles[style])});
  }
  const float widths[] = {0.0f, 0.75f, 1.5f, 3.0f, 6.0f, 10.0f};
  for (int i = 0; i < 6; ++i) {
    TArrow* straight = g.Line(9.2, 0.5 + i * 0.55, 11.3, 0.5 + i * 0.55, 0);
    straight->LineWidth = widths[i];
    straight->ToHeadSize = static_cast<std::uint8_t>(i % 3);
    TArrow* bent = g.Line(11.6, 0.7 + i * 0.55, 13.9, 0.7 + i * 0.55, -0.25);
    bent->LineWidth = widths[i];
    bent->LineColor = MakeColorRef(170, 40, 40);
    bent->MidMarker = static_cast<std::uint8_t>(i);
    captions.push_back({straight, QString::number(widths[i]) + QStringLiteral(" pt")});
  }
  // Gaps for middle markers 10 and 11, straight and bent; no head (tag 10) and both heads.
  TArrow* gap10 = g.Line(8.8, 4.0, 12.8, 4.0, 0);
  gap10->MidMarker = 10;
  gap10->LineWidth = 2;
  TArrow* gap11 = g.Line(8.8, 4.6, 12.8, 4.6, 0);
  gap11->MidMarker = 11;
  gap11->LineWidth = 2;
  TArrow* bentGap = g.Line(8.8, 5.6, 12.8, 5.6, 0.5);
  bentGap->MidMarker = 10;
  bentGap->LineWidth = 2;
  TArrow* plainLine = g.Line(8.8, 6.2, 12.8, 6.2, 0);
  plainLine->ToHead = 10;
  TArrow* both = g.Line(8.8, 6.7, 12.8, 6.7, 0);
  both->FromHead = 1;

  // Text beside straight lines running right, left and down, and along bent lines.
  const QString words = QStringLiteral("leads to");
  const struct {
    double x1, y1, x2, y2, bend;
  } texts[] = {{0.5, 7.8, 3.5, 7.8, 0},    {7.0, 7.8, 4.0, 7.8, 0},     {0.5, 9.6, 3.5, 8.6, 0},
               {4.0, 9.4, 7.0, 9.4, 0.7},  {7.5, 8.2, 10.5, 8.2, -0.7}, {11.0, 7.3, 11.0, 9.8, 0},
               {13.8, 9.6, 11.8, 9.6, 0.6}};
  std::vector<TArrow*> textArrows;
  for (const auto& t : texts) {
    TArrow* arrow = g.Line(t.x1, t.y1, t.x2, t.y2, t.bend);
    arrow->Text = TRtfWriter::CentredText(words);
    arrow->LineWidth = 1;
    textArrows.push_back(arrow);
  }

  // Hexagons with arrows on automatic and fixed anchors, and an arrow on an arrow.
  const auto hexagon = [&](double x, double y) {
    TCogi* cogi = g.Add<TCogi>();
    cogi->X = x;
    cogi->Y = y;
    cogi->SetShape(7, 0);
    cogi->FaceColor = MakeColorRef(255, 230, 150);
    cogi->Recalculate(nullptr, true);
    return cogi;
  };
  TCogi* a = hexagon(1.2, 11.0);
  TCogi* b = hexagon(5.2, 10.6);
  TCogi* c = hexagon(3.4, 12.6);
  const auto connect = [&](CGPObject* from, int fromAnchor, CGPObject* to, int toAnchor,
                           double bend) {
    auto* arrow = g.Add<TArrow>();
    arrow->ChordHeight = bend;
    arrow->LineWidth = 1.5f;
    TArrow::AttachArrowEnd(from, arrow, fromAnchor, TArrowEnd::Start);
    TArrow::AttachArrowEnd(to, arrow, toAnchor, TArrowEnd::Finish);
    arrow->ComputeArrowEnds();
    arrow->Recalculate(&g.list, true);
    return arrow;
  };
  TArrow* ab = connect(a, -1, b, -1, 0);
  TArrow* ac = connect(a, -1, c, -1, -0.4);
  TArrow* onArrow = connect(ab, 6, c, -1, 0);
  onArrow->LineStyle = 3;
  TArrow* fixed = connect(b, 1, c, 7, 0.5);
  fixed->LineColor = MakeColorRef(0, 130, 0);
  fixed->Selected = true;
  // Moving b afterwards: every arrow follows.
  b->MoveTo(&g.list, 6.0, 11.2);
  b->Recalculate(&g.list, false);

  // Every block arrow variant.
  std::vector<TBlockArrow*> blocks;
  for (int variant = 0; variant < kBlockArrowVariants; ++variant) {
    TBlockArrow* block = g.Add<TBlockArrow>();
    block->X = 8.3 + (variant % 4) * 1.5;
    block->Y = 10.9 + (variant / 4) * 1.6;
    block->Width = 1.3;
    block->Height = 1.1;
    block->SetShape(variant);
    block->FaceColor = MakeColorRef(150, 200, 255);
    block->LineWidth = 1;
    block->Recalculate(nullptr, true);
    blocks.push_back(block);
  }
  blocks[1]->Angle = 20;
  blocks[6]->Shadow = 1;

  for (TArrow* arrow : textArrows)
    arrow->Recalculate(&g.list, true);

  QPainter painter(&g.image);
  TCanvas canvas(painter);
  for (CGPObject* object : g.list)
    if (!dynamic_cast<TArrow*>(object)) object->Draw(canvas, false, 0, 0, kZoom);
  for (CGPObject* object : g.list)
    if (dynamic_cast<TArrow*>(object)) object->Draw(canvas, false, 0, 0, kZoom);
  QRegion handles;
  fixed->DrawSelection(canvas, 0, handles, true, 0, 0, kZoom);
  painter.setPen(Qt::black);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(11);
  painter.setFont(font);
  for (const auto& [arrow, caption] : captions)
    painter.drawText(canvas.ToPixel(arrow->FromX - 1.2, arrow->FromY + 0.05, 0, 0, kZoom), caption);
  painter.end();
  ASSERT_TRUE(g.image.save(testsupport::OutputPath(QStringLiteral("arrow_gallery.png"))));

  // Every arrow with a line left ink along it, and every block arrow in its box.
  for (CGPObject* object : g.list) {
    auto* arrow = dynamic_cast<TArrow*>(object);
    if (!arrow || arrow->LineStyle == 5) continue;
    const QRect box = arrow->GetScreenBox(canvas, 0, 0, kZoom).Normalized().ToQRect();
    EXPECT_GT(InkIn(g.image, box), 20) << arrow->FromX << "," << arrow->FromY;
  }
  for (TBlockArrow* block : blocks)
    EXPECT_GT(InkIn(g.image, block->GetScreenBox(canvas, 0, 0, kZoom).Normalized().ToQRect()), 400)
        << int(block->ShapeVariant);
  for (TArrow* arrow : textArrows)
    EXPECT_FALSE(arrow->TextLayout.Empty());
  EXPECT_TRUE(c->HasAttachedArrow(onArrow));
  EXPECT_TRUE(c->HasAttachedArrow(ac));
}
