#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "document/documenttestsupport.h"
#include "document/modecontroller.h"
#include "document/modeldocument.h"
#include "model/arrow.h"
#include "platform/userfolders.h"

namespace {

CGPObject* Place(TModelDocument& document, double x, double y, double w = 1, double h = 1)
{
  CGPObject* object = document.CreateObject(0);
  object->X = x;
  object->Y = y;
  object->Width = w;
  object->Height = h;
  object->Recalculate(&document.Objects, true);
  return object;
}

}  // namespace

TEST(ModelDocument, NewDocumentDefaults)
{
  TFixedPrinter printer;
  TModelDocument document(&printer);
  EXPECT_EQ(document.FileName, QStringLiteral("Untitled.mdl"));
  EXPECT_FALSE(document.Named);
  EXPECT_FALSE(document.Modified);
  EXPECT_FALSE(document.ChangePending);
  EXPECT_EQ(document.Zoom, 70);
  EXPECT_EQ(document.ZoomFrames, 10);
  EXPECT_EQ(document.PagesAcross, 2);
  EXPECT_EQ(document.PagesDown, 2);
  EXPECT_EQ(document.NextSerial, 1);
  EXPECT_EQ(document.Mode, 0);
  EXPECT_TRUE(document.ShowGrid);
  EXPECT_TRUE(document.SnapToGrid);
  EXPECT_TRUE(document.SnapToShape);
  EXPECT_TRUE(document.ReversePrintOrder);
  EXPECT_EQ(document.ModelColor, 0xFFFFFFu);
  EXPECT_FALSE(document.Background.has_value());
  EXPECT_EQ(document.Orientation, 1);  // read from the printer
  EXPECT_EQ(document.CreatedBy, TUserFolders::CurrentUserName());
  EXPECT_FALSE(document.CreatedBy.isEmpty());
  EXPECT_GT(document.CreatedTime, 40000.0);  // days since 1899: any date after 2009
  EXPECT_EQ(document.CreatedTime, document.SavedTime);
  EXPECT_EQ(document.MainViewTopLeft, document.MainViewBottomRight);
}

TEST(ModelDocument, PageGeometryWithHeaderAndFooter)
{
  TFixedPrinter printer;
  TModelDocument document(&printer);
  EXPECT_DOUBLE_EQ(document.PaperWidth, 11.0);
  EXPECT_DOUBLE_EQ(document.PaperHeight, 8.0);
  EXPECT_DOUBLE_EQ(document.PageWidth, 10.5);
  EXPECT_DOUBLE_EQ(document.PageHeight, 7.75);
  EXPECT_DOUBLE_EQ(document.ModelWidth, 21);
  EXPECT_DOUBLE_EQ(document.ModelHeight, 15.5);

  document.PrintHeader = true;
  document.UpdatePageSize();
  document.SetModelSize(document.PagesAcross, document.PagesDown);
  EXPECT_DOUBLE_EQ(document.ModelHeight, 15);
  document.PrintFooter = true;
  document.UpdatePageSize();
  document.SetModelSize(3, 1);
  EXPECT_DOUBLE_EQ(document.PageHeight, 7.25);
  EXPECT_DOUBLE_EQ(document.ModelWidth, 31.5);
  EXPECT_DOUBLE_EQ(document.ModelHeight, 7.25);

  document.Orientation = 0;
  document.ApplyPrinterOrientation();
  EXPECT_EQ(printer.orientation, 0);
  EXPECT_EQ(printer.copies, 1);
  document.UpdatePageSize();
  EXPECT_DOUBLE_EQ(document.PaperWidth, 8.0);
}

TEST(ModelDocument, DefaultPrinterGivesAUsablePage)
{
  // Without any printer installed the program still has a page to lay models out on.
  TModelDocument document;
  EXPECT_GT(document.PageWidth, 5.0);
  EXPECT_GT(document.PageHeight, 5.0);
  EXPECT_DOUBLE_EQ(document.ModelWidth, 2 * document.PageWidth);
}

TEST(ModelDocument, SerialsAndNumbersAreNeverReused)
{
  TModelDocument document;
  CGPObject* a = document.CreateObject(okCogi);
  CGPObject* b = document.CreateObject(okCogi);
  EXPECT_EQ(a->Serial, 1);
  EXPECT_EQ(b->Serial, 2);
  EXPECT_EQ(b->Number, 2);
  document.StingObject(a);
  document.StingObject(b);
  CGPObject* c = document.CreateObject(okCogi);
  EXPECT_EQ(c->Serial, 3);
  EXPECT_EQ(c->Number, 1);  // numbers follow the list length
  EXPECT_EQ(document.NextSerial, 4);
  EXPECT_EQ(document.CreateObject(okArrow)->KindCode(), 1);
}

