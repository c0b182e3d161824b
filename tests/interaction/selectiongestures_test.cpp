// Moving, copying, resizing and turning the selection, and dragging it between model
// windows, driven by real mouse events in a maximised window and in a normal one; after the
// gestures every saved model is read back through the program's dump to show that no
// position or size became a non-number.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <functional>

#include "document/modelpainter.h"
#include "geometry/geometry.h"
#include "interaction/cursorid.h"
#include "interaction/gestures/selectionmover.h"
#include "interaction/gestures/selectionrotator.h"
#include "interaction/interactionpreferences.h"
#include "interaction/modelwindows.h"
#include "io/modelfile.h"
#include "model/arrow.h"
#include "model/cluster.h"
#include "model/embedded/olecogi.h"
#include "model/outlines/shapegenerator.h"
#include "model/shapes/balloon.h"
#include "model/shapes/freeshape.h"
#include "platform/streams/binarywriter.h"
#include "platform/text/rtfwriter.h"

namespace {

// ---- Building models

TArrow* Arrow(TModelWindow& w, CGPObject* from, CGPObject* to)
{
  auto* arrow = static_cast<TArrow*>(w.document.CreateObject(okArrow));
  TArrow::AttachArrowEnd(from, arrow, -1, TArrowEnd::Start);
  TArrow::AttachArrowEnd(to, arrow, -1, TArrowEnd::Finish);
  for (CGPObject* object : w.document.Objects)
    object->Recalculate(&w.document.Objects, true);
  return arrow;
}

TCluster* Cluster(TModelWindow& w, double x, double y, double width, double height, int variant)
{
  auto* cluster = static_cast<TCluster*>(w.document.CreateObject(okCluster));
  cluster->X = x;
  cluster->Y = y;
  cluster->Width = width;
  cluster->Height = height;
  cluster->ShapeVariant = static_cast<std::uint8_t>(variant);
  cluster->Outline = MakeShapeOutline(okCluster, variant, width, height);
  cluster->Recalculate(&w.document.Objects, true);
  return cluster;
}

void Select(TModelWindow& w, std::initializer_list<CGPObject*> objects)
{
  w.document.DeselectAll(false);
  for (CGPObject* object : objects)
    w.document.SelectObject(object, false);
  w.Paint();
}

bool OnGrid(double v)
{
  return std::fmod(v * 4.0, 1.0) == 0.0;
}

// The pixel of a point turned about an object's centre with it.
QPoint Turned(const CGPObject* o, double dx, double dy, double angle)
{
  const TModelPoint p = RotateOffset(o->Centre(), dx, dy, angle);
  return TModelWindows::Pixel(p.X, p.Y);
}

// Whether an arrow's ends are where its objects put them (they followed every move).
bool ArrowFollows(TArrow* arrow)
{
  const TModelPoint from = arrow->Start();
  const TModelPoint to = arrow->End();
  arrow->ComputeArrowEnds();
  return from == arrow->Start() && to == arrow->End();
}

// Pixels the feedback overlay of a window turns over the model.
int OverlayPixels(TModelWindow& w)
{
  const QImage& mask = w.box->Overlay().Mask();
  int lit = 0;
  for (int y = 0; y < mask.height(); ++y)
    for (int x = 0; x < mask.width(); ++x)
      if ((mask.pixel(x, y) & 0xFFFFFF) != 0) ++lit;
  return lit;
}

// The model saved and read back through the program's dump.
QJsonObject SavedDump(TModelDocument& document)
{
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("gesture.mdl"));
  TModelFile::SaveModelFile(document, path);
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("DISPLAY"));
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(MINDORRA_EXECUTABLE), {QStringLiteral("dump"), path});
  EXPECT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitCode(), 0);
  const QJsonDocument json = QJsonDocument::fromJson(process.readAllStandardOutput());
  EXPECT_TRUE(json.isObject());
  return json.object();
}

// Every value of a field anywhere in a dump.
QList<double> DumpedValues(const QJsonValue& v, const QString& field)
{
  QList<double> values;
  if (v.isObject()) {
    const QJsonObject o = v.toObject();
    for (auto it = o.begin(); it != o.end(); ++it)
      if (it.key() == field && it.value().isDouble())
        values << it.value().toDouble();
      else
        values << DumpedValues(it.value(), field);
  } else if (v.isArray()) {
    for (const QJsonValue& item : v.toArray())
      values << DumpedValues(item, field);
  }
  return values;
}

// The dump writes a number that is no number as null, which only the picture fields may
// hold.
void ExpectSavedNumbersFinite(TModelDocument& document)
{
  const QJsonObject dump = SavedDump(document);
  ASSERT_FALSE(dump.isEmpty());
  // Absent pictures, text styles of empty texts and automatic text colours are null.
  const QStringList pictures = {QStringLiteral("Background"), QStringLiteral("FillPicture"),
                                QStringLiteral("Picture"),    QStringLiteral("TextStyle"),
                                QStringLiteral("NotesStyle"), QStringLiteral("Color")};
  QStringList bad;
  int numbers = 0;
  std::function<void(const QJsonValue&, const QString&)> walk = [&](const QJsonValue& v,
                                                                    const QString& key) {
    if (v.isObject()) {
      const QJsonObject o = v.toObject();
      for (auto it = o.begin(); it != o.end(); ++it)
        walk(it.value(), it.key());
    } else if (v.isArray()) {
      for (const QJsonValue& item : v.toArray())
        walk(item, key + QStringLiteral("[]"));
    } else if (v.isNull() && !pictures.contains(key)) {
      bad << key;
    } else if (v.isDouble()) {
      ++numbers;
    }
  };
  walk(dump, QString());
  EXPECT_TRUE(bad.isEmpty()) << "not numbers: " << bad.join(QStringLiteral(", ")).toStdString();
  EXPECT_GT(numbers, 0);
}

