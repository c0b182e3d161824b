// What a rubber band leaves on the screen and under the pointer: the marks of the selected
// objects, drawn over the kept model picture, and handles that can be grabbed at once.
#include <gtest/gtest.h>

#include "interaction/gesturesurface.h"
#include "model/arrow.h"

namespace {

TArrow* Connect(TGestureSurface& s, CGPObject* from, CGPObject* to)
{
  auto* arrow = static_cast<TArrow*>(s.document.CreateObject(okArrow));
  TArrow::AttachArrowEnd(from, arrow, -1, TArrowEnd::Start);
  TArrow::AttachArrowEnd(to, arrow, -1, TArrowEnd::Finish);
  // The ends take their places when the objects refresh.
  for (CGPObject* object : {from, to, static_cast<CGPObject*>(arrow)})
    object->Recalculate(&s.document.Objects, true);
  return arrow;
}

}  // namespace

TEST(SelectionMarks, ABandShowsWhatAFullPaintShowsAndItsHandlesAnswerAtOnce)
{
  TGestureSurface s;
  TCogi* a = s.Cogi(1.5, 1.5);
  TCogi* b = s.Cogi(3.5, 1.5);
  TArrow* arrow = Connect(s, a, b);
  TCogi* c = s.Cogi(1.5, 4.5, 3);
  // Marks at the window's edge, and a neighbour whose marks overlap c's.
  TCogi* edge = s.Cogi(0.2, 5.9);
  TCogi* close = s.Cogi(1.6, 4.6, 5);
  s.Paint();

  s.Drag(QPoint(2, 2), s.Pixel(5.5, 6.2));
  for (CGPObject* object :
       {static_cast<CGPObject*>(a), static_cast<CGPObject*>(b), static_cast<CGPObject*>(arrow),
        static_cast<CGPObject*>(c), static_cast<CGPObject*>(close)})
    EXPECT_TRUE(object->Selected);
  EXPECT_FALSE(edge->Selected);  // it reaches past the band's left edge
  s.Click(s.Pixel(edge), Qt::LeftButton, Qt::ShiftModifier);
  ASSERT_TRUE(edge->Selected);
  // Both selection changes were painted over the kept model picture; a full paint from the
  // model gives the same pixels.
  const QImage shown = s.box->ModelImage().copy();
  s.Paint();
  EXPECT_EQ(shown, s.box->ModelImage());

  // The handles drawn by the band's paint are grabbed without another paint: a Cogi's
  // bottom-right handle starts a resize, the arrow's round middle handle a bend.
  s.Drag(QPoint(2, 2), s.Pixel(5.5, 6.2));
  const QPoint corner = b->HandleRegions[4].boundingRect().center();
  s.Press(corner);
  EXPECT_EQ(s.Mode(), opResizing);
  s.Release(corner);
  s.Drag(QPoint(2, 2), s.Pixel(5.5, 6.2));
  const QPoint middle = arrow->HandleRegions[1].boundingRect().center();
  s.Press(middle);
  EXPECT_EQ(s.Mode(), opAdjustArrow);
  s.Release(middle);
}

TEST(MendedFaults, TheDeleteKeyDuringAMoveDeletesNothingAndTheDropLands)
{
  TGestureSurface s;
  TCogi* a = s.Cogi(2, 2);
  TCogi* b = s.Cogi(4, 2);
  s.Baseline();
  s.Paint();
  s.Click(s.Pixel(a));
  s.Click(s.Pixel(b), Qt::LeftButton, Qt::ShiftModifier);
  // The move's keys (scrolling) reach the mode; Delete must not free what it carries.
  s.Press(s.Pixel(a));
  s.Move(s.Pixel(a) + QPoint(20, 0));
  s.Move(s.Pixel(a) + QPoint(48, 0));
  ASSERT_EQ(s.Mode(), opMoving);
  s.Key(Qt::Key_Delete);
  EXPECT_EQ(s.document.Objects.size(), 2u);
  EXPECT_EQ(s.beeps, 1);
  s.Release(s.Pixel(2, 2) + QPoint(48, 0));
  EXPECT_EQ(s.Mode(), opNone);
  EXPECT_EQ(a->X, 2.5);
  EXPECT_EQ(b->X, 4.5);
  ASSERT_EQ(s.UndoCount(), 1);
  EXPECT_EQ(s.document.UndoList.back().Caption, QStringLiteral("Move Cogis"));
  // Once the gesture is over the key deletes again.
  s.Key(Qt::Key_Delete);
  EXPECT_TRUE(s.document.Objects.empty());
}