TEST(ModelDocument, SelectionAndNotification)
{
  TModelDocument document;
  TRecordingObserver observer;
  document.SetObserver(&observer);

  // An empty model: deselect does nothing, select-all only notifies and repaints,
  // delete beeps.
  document.DeselectAll(true);
  EXPECT_EQ(observer.syncs, 0);
  document.SelectAll();
  EXPECT_EQ(observer.syncs, 1);
  EXPECT_EQ(observer.repaints, 1);
  document.DeleteSelection();
  EXPECT_EQ(observer.beeps, 1);

  CGPObject* a = Place(document, 1, 1);
  CGPObject* b = Place(document, 3, 1);
  auto* arrow = static_cast<TArrow*>(document.CreateObject(okArrow));
  EXPECT_EQ(document.SelectedCount(), 0);
  EXPECT_EQ(document.FirstSelected(), nullptr);
  document.SelectObject(b, true);
  document.SelectObject(b, true);  // already selected: no second notification
  EXPECT_EQ(observer.syncs, 2);
  document.SelectObject(a, false);
  EXPECT_EQ(document.FirstSelected(), a);
  EXPECT_EQ(document.SelectedCount(), 2);
  EXPECT_FALSE(document.AnySelectedOfClass<TArrow>());
  document.SelectObject(arrow, false);
  EXPECT_TRUE(document.AnySelectedOfClass<TArrow>());
  document.DeselectObject(a, true);
  EXPECT_EQ(observer.syncs, 3);
  document.DeselectAll(false);
  EXPECT_EQ(document.SelectedCount(), 0);
  EXPECT_EQ(observer.syncs, 3);

  // With nothing selected but objects present, Delete switches to sting mode.
  document.DeleteSelection();
  EXPECT_EQ(document.Mode, opSting);
  EXPECT_EQ(observer.beeps, 1);
}

TEST(ModelDocument, StackingOrder)
{
  TModelDocument document;
  CGPObject* a = Place(document, 1, 1);
  CGPObject* b = Place(document, 2, 1);
  CGPObject* c = Place(document, 3, 1);
  CGPObject* d = Place(document, 4, 1);
  b->Selected = d->Selected = true;
  document.BringSelectionToFront();
  EXPECT_EQ(document.Objects, (TObjectList{a, c, b, d}));

  document.Objects = {a, b, c, d};
  document.SendSelectionToBack();
  EXPECT_EQ(document.Objects, (TObjectList{b, d, a, c}));

  // Adjacent selected objects at either end keep their order too.
  document.Objects = {a, b, c, d};
  a->Selected = b->Selected = true;
  c->Selected = d->Selected = false;
  document.BringSelectionToFront();
  EXPECT_EQ(document.Objects, (TObjectList{c, d, a, b}));
  document.SendSelectionToBack();
  EXPECT_EQ(document.Objects, (TObjectList{a, b, c, d}));

  // The commands beep with nothing selected and record otherwise.
  TRecordingObserver observer;
  document.SetObserver(&observer);
  document.DeselectAll(false);
  document.BringToFrontCommand();
  EXPECT_EQ(observer.beeps, 1);
  EXPECT_EQ(document.Objects, (TObjectList{a, b, c, d}));
  c->Selected = true;
  document.SendToBackCommand();
  EXPECT_EQ(document.Objects, (TObjectList{c, a, b, d}));
  EXPECT_FALSE(document.ChangePending);  // recorded
  EXPECT_GE(observer.controls, 1);
}

TEST(ModelDocument, RenumberingByReadingOrder)
{
  TModelDocument document;
  CGPObject* right = Place(document, 5, 2);
  CGPObject* left = Place(document, 1, 2);
  CGPObject* middle = Place(document, 3, 2);
  CGPObject* below = Place(document, 0.5, 4);
  CGPObject* unselected = Place(document, 0, 0);
  for (CGPObject* o : {right, left, middle, below})
    o->Selected = true;
  unselected->Number = 42;
  const std::vector<CGPObject*> forNumbering = document.SelectionForNumbering();
  EXPECT_EQ(forNumbering.size(), 4u);
  document.RenumberSelection(10);
  EXPECT_EQ(left->Number, 10);
  EXPECT_EQ(middle->Number, 11);
  EXPECT_EQ(right->Number, 12);
  EXPECT_EQ(below->Number, 13);
  EXPECT_EQ(unselected->Number, 42);

  // With nothing selected the command hands the number to renumber mode instead.
  document.DeselectAll(false);
  document.RenumberCommand(5);
  EXPECT_EQ(document.Mode, opRenumber);
  EXPECT_EQ(document.NextRenumber, 5);
  EXPECT_EQ(left->Number, 10);
}

