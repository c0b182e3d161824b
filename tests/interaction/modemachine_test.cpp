// The operation modes driven as a user drives them: real mouse and key events on the
// drawing surface, checked against the model and the undo list.
#include <gtest/gtest.h>

#include <limits>

#include "document/modelview.h"
#include "interaction/cursorid.h"
#include "interaction/gesturesurface.h"
#include "interaction/textediting.h"
#include "model/layers/gateway.h"
#include "model/outlines/shapegenerator.h"

namespace {

const QPoint kEmpty(700, 500);  // a pixel of the surface far from every object

}  // namespace

TEST(Selecting, AClickSelectsAndAFivePixelWiggleIsStillAClick)
{
  TGestureSurface s;
  TCogi* a = s.Cogi(2, 2);
  s.Paint();
  const QPoint at = s.Pixel(a);
  s.Press(at);
  s.Move(at + QPoint(5, -5));
  s.Release(at + QPoint(5, -5));
  EXPECT_TRUE(a->Selected);
  EXPECT_EQ(s.Mode(), opNone);
  EXPECT_EQ(a->X, 2.0);
  EXPECT_EQ(s.UndoCount(), 0);
  EXPECT_FALSE(s.document.ChangePending);

  // Six pixels from the empty surface start a rubber band.
  s.Press(kEmpty);
  s.Move(kEmpty + QPoint(-6, 0));
  EXPECT_EQ(s.Mode(), opSelectBox);
  s.Release(kEmpty + QPoint(-6, 0));
  EXPECT_EQ(s.Mode(), opNone);
  EXPECT_FALSE(a->Selected);
}

