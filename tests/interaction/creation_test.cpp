// The creation tools driven as a user drives them: shapes placed by clicking, boxes dragged
// into clusters, labels and hotspots, free shapes drawn, arrows drawn and adjusted.
#include <gtest/gtest.h>

#include "interaction/creation/createarrowsmode.h"
#include "interaction/cursorid.h"
#include "interaction/gesturesurface.h"
#include "interaction/textediting.h"
#include "model/arrow.h"
#include "model/cluster.h"
#include "model/outlines/shapegenerator.h"
#include "model/shapes/freeshape.h"
#include "model/shapes/label.h"
#include "testsupport.h"

namespace {

const QPoint kEmpty(700, 500);  // a pixel of the surface far from every object

void EnterHexagonTool(TGestureSurface& s)
{
  s.document.CreateKind = okCogi;
  s.document.CreateVariant = 7;
  s.document.CreateWidth = s.document.CreateHeight = 1.25;
  s.document.ChangeMode(opPlaceShape);
}

// A click where the pointer has come to, as a hand makes it.
void MoveAndClick(TGestureSurface& s, QPoint at, Qt::KeyboardModifiers keys = {})
{
  s.Move(at, keys);
  s.Click(at, Qt::LeftButton, keys);
}

TArrow* AddArrow(TGestureSurface& s, TModelPoint from, TModelPoint to)
{
  auto* arrow = static_cast<TArrow*>(s.document.CreateObject(okArrow));
  arrow->FromX = from.X;
  arrow->FromY = from.Y;
  arrow->ToX = to.X;
  arrow->ToY = to.Y;
  arrow->Recalculate(&s.document.Objects, true);
  return arrow;
}

TArrow* LastArrow(TGestureSurface& s)
{
  return dynamic_cast<TArrow*>(s.document.Objects.back());
}

const TArrowWorking& Working(TGestureSurface& s)
{
  return static_cast<TCreateArrowsMode*>(s.box->Machine().Handler(opCreateArrows))->Working();
}

// Pixels the feedback over the model changes.
int OverlayInk(TGestureSurface& s)
{
  const QImage& mask = s.box->Overlay().Mask();
  int ink = 0;
  for (int y = 0; y < mask.height(); ++y)
    for (int x = 0; x < mask.width(); ++x)
      ink += (mask.pixel(x, y) & 0xFFFFFF) != 0;
  return ink;
}

// Text editors that only note what they were opened on.
struct TNotedEditing : ITextEditing {
  void Open(CGPObject* object) override { edited = object; }
  bool Close(bool) override { return false; }
  CGPObject* EditedObject() const override { return edited; }
  void Focus() override {}
  CGPObject* edited = nullptr;
};

QString LastCaption(const TGestureSurface& s)
{
  return s.document.UndoList.empty() ? QString() : s.document.UndoList.back().Caption;
}

}  // namespace

TEST(PlaceShapes, ThreeClicksMakeThreeHexagonsOnTheGridAndOneUndoEntry)
{
  TGestureSurface s;
  EnterHexagonTool(s);
  EXPECT_EQ(s.box->WindowCursorId(), crNone);
  MoveAndClick(s, s.Pixel(2.1, 2.05));
  MoveAndClick(s, s.Pixel(5.4, 2.2));
  MoveAndClick(s, s.Pixel(2.0, 5.2));
  EXPECT_EQ(s.UndoCount(), 0);
  s.Click(kEmpty, Qt::RightButton);
  EXPECT_EQ(s.Mode(), opNone);
  ASSERT_EQ(s.document.Objects.size(), 3u);
  const TModelPoint expected[] = {{2, 2}, {5.5, 2.25}, {2, 5.25}};
  for (int i = 0; i < 3; ++i) {
    auto* cogi = dynamic_cast<TCogi*>(s.document.Objects[i]);
    ASSERT_TRUE(cogi);
    EXPECT_EQ(cogi->ShapeVariant, 7);
    EXPECT_EQ(cogi->Centre(), expected[i]);
    EXPECT_EQ(cogi->Anchors.size(), 12u);  // refreshed as it was made
  }
  ASSERT_EQ(s.UndoCount(), 1);
  EXPECT_EQ(LastCaption(s), QStringLiteral("Create Shapes"));
  s.recorder.Undo(s.document);
  EXPECT_TRUE(s.document.Objects.empty());

  // Alt lets the shape go where the pointer is.
  EnterHexagonTool(s);
  MoveAndClick(s, s.Pixel(2.1, 2.05), Qt::AltModifier);
  ASSERT_EQ(s.document.Objects.size(), 1u);
  EXPECT_NEAR(s.document.Objects[0]->X, 2.1, 0.5 / 96);
  EXPECT_NEAR(s.document.Objects[0]->Y, 2.05, 0.5 / 96);
}

