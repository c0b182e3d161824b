#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <memory>

#include "model/arrow.h"
#include "model/cgpobject.h"
#include "model/kindcast.h"
#include "model/objectfactory.h"
#include "platform/canvas.h"
#include "platform/rounding.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"

namespace {

// A 96 DPI white image with a canvas on it.
struct TTestSurface {
  explicit TTestSurface(int w = 300, int h = 300) : image(w, h, QImage::Format_RGB32)
  {
    image.fill(Qt::white);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    painter.begin(&image);
  }
  QImage& Finish()
  {
    painter.end();
    return image;
  }
  QImage image;
  QPainter painter;
  TCanvas canvas{painter, 96, 96};
};

QRect InkBox(const QImage& image, QRgb background = qRgb(255, 255, 255))
{
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) | 0xFF000000) != (background | 0xFF000000))
        box = box.united(QRect(x, y, 1, 1));
  return box;
}

}  // namespace

TEST(ObjectBase, NewObjectDefaults)
{
  CGPObject object;
  EXPECT_EQ(object.X, 0);
  EXPECT_EQ(object.Y, 0);
  EXPECT_EQ(object.Width, 1);
  EXPECT_EQ(object.Height, 1);
  EXPECT_EQ(object.TextWidth, 0.8);
  EXPECT_EQ(object.TextHeight, 0.55);
  EXPECT_EQ(object.NumberX, 0);
  EXPECT_EQ(object.NumberY, -0.4);
  EXPECT_EQ(object.Shadow, 0);
  EXPECT_EQ(object.Style3D, 0);
  EXPECT_FALSE(object.Selected);
  EXPECT_FALSE(object.ShowNumber);
  EXPECT_TRUE(object.Text.isEmpty());
  EXPECT_TRUE(object.Notes.isEmpty());
  EXPECT_TRUE(object.Anchors.empty());
  EXPECT_EQ(object.KindCode(), -1);
  EXPECT_EQ(object.ClassDisplayName(), QString());

  TArrow arrow;
  EXPECT_EQ(arrow.KindCode(), 1);
  EXPECT_EQ(arrow.ClassDisplayName(), QStringLiteral("Arrow"));
  EXPECT_EQ(arrow.FromAnchor, -1);
  EXPECT_EQ(arrow.ToX, 1);
  EXPECT_EQ(arrow.TextWidth, 3.0);
}

TEST(ObjectBase, ScreenBoxAndHandlesFollowTheZoom)
{
  CGPObject object;
  object.X = 1;
  object.Y = 1;
  object.Selected = true;
  struct TCase {
    double zoom;
    int size;
    int margin;
  };
  for (const TCase& c : {TCase{10, 2, 0}, TCase{30, 4, 2}, TCase{100, 6, 5}, TCase{300, 6, 5}}) {
    TTestSurface surface(1000, 1000);
    const TPixelRect box = object.GetScreenBox(surface.canvas, 0, 0, c.zoom);
    const int lo = static_cast<int>(std::nearbyint(0.5 * 96 * c.zoom / 100));
    const int hi = static_cast<int>(std::nearbyint(1.5 * 96 * c.zoom / 100));
    EXPECT_EQ(box, (TPixelRect{lo, lo, hi, hi})) << c.zoom;

    QRegion handles;
    object.DrawSelection(surface.canvas, 0, handles, true, 0, 0, c.zoom);
    // Handle 1 sits on the top-left corner, moved up and left by half its size.
    const int hx = lo - c.size / 2;
    EXPECT_EQ(object.HandleRegions[0].boundingRect(),
              QRect(hx - c.margin, hx - c.margin, c.size + 2 * c.margin, c.size + 2 * c.margin))
        << c.zoom;
    // Handle 5 is the bottom-right corner, handle 8 the left middle.
    EXPECT_TRUE(object.HandleRegions[4].contains(QPoint(hi, hi))) << c.zoom;
    EXPECT_TRUE(object.HandleRegions[7].contains(QPoint(lo, (lo + hi) / 2))) << c.zoom;
    EXPECT_TRUE(object.HandleRegions[8].isEmpty());
    EXPECT_EQ(handles.rectCount() > 0, true);
    EXPECT_TRUE(handles.contains(QPoint(hi, lo)));
  }
  // The exact figures at 100 %: box (48, 48, 144, 144), handles of 6 with a 5-pixel margin.
  TTestSurface surface;
  EXPECT_EQ(object.GetScreenBox(surface.canvas, 0, 0, 100), (TPixelRect{48, 48, 144, 144}));
  QRegion handles;
  object.DrawSelection(surface.canvas, 0, handles, true, 0, 0, 100);
  EXPECT_EQ(object.HandleRegions[0].boundingRect(), QRect(40, 40, 16, 16));
  // An unselected object draws no handles and leaves the regions alone.
  object.Selected = false;
  QRegion none;
  object.DrawSelection(surface.canvas, 0, none, true, 0, 0, 100);
  EXPECT_TRUE(none.isEmpty());
}