// The model painted with its selection marks as a window shows it.
QImage Picture(TModelDocument& document)
{
  QImage image(document.ClientSize, QImage::Format_RGB32);
  TModelPainter painter(document);
  painter.DrawModelLayer(image, false);
  painter.DrawSelectionMarks(image);
  return image;
}

// Another document painted in the view of the first.
QImage Picture(TModelDocument& document, const TModelDocument& viewOf)
{
  document.ScreenDpiX = viewOf.ScreenDpiX;
  document.ScreenDpiY = viewOf.ScreenDpiY;
  document.Zoom = viewOf.Zoom;
  document.ViewOrigin = viewOf.ViewOrigin;
  document.ClientSize = viewOf.ClientSize;
  return Picture(document);
}

class MoveGestures : public ::testing::TestWithParam<bool> {
 protected:
  TModelWindows w{GetParam()};
  TModelWindow& m = w.first;
};

}  // namespace

// ---- Moving and copying, in a maximised window and in a normal one (a drop on itself) ----

TEST_P(MoveGestures, ALoneObjectLandsOnTheGridSeveralKeepTheirOffsetsAndAltMovesFreely)
{
  TCogi* a = m.Cogi(2.1, 2.1);
  TCogi* b = m.Cogi(6.6, 2.3);
  Select(m, {a});
  w.Drag(m, w.Pixel(a), w.Pixel(a) + QPoint(50, 30));
  EXPECT_TRUE(OnGrid(a->X) && OnGrid(a->Y)) << a->X << ", " << a->Y;
  EXPECT_NE(a->X, 2.1);
  ASSERT_EQ(m.UndoCount(), 1);
  EXPECT_EQ(m.LastCaption(), QStringLiteral("Move Cogis"));

  // Alt suspends the grid: the object moves by exactly what the pointer moved.
  const double x = a->X;
  const double y = a->Y;
  w.Drag(m, w.Pixel(a), w.Pixel(a) + QPoint(50, 30), Qt::AltModifier);
  EXPECT_NEAR(a->X, x + 50 / 96.0, 1e-9);
  EXPECT_NEAR(a->Y, y + 30 / 96.0, 1e-9);

  Select(m, {a, b});
  const TModelPoint offset{b->X - a->X, b->Y - a->Y};
  w.Drag(m, w.Pixel(a), w.Pixel(a) + QPoint(77, 41));
  EXPECT_NEAR(b->X - a->X, offset.X, 1e-9);
  EXPECT_NEAR(b->Y - a->Y, offset.Y, 1e-9);
  EXPECT_EQ(m.UndoCount(), 3);
  EXPECT_EQ(m.document.Mode, opNone);
  ExpectSavedNumbersFinite(m.document);
}

TEST_P(MoveGestures, APolygonSnapsOntoAnotherShapesVertexUnlessShiftIsHeld)
{
  m.document.SnapToGrid = false;
  TCogi* a = m.Cogi(2, 2);
  TCogi* b = m.Cogi(2, 4);
  TCogi* target = m.Cogi(5, 2);
  Select(m, {a, b});
  // A's right vertices come to 0.2 inch from the target's left ones.
  const QPoint near = w.Pixel(3.55, 2.0);
  w.Drag(m, w.Pixel(a), near);
  EXPECT_NEAR(a->X, target->X - a->Width, 1e-9);
  EXPECT_NEAR(a->Y, 2.0, 1e-9);
  // The other selected object jumps by the same amount.
  EXPECT_NEAR(b->X, a->X, 1e-9);
  EXPECT_NEAR(b->Y, 4.0, 1e-9);

  w.Drag(m, w.Pixel(a), w.Pixel(2, 2));
  // Shift held once the drag is under way (on the press it would deselect).
  w.Press(m, w.Pixel(a));
  w.Move(m, near, Qt::ShiftModifier);
  w.Release(m, near, Qt::ShiftModifier);
  EXPECT_NEAR(a->X, near.x() / 96.0, 1e-9);
  EXPECT_EQ(m.UndoCount(), 3);
  ExpectSavedNumbersFinite(m.document);
}

TEST_P(MoveGestures, ACtrlCopyAttachesArrowsToTheCopiesAndFreesThoseToObjectsLeftBehind)
{
  TCogi* c = m.Cogi(8, 6);  // first in the list: its record position 0 is also the copy's A
  TCogi* a = m.Cogi(2, 2);
  TCogi* b = m.Cogi(5, 2);
  TArrow* ab = Arrow(m, a, b);
  TArrow* ac = Arrow(m, a, c);
  m.Baseline();  // a save: every object holds its record position from it
  Select(m, {a, b, ab, ac});
  w.Drag(m, w.Pixel(a), w.Pixel(a) + QPoint(0, 192), Qt::ControlModifier);

  ASSERT_EQ(m.document.Objects.size(), 9u);
  EXPECT_EQ(a->Y, 2.0);
  EXPECT_FALSE(a->Selected || b->Selected || ab->Selected || ac->Selected);
  auto* a2 = m.document.Objects[5];
  auto* b2 = m.document.Objects[6];
  auto* ab2 = dynamic_cast<TArrow*>(m.document.Objects[7]);
  auto* ac2 = dynamic_cast<TArrow*>(m.document.Objects[8]);
  ASSERT_TRUE(ab2 && ac2);
  EXPECT_TRUE(a2->Selected && b2->Selected && ab2->Selected && ac2->Selected);
  EXPECT_EQ(a2->Y, 4.0);
  EXPECT_EQ(b2->Y, 4.0);
  EXPECT_EQ(ab2->FromObject, a2);
  EXPECT_EQ(ab2->ToObject, b2);
  EXPECT_EQ(ac2->FromObject, a2);
  EXPECT_EQ(ac2->ToObject, nullptr);
  EXPECT_EQ(ac2->ToAnchor, -1);
  // The originals keep their connections.
  EXPECT_EQ(ab->FromObject, a);
  EXPECT_EQ(ac->ToObject, c);
  ASSERT_EQ(m.UndoCount(), 1);
  ExpectSavedNumbersFinite(m.document);
  m.recorder.Undo(m.document);
  EXPECT_EQ(m.document.Objects.size(), 5u);
}