TEST(PlaceShapes, AVertexSnapsOntoAnotherShapesVertexWithinHalfAnInch)
{
  TGestureSurface s;
  s.document.SnapToGrid = false;
  for (double y : {3.0, 6.0, 9.0})
    s.Cogi(3, y);
  s.Paint();
  EnterHexagonTool(s);
  // The neighbour that shares two corners with a hexagon at (3, y) sits at (4.25, y).
  MoveAndClick(s, s.Pixel(4.55, 3));
  MoveAndClick(s, s.Pixel(4.85, 6));
  MoveAndClick(s, s.Pixel(4.55, 9), Qt::ShiftModifier);
  ASSERT_EQ(s.document.Objects.size(), 6u);
  EXPECT_NEAR(s.document.Objects[3]->X, 4.25, 1e-12);
  EXPECT_NEAR(s.document.Objects[3]->Y, 3.0, 1e-12);
  // 0.6 inch away nothing snaps; Shift switches snapping to shapes off.
  EXPECT_NEAR(s.document.Objects[4]->X, 4.85, 0.5 / 96);
  EXPECT_NEAR(s.document.Objects[5]->X, 4.55, 0.5 / 96);
}

TEST(Clusters, ADraggedBoxMakesAClusterUnderEverythingAndAClickMakesNone)
{
  TGestureSurface s;
  TCogi* member = s.Cogi(3, 2);
  s.Baseline();
  s.Paint();
  s.document.CreateKind = okCluster;
  s.document.CreateVariant = 0;
  s.document.ChangeMode(opCreateClusters);
  s.Drag(s.Pixel(1, 1), s.Pixel(5, 3));
  ASSERT_EQ(s.document.Objects.size(), 2u);
  auto* cluster = dynamic_cast<TCluster*>(s.document.Objects[0]);
  ASSERT_TRUE(cluster);
  EXPECT_EQ(cluster->Centre(), (TModelPoint{3, 2}));
  EXPECT_EQ(cluster->Width, 4.0);
  EXPECT_EQ(cluster->Height, 2.0);
  EXPECT_FALSE(cluster->Outline.empty());
  EXPECT_EQ(member->Cluster, cluster);
  EXPECT_FALSE(s.box->CursorConfined());  // released between drags
  // A click has no size: no cluster that could never be selected again.
  s.Click(s.Pixel(7, 5));
  EXPECT_EQ(s.document.Objects.size(), 2u);
  EXPECT_EQ(s.Mode(), opCreateClusters);
  s.Click(kEmpty, Qt::RightButton);
  ASSERT_EQ(s.UndoCount(), 1);
  EXPECT_EQ(LastCaption(s), QStringLiteral("Create Clusters"));
}