TEST(ObjectBase, HandleColoursAndRotationHandles)
{
  CGPObject object;
  object.X = 1;
  object.Y = 1;
  object.Selected = true;
  {
    TTestSurface surface;
    QRegion handles;
    object.DrawSelection(surface.canvas, 0, handles, true, 0, 0, 100);
    const QImage& image = surface.Finish();
    EXPECT_EQ(QColor(image.pixel(47, 47)), QColor(0, 255, 255));  // cyan inside handle 1
    EXPECT_EQ(QColor(image.pixel(45, 45)), QColor(Qt::black));    // its outline
  }
  {
    TTestSurface surface;
    QRegion handles;
    object.DrawSelection(surface.canvas, opFormatPaint, handles, false, 0, 0, 100);
    EXPECT_EQ(QColor(surface.Finish().pixel(47, 47)), QColor(192, 192, 192));
  }
  {
    // Rotation mode is treated as normal by the base: still eight square handles.
    TTestSurface surface;
    QRegion handles;
    object.DrawSelection(surface.canvas, opRotateReady, handles, true, 0, 0, 100);
    EXPECT_FALSE(object.HandleRegions[7].isEmpty());
    // Asked for directly, rotation handles are four round ones.
    object.DrawHandles(surface.canvas, 0, handles, true, opRotateReady, 0, 0, 100);
    EXPECT_FALSE(object.HandleRegions[3].isEmpty());
    EXPECT_TRUE(object.HandleRegions[4].isEmpty());
    // Round: the corner of the hit square is outside the ellipse.
    const QRect bounds = object.HandleRegions[0].boundingRect();
    EXPECT_FALSE(object.HandleRegions[0].contains(bounds.topLeft()));
    EXPECT_TRUE(object.HandleRegions[0].contains(bounds.center()));
  }
}

TEST(ObjectBase, NumberDrawingDependsOnZoomAndNotes)
{
  CGPObject object;
  object.X = 1.5;
  object.Y = 1.5;
  object.Number = 8;
  object.ShowNumber = true;
  const auto inkAt = [&](double zoom) {
    TTestSurface surface;
    object.DrawNumber(surface.canvas, 0, 0, 0, zoom, 0);
    return InkBox(surface.Finish());
  };
  // At 30 % the number is half an inch tall (14 pixels of font) on the centre.
  const QRect at30 = inkAt(30);
  ASSERT_FALSE(at30.isEmpty());
  const QPoint centre30(RoundHalfEven(1.5 * 96 * 0.3), RoundHalfEven(1.5 * 96 * 0.3));
  EXPECT_LE(std::abs(at30.center().y() - centre30.y()), 3);
  EXPECT_LE(std::abs(at30.center().x() - centre30.x()), 2);
  EXPECT_GE(at30.height(), 6);
  // At 31 % it is tiny (2 points) and stands at the number position above the centre.
  const QRect at31 = inkAt(31);
  ASSERT_FALSE(at31.isEmpty());
  EXPECT_LT(at31.height(), at30.height());
  const double numberY = (1.5 - 0.4) * 96 * 0.31;
  EXPECT_LE(std::abs(at31.center().y() - numberY), 3);

  // Notes add an ellipse around the number above 30 %, not at 30 % or below.
  object.Notes = QByteArray("{\\rtf1 note}");
  const QRect withNotes = inkAt(100);
  object.Notes.clear();
  const QRect withoutNotes = inkAt(100);
  EXPECT_GT(withNotes.width(), withoutNotes.width());
  object.Notes = QByteArray("{\\rtf1 note}");
  EXPECT_EQ(inkAt(30), at30);

  // No number position, or the number switched off: nothing at all.
  object.NumberX = -1;
  object.NumberY = -1;
  EXPECT_TRUE(inkAt(100).isEmpty());
  object.NumberX = 0;
  object.NumberY = -0.4;
  object.ShowNumber = false;
  EXPECT_TRUE(inkAt(100).isEmpty());
}