TEST_P(MoveGestures, AClusterCarriesItsMembersOnceAndTheirArrowsFollow)
{
  TCluster* k = Cluster(m, 4, 4, 4, 4, 0);
  TCogi* m1 = m.Cogi(3.4, 4.2);
  TCogi* m2 = m.Cogi(4.6, 4.2);
  TCogi* outside = m.Cogi(9, 4);
  TArrow* arrow = Arrow(m, m1, outside);
  ASSERT_EQ(k->Members.size(), 2u);
  Select(m, {k});
  // The cluster's own area above its members.
  w.Drag(m, w.Pixel(4, 2.5), w.Pixel(5, 3.5));
  EXPECT_EQ(k->X, 5.0);
  EXPECT_EQ(m1->X, 4.4);
  EXPECT_EQ(m1->Y, 5.2);
  EXPECT_EQ(m2->X, 5.6);
  EXPECT_TRUE(ArrowFollows(arrow));

  // A selected member moves with the selection, not a second time with its cluster.
  Select(m, {k, m1});
  w.Drag(m, w.Pixel(5, 3.5), w.Pixel(6, 3.5));
  EXPECT_EQ(k->X, 6.0);
  EXPECT_EQ(m1->X, 5.4);
  EXPECT_EQ(m2->X, 6.6);
  EXPECT_EQ(k->Members.size(), 2u);
  EXPECT_TRUE(ArrowFollows(arrow));
  EXPECT_EQ(m.UndoCount(), 2);
  ExpectSavedNumbersFinite(m.document);
}

TEST_P(MoveGestures, AMovedArrowLetsGoOfObjectsLeftBehind)
{
  TCogi* a = m.Cogi(2, 2);
  TCogi* c = m.Cogi(5, 2);
  TArrow* arrow = Arrow(m, a, c);
  Select(m, {a, arrow});
  w.Drag(m, w.Pixel(a), w.Pixel(2, 4));
  EXPECT_EQ(arrow->FromObject, a);
  EXPECT_EQ(arrow->ToObject, nullptr);
  EXPECT_FALSE(c->HasAttachedArrow(arrow));
  EXPECT_TRUE(ArrowFollows(arrow));
  EXPECT_EQ(m.UndoCount(), 1);
  ExpectSavedNumbersFinite(m.document);
}

// ---- Resizing, the special handle and rotation ---------------------------------------------

TEST_P(MoveGestures, TheBottomHandleOfATurnedBoxChangesOnlyItsHeight)
{
  m.document.SnapToGrid = false;
  TCluster* box = Cluster(m, 4, 4, 2, 1, 3);
  box->Angle = 30;
  Select(m, {box});
  const TModelPoint top = RotateOffset(box->Centre(), 0, -0.5, 30);
  // Half an inch down the box's own axis, and a little across it, which must not count.
  w.Drag(m, Turned(box, 0, 0.5, 30), Turned(box, 0.3, 1.0, 30));
  EXPECT_EQ(box->Width, 2.0);
  EXPECT_NEAR(box->Height, 1.5, 1.0 / 96);
  const TModelPoint topNow = RotateOffset(box->Centre(), 0, -box->Height / 2, 30);
  EXPECT_NEAR(topNow.X, top.X, 1e-9);
  EXPECT_NEAR(topNow.Y, top.Y, 1e-9);
  ASSERT_EQ(m.UndoCount(), 1);
  EXPECT_EQ(m.LastCaption(), QStringLiteral("Adjust Size"));

  // Past the opposite corner: the absolute size, on the pointer's side of the fixed corner.
  box->Angle = 0;
  box->Recalculate(&m.document.Objects, true);
  m.Paint();
  const TModelPoint fixed{box->X - 1, box->Y - box->Height / 2};
  w.Drag(m, w.Pixel(box->X + 1, box->Y + box->Height / 2), w.Pixel(fixed.X - 1, fixed.Y - 0.5));
  EXPECT_NEAR(box->Width, 1.0, 1.0 / 96);
  EXPECT_NEAR(box->Height, 0.5, 1.0 / 96);
  EXPECT_NEAR(box->X, fixed.X - 0.5, 1.0 / 96);
  EXPECT_NEAR(box->Y, fixed.Y - 0.25, 1.0 / 96);
  ExpectSavedNumbersFinite(m.document);
}