namespace {

// Hears of every object the document destroys, as a window's running gesture does.
class TForgettingController : public IModeController {
 public:
  void SetMode(TOperationMode) override {}
  bool ObjectsMayBeDeleted() const override { return true; }
  void ObjectDestroyed(const CGPObject* object) override { destroyed.push_back(object); }
  std::vector<const CGPObject*> destroyed;
};

}  // namespace

TEST(ModelDocument, StingClearsEveryReferenceToTheObject)
{
  // A hit test before the next paint must never meet a destroyed object.
  TModelDocument document;
  TForgettingController controller;
  document.SetModeController(&controller);
  CGPObject* a = Place(document, 1, 1);
  CGPObject* b = Place(document, 4, 1);
  auto* arrow = static_cast<TArrow*>(document.CreateObject(okArrow));
  TArrow::AttachArrowEnd(a, arrow, -1, TArrowEnd::Start);
  TArrow::AttachArrowEnd(b, arrow, -1, TArrowEnd::Finish);
  arrow->ComputeArrowEnds();
  document.VisibleObjects = {a, b, arrow};
  document.ContextObject = a;

  document.StingObject(a);
  EXPECT_EQ(document.Objects.size(), 2u);
  EXPECT_EQ(document.VisibleObjects, (TObjectList{b, arrow}));
  EXPECT_EQ(document.ContextObject, nullptr);
  EXPECT_EQ(controller.destroyed, (std::vector<const CGPObject*>{a}));
  EXPECT_EQ(arrow->FromObject, nullptr);
  EXPECT_TRUE(document.ChangePending);

  // Deleting the arrow itself detaches it from the remaining end.
  document.StingObject(arrow);
  EXPECT_TRUE(b->AttachedArrows.empty());

  // In text editing nothing is stung.
  document.Mode = opEditText;
  document.StingObject(b);
  EXPECT_EQ(document.Objects.size(), 1u);
  document.Mode = opNone;

  document.VisibleObjects = {b};
  document.ClearModel();
  EXPECT_TRUE(document.Objects.empty());
  EXPECT_TRUE(document.VisibleObjects.empty());
  EXPECT_EQ(controller.destroyed.back(), b);
  document.SetModeController(nullptr);
}

TEST(ModelDocument, DeleteSelectionDeletesEverySelectedObjectAndRecords)
{
  TModelDocument document;
  TRecordingObserver observer;
  document.SetObserver(&observer);
  CGPObject* a = Place(document, 1, 1);
  Place(document, 2, 1);
  CGPObject* c = Place(document, 3, 1);
  a->Selected = c->Selected = true;
  document.DeleteSelection();
  ASSERT_EQ(document.Objects.size(), 1u);
  EXPECT_EQ(document.Objects[0]->X, 2);
  EXPECT_FALSE(document.ChangePending);
  EXPECT_GE(observer.repaints, 1);
}

TEST(ModelDocument, ClearModelWithArrowsBetweenObjects)
{
  TModelDocument document;
  CGPObject* a = Place(document, 1, 1);
  auto* arrow = static_cast<TArrow*>(document.CreateObject(okArrow));
  auto* onArrow = static_cast<TArrow*>(document.CreateObject(okArrow));
  TArrow::AttachArrowEnd(a, arrow, 2, TArrowEnd::Start);
  TArrow::AttachArrowEnd(arrow, onArrow, 6, TArrowEnd::Finish);
  document.Background = TPicture::FromImage(QImage(4, 4, QImage::Format_RGB32));
  document.ClearModel();  // must not touch freed objects
  EXPECT_TRUE(document.Objects.empty());
  EXPECT_FALSE(document.Background.has_value());
}