TEST(ObjectBase, ShadowOffsetsForEveryDirection)
{
  const double big = 5.0 / 24.0;
  const double small = 1.0 / 12.0;
  // Each direction with and without 3-D, measured in pixels at 96 DPI and 100 %.
  struct TCase {
    int shadow, style3D;
    double dx, dy;
  };
  for (const TCase& c : {TCase{1, 0, small, small}, TCase{2, 0, -small, small},
                         TCase{3, 1, -big, -big}, TCase{4, 1, big, -big}, TCase{2, 1, -big, big}}) {
    CGPObject probe;
    probe.X = 1.5;
    probe.Y = 1.5;
    probe.Shadow = static_cast<std::uint8_t>(c.shadow);
    probe.Style3D = static_cast<std::uint8_t>(c.style3D);
    TTestSurface surface;
    probe.DrawShadow(surface.canvas, 0, 0, 100);
    const QRect ink = InkBox(surface.Finish());
    EXPECT_EQ(ink.left(), RoundHalfEven((1 + c.dx) * 96)) << c.shadow << c.style3D;
    EXPECT_EQ(ink.top(), RoundHalfEven((1 + c.dy) * 96)) << c.shadow << c.style3D;
  }

  // Shadow 3 with 3-D 1: the grey box is 5/24 inch (20 pixels) left of and above the object.
  CGPObject object;
  object.X = 1.5;
  object.Y = 1.5;
  object.Shadow = 3;
  object.Style3D = 1;
  {
    // No shadow code, no shadow.
    CGPObject none;
    none.X = 1.5;
    none.Y = 1.5;
    TTestSurface blank;
    none.DrawShadow(blank.canvas, 0, 0, 100);
    EXPECT_TRUE(InkBox(blank.Finish()).isEmpty());
  }
  TTestSurface surface;
  object.DrawShadow(surface.canvas, 0, 0, 100);
  const QImage& image = surface.Finish();
  const QRect ink = InkBox(image);
  EXPECT_EQ(ink.left(), 96 - 20);
  EXPECT_EQ(ink.top(), 96 - 20);
  EXPECT_EQ(QColor(image.pixel(80, 80)), QColor(180, 180, 180));
  EXPECT_EQ(QColor(image.pixel(190, 190)), QColor(Qt::white));
}

TEST(ObjectBase, ShadowMasksWhatLiesBelow)
{
  CGPObject object;
  object.X = 1;
  object.Y = 1;
  object.Shadow = 1;
  TTestSurface surface;
  surface.painter.fillRect(0, 0, 300, 300, QColor(0, 0, 255));  // pure blue below
  object.DrawShadow(surface.canvas, 0, 0, 100);
  // Blue AND grey keeps only the grey's blue channel.
  EXPECT_EQ(QColor(surface.Finish().pixel(100, 100)), QColor(0, 0, 180));
}

