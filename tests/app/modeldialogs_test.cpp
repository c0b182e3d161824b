// The model dialogs: Page Setup, Fill Properties, Model Details and the Magnifier, through
// their dialogs and through the entry points that apply and record what was chosen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/dialogs/fillpropertiesform.h"
#include "app/dialogs/magnifier.h"
#include "app/dialogs/modelsizeform.h"
#include "app/dialogs/summarydlg.h"
#include "app/modelform.h"
#include "document/modeldocument.h"
#include "interaction/modelpaintbox.h"
#include "io/undorecorder.h"
#include "model/cogi.h"
#include "platform/streams/datetimevalue.h"
#include "render/fillpainter.h"

namespace {

// Answers the next modal dialog: act on it, then OK (accept) or Cancel.
void AnswerNextDialog(std::function<void(QDialog&)> act, bool ok)
{
  QTimer::singleShot(0, [act, ok] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    if (act) act(*dialog);
    if (ok)
      dialog->accept();
    else
      dialog->reject();
  });
}

// With MINDORRA_SCREENSHOTS naming a folder, the dialogs are kept there as pictures to look at.
void SaveShot(QWidget& widget, const char* name)
{
  const QByteArray dir = qgetenv("MINDORRA_SCREENSHOTS");
  if (dir.isEmpty()) return;
  widget.grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name) +
                     QStringLiteral(".png"));
}

class TModelDialogs : public ::testing::Test {
 protected:
  void SetUp() override
  {
    form.resize(800, 600);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    TUndoRecorder::TakeBaseline(doc());
  }
  TModelDocument& doc() { return form.Document(); }
  int UndoCount() { return static_cast<int>(doc().UndoList.size()); }
  TCogi* SelectedCogi()
  {
    auto* cogi = static_cast<TCogi*>(doc().CreateObject(okCogi));
    cogi->X = 2;
    cogi->Y = 2;
    cogi->Recalculate(&doc().Objects, true);
    cogi->Selected = true;
    return cogi;
  }

  TModelForm form;
};

TEST_F(TModelDialogs, PageSetupOnThreeByTwoShowsCustomAndKeepsIt)
{
  doc().SetModelSize(3, 2);
  AnswerNextDialog(
      [](QDialog& d) {
        auto& size = static_cast<TModelSizeForm&>(d);
        EXPECT_EQ(size.Choice(), 7);
        EXPECT_EQ(size.AcrossBox().text(), QStringLiteral("3"));
        EXPECT_EQ(size.DownBox().text(), QStringLiteral("2"));
        EXPECT_TRUE(size.AcrossBox().isEnabled());
        SaveShot(d, "page-setup");
      },
      true);
  ASSERT_TRUE(RunPageSetup(&form, form));
  EXPECT_EQ(doc().PagesAcross, 3);
  EXPECT_EQ(doc().PagesDown, 2);
  ASSERT_EQ(UndoCount(), 1);
  EXPECT_EQ(doc().UndoList.back().Caption, QStringLiteral("Set Model Size"));
}

TEST_F(TModelDialogs, PageSetupKeepsOneByTwoInsteadOfTurningItIntoTwoByOne)
{
  TModelSizeForm dialog;
  dialog.SetValues(1, 2, 0);
  EXPECT_EQ(dialog.Choice(), 7);
  EXPECT_EQ(dialog.Across(), 1);
  EXPECT_EQ(dialog.Down(), 2);
  dialog.SetValues(2, 1, 1);
  EXPECT_EQ(dialog.Choice(), 1);
  EXPECT_FALSE(dialog.AcrossBox().isEnabled());
  EXPECT_EQ(dialog.Orientation(), 1);
  dialog.SetValues(6, 6, 0);
  EXPECT_EQ(dialog.Choice(), 6);
}