TEST(Labels, ANewLabelCoversItsBoxBareAndRefreshed)
{
  TGestureSurface s;
  auto* cluster = static_cast<TCluster*>(s.document.CreateObject(okCluster));
  cluster->X = 3;
  cluster->Y = 1.5;
  cluster->Width = 6;
  cluster->Height = 3;
  cluster->Outline = MakeShapeOutline(okCluster, 3, 6, 3);
  cluster->Recalculate(&s.document.Objects, true);
  s.document.Shadow = 1;
  s.Baseline();
  s.Paint();
  s.document.ChangeMode(opCreateLabel);
  s.Drag(s.Pixel(1, 1), s.Pixel(5, 2));
  ASSERT_EQ(s.document.Objects.size(), 2u);
  auto* label = dynamic_cast<TLabel*>(s.document.Objects[1]);
  ASSERT_TRUE(label);
  EXPECT_EQ(label->Centre(), (TModelPoint{3, 1.5}));
  EXPECT_EQ(label->Width, 4.0);
  EXPECT_EQ(label->Height, 1.0);
  EXPECT_EQ(label->TextWidth, 1.0);
  EXPECT_EQ(label->FillStyle, kFillClear);
  EXPECT_EQ(label->LineStyle, kLineNone);
  EXPECT_EQ(label->Shadow, 0);
  // Refreshed when made: it has anchors for arrows and belongs to the cluster under it.
  EXPECT_EQ(label->Anchors.size(), 16u);
  EXPECT_EQ(label->Cluster, cluster);
  // Without text editors the tool ends here, recording the label.
  EXPECT_EQ(s.Mode(), opNone);
  ASSERT_EQ(s.UndoCount(), 1);
  EXPECT_EQ(LastCaption(s), QStringLiteral("Create Label"));

  // With text editors the new label's text is edited at once; the label is recorded first.
  TNotedEditing editing;
  s.box->SetTextEditing(&editing);
  s.document.ChangeMode(opCreateLabel);
  s.Drag(s.Pixel(1, 3), s.Pixel(3, 4));
  ASSERT_EQ(s.document.Objects.size(), 3u);
  EXPECT_EQ(editing.edited, s.document.Objects[2]);
  EXPECT_EQ(s.Mode(), opEditText);
  EXPECT_EQ(s.UndoCount(), 2);
  s.box->SetTextEditing(nullptr);
}

TEST(Hotspots, BoxesMakeHotspotsAndABoxWithoutWidthMakesNothing)
{
  TGestureSurface s;
  s.document.ChangeMode(opCreateHotspot);
  s.Drag(s.Pixel(2, 1), s.Pixel(2, 4));
  EXPECT_TRUE(s.document.Objects.empty());
  EXPECT_FALSE(s.box->CursorConfined());
  s.Drag(s.Pixel(2, 1), s.Pixel(4, 4));
  ASSERT_EQ(s.document.Objects.size(), 1u);
  const CGPObject* hotspot = s.document.Objects[0];
  EXPECT_EQ(hotspot->KindCode(), okHotspot);
  EXPECT_EQ(hotspot->Centre(), (TModelPoint{3, 2.5}));
  EXPECT_EQ(hotspot->Width, 2.0);
  EXPECT_FALSE(s.box->CursorConfined());  // released between drags
  EXPECT_EQ(s.Mode(), opCreateHotspot);
  s.Click(kEmpty, Qt::RightButton);
  EXPECT_EQ(LastCaption(s), QStringLiteral("Create Shapes"));
}

TEST(Freeform, ThreeCornersAndAClickOnTheFirstCloseAFilledShape)
{
  TGestureSurface s;
  s.document.FillStyle = kFillPattern;
  s.document.CreateKind = okFreeShape;
  s.document.ChangeMode(opFreeform);
  for (const QPoint& corner : {s.Pixel(1, 1), s.Pixel(3, 1), s.Pixel(2, 3)})
    MoveAndClick(s, corner);
  EXPECT_TRUE(s.document.Objects.empty());
  MoveAndClick(s, s.Pixel(1, 1) + QPoint(5, -4));
  ASSERT_EQ(s.document.Objects.size(), 1u);
  auto* shape = dynamic_cast<TFreeShape*>(s.document.Objects[0]);
  ASSERT_TRUE(shape);
  EXPECT_TRUE(shape->IsClosed());
  EXPECT_EQ(shape->Outline.size(), 4u);
  EXPECT_EQ(shape->FillStyle, kFillSolid);
  EXPECT_EQ(shape->Centre(), (TModelPoint{2, 2}));  // centred on its box
  EXPECT_EQ(shape->Width, 2.0);
  EXPECT_TRUE(shape->Selected);
  EXPECT_EQ(s.Mode(), opNone);
  EXPECT_EQ(LastCaption(s), QStringLiteral("Create Shapes"));

  // A right click after three points makes an open line without fill.
  s.document.ChangeMode(opFreeform);
  for (const QPoint& corner : {s.Pixel(5, 1), s.Pixel(7, 1), s.Pixel(7, 2)})
    MoveAndClick(s, corner);
  s.Click(kEmpty, Qt::RightButton);
  ASSERT_EQ(s.document.Objects.size(), 2u);
  shape = dynamic_cast<TFreeShape*>(s.document.Objects[1]);
  ASSERT_TRUE(shape);
  EXPECT_FALSE(shape->IsClosed());
  EXPECT_EQ(shape->Outline.size(), 3u);
  EXPECT_EQ(shape->FillStyle, kFillClear);
}