TEST(ObjectBase, AnchorsFindAnchorAndOutline)
{
  CGPObject object;
  object.X = 2;
  object.Y = 3;
  object.Width = 4;
  object.Height = 2;
  object.Recalculate(nullptr, true);
  ASSERT_EQ(object.Anchors.size(), 16u);
  EXPECT_EQ(object.Anchors[0], (TAnchor{-2, -0.5}));
  EXPECT_EQ(object.Anchors[15], (TAnchor{-2, -1}));
  // A full refresh gives the base text box and no number position.
  EXPECT_EQ(object.NumberX, -1);
  EXPECT_EQ(object.TextOffsetY, 0.05);
  EXPECT_EQ(object.TextHeight, 0.8);

  int index = 0;
  TModelPoint at;
  ASSERT_TRUE(object.FindAnchor({0.05, 2.55}, index, at));
  EXPECT_EQ(index, 1);
  EXPECT_EQ(at, (TModelPoint{0, 2.5}));
  EXPECT_FALSE(object.FindAnchor({0.1, 2.5}, index, at));  // 0.1 away is not less than 0.1
  CGPObject bare;
  EXPECT_FALSE(bare.FindAnchor({0, 0}, index, at));

  // The inverting outline disappears when drawn twice.
  TTestSurface surface;
  object.DrawOutline(surface.canvas, 0, 1, 1, 0, 0, 50);
  EXPECT_FALSE(InkBox(surface.image).isEmpty());
  object.DrawOutline(surface.canvas, 0, 1, 1, 0, 0, 50);
  EXPECT_TRUE(InkBox(surface.Finish()).isEmpty());

  // Anchor marks are inverted 5 x 5 bitmaps whose top-left is 2 pixels up and left.
  TTestSurface marks;
  object.DrawAnchors(marks.canvas, 0, 0, 100);
  const QImage& image = marks.Finish();
  EXPECT_EQ(QColor(image.pixel(0 - 2 + 2, 288 - 48 - 2)), QColor(Qt::black)) << "ring pixel";
}

TEST(ObjectBase, ArrowsAreDetachedWhenAnObjectGoes)
{
  auto* box = new CGPObject;
  box->X = 2;
  box->Y = 2;
  box->Recalculate(nullptr, true);
  CGPObject other;
  other.X = 6;
  other.Y = 2;
  other.Recalculate(nullptr, true);
  TArrow first;
  TArrow second;
  TArrow::AttachArrowEnd(box, &first, 10, TArrowEnd::Start);
  TArrow::AttachArrowEnd(&other, &first, -1, TArrowEnd::Finish);
  TArrow::AttachArrowEnd(box, &second, -1, TArrowEnd::Finish);
  first.ComputeArrowEnds();
  second.ComputeArrowEnds();
  ASSERT_EQ(box->AttachedArrows.size(), 2u);
  EXPECT_EQ(box->AttachedArrows.front(), &second);  // attached at the front
  const TModelPoint firstStart = first.Start();
  const TModelPoint secondEnd = second.End();
  EXPECT_EQ(firstStart, (TModelPoint{2.5, 2}));  // anchor 10 is the right middle

  delete box;
  EXPECT_EQ(first.FromObject, nullptr);
  EXPECT_EQ(first.FromAnchor, -1);
  EXPECT_EQ(first.Start(), firstStart);
  EXPECT_EQ(second.ToObject, nullptr);
  EXPECT_EQ(second.ToAnchor, -1);
  EXPECT_EQ(second.End(), secondEnd);
  EXPECT_EQ(first.ToObject, &other);
}