TEST(ModelDocument, CurrentAttributesReachNewObjects)
{
  TModelDocument document;
  document.ShowNumber = false;
  document.Shadow = 1;
  document.Style3D = 1;
  CGPObject* object = document.CreateObject(okCogi);
  document.ApplyCurrentAttributes(object);
  EXPECT_FALSE(object->ShowNumber);
  EXPECT_EQ(object->Shadow, 1);
  EXPECT_EQ(object->Style3D, 1);
  document.ApplyCurrentAttributes(nullptr);  // tolerated
}

TEST(ModelDocument, RecoveryFileNamesAreUniqueAndPrivate)
{
  TModelDocument first;
  TModelDocument second;
  EXPECT_NE(first.RecoverFileName, second.RecoverFileName);
  const QFileInfo info(first.RecoverFileName);
  EXPECT_TRUE(info.fileName().startsWith(QStringLiteral("CGP Recover ")));
  EXPECT_TRUE(info.fileName().endsWith(QStringLiteral(".MDL")));
  // The folder is made private by the recorder when it first writes there (tests/app).
  EXPECT_FALSE(info.absolutePath().startsWith(QStringLiteral("/tmp")));

  // The document removes its recovery and undo files when it goes.
  QString recovery, undo;
  {
    TModelDocument document;
    recovery = document.RecoverFileName;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(recovery).absolutePath()));
    undo = QFileInfo(recovery).absolutePath() + QStringLiteral("/CGP Undo test.MDL");
    for (const QString& path : {recovery, undo}) {
      QFile file(path);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    document.UndoList.push_back({undo, QStringLiteral("Move")});
  }
  EXPECT_FALSE(QFileInfo::exists(recovery));
  EXPECT_FALSE(QFileInfo::exists(undo));
}

TEST(ModelDocument, BackgroundAndWindowCentre)
{
  TModelDocument document;
  TRecordingObserver observer;
  document.SetObserver(&observer);
  QImage image(8, 8, QImage::Format_RGB32);
  image.fill(Qt::red);
  document.SetBackground(TPicture::FromImage(image));
  ASSERT_TRUE(document.Background.has_value());
  EXPECT_EQ(document.Background->Width(), 8);
  EXPECT_FALSE(document.ChangePending);
  document.SetBackground(std::nullopt);
  EXPECT_FALSE(document.Background.has_value());

  document.Zoom = 100;
  document.ViewOrigin = {1, 2};
  document.ClientSize = QSize(960, 480);
  EXPECT_EQ(document.WindowCentre(), (TModelPoint{6, 4.5}));
}

TEST(ModelDocument, BrainstormCogisFillRowsFromTheWindowsLeft)
{
  TModelDocument document;
  document.Zoom = 100;
  document.ViewOrigin = {1.1, 2.0};
  document.ClientSize = QSize(480, 480);  // 5 inches wide
  document.CogiSize = 0;
  TModelDocument::InsertionPoint = {-1, -1};
  std::vector<CGPObject*> made;
  for (int i = 0; i < 6; ++i)
    made.push_back(document.AddBrainstormCogi(QStringLiteral("idea %1").arg(i)));
  // The first stands half an inch in from the top left, snapped to the quarter inch.
  EXPECT_DOUBLE_EQ(made[0]->X, 1.5);
  EXPECT_DOUBLE_EQ(made[0]->Y, 2.5);
  EXPECT_DOUBLE_EQ(made[1]->X, 1.5 + made[0]->Width);
  EXPECT_DOUBLE_EQ(made[1]->Y, 2.5);
  // Rows wrap before half an inch short of the right edge (6.1).
  int row = 0;
  for (std::size_t i = 1; i < made.size(); ++i) {
    if (made[i]->Y > made[i - 1]->Y) {
      ++row;
      EXPECT_DOUBLE_EQ(made[i]->X, 1.5);
      EXPECT_DOUBLE_EQ(made[i]->Y, made[i - 1]->Y + made[i - 1]->Height);
    }
    EXPECT_LE(made[i]->X, 6.1 - 0.5 + made[i]->Width);
  }
  EXPECT_GE(row, 1);
  EXPECT_EQ(made[0]->KindCode(), 8);
  made[0]->EnsureTextLayout();
  EXPECT_FALSE(made[0]->TextLayout.Empty());
  EXPECT_FALSE(document.ChangePending);

  CGPObject* thought = document.AddThoughtCogi(QStringLiteral("Think"), QStringLiteral("more"));
  EXPECT_FALSE(thought->Notes.isEmpty());
  TModelDocument::InsertionPoint = {-1, -1};
}