TEST_F(TModelDialogs, PageSetupCustomCountsAreClampedToTheSettingsRange)
{
  TModelSizeForm dialog;
  dialog.Choose(7);
  const std::pair<const char*, int> cases[] = {{"0", 1}, {"-4", 1},  {"100000", 50}, {"abc", 1},
                                               {"", 1},  {"50", 50}, {" 7 ", 7}};
  for (const auto& [typed, expected] : cases) {
    dialog.AcrossBox().setText(QString::fromLatin1(typed));
    dialog.DownBox().setText(QString::fromLatin1(typed));
    EXPECT_EQ(dialog.Across(), expected) << typed;
    EXPECT_EQ(dialog.Down(), expected) << typed;
  }
  // Through the command: a huge count cannot make a huge model.
  AnswerNextDialog(
      [](QDialog& d) {
        auto& size = static_cast<TModelSizeForm&>(d);
        size.Choose(7);
        size.AcrossBox().setText(QStringLiteral("99999"));
        size.DownBox().setText(QStringLiteral("0"));
      },
      true);
  ASSERT_TRUE(RunPageSetup(&form, form));
  EXPECT_EQ(doc().PagesAcross, 50);
  EXPECT_EQ(doc().PagesDown, 1);
}

TEST_F(TModelDialogs, PageSetupCancelledChangesNothing)
{
  doc().SetModelSize(2, 2);
  AnswerNextDialog([](QDialog& d) { static_cast<TModelSizeForm&>(d).Choose(0); }, false);
  EXPECT_FALSE(RunPageSetup(&form, form));
  EXPECT_EQ(doc().PagesAcross, 2);
  EXPECT_EQ(UndoCount(), 0);
}

TEST_F(TModelDialogs, FillPropertiesOpensOnThePatternPageOfPatternSeventeen)
{
  TCogi* cogi = SelectedCogi();
  cogi->FillStyle = TFillPainter::Pattern;
  cogi->PatternIndex = 17;
  cogi->GradientIndex = 3;
  AnswerNextDialog(
      [](QDialog& d) {
        auto& fill = static_cast<TFillPropertiesForm&>(d);
        EXPECT_EQ(fill.Pages().tabText(fill.Pages().currentIndex()), QStringLiteral("Pattern"));
        EXPECT_EQ(fill.PatternGrid().Current(), 17);
        SaveShot(d, "fill-properties-pattern");
        // Cell (3, 2) is pattern 3 + 7 * 2.
        QTest::mouseClick(&fill.PatternGrid(), Qt::LeftButton, {},
                          fill.PatternGrid().CellRect(3 + 7 * 2).center());
      },
      true);
  ASSERT_TRUE(RunFillProperties(&form, doc()));
  EXPECT_EQ(cogi->FillStyle, TFillPainter::Pattern);
  EXPECT_EQ(cogi->PatternIndex, 17);
  ASSERT_EQ(UndoCount(), 1);
  EXPECT_EQ(doc().UndoList.back().Caption, QStringLiteral("Fill Properties"));
}

TEST_F(TModelDialogs, FillPropertiesOkOnTheGradientPageGivesAGradient)
{
  TCogi* cogi = SelectedCogi();
  cogi->FillStyle = TFillPainter::Pattern;
  cogi->PatternIndex = 5;
  AnswerNextDialog(
      [](QDialog& d) {
        auto& fill = static_cast<TFillPropertiesForm&>(d);
        QTest::mouseClick(&fill.PatternGrid(), Qt::LeftButton, {},
                          fill.PatternGrid().CellRect(9).center());
        fill.Pages().setCurrentIndex(0);
        QTest::mouseClick(&fill.GradientGrid(), Qt::LeftButton, {},
                          fill.GradientGrid().CellRect(11).center());
      },
      true);
  ASSERT_TRUE(RunFillProperties(&form, doc()));
  EXPECT_EQ(cogi->FillStyle, TFillPainter::Gradient);
  EXPECT_EQ(cogi->GradientIndex, 11);
}