TEST(ObjectBase, DetachArrowRemovesEveryEntryOfALoopArrow)
{
  // An arrow with both ends on one object is listed twice; both entries must go, or the
  // second would dangle once the arrow is destroyed.
  CGPObject box;
  box.Recalculate(nullptr, true);
  {
    TArrow loop;
    TArrow::AttachArrowEnd(&box, &loop, 1, TArrowEnd::Start);
    TArrow::AttachArrowEnd(&box, &loop, 5, TArrowEnd::Finish);
    ASSERT_EQ(box.AttachedArrows.size(), 2u);
    EXPECT_TRUE(box.HasAttachedArrow(&loop));
    CGPObject* reference = &loop;
    box.ForgetIfAttached(reference);
    EXPECT_EQ(reference, nullptr);
  }
  EXPECT_TRUE(box.AttachedArrows.empty());
  // Detaching something that is not an arrow, or not attached, does nothing.
  CGPObject plain;
  box.DetachArrow(&plain);
  box.DetachArrow(nullptr);
  TArrow stranger;
  stranger.FromObject = &box;
  box.DetachArrow(&stranger);
  EXPECT_EQ(stranger.FromObject, &box);
  stranger.FromObject = nullptr;
}

TEST(ObjectBase, ArrowsOnArrowsRefreshOnceEvenInACycle)
{
  CGPObject box;
  box.Recalculate(nullptr, true);
  TArrow a, b, c;
  TArrow::AttachArrowEnd(&box, &a, -1, TArrowEnd::Start);
  for (TArrow* arrow : {&a, &b, &c})
    arrow->Recalculate(nullptr, true);
  // a's end on b, b's end on c, c's end on a: a cycle of arrows. Attaching refuses the end
  // that closes it, so the last link is tied by hand.
  TArrow::AttachArrowEnd(&b, &a, 6, TArrowEnd::Finish);
  TArrow::AttachArrowEnd(&c, &b, 6, TArrowEnd::Finish);
  c.ToObject = &a;
  c.ToAnchor = 6;
  a.AttachedArrows.insert(a.AttachedArrows.begin(), &c);
  TObjectList list{&box, &a, &b, &c};
  box.X = 3;
  box.Recalculate(&list, false);  // must return
  EXPECT_NEAR(a.FromX, 3, 1.0);
  for (TArrow* arrow : {&a, &b, &c})
    arrow->DetachAll();
}

TEST(ObjectBase, RecordLayoutOfTheBase)
{
  CGPObject object;
  object.Serial = 7;
  object.Number = 3;
  object.X = 1.25;
  object.Text = QByteArray("{\\rtf1 hi}");
  object.Shadow = 2;
  object.ShowNumber = true;
  object.DragX = 4.5;
  QByteArray bytes;
  TBinaryWriter writer(bytes);
  object.SaveToStream(writer);
  EXPECT_EQ(bytes.size(), 103 + object.Text.size());
  EXPECT_EQ(bytes.left(4), QByteArray::fromHex("ffffffff"));  // kind code of no class

  TBinaryReader reader(bytes);
  EXPECT_EQ(reader.ReadInt32(), -1);
  CGPObject copy;
  copy.Notes = QByteArray("kept");
  copy.LoadFromStream(reader);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(copy.Serial, 7);
  EXPECT_EQ(copy.Number, 3);
  EXPECT_EQ(copy.X, 1.25);
  EXPECT_EQ(copy.Text, object.Text);
  EXPECT_EQ(copy.Notes, QByteArray("kept"));  // an empty block leaves the stream alone
  EXPECT_EQ(copy.Shadow, 2);
  EXPECT_TRUE(copy.ShowNumber);
  EXPECT_EQ(copy.DragX, 4.5);
  EXPECT_EQ(copy.TextHeight, 0.55);
}