TEST_P(MoveGestures, ACogiSnapsToTheNearestStandardSizeAndOthersScaleByTheSameFactors)
{
  TCogi* cogi = m.Cogi(3, 3);
  Select(m, {cogi});
  // The bottom-right corner dragged to a 2.125-inch hexagon: Medium (1.875) is nearest.
  w.Drag(m, w.Pixel(3.625, 3.625), w.Pixel(4.5, 4.5));
  EXPECT_EQ(cogi->CogiSize, kCogiMedium);
  EXPECT_EQ(cogi->Width, 1.875);
  EXPECT_EQ(cogi->X, 2.375 + 1.875 / 2);
  EXPECT_EQ(cogi->Outline[0].Ey, -1.875 / 2);

  TCluster* a = Cluster(m, 3, 5.5, 2, 1, 3);
  TCluster* b = Cluster(m, 6.5, 5.5, 1, 2, 3);
  Select(m, {a, b});
  // A's right handle from 4 to 6: twice as wide, each about its own left side.
  w.Drag(m, w.Pixel(4, 5.5), w.Pixel(6, 5.5));
  EXPECT_EQ(a->Width, 4.0);
  EXPECT_EQ(a->X, 4.0);
  EXPECT_EQ(b->Width, 2.0);
  EXPECT_EQ(b->X, 7.0);
  EXPECT_EQ(b->Height, 2.0);
  EXPECT_EQ(m.UndoCount(), 2);
  ExpectSavedNumbersFinite(m.document);
}

TEST_P(MoveGestures, TheSpecialHandleMovesACalloutsTipAndAClustersTextBox)
{
  auto* callout = static_cast<TBalloon*>(m.document.CreateObject(okBalloon));
  callout->X = 3;
  callout->Y = 2;
  callout->Width = 2;
  callout->Height = 1;
  callout->MoveTip({5, 4});
  callout->Recalculate(&m.document.Objects, true);
  Select(m, {callout});
  w.Drag(m, w.Pixel(5, 4), w.Pixel(6, 4.5));
  EXPECT_EQ(callout->Tip(), (TModelPoint{6, 4.5}));
  ASSERT_EQ(m.UndoCount(), 1);
  EXPECT_EQ(m.LastCaption(), QStringLiteral("Adjust Special"));

  TCluster* k = Cluster(m, 4, 7, 4, 2, 3);
  k->Text = TRtfWriter::CentredText(QStringLiteral("Group"));
  k->Recalculate(&m.document.Objects, true);
  Select(m, {k});
  const QPoint corner = Turned(k, (k->TextOffsetX - k->TextWidth / 2) * 4,
                               (k->TextOffsetY - k->TextHeight / 2) * 2, 0);
  // The box's top-left corner goes to (3, 6.5): half an inch right and down of the cluster's.
  w.Drag(m, corner, w.Pixel(3, 6.5));
  EXPECT_NEAR(k->TextOffsetX, -1.0 / 4 + k->TextWidth / 2, 1e-9);
  EXPECT_NEAR(k->TextOffsetY, -0.5 / 2 + k->TextHeight / 2, 1e-9);
  EXPECT_EQ(m.UndoCount(), 2);
  ExpectSavedNumbersFinite(m.document);
}

TEST_P(MoveGestures, AClustersTextIsDrawnAndSavedInTheBoxItWasDraggedTo)
{
  m.document.SnapToGrid = false;
  TCluster* k = Cluster(m, 4, 4, 4, 2, 3);
  k->Text = TRtfWriter::CentredText(QStringLiteral("Group of ideas"));
  k->Recalculate(&m.document.Objects, true);
  Select(m, {k});
  const QImage before = Picture(m.document);
  const QPoint corner = Turned(k, (k->TextOffsetX - k->TextWidth / 2) * 4,
                               (k->TextOffsetY - k->TextHeight / 2) * 2, 0);
  // The box's top-left corner to (2.5, 4.25): 1.5 inch left of the centre, 0.25 below it.
  w.Drag(m, corner, w.Pixel(2.5, 4.25));
  const double offsetX = -1.5 / 4 + k->TextWidth / 2;
  const double offsetY = 0.25 / 2 + k->TextHeight / 2;
  EXPECT_NEAR(k->TextOffsetX, offsetX, 1e-9);
  EXPECT_NEAR(k->TextOffsetY, offsetY, 1e-9);
  ASSERT_EQ(m.UndoCount(), 1);

  // What is drawn is what the saved model draws when it is read back: the text laid out
  // in its new box, nothing kept from the old one.
  const QImage after = Picture(m.document);
  EXPECT_NE(after, before);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("box.mdl"));
  TModelFile::SaveModelFile(m.document, path);
  TModelDocument read;
  TModelFile::OpenModelFile(read, path, false);
  ASSERT_EQ(read.Objects.size(), 1u);
  EXPECT_EQ(read.Objects.front()->TextOffsetX, k->TextOffsetX);
  read.Objects.front()->Selected = true;
  EXPECT_TRUE(Picture(read, m.document) == after) << "the dragged box is drawn unlike a fresh one";
  // And the dump shows the new box.
  const QJsonObject dump = SavedDump(m.document);
  EXPECT_EQ(DumpedValues(dump, QStringLiteral("TextOffsetX")), QList<double>{k->TextOffsetX});
  EXPECT_EQ(DumpedValues(dump, QStringLiteral("TextOffsetY")), QList<double>{k->TextOffsetY});
}

TEST_P(MoveGestures, FreeRotationTurnsTheSelectionByTheSweptAngle)
{
  TCluster* box = Cluster(m, 5, 4, 2, 1, 3);
  box->Angle = 10;
  Select(m, {box});
  m.document.ChangeMode(opRotateReady);
  m.Paint();
  const QPoint press = Turned(box, -1, -0.5, 10);
  const TModelPoint c = box->Centre();
  const double start = Bearing(c, {press.x() / 96.0, press.y() / 96.0});
  const TModelPoint far = PointAt(c, 3, AddAngles(start, -30));
  const QPoint release = w.Pixel(far.X, far.Y);
  ASSERT_EQ(std::lround(Bearing(c, {release.x() / 96.0, release.y() / 96.0}) - start), -30);
  w.Drag(m, press, release);
  EXPECT_EQ(box->Angle, 340);
  EXPECT_EQ(box->Centre(), c);
  EXPECT_EQ(m.document.Mode, opNone);
  ASSERT_EQ(m.UndoCount(), 1);
  EXPECT_EQ(m.LastCaption(), QStringLiteral("Rotate Cogis"));
  ExpectSavedNumbersFinite(m.document);
}