TEST(Selecting, ShiftClickAddsAndRemoves)
{
  TGestureSurface s;
  TCogi* a = s.Cogi(2, 2);
  TCogi* b = s.Cogi(4, 2);
  s.Paint();
  s.Click(s.Pixel(a));
  s.Click(s.Pixel(b), Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_TRUE(a->Selected && b->Selected);
  s.Click(s.Pixel(a), Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_FALSE(a->Selected);
  EXPECT_TRUE(b->Selected);
  // A plain click on the other object drops the rest.
  s.Click(s.Pixel(a));
  EXPECT_TRUE(a->Selected);
  EXPECT_FALSE(b->Selected);
}

TEST(Selecting, ARubberBandTakesWhatItEnclosesAndShiftKeepsTheRest)
{
  TGestureSurface s;
  TCogi* a = s.Cogi(2, 2);
  TCogi* b = s.Cogi(4, 2);
  TCogi* c = s.Cogi(2, 5);
  s.Paint();
  // All of A, the left part of B; while the band grows, only its latest box shows.
  s.Press(s.Pixel(1, 1));
  for (double x : {1.5, 2.5, 3.5, 4.0})
    s.Move(s.Pixel(x, x - 1));
  TOverlay expected;
  expected.Reset(s.box->size());
  expected.RubberBox(s.Pixel(1, 1), s.Pixel(4, 3));
  EXPECT_EQ(s.box->Overlay().Mask(), expected.Mask());
  s.Release(s.Pixel(4, 3));
  EXPECT_TRUE(a->Selected);
  EXPECT_FALSE(b->Selected);
  EXPECT_FALSE(c->Selected);

  s.Click(s.Pixel(c));
  s.Drag(s.Pixel(1, 1), s.Pixel(4, 3), Qt::ShiftModifier);
  EXPECT_TRUE(a->Selected);
  EXPECT_FALSE(b->Selected);
  EXPECT_TRUE(c->Selected);
  EXPECT_EQ(s.UndoCount(), 0);
}

TEST(Sting, ThreeStingsAndARightClickAreOneUndoEntry)
{
  TGestureSurface s;
  TCogi* keep = s.Cogi(6, 4);
  std::vector<TCogi*> doomed = {s.Cogi(1, 1), s.Cogi(3, 1), s.Cogi(5, 1)};
  s.Baseline();
  s.Paint();
  s.document.ChangeMode(opSting);
  for (TCogi* cogi : doomed)
    s.Click(s.Pixel(cogi));
  EXPECT_EQ(s.document.Objects.size(), 1u);
  EXPECT_EQ(s.UndoCount(), 0);
  s.Click(kEmpty, Qt::RightButton);
  EXPECT_EQ(s.Mode(), opNone);
  ASSERT_EQ(s.UndoCount(), 1);
  EXPECT_EQ(s.document.UndoList.back().Caption, QStringLiteral("Sting Cogis"));
  s.recorder.Undo(s.document);
  EXPECT_EQ(s.document.Objects.size(), 4u);
  (void)keep;
}

TEST(Sting, UndoEndsTheRunningToolFirstSoItsEditsAreTheirOwnEntry)
{
  TGestureSurface s;
  s.Cogi(1, 1);
  TCogi* b = s.Cogi(3, 1);
  s.Baseline();
  s.document.ChangePending = true;
  s.document.RecordUndo(QStringLiteral("Earlier Edit"));
  s.Paint();
  s.document.ChangeMode(opSting);
  s.Click(s.Pixel(b));
  s.recorder.Undo(s.document);
  // Only the sting is undone; the earlier edit stays on the list.
  EXPECT_EQ(s.Mode(), opNone);
  EXPECT_EQ(s.document.Objects.size(), 2u);
  ASSERT_EQ(s.UndoCount(), 1);
  EXPECT_EQ(s.document.UndoList.back().Caption, QStringLiteral("Earlier Edit"));
}

TEST(Paint, EachTargetPaintsItsAttributeOrTheModel)
{
  TGestureSurface s;
  TCogi* a = s.Cogi(2, 2);
  s.Paint();
  TModelDocument& d = s.document;
  d.FaceColor = 0x112233;
  d.BackColor = 0x445566;
  d.TextColor = 0x778899;
  d.LineColor = 0xAABBCC;
  d.ChangeMode(opPaint);
  struct TCase {
    int target;
    TColorRef TFilled::*field;
    TColorRef expected;
  };
  d.PaintTarget = 0;
  s.Click(s.Pixel(a));
  EXPECT_EQ(a->FaceColor, 0x112233u);
  d.PaintTarget = 1;
  s.Click(s.Pixel(a));
  EXPECT_EQ(a->BackColor, 0x445566u);
  d.PaintTarget = 3;
  s.Click(s.Pixel(a));
  EXPECT_EQ(a->LineColor, 0xAABBCCu);
  // The text colour paints no object, but it paints the surface.
  d.PaintTarget = 2;
  const TColorRef before = a->FaceColor;
  s.Click(s.Pixel(a));
  EXPECT_EQ(a->FaceColor, before);
  EXPECT_NE(d.ModelColor, 0x778899u);
  s.Click(kEmpty);
  EXPECT_EQ(d.ModelColor, 0x778899u);
  d.PaintTarget = 1;
  s.Click(kEmpty);
  EXPECT_EQ(d.ModelColor, 0x445566u);
  s.Click(kEmpty, Qt::RightButton);
  EXPECT_EQ(s.Mode(), opNone);
  ASSERT_EQ(s.UndoCount(), 1);
  EXPECT_EQ(d.UndoList.back().Caption, QStringLiteral("Paint Cogis"));
}

TEST(Paint, AClickThatChangesNothingRecordsNothing)
{
  TGestureSurface s;
  TCogi* a = s.Cogi(2, 2);
  s.Paint();
  s.document.FaceColor = a->FaceColor;
  s.document.PaintTarget = 0;
  s.document.ChangeMode(opPaint);
  s.Click(s.Pixel(a));
  s.Click(kEmpty, Qt::RightButton);
  EXPECT_EQ(s.UndoCount(), 0);
  EXPECT_FALSE(s.document.Modified);
}

TEST(FormatPaint, ShapeAndSizeRebuildTheTargetForTheStandardsVariant)
{
  TGestureSurface s;
  TCogi* standard = s.Cogi(2, 2, 3);
  standard->SetShape(3, kCogiLarge);
  standard->FaceColor = 0x0000FF;
  TCogi* target = s.Cogi(6, 2, 7);
  s.Paint();
  s.Click(s.Pixel(standard));
  TInteractionPreferences choice;
  choice.FormatShape = true;
  choice.FormatSize = true;
  s.box->SetPreferences(choice);
  s.document.ChangeMode(opFormatPaint);
  s.Click(s.Pixel(target));
  EXPECT_EQ(target->ShapeVariant, 3);
  EXPECT_EQ(target->CogiSize, kCogiLarge);
  EXPECT_EQ(target->Width, standard->Width);
  EXPECT_EQ(target->Outline, MakeShapeOutline(okCogi, 3, standard->Width, standard->Height));
  EXPECT_EQ(target->FaceColor, 0x0000FFu);
  s.Click(kEmpty, Qt::RightButton);
  ASSERT_EQ(s.UndoCount(), 1);
  EXPECT_EQ(s.document.UndoList.back().Caption, QStringLiteral("Format Paint"));
}

TEST(FormatPaint, PaintingTheStandardOntoItselfKeepsItsPicture)
{
  TGestureSurface s;
  TCogi* standard = s.Cogi(2, 2);
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(Qt::red);
  standard->FillPicture = TPicture::FromImage(image);
  standard->FillStyle = kFillPicture;
  s.Paint();
  s.Click(s.Pixel(standard));
  s.document.ChangeMode(opFormatPaint);
  s.Click(s.Pixel(standard));
  ASSERT_TRUE(standard->FillPicture.has_value());
  EXPECT_EQ(standard->FillPicture->Width(), 4);
  s.Click(kEmpty, Qt::RightButton);
  EXPECT_EQ(s.UndoCount(), 0);
}

TEST(Renumber, ClicksNumberFromTheStartAndTheCursorShowsTheNext)
{
  TGestureSurface s;
  TCogi* a = s.Cogi(1, 1);
  TCogi* b = s.Cogi(3, 1);
  TCogi* c = s.Cogi(5, 1);
  s.Paint();
  s.document.RenumberCommand(5);
  ASSERT_EQ(s.Mode(), opRenumber);
  EXPECT_EQ(s.box->WindowCursorId(), crRenumber);
  s.Click(s.Pixel(a));
  s.Click(s.Pixel(b));
  s.Click(s.Pixel(c));
  s.Click(s.Pixel(a));
  EXPECT_EQ(b->Number, 6);
  EXPECT_EQ(c->Number, 7);
  EXPECT_EQ(a->Number, 8);
  EXPECT_EQ(s.document.NextRenumber, 9);
  s.Click(kEmpty, Qt::RightButton);
  ASSERT_EQ(s.UndoCount(), 1);
  EXPECT_EQ(s.document.UndoList.back().Caption, QStringLiteral("Renumber Cogis"));
}

TEST(Renumber, NumbersPastTheLargestAreRefusedInsteadOfOverflowing)
{
  TGestureSurface s;
  TCogi* a = s.Cogi(1, 1);
  TCogi* b = s.Cogi(3, 1);
  s.Paint();
  constexpr int kMax = std::numeric_limits<std::int32_t>::max();
  s.document.SelectAll();
  s.document.RenumberCommand(kMax);  // two objects cannot both fit
  EXPECT_EQ(s.errors, QStringList{QStringLiteral("Invalid Number.")});
  s.document.DeselectAll(false);
  s.document.RenumberCommand(kMax);
  s.Click(s.Pixel(a));
  s.Click(s.Pixel(b));
  EXPECT_EQ(a->Number, kMax);
  EXPECT_NE(b->Number, kMax);
  EXPECT_EQ(s.errors.size(), 2);
}

TEST(Snapping, TheGridRoundsToQuarterInchesTiesToEvenAndAltSuspendsIt)
{
  TGestureSurface s;
  TModeMachine& m = s.box->Machine();
  EXPECT_EQ(TModeMachine::GridPoint({1.13, 2.37}), (TModelPoint{1.25, 2.25}));
  EXPECT_EQ(TModeMachine::GridPoint({1.125, 1.375}), (TModelPoint{1.0, 1.5}));
  // 1.125 inch is pixel 108 at 96 per inch.
  s.Move(QPoint(108, 108));
  m.ComputeSnapFlags({});
  EXPECT_EQ(m.MousePoint(TProgramGestureValues::GridSnapActive), (TModelPoint{1.0, 1.0}));
  TShiftState alt;
  alt.Alt = true;
  m.ComputeSnapFlags(alt);
  EXPECT_EQ(m.MousePoint(TProgramGestureValues::GridSnapActive), (TModelPoint{1.125, 1.125}));
  // Alt cannot switch on a grid the model does not use.
  s.document.SnapToGrid = false;
  m.ComputeSnapFlags(alt);
  EXPECT_EQ(m.MousePoint(TProgramGestureValues::GridSnapActive), (TModelPoint{1.125, 1.125}));
}

TEST(ZoomBox, ADraggedBoxZoomsInAndPushesOneView)
{
  TGestureSurface s;
  s.document.ChangeMode(opZoomBox);
  EXPECT_EQ(s.box->WindowCursorId(), crZoomIn);
  s.Drag(s.Pixel(1, 1), s.Pixel(3, 2));
  EXPECT_EQ(s.Mode(), opNone);
  ASSERT_EQ(s.document.ViewStack.size(), 1u);
  EXPECT_GT(s.document.Zoom, 100.0);
  const TViewRect view = TModelView(s.document).ViewRect();
  EXPECT_NEAR((view.TopLeft.X + view.BottomRight.X) / 2, 2.0, 0.02);
  EXPECT_NEAR((view.TopLeft.Y + view.BottomRight.Y) / 2, 1.5, 0.02);
}

TEST(Handles, SizingCursorsFollowABoxTurned45Degrees)
{
  TGestureSurface s;
  TCogi* a = s.Cogi(3, 3);
  EXPECT_EQ(TModeMachine::HandleCursor(*a, 2), crSizeNS);
  EXPECT_EQ(TModeMachine::HandleCursor(*a, 1), crSizeNWSE);
  a->Angle = 45;
  EXPECT_EQ(TModeMachine::HandleCursor(*a, 2), crSizeNESW);  // the top now faces north-east
  EXPECT_EQ(TModeMachine::HandleCursor(*a, 4), crSizeNWSE);
  EXPECT_EQ(TModeMachine::HandleCursor(*a, 1), crSizeNS);
  EXPECT_EQ(TModeMachine::HandleCursor(*a, 8), crSizeNWSE);  // the left faces north-west
}

TEST(Hover, AGatewayNamesItsLinkInTheHint)
{
  TGestureSurface s;
  TCogi* a = s.Cogi(2, 2);
  TCogi* plain = s.Cogi(5, 2);
  a->SetLink(QStringLiteral("/home/user/plans.mdl"), nullptr);
  s.Paint();
  s.Move(s.Pixel(a));
  EXPECT_EQ(s.box->WindowCursorId(), crGateway);
  EXPECT_EQ(s.box->Hint(),
            QStringLiteral("|Double Click to go through Gateway to /home/user/plans.mdl"));
  s.Move(s.Pixel(plain), Qt::ControlModifier);
  EXPECT_EQ(s.box->WindowCursorId(), crMovePlus);
  s.Move(kEmpty);
  EXPECT_EQ(s.box->Hint(),
            QStringLiteral("|Click objects to select them, or drag a box around objects to be "
                           "selected."));
}

TEST(ContextMenu, ARightClickSelectsTheObjectUnderItAndAsksForTheMenu)
{
  TGestureSurface s;
  TCogi* a = s.Cogi(2, 2);
  TCogi* b = s.Cogi(5, 2);
  s.Paint();
  s.Click(s.Pixel(b));
  CGPObject* asked = nullptr;
  int requests = 0;
  QObject::connect(s.box.get(), &TModelPaintBox::ModelMenuRequested, [&](QPoint, CGPObject* under) {
    asked = under;
    ++requests;
  });
  s.Click(s.Pixel(a), Qt::RightButton);
  EXPECT_EQ(requests, 1);
  EXPECT_EQ(asked, a);
  EXPECT_TRUE(a->Selected);
  EXPECT_FALSE(b->Selected);
  s.Click(kEmpty, Qt::RightButton);
  EXPECT_EQ(asked, nullptr);
}

TEST(Keys, ViewKeysScrollAndEscapeClearsTheSelection)
{
  TGestureSurface s;
  TCogi* a = s.Cogi(2, 2);
  s.Paint();
  s.Click(s.Pixel(a));
  s.Key(Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(s.document.ViewOrigin.X, 5.0);
  s.Key(Qt::Key_Home);
  EXPECT_EQ(s.document.ViewOrigin, (TModelPoint{0, 0}));
  s.Key(Qt::Key_Escape);
  EXPECT_FALSE(a->Selected);
  // Delete with nothing selected in a model with objects stings.
  s.Key(Qt::Key_Delete);
  EXPECT_EQ(s.Mode(), opSting);
}

// ---- Faults that must stay mended

TEST(MendedFaults, DeleteDuringAHeldGestureIsRefused)
{
  TGestureSurface s;
  TCogi* a = s.Cogi(2, 2);
  s.Paint();
  s.Click(s.Pixel(a));
  s.document.ChangeMode(opZoomBox);
  s.Press(s.Pixel(5, 4));
  s.Move(s.Pixel(6, 5));
  s.document.DeleteSelection();
  EXPECT_EQ(s.document.Objects.size(), 1u);
  EXPECT_EQ(s.beeps, 1);
  s.Release(s.Pixel(6, 5));
}

TEST(MendedFaults, ASecondButtonDuringALeftDragIsIgnored)
{
  TGestureSurface s;
  TCogi* a = s.Cogi(2, 2);
  s.Paint();
  s.Press(s.Pixel(1, 1));
  s.Move(s.Pixel(2, 2));
  ASSERT_EQ(s.Mode(), opSelectBox);
  s.Press(s.Pixel(3, 3), Qt::RightButton);
  s.Release(s.Pixel(3, 3), Qt::RightButton);
  EXPECT_EQ(s.Mode(), opSelectBox);  // the right release did not end the band
  s.Move(s.Pixel(3.5, 3.5));
  s.Release(s.Pixel(3.5, 3.5));
  EXPECT_TRUE(a->Selected);
  EXPECT_EQ(s.Mode(), opNone);
}

TEST(MendedFaults, HandlesOfObjectsScrolledOutOfSightCannotBeGrabbed)
{
  TGestureSurface s;
  TCogi* a = s.Cogi(2, 2);
  s.Paint();
  s.Click(s.Pixel(a));
  s.Paint();
  // The top-left handle's pixel, then the view moves so a no longer shows; its handle
  // regions are stale now.
  const QPoint handle = a->HandleRegions[0].boundingRect().center();
  ASSERT_TRUE(s.document.HandleRegion.contains(handle));
  s.document.ViewOrigin = {50, 50};
  s.Paint();
  EXPECT_EQ(s.box->Machine().HandleHitTest(handle).Object, nullptr);
  s.Click(handle);
  EXPECT_EQ(s.Mode(), opNone);
  EXPECT_FALSE(a->Selected);  // the press was a click on the empty surface
}

TEST(MendedFaults, RotateReadyIgnoresHandlesOfObjectsThatCannotTurn)
{
  TGestureSurface s;
  auto* gateway = static_cast<TGateway*>(s.document.CreateObject(okHotspot));
  gateway->X = 2;
  gateway->Y = 2;
  gateway->Width = 1;
  gateway->Height = 1;
  gateway->Recalculate(&s.document.Objects, true);
  s.Paint();
  s.document.SelectObject(gateway, false);
  s.document.ChangeMode(opRotateReady);
  s.Paint();
  const QPoint handle = gateway->HandleRegions[4].boundingRect().center();
  ASSERT_TRUE(s.document.HandleRegion.contains(handle));
  s.Drag(handle, handle + QPoint(40, 40));
  EXPECT_EQ(gateway->Width, 1.0);
  EXPECT_EQ(gateway->X, 2.0);
  EXPECT_EQ(s.Mode(), opRotateReady);
}

TEST(MendedFaults, ADoubleClickFollowsAGatewayOnlyWhenIdle)
{
  TGestureSurface s;
  TCogi* a = s.Cogi(2, 2);
  a->SetLink(QStringLiteral("next.mdl"), nullptr);
  s.Paint();
  int follows = 0;
  QObject::connect(s.box.get(), &TModelPaintBox::GatewayFollowRequested, [&] { ++follows; });
  s.document.ChangeMode(opPaint);
  s.DoubleClick(s.Pixel(a));
  EXPECT_EQ(follows, 0);
  s.Click(kEmpty, Qt::RightButton);
  s.DoubleClick(s.Pixel(a));
  EXPECT_EQ(follows, 1);
}

TEST(MendedFaults, ADoubleClickWhoseReleaseWentElsewhereDoesNotSwallowTheNextClick)
{
  TGestureSurface s;
  TCogi* a = s.Cogi(2, 2);
  TCogi* b = s.Cogi(5, 2);
  s.Paint();
  // The double click's own release never arrives.
  s.Click(s.Pixel(a));
  TPointerInput input;
  input.Pixel = s.Pixel(a);
  input.Button = TMouseButton::Left;
  input.State.Left = true;
  s.box->Machine().DoubleClick(input);
  s.Click(s.Pixel(b));
  EXPECT_TRUE(b->Selected);
  EXPECT_FALSE(a->Selected);
}