TEST(Freeform, AFreeformClusterLiesUnderEverythingAsVariant17)
{
  TGestureSurface s;
  s.Cogi(4, 4);
  s.document.CreateKind = okCluster;
  s.document.ChangeMode(opFreeform);
  // Scribbled with the button held, closed by coming back to where the scribble began.
  s.Press(s.Pixel(2, 2));
  for (const TModelPoint& p : {TModelPoint{2.07, 2}, {6, 2}, {6, 6}, {2, 6}, {2.02, 2.03}})
    s.Move(s.Pixel(p.X, p.Y));
  s.Release(s.Pixel(2.02, 2.03));
  ASSERT_EQ(s.document.Objects.size(), 2u);
  auto* cluster = dynamic_cast<TCluster*>(s.document.Objects[0]);
  ASSERT_TRUE(cluster);
  EXPECT_EQ(cluster->ShapeVariant, 17);
  EXPECT_EQ(s.document.Objects[1]->KindCode(), okCogi);
  EXPECT_EQ(cluster->Members.size(), 1u);
}

TEST(MendedFaults, AFreeformOfOnePointOrAShortScribbleMakesNoShape)
{
  TGestureSurface s;
  s.document.CreateKind = okFreeShape;
  s.document.ChangeMode(opFreeform);
  MoveAndClick(s, s.Pixel(2, 2));
  s.Click(kEmpty, Qt::RightButton);
  EXPECT_TRUE(s.document.Objects.empty());
  EXPECT_EQ(s.Mode(), opNone);

  // A scribble of a point or two released where it began does not close into a shape.
  s.document.ChangeMode(opFreeform);
  const QPoint at = s.Pixel(3, 3);
  s.Press(at);
  s.Move(at + QPoint(6, 0));
  s.Move(at + QPoint(7, 1));
  s.Release(at + QPoint(1, 1));
  EXPECT_TRUE(s.document.Objects.empty());
  EXPECT_EQ(s.Mode(), opFreeform);
  // Its two points make an open line, which has a size.
  s.Click(kEmpty, Qt::RightButton);
  ASSERT_EQ(s.document.Objects.size(), 1u);
  EXPECT_GT(s.document.Objects[0]->Width, 0.0);
}

TEST(Arrows, DraggedFromTheEmptySurfaceIntoACogiEndsOnItsBestAnchor)
{
  TGestureSurface s;
  TCogi* cogi = s.Cogi(5, 3);
  s.Baseline();
  s.Paint();
  s.document.NewArrowStyle = 3;
  s.document.NewArrowB = 1;
  s.document.ChangeMode(opCreateArrows);
  s.Move(s.Pixel(1.05, 3.1));
  s.Press(s.Pixel(1.05, 3.1));
  s.Move(s.Pixel(3, 3.1));
  s.Move(s.Pixel(5.1, 3.2));
  EXPECT_EQ(s.box->ScreenCursorId(), crCrossAuto);
  const TArrowWorking shown = Working(s);
  s.Release(s.Pixel(5.1, 3.2));
  TArrow* arrow = LastArrow(s);
  ASSERT_TRUE(arrow);
  EXPECT_EQ(arrow->Start(), (TModelPoint{1, 3}));  // free, on the grid
  EXPECT_EQ(arrow->FromObject, nullptr);
  EXPECT_EQ(arrow->ToObject, cogi);
  EXPECT_EQ(arrow->ToAnchor, -1);
  EXPECT_EQ(arrow->End(), TArrow::BestAnchor(arrow->Start(), cogi, 0));
  EXPECT_EQ(arrow->ToHead, 3);
  EXPECT_EQ(arrow->FromHead, 1);
  // What the line showed is what was made, and a refresh keeps it there.
  EXPECT_EQ(arrow->Start(), shown.ArrowFromPoint);
  EXPECT_EQ(arrow->End(), shown.ArrowToPoint);
  arrow->ComputeArrowEnds();
  EXPECT_EQ(arrow->End(), shown.ArrowToPoint);
  // A second line, then the right click: one entry for both.
  s.Drag(s.Pixel(1, 5), s.Pixel(3, 6));
  EXPECT_EQ(s.document.Objects.size(), 3u);
  EXPECT_EQ(s.UndoCount(), 0);
  s.Click(kEmpty, Qt::RightButton);
  ASSERT_EQ(s.UndoCount(), 1);
  EXPECT_EQ(LastCaption(s), QStringLiteral("Create Arrows"));
  // A click makes no arrow.
  s.document.ChangeMode(opCreateArrows);
  s.Click(s.Pixel(2, 7));
  EXPECT_EQ(s.document.Objects.size(), 3u);
}