TEST_P(MoveGestures, TwoObjectsSideBySideTurnAQuarterAboutTheirCommonCentre)
{
  TCluster* left = Cluster(m, 3, 4, 1, 1, 3);
  TCluster* right = Cluster(m, 5, 4, 1, 1, 3);
  Select(m, {left, right});
  m.document.ChangeMode(opRotateReady);
  m.Paint();
  // The top-right handle of the right one, swept a quarter turn about (4, 4).
  const TModelPoint c{4, 4};
  const QPoint press = w.Pixel(5.5, 3.5);
  const TModelPoint end =
      PointAt(c, 3, AddAngles(Bearing(c, {press.x() / 96.0, press.y() / 96.0}), 90));
  w.Drag(m, press, w.Pixel(end.X, end.Y));
  EXPECT_EQ(left->Angle, 90);
  EXPECT_EQ(right->Angle, 90);
  EXPECT_NEAR(left->X, 4, 1e-9);
  EXPECT_NEAR(left->Y, 3, 1e-9);
  EXPECT_NEAR(right->X, 4, 1e-9);
  EXPECT_NEAR(right->Y, 5, 1e-9);
  ASSERT_EQ(m.UndoCount(), 1);
  EXPECT_EQ(m.LastCaption(), QStringLiteral("Rotate Cogis"));
  ExpectSavedNumbersFinite(m.document);
}

TEST_P(MoveGestures, EscapeEndsAMoveAResizeAndATurnWithoutAChange)
{
  m.document.SnapToGrid = false;
  TCluster* box = Cluster(m, 4, 4, 2, 1, 3);
  Select(m, {box});
  const auto cancel = [&](QPoint from, QPoint to) {
    w.Press(m, from);
    w.Move(m, from + QPoint(12, 4));
    w.Move(m, to);
    EXPECT_GT(OverlayPixels(m), 0);
    w.Key(m, Qt::Key_Escape);
    EXPECT_EQ(m.document.Mode, opNone);
    EXPECT_EQ(OverlayPixels(m), 0);
    // The rest of the hand's movement does nothing.
    w.Move(m, to + QPoint(30, 30));
    w.Release(m, to + QPoint(30, 30));
    EXPECT_EQ(box->Centre(), (TModelPoint{4, 4}));
    EXPECT_EQ(box->Width, 2.0);
    EXPECT_EQ(box->Height, 1.0);
    EXPECT_EQ(box->Angle, 0);
    EXPECT_TRUE(box->Selected);
    EXPECT_EQ(m.UndoCount(), 0);
  };
  cancel(w.Pixel(box), w.Pixel(6, 5));
  cancel(w.Pixel(5, 4.5), w.Pixel(6, 5));
  m.document.ChangeMode(opRotateReady);
  m.Paint();
  cancel(w.Pixel(5, 4.5), w.Pixel(3, 6));
}