TEST_F(TModelDialogs, FillPropertiesWithNothingSelectedSetsTheDefaults)
{
  doc().FillStyle = TFillPainter::Solid;
  AnswerNextDialog(
      [](QDialog& d) {
        auto& fill = static_cast<TFillPropertiesForm&>(d);
        EXPECT_EQ(fill.Pages().currentIndex(), 0);  // solid opens on Gradient
        SaveShot(d, "fill-properties-gradient");
        fill.Pages().setCurrentIndex(1);
        QTest::mouseClick(&fill.PatternGrid(), Qt::LeftButton, {},
                          fill.PatternGrid().CellRect(48).center());
      },
      true);
  ASSERT_TRUE(RunFillProperties(&form, doc()));
  EXPECT_EQ(doc().FillStyle, TFillPainter::Pattern);
  EXPECT_EQ(doc().PatternIndex, 48);
  AnswerNextDialog({}, false);
  EXPECT_FALSE(RunFillProperties(&form, doc()));
  EXPECT_EQ(UndoCount(), 1);
}

TEST_F(TModelDialogs, ModelDetailsRecordsKeywordsOnlyWhenTheyChanged)
{
  doc().CreatedBy = QStringLiteral("ann");
  doc().CreatedTime = TDateTimeValue::FromDateTime(QDateTime(QDate(2024, 5, 6), QTime(7, 8)));
  doc().SavedBy.clear();
  doc().Keywords = QStringLiteral("one");
  AnswerNextDialog(
      [](QDialog& d) {
        auto& details = static_cast<TSummaryDlg&>(d);
        EXPECT_TRUE(details.CreatedText().startsWith(QStringLiteral("By ann on ")));
        EXPECT_EQ(details.SavedText(), QStringLiteral("Not yet saved"));
        EXPECT_FALSE(details.SavedShown());
        SaveShot(d, "model-details");
      },
      true);
  EXPECT_FALSE(RunModelDetails(&form, doc()));
  EXPECT_EQ(UndoCount(), 0);
  AnswerNextDialog([](QDialog& d) { static_cast<TSummaryDlg&>(d).KeywordsBox().setText("two"); },
                   false);
  EXPECT_FALSE(RunModelDetails(&form, doc()));
  EXPECT_EQ(doc().Keywords, QStringLiteral("one"));
  AnswerNextDialog([](QDialog& d) { static_cast<TSummaryDlg&>(d).KeywordsBox().setText("two"); },
                   true);
  EXPECT_TRUE(RunModelDetails(&form, doc()));
  EXPECT_EQ(doc().Keywords, QStringLiteral("two"));
  ASSERT_EQ(UndoCount(), 1);
  EXPECT_EQ(doc().UndoList.back().Caption, QStringLiteral("Keywords Changed"));
}

TEST_F(TModelDialogs, MagnifierScaleStaysWithinItsRangeAndFollowsThePointer)
{
  TMagnifier magnifier;
  EXPECT_EQ(magnifier.Scale(), 100);
  magnifier.Decrease();
  EXPECT_EQ(magnifier.Scale(), 100);
  magnifier.SetScale(298);
  magnifier.Increase();
  EXPECT_EQ(magnifier.Scale(), 300);
  EXPECT_EQ(magnifier.ScaleCaption(), QStringLiteral("300 %"));
  magnifier.SetScale(-5);
  EXPECT_EQ(magnifier.Scale(), 100);

  auto* cogi = static_cast<TCogi*>(doc().CreateObject(okCogi));
  cogi->X = 10;
  cogi->Y = 10;
  cogi->FaceColor = 0x0000FF;
  cogi->FillStyle = TFillPainter::Solid;
  cogi->Recalculate(&doc().Objects, true);
  magnifier.SetModel(&form);
  Q_EMIT form.PaintBox().MagnifierPointChanged(1, 1);
  EXPECT_EQ(magnifier.Centre().X, 1);
  magnifier.Render(QSize(200, 160));
  EXPECT_EQ(magnifier.DrawnCount(), 0);  // the hexagon is far away
  Q_EMIT form.PaintBox().MagnifierPointChanged(10, 10);
  const QImage picture = magnifier.Render(QSize(200, 160));
  EXPECT_EQ(magnifier.DrawnCount(), 1);
  EXPECT_EQ(picture.pixelColor(100, 80), QColor(255, 0, 0));
  magnifier.resize(240, 200);
  magnifier.show();
  SaveShot(magnifier, "magnifier");
  magnifier.SetModel(nullptr);
  magnifier.Render(QSize(20, 20));
  EXPECT_EQ(magnifier.DrawnCount(), 0);
}

}  // namespace