TEST(Arrows, AnEndReleasedOnAnAnchorLocksThereAndFollowsTheObject)
{
  TGestureSurface s;
  TCogi* cogi = s.Cogi(5, 3);
  s.Paint();
  s.document.ChangeMode(opCreateArrows);
  // Anchor 4 of the hexagon is the middle of its left side, (4.375, 3).
  s.Move(s.Pixel(1, 1));
  s.Drag(s.Pixel(1, 1), s.Pixel(4.425, 3.05));
  TArrow* arrow = LastArrow(s);
  ASSERT_TRUE(arrow);
  EXPECT_EQ(arrow->ToObject, cogi);
  EXPECT_EQ(arrow->ToAnchor, 4);
  EXPECT_EQ(arrow->End(), (TModelPoint{4.375, 3}));
  cogi->X = 7;
  cogi->Recalculate(&s.document.Objects, false);
  EXPECT_EQ(arrow->End(), (TModelPoint{6.375, 3}));
}

TEST(MendedFaults, AnEndDroppedOnAnArrowTakesItsNearestAnchorCountedFromOne)
{
  TGestureSurface s;
  // Anchors every 0.6 inch from the start: anchor 6 is (5, 5).
  TArrow* carrier = AddArrow(s, {2, 5}, {8, 5});
  s.Paint();
  s.document.ChangeMode(opCreateArrows);
  s.Move(s.Pixel(5.25, 1));
  s.Drag(s.Pixel(5.25, 1), s.Pixel(5.25, 5.02));
  TArrow* arrow = LastArrow(s);
  ASSERT_NE(arrow, carrier);
  EXPECT_EQ(arrow->ToObject, carrier);
  EXPECT_EQ(arrow->ToAnchor, 6);
  EXPECT_EQ(arrow->End(), (TModelPoint{5, 5}));
  // A refresh, as at the next reload, leaves the end where it was dropped.
  arrow->ComputeArrowEnds();
  EXPECT_EQ(arrow->End(), (TModelPoint{5, 5}));
}

TEST(MendedFaults, APressWithoutAHoverStartsTheArrowAtThePress)
{
  TGestureSurface s;
  TCogi* cogi = s.Cogi(2, 3);
  s.Paint();
  s.document.ChangeMode(opCreateArrows);
  s.Move(kEmpty);
  // The pointer reached the hexagon without a move being seen.
  s.Press(s.Pixel(cogi));
  s.Move(s.Pixel(5, 1));
  s.Release(s.Pixel(5, 1));
  TArrow* arrow = LastArrow(s);
  ASSERT_TRUE(arrow);
  EXPECT_EQ(arrow->FromObject, cogi);
  EXPECT_EQ(arrow->Start(), TArrow::BestAnchor(arrow->End(), cogi, 0));
}