INSTANTIATE_TEST_SUITE_P(Windows, MoveGestures, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Maximised" : "Normal"; });

TEST(RotateSelection, AnglesStayWithinATurnAndAGroupTurnsAboutItsCentre)
{
  TModelDocument document;
  auto make = [&](double x, int angle) {
    auto* cluster = static_cast<TCluster*>(document.CreateObject(okCluster));
    cluster->X = x;
    cluster->Y = 3;
    cluster->Outline = MakeShapeOutline(okCluster, 3, 1, 1);
    cluster->Angle = angle;
    cluster->Selected = true;
    return cluster;
  };
  TCluster* a = make(2, 10);
  EXPECT_TRUE(TSelectionRotator::RotateSelection(document, a->Centre(), -30));
  EXPECT_EQ(a->Angle, 340);
  a->Angle = 10;
  TSelectionRotator::RotateSelection(document, a->Centre(), 350);
  EXPECT_EQ(a->Angle, 360);
  a->Angle = 10;
  TSelectionRotator::RotateSelection(document, a->Centre(), 355);
  EXPECT_EQ(a->Angle, 5);
  EXPECT_FALSE(TSelectionRotator::RotateSelection(document, {7, 7}, 0));

  // Side by side, turned a quarter about their common centre: the left one ends on top, and
  // an arrow between them is not turned but follows.
  a->Angle = 0;
  TCluster* b = make(4, 0);
  auto* arrow = static_cast<TArrow*>(document.CreateObject(okArrow));
  TArrow::AttachArrowEnd(a, arrow, -1, TArrowEnd::Start);
  TArrow::AttachArrowEnd(b, arrow, -1, TArrowEnd::Finish);
  arrow->Selected = true;
  EXPECT_TRUE(TSelectionRotator::RotateSelection(document, {3, 3}, 90));
  EXPECT_EQ(a->Centre(), (TModelPoint{3, 2}));
  EXPECT_EQ(b->Centre(), (TModelPoint{3, 4}));
  EXPECT_EQ(a->Angle, 90);
  EXPECT_EQ(arrow->FromObject, a);
  EXPECT_TRUE(ArrowFollows(arrow));
  EXPECT_LT(arrow->FromY, arrow->ToY);
}

// ---- Dragging between two model windows ----------------------------------------------------

namespace {

struct TGroup {
  TCogi* A;
  TCogi* B;
  TCogi* C;
  TArrow* AB;
  TArrow* AC;
};

// A and B with an arrow between them and one to C; all but C selected.
TGroup SelectedGroup(TModelWindow& m)
{
  TGroup g;
  g.C = m.Cogi(2, 5);
  g.A = m.Cogi(2, 2);
  g.B = m.Cogi(5, 2);
  g.AB = Arrow(m, g.A, g.B);
  g.AC = Arrow(m, g.A, g.C);
  m.Baseline();
  Select(m, {g.A, g.B, g.AB, g.AC});
  return g;
}

}  // namespace

TEST(DragBetweenWindows, ADropMovesTheGroupWithItsArrowsAndCtrlCopiesIt)
{
  TModelWindows w(false);
  TGroup g = SelectedGroup(w.first);

  // The drag cursors: none over the window it came from, the drag cursor over another.
  w.Press(w.first, w.Pixel(g.A));
  w.Move(w.first, w.Pixel(g.A) + QPoint(10, 10));
  EXPECT_EQ(w.first.box->ScreenCursorId(), crNone);
  w.Move(w.second, w.Pixel(3, 3));
  EXPECT_EQ(w.first.box->ScreenCursorId(), crDrag);
  EXPECT_GT(OverlayPixels(w.second), 0);
  w.Move(w.second, w.Pixel(3, 3), Qt::ControlModifier);
  EXPECT_EQ(w.first.box->ScreenCursorId(), crDragPlus);
  w.Release(w.second, w.Pixel(3, 3));

  ASSERT_EQ(w.first.document.Objects.size(), 1u);
  EXPECT_EQ(w.first.document.Objects.front(), g.C);
  EXPECT_TRUE(g.C->AttachedArrows.empty());
  EXPECT_EQ(w.first.document.Mode, opNone);

  const TObjectList& moved = w.second.document.Objects;
  ASSERT_EQ(moved.size(), 4u);
  EXPECT_EQ(moved[0]->Centre(), (TModelPoint{3, 3}));
  EXPECT_EQ(moved[1]->Centre(), (TModelPoint{6, 3}));
  auto* ab = dynamic_cast<TArrow*>(moved[2]);
  auto* ac = dynamic_cast<TArrow*>(moved[3]);
  ASSERT_TRUE(ab && ac);
  EXPECT_EQ(ab->FromObject, moved[0]);
  EXPECT_EQ(ab->ToObject, moved[1]);
  EXPECT_EQ(ac->FromObject, moved[0]);
  EXPECT_EQ(ac->ToObject, nullptr);
  EXPECT_TRUE(moved[0]->Selected && moved[3]->Selected);
  EXPECT_EQ(OverlayPixels(w.second), 0);

  // Copying back with Ctrl leaves the second window as it was.
  w.Drag(w.second, w.Pixel(3, 3), w.first, w.Pixel(6, 6), Qt::ControlModifier);
  EXPECT_EQ(w.second.document.Objects.size(), 4u);
  ASSERT_EQ(w.first.document.Objects.size(), 5u);
  EXPECT_EQ(w.first.document.Objects[1]->Centre(), (TModelPoint{6, 6}));
  ExpectSavedNumbersFinite(w.first.document);
  ExpectSavedNumbersFinite(w.second.document);
}

TEST(DragBetweenWindows, ADroppedClusterKeepsTheMembersDroppedWithIt)
{
  TModelWindows w(false);
  w.second.document.SnapToGrid = false;
  TCogi* before = w.second.Cogi(4, 4);  // already there, below where the cluster lands
  TCluster* k = Cluster(w.first, 4, 4, 4, 4, 0);
  TCogi* m1 = w.first.Cogi(3.4, 4.2);
  TCogi* m2 = w.first.Cogi(4.6, 4.2);
  ASSERT_EQ(k->Members.size(), 2u);
  Select(w.first, {k, m1});
  w.Drag(w.first, w.Pixel(m1), w.second, w.Pixel(3.4, 5.2));

  ASSERT_EQ(w.second.document.Objects.size(), 3u);
  auto* k2 = dynamic_cast<TCluster*>(w.second.document.Objects[1]);
  auto* m1b = dynamic_cast<TCogi*>(w.second.document.Objects[2]);
  ASSERT_TRUE(k2 && m1b);
  EXPECT_NEAR(k2->X, 4, 1e-9);
  EXPECT_NEAR(k2->Y, 5, 1e-9);
  EXPECT_NEAR(m1b->X, 3.4, 1e-9);
  EXPECT_NEAR(m1b->Y, 5.2, 1e-9);
  ASSERT_EQ(k2->Members.size(), 1u);
  EXPECT_EQ(m1b->Cluster, k2);
  // What was there already lies below the new cluster and is not taken into it.
  EXPECT_EQ(before->Cluster, nullptr);
  // The member left behind belongs to no cluster any more.
  ASSERT_EQ(w.first.document.Objects.size(), 1u);
  EXPECT_EQ(m2->Cluster, nullptr);
  EXPECT_EQ(w.first.UndoCount(), 1);
  EXPECT_EQ(w.second.UndoCount(), 1);
  ExpectSavedNumbersFinite(w.second.document);
}

TEST(DragBetweenWindows, TheWindowThatTakesADropBecomesTheActiveOne)
{
  TModelWindows w(false);
  TGroup g = SelectedGroup(w.first);
  w.area.setActiveSubWindow(w.first.sub);
  ASSERT_EQ(w.area.activeSubWindow(), w.first.sub);
  w.Drag(w.first, w.Pixel(g.A), w.second, w.Pixel(3, 3));
  EXPECT_EQ(w.area.activeSubWindow(), w.second.sub);
  EXPECT_EQ(QApplication::focusWidget(), w.second.box);

  // A copy back: the first window takes it and is the active one again.
  w.Drag(w.second, w.Pixel(3, 3), w.first, w.Pixel(6, 6), Qt::ControlModifier);
  EXPECT_EQ(w.area.activeSubWindow(), w.first.sub);

  // A drag cancelled over the second window leaves the first one active.
  w.Press(w.first, w.Pixel(6, 6));
  w.Move(w.second, w.Pixel(4, 4));
  w.Key(w.first, Qt::Key_Escape);
  w.Release(w.second, w.Pixel(4, 4));
  EXPECT_EQ(w.area.activeSubWindow(), w.first.sub);
  EXPECT_EQ(w.second.document.Objects.size(), 4u);
}

TEST(DragBetweenWindows, EscapeCancelsTheDragAndChangesNothing)
{
  TModelWindows w(false);
  TGroup g = SelectedGroup(w.first);
  w.Press(w.first, w.Pixel(g.A));
  w.Move(w.second, w.Pixel(3, 3));
  ASSERT_GT(OverlayPixels(w.second), 0);
  w.Key(w.first, Qt::Key_Escape);
  EXPECT_EQ(w.first.document.Mode, opNone);
  EXPECT_EQ(OverlayPixels(w.second), 0);
  EXPECT_FALSE(w.first.box->ScreenCursorId() == crDrag);
  w.Move(w.second, w.Pixel(4, 4));
  w.Release(w.second, w.Pixel(4, 4));
  EXPECT_EQ(w.first.document.Objects.size(), 5u);
  EXPECT_EQ(g.A->Centre(), (TModelPoint{2, 2}));
  EXPECT_TRUE(w.second.document.Objects.empty());
  EXPECT_EQ(w.first.UndoCount(), 0);
  EXPECT_EQ(w.second.UndoCount(), 0);
}

// ---- Mended faults ---------------------------------------------------------------------------

TEST(MendedFaults, ACopiedArrowToAnObjectLeftBehindIsFreeNotAttachedByAStaleRecordPosition)
{
  TModelDocument document;
  CGPObject* behind = document.CreateObject(okCogi);
  CGPObject* a = document.CreateObject(okCogi);
  auto* arrow = static_cast<TArrow*>(document.CreateObject(okArrow));
  TArrow::AttachArrowEnd(a, arrow, 2, TArrowEnd::Start);
  TArrow::AttachArrowEnd(behind, arrow, 3, TArrowEnd::Finish);
  behind->SaveIndex = 0;  // left from the last save; 0 is also A's place among the copies
  for (CGPObject* object : {a, static_cast<CGPObject*>(arrow)}) {
    object->Selected = true;
    object->DragX = object->X;
    object->DragY = object->Y + 2;
  }
  TSelectionMover::Commit(document, document, true);
  ASSERT_EQ(document.Objects.size(), 5u);
  auto* copy = dynamic_cast<TArrow*>(document.Objects[4]);
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->FromObject, document.Objects[3]);
  EXPECT_EQ(copy->ToObject, nullptr);
  EXPECT_EQ(copy->ToAnchor, -1);
  EXPECT_EQ(arrow->ToObject, behind);
}