TEST(ObjectBase, ExtrusionFacesAreShadedByTheirDirection)
{
  // Extruding down and to the right shows the right and bottom faces in grey; the bottom
  // face faces bearing 180 and the right face bearing 90, which are shaded differently.
  CGPObject object;
  object.X = 1.5;
  object.Y = 1.5;
  object.Style3D = 1;
  TTestSurface surface;
  object.Draw3D(surface.canvas, 0, 0, 100);
  const QImage& image = surface.Finish();
  // The box covers 96..192 pixels; the faces are 12 pixels deep.
  const QColor right(image.pixel(192 + 5, 150));
  const QColor bottom(image.pixel(150, 192 + 5));
  // Face channel = half + f x (c - half) with c = 192, f = |120 - bearing| / 180.
  EXPECT_NEAR(right.red(), 96 + (30.0 / 180.0) * 96, 2);
  EXPECT_NEAR(bottom.red(), 96 + (60.0 / 180.0) * 96, 2);
  EXPECT_EQ(QColor(image.pixel(90, 90)), QColor(Qt::white));  // nothing on the far side
  // Extruding up and to the left shows the top face, which faces bearing 0.
  object.Style3D = 3;
  TTestSurface up;
  object.Draw3D(up.canvas, 0, 0, 100);
  const QColor top(up.Finish().pixel(130, 96 - 5));
  EXPECT_NEAR(top.red(), 96 + (120.0 / 180.0) * 96, 2);
}

TEST(ObjectBase, TextIsLaidOutAndDrawnInTheTextBox)
{
  CGPObject object;
  object.X = 1.5;
  object.Y = 1.5;
  object.Width = 2;
  object.Height = 1;
  object.Text = QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs48 Hello\\par}");
  object.Recalculate(nullptr, true);
  // The layout waits until the text is first needed.
  EXPECT_TRUE(object.TextLayout.Empty());
  object.EnsureTextLayout();
  ASSERT_FALSE(object.TextLayout.Empty());
  EXPECT_GT(object.TextExtent.Width, 0.3);
  TTestSurface surface;
  object.DrawText(surface.canvas, 0, 0, 0, 100, 0);
  const QRect ink = InkBox(surface.Finish());
  ASSERT_FALSE(ink.isEmpty());
  // The text lies inside the object's box (0.5 .. 2.5 by 1 .. 2 inches).
  EXPECT_GE(ink.left(), 48);
  EXPECT_LE(ink.right(), 240);
  EXPECT_GE(ink.top(), 96);
  EXPECT_LE(ink.bottom(), 192);
  // Clearing the text clears the layout at the next refresh.
  object.Text.clear();
  object.Recalculate(nullptr, true);
  object.EnsureTextLayout();
  EXPECT_TRUE(object.TextLayout.Empty());
  // A change of text after drawing is laid out again at the next draw.
  object.Text = QByteArray("{\\rtf1\\ansi\\f0\\fs48 Hi there\\par}");
  object.Recalculate(nullptr, true);
  TTestSurface again;
  object.DrawText(again.canvas, 0, 0, 0, 100, 0);
  EXPECT_FALSE(object.TextLayout.Empty());
  EXPECT_FALSE(InkBox(again.Finish()).isEmpty());
}

TEST(ObjectBase, KindCodesNameTheClassesTheyAreCastTo)
{
  // The casts by kind code stand for casts over the class tree for every kind the factory
  // makes; a new kind in the wrong place would be taken for what it is not.
  for (int kind = TObjectFactory::kMinKind; kind <= TObjectFactory::kMaxKind; ++kind) {
    const std::unique_ptr<CGPObject> object(TObjectFactory::Create(kind));
    ASSERT_EQ(object->KindCode(), kind);
    EXPECT_EQ(TKindCast::Arrow(object.get()), dynamic_cast<TArrow*>(object.get())) << kind;
    EXPECT_EQ(TKindCast::Cluster(object.get()), dynamic_cast<TCluster*>(object.get())) << kind;
    EXPECT_EQ(TKindCast::Angled(object.get()), dynamic_cast<const TAngled*>(object.get())) << kind;
    EXPECT_EQ(TKindCast::Member(object.get()),
              kind == okCluster ? nullptr : dynamic_cast<TClusteredObject*>(object.get()))
        << kind;
  }
  // A base part asks the class tree.
  TClusteredObject member;
  EXPECT_EQ(TKindCast::Member(&member), &member);
  EXPECT_EQ(TKindCast::Angled(&member), nullptr);
}