TEST(MendedFaults, AnEndOnTheStartObjectIsRefusedBeforeItIsPlaced)
{
  TGestureSurface s;
  TCogi* cogi = s.Cogi(3, 3);
  s.Paint();
  s.document.ChangeMode(opCreateArrows);
  // Pressed on the anchor in the middle of the right side: both ends would be on the
  // hexagon, so the end is refused at once, with no anchor.
  const QPoint anchor = s.Pixel(3.625, 3.02);
  s.Move(anchor);
  s.Press(anchor);
  EXPECT_EQ(Working(s).ArrowFromObject, cogi);
  EXPECT_EQ(Working(s).ArrowToObject, nullptr);
  EXPECT_EQ(Working(s).ArrowToAnchor, -1);
  s.Move(s.Pixel(3.3, 3.4));
  s.Move(s.Pixel(3.64, 2.97));
  EXPECT_EQ(Working(s).ArrowToObject, nullptr);
  EXPECT_EQ(Working(s).ArrowToAnchor, -1);
  EXPECT_EQ(s.box->ScreenCursorId(), crDrawArrow);
  s.Release(s.Pixel(3.64, 2.97));
  TArrow* arrow = LastArrow(s);
  ASSERT_TRUE(arrow);
  EXPECT_EQ(arrow->ToObject, nullptr);
  EXPECT_EQ(arrow->ToAnchor, -1);
  EXPECT_EQ(cogi->AttachedArrows.size(), 1u);
}

TEST(AdjustArrow, TheBendHandleDraggedAnInchEitherWayBendsByAnInch)
{
  TGestureSurface s;
  TArrow* arrow = AddArrow(s, {2, 3}, {6, 3});
  s.document.SelectObject(arrow, false);
  s.Baseline();
  s.Paint();
  // Up is left of the travel from start to end.
  s.Drag(s.Pixel(4, 3), s.Pixel(4, 2));
  EXPECT_NEAR(arrow->ChordHeight, 1.0, 0.02);
  EXPECT_EQ(s.Mode(), opNone);
  ASSERT_EQ(s.UndoCount(), 1);
  EXPECT_EQ(LastCaption(s), QStringLiteral("Adjust Arrow"));
  s.Paint();
  s.Drag(s.Pixel(4, 2), s.Pixel(4, 4));
  EXPECT_NEAR(arrow->ChordHeight, -1.0, 0.02);
}

TEST(AdjustArrow, AnEndDraggedToAnotherCogiMovesTheAttachment)
{
  TGestureSurface s;
  TCogi* a = s.Cogi(2, 3);
  TCogi* b = s.Cogi(6, 3);
  TCogi* c = s.Cogi(6, 6);
  auto* arrow = static_cast<TArrow*>(s.document.CreateObject(okArrow));
  TArrow::AttachArrowEnd(a, arrow, -1, TArrowEnd::Start);
  TArrow::AttachArrowEnd(b, arrow, -1, TArrowEnd::Finish);
  arrow->ComputeArrowEnds();
  arrow->Recalculate(&s.document.Objects, true);
  s.document.SelectObject(arrow, false);
  s.Paint();
  s.Drag(s.Pixel(arrow->ToX, arrow->ToY), s.Pixel(6.1, 6.1));
  EXPECT_EQ(arrow->ToObject, c);
  EXPECT_FALSE(b->HasAttachedArrow(arrow));
  EXPECT_TRUE(c->HasAttachedArrow(arrow));
  EXPECT_EQ(arrow->End(), TArrow::PlaceEnds({a, c, -1, -1, {}, {}}, 0).End);
}

TEST(MendedFaults, AdjustingAnArrowToNoLengthKeepsIt)
{
  TGestureSurface s;
  TArrow* arrow = AddArrow(s, {2, 3}, {6, 3});
  s.document.SelectObject(arrow, false);
  s.Baseline();
  s.Paint();
  s.Drag(s.Pixel(6, 3), s.Pixel(2, 3));
  EXPECT_EQ(arrow->Start(), (TModelPoint{2, 3}));
  EXPECT_EQ(arrow->End(), (TModelPoint{6, 3}));
  EXPECT_EQ(s.UndoCount(), 0);
  EXPECT_EQ(s.Mode(), opNone);
}