TEST(MendedFaults, ObjectsWithoutWidthOrHeightResizeWithoutNaN)
{
  TModelWindows w(true);
  TModelWindow& m = w.first;
  // A free shape of one point, a cluster made by a click, and a Cogi.
  auto* dot = static_cast<TFreeShape*>(m.document.CreateObject(okFreeShape));
  AppendLine(dot->Outline, 0, 0);
  dot->X = dot->Y = 2;
  dot->Width = dot->Height = 0;
  dot->Recalculate(&m.document.Objects, true);
  TCluster* click = Cluster(m, 4, 2, 0, 0, kCogiVariantFree);
  AppendLine(click->Outline, 0, 0);
  click->Text = TRtfWriter::CentredText(QStringLiteral("Group"));
  click->Recalculate(&m.document.Objects, true);
  TCogi* cogi = m.Cogi(6, 2);
  Select(m, {dot, click, cogi});
  // The dot's handles all lie on its centre; the first of them is grabbed.
  w.Drag(m, w.Pixel(2, 2), w.Pixel(1, 1));
  EXPECT_EQ(dot->Width, 1.0);
  EXPECT_EQ(dot->Centre(), (TModelPoint{1.5, 1.5}));
  EXPECT_EQ(click->Width, 0.0);
  EXPECT_EQ(click->Centre(), (TModelPoint{4, 2}));
  EXPECT_EQ(cogi->Width, 1.25);
  EXPECT_EQ(cogi->Centre(), (TModelPoint{6, 2}));
  EXPECT_EQ(m.UndoCount(), 1);

  // The click-made cluster's text box: a fraction of no size cannot place it.
  Select(m, {click});
  w.Drag(m, w.Pixel(4, 2), w.Pixel(5, 3));
  EXPECT_TRUE(std::isfinite(click->TextOffsetX) && std::isfinite(click->TextOffsetY));

  // Format painting a size onto it and from it.
  TInteractionPreferences choice;
  choice.FormatSize = true;
  m.box->SetPreferences(choice);
  Select(m, {dot});
  m.document.ChangeMode(opFormatPaint);
  w.Click(m, w.Pixel(4, 2));
  m.document.ChangeMode(opNone);
  EXPECT_EQ(click->Width, 1.0);
  ExpectSavedNumbersFinite(m.document);
}

TEST(MendedFaults, ADropRecordsOneUndoEntryInEachModelItChangedAndNoneElsewhere)
{
  TModelWindows w(false);
  TGroup g = SelectedGroup(w.first);
  w.Drag(w.first, w.Pixel(g.A), w.second, w.Pixel(3, 3));
  // Removed from the first model: one entry there, not a deletion and then an empty one.
  ASSERT_EQ(w.first.UndoCount(), 1);
  EXPECT_EQ(w.first.LastCaption(), QStringLiteral("Remove Cogis"));
  ASSERT_EQ(w.second.UndoCount(), 1);
  EXPECT_EQ(w.second.LastCaption(), QStringLiteral("Add Cogis"));

  // A copy back changes only the first model.
  w.Drag(w.second, w.Pixel(3, 3), w.first, w.Pixel(6, 6), Qt::ControlModifier);
  EXPECT_EQ(w.second.UndoCount(), 1);
  ASSERT_EQ(w.first.UndoCount(), 2);
  EXPECT_EQ(w.first.LastCaption(), QStringLiteral("Add Cogis"));

  // A drop on the window the drag came from is one move.
  w.Drag(w.first, w.Pixel(6, 6), w.first, w.Pixel(6, 5));
  ASSERT_EQ(w.first.UndoCount(), 3);
  EXPECT_EQ(w.first.LastCaption(), QStringLiteral("Move Cogis"));
  // And a drag that ends where it began changes nothing.
  w.Drag(w.first, w.Pixel(6, 5), w.first, w.Pixel(6, 5));
  EXPECT_EQ(w.first.UndoCount(), 3);
}

namespace {

// An object whose record breaks off after its kind code: reading it back fails.
class TUnreadableCogi : public TCogi {
 public:
  void SaveToStream(TBinaryWriter& stream) const override { stream.WriteInt32(okCogi); }
};

}  // namespace

TEST(MendedFaults, AMoveToAnotherWindowThatCannotBeReadLosesNothing)
{
  TModelWindows w(false);
  TCogi* a = w.first.Cogi(2, 2);
  auto* broken = new TUnreadableCogi;
  broken->SetShape(7, 0);
  broken->X = 4;
  broken->Y = 2;
  w.first.document.AppendObject(broken);
  broken->Recalculate(&w.first.document.Objects, true);
  Select(w.first, {a, broken});
  w.Drag(w.first, w.Pixel(a), w.second, w.Pixel(3, 3));
  ASSERT_EQ(w.first.document.Objects.size(), 2u);
  EXPECT_EQ(a->Centre(), (TModelPoint{2, 2}));
  EXPECT_TRUE(w.second.document.Objects.empty());
  EXPECT_EQ(w.second.errors.size(), 1);
  EXPECT_EQ(w.first.UndoCount(), 0);
  EXPECT_EQ(w.second.UndoCount(), 0);
  EXPECT_FALSE(w.second.document.ChangePending);
}

TEST(MendedFaults, TheRotationAngleHoldsWhenThePointerCrossesTheCentre)
{
  TModelWindows w(true);
  TModelWindow& m = w.first;
  TCluster* box = Cluster(m, 5, 4, 2, 1, 3);
  box->Angle = 10;
  Select(m, {box});
  m.document.ChangeMode(opRotateReady);
  m.Paint();
  const QPoint press = Turned(box, -1, -0.5, 10);
  const double start = Bearing(box->Centre(), {press.x() / 96.0, press.y() / 96.0});
  const TModelPoint far = PointAt(box->Centre(), 3, AddAngles(start, -30));
  w.Press(m, press);
  w.Move(m, w.Pixel(far.X, far.Y));
  // Exactly on the centre, where the pointer has no bearing from it.
  w.Move(m, w.Pixel(box));
  w.Release(m, w.Pixel(box));
  EXPECT_EQ(box->Angle, 340);
}

TEST(MendedFaults, AResizedOrFormatPaintedOleObjectKeepsItsSize)
{
  TModelWindows w(true);
  TModelWindow& m = w.first;
  auto* resized = static_cast<TOLECogi*>(m.document.CreateObject(okOLECogi));
  auto* painted = static_cast<TOLECogi*>(m.document.CreateObject(okOLECogi));
  resized->X = resized->Y = 2;
  painted->X = 5;
  painted->Y = 2;
  TCluster* standard = Cluster(m, 3, 5, 2, 1, 3);
  for (CGPObject* object : m.document.Objects)
    object->Recalculate(&m.document.Objects, true);
  Select(m, {resized});
  w.Drag(m, w.Pixel(2.5, 2.5), w.Pixel(3, 3));
  EXPECT_EQ(resized->Width, 1.5);
  EXPECT_TRUE(resized->OleSized);

  TInteractionPreferences choice;
  choice.FormatSize = true;
  m.box->SetPreferences(choice);
  Select(m, {standard});
  m.document.ChangeMode(opFormatPaint);
  w.Click(m, w.Pixel(painted));
  EXPECT_EQ(painted->Width, 2.0);
  EXPECT_TRUE(painted->OleSized);
}

TEST(MendedFaults, AClickOnAHandleResizesNothing)
{
  TModelWindows w(true);
  TModelWindow& m = w.first;
  m.document.SnapToGrid = false;
  TCluster* box = Cluster(m, 3, 3, 2, 1, 3);
  Select(m, {box});
  // One pixel off the corner, as a click lands.
  w.Click(m, w.Pixel(4, 3.5) + QPoint(1, 1));
  EXPECT_EQ(box->Width, 2.0);
  EXPECT_EQ(box->Centre(), (TModelPoint{3, 3}));
  EXPECT_EQ(m.UndoCount(), 0);
}