TEST(MendedFaults, AnArrowEndCannotGoOntoAnArrowThatLeadsBackToIt)
{
  TGestureSurface s;
  // c's end on b, b's end on a; then a's end is dragged onto c.
  TArrow* a = AddArrow(s, {1, 5}, {9, 5});
  TArrow* b = AddArrow(s, {3, 1}, {5, 5});
  TArrow::AttachArrowEnd(a, b, 6, TArrowEnd::Finish);
  b->ComputeArrowEnds();
  b->Recalculate(&s.document.Objects, true);
  TArrow* c = AddArrow(s, {8, 1}, {4, 3});
  TArrow::AttachArrowEnd(b, c, 6, TArrowEnd::Finish);
  c->ComputeArrowEnds();
  c->Recalculate(&s.document.Objects, true);
  s.document.SelectObject(a, false);
  s.Paint();
  // Between two of c's anchors, well away from both.
  const TModelPoint onC{(c->Anchors[2].DX + c->Anchors[3].DX) / 2,
                        (c->Anchors[2].DY + c->Anchors[3].DY) / 2};
  s.Press(s.Pixel(9, 5));
  s.Move(s.Pixel(onC.X, onC.Y));
  EXPECT_EQ(s.box->ScreenCursorId(), crDrawArrow);
  s.Release(s.Pixel(onC.X, onC.Y));
  EXPECT_EQ(a->ToObject, nullptr);
  EXPECT_EQ(a->ToAnchor, -1);
  EXPECT_FALSE(c->HasAttachedArrow(a));
}

TEST(CreationPictures, PlacingAHexagonWithSnappingAndDrawingAnArrowWithItsAnchorMarks)
{
  TGestureSurface s(QSize(640, 420));
  s.Cogi(2, 2);
  s.Cogi(3.25, 2);
  TCogi* target = s.Cogi(5.5, 3.5);
  s.Paint();
  EnterHexagonTool(s);
  // Near the nook below the first two: the outline snaps onto their corners.
  s.Move(s.Pixel(2.7, 3.0));
  EXPECT_FALSE(s.box->Overlay().IsEmpty());
  QImage shot = s.box->Overlay().Apply(s.box->ModelImage());
  ASSERT_TRUE(shot.save(testsupport::OutputPath(QStringLiteral("place_hexagon_snapping.png"))));
  // The window shows the model with the outline's pixels inverted, drawn straight over it.
  QImage inverted = s.box->ModelImage().convertToFormat(QImage::Format_RGB32);
  const QImage& mask = s.box->Overlay().Mask();
  for (int y = 0; y < inverted.height(); ++y)
    for (int x = 0; x < inverted.width(); ++x)
      inverted.setPixel(x, y, inverted.pixel(x, y) ^ (mask.pixel(x, y) & 0xFFFFFF));
  EXPECT_EQ(s.box->grab().toImage().convertToFormat(QImage::Format_RGB32), inverted);
  s.Click(s.Pixel(2.7, 3.0));
  EXPECT_EQ(s.document.Objects.back()->Centre(), (TModelPoint{2.625, 2.9375}));
  s.Click(kEmpty, Qt::RightButton);

  s.document.ChangeMode(opCreateArrows);
  s.Move(s.Pixel(1, 4));
  s.Press(s.Pixel(1, 4));
  s.Move(s.Pixel(2.5, 4));
  s.Move(s.Pixel(target->X + 0.1, target->Y + 0.1));
  // Every anchor of the target is marked, but where the line ends on one.
  int marked = 0;
  for (std::size_t k = 1; k <= target->Anchors.size(); ++k) {
    const TModelPoint p = TArrow::AnchorPosition(target, static_cast<int>(k));
    marked += QColor(s.box->Overlay().Mask().pixel(s.Pixel(p.X, p.Y))) == QColor(Qt::white);
  }
  EXPECT_GE(marked, static_cast<int>(target->Anchors.size()) - 1);
  shot = s.box->Overlay().Apply(s.box->ModelImage());
  ASSERT_TRUE(shot.save(testsupport::OutputPath(QStringLiteral("draw_arrow_anchor_marks.png"))));
  s.Release(s.Pixel(target->X + 0.1, target->Y + 0.1));
  EXPECT_GT(OverlayInk(s), 0);  // the marks of the next arrow's start
  s.Click(kEmpty, Qt::RightButton);
  EXPECT_EQ(OverlayInk(s), 0);
}
