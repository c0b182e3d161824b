#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "app/modelform.h"
#include "app/printing/myprintdialog.h"
#include "app/printing/printcommands.h"
#include "app/printing/systemprinter.h"
#include "app/shelltestsupport.h"
#include "io/iotestsupport.h"
#include "io/printrecorder.h"
#include "io/undorecorder.h"

using printtest::PdfPageCount;
using shelltest::TScriptedDialogs;

namespace {

// A machine without a printer: PDF files on A4, the printer every model measures by.
class PrintCommandTest : public ::testing::Test {
 protected:
  PrintCommandTest() : printer(QPageSize(QPageSize::A4)) { TSystemPrinter::Install(&printer); }
  ~PrintCommandTest() override { TSystemPrinter::Install(nullptr); }

  TModelForm& Form()
  {
    if (!form) form = std::make_unique<TModelForm>();
    return *form;
  }
  // Runs Print... with the dialog driven by the test.
  void Print(const std::function<int(TMyPrintDialog&)>& drive)
  {
    PrintCommand(nullptr, dialogs, Form(), printer, drive);
  }
  QString PdfPath() const { return dir.filePath(QStringLiteral("out.pdf")); }
  int PdfPages() const
  {
    QFile file(PdfPath());
    return file.open(QIODevice::ReadOnly) ? PdfPageCount(file.readAll()) : -1;
  }
  QString Messages() const
  {
    return dialogs.Texts(QStringLiteral("message")).join(QLatin1Char('|'));
  }

  QTemporaryDir dir;
  TSystemPrinter printer;
  TScriptedDialogs dialogs;
  std::unique_ptr<TModelForm> form;
};

int Ok(TMyPrintDialog& dialog)
{
  dialog.OkButton->click();
  return dialog.result();
}

}  // namespace

TEST(LocalePaper, LetterWhereItIsUsualAndA4Elsewhere)
{
  EXPECT_EQ(LocalePaperSize(QLocale(QLocale::English, QLocale::UnitedStates)).id(),
            QPageSize::Letter);
  EXPECT_EQ(LocalePaperSize(QLocale(QLocale::French, QLocale::Canada)).id(), QPageSize::Letter);
  EXPECT_EQ(LocalePaperSize(QLocale(QLocale::German, QLocale::Germany)).id(), QPageSize::A4);
  EXPECT_EQ(LocalePaperSize(QLocale(QLocale::English, QLocale::UnitedKingdom)).id(), QPageSize::A4);
}

TEST(SystemPrinter, AMachineWithoutPrintersPrintsToPdfOnTheLocalePaper)
{
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has a printer";
  TSystemPrinter printer;
  EXPECT_TRUE(printer.PrintsToPdf());
  EXPECT_TRUE(
      printer.Printer().pageLayout().pageSize().isEquivalentTo(LocalePaperSize(QLocale::system())));
  EXPECT_GT(printer.PageSizePixels().width(), 0);
}

TEST_F(PrintCommandTest, WithoutAPrinterModelsUseThePaperAndPrintToAPdfFile)
{
  TModelDocument& d = Form().Document();
  // A4's 8.27 x 11.69 inches less the quarter-inch edge.
  EXPECT_NEAR(d.PaperWidth, 210 / 25.4 - 0.5, 0.01);
  EXPECT_NEAR(d.PaperHeight, 297 / 25.4 - 0.5, 0.01);
  iotest::AddCogi(d, 2, 2);
  dialogs.saveNames.push_back(PdfPath());
  Print([](TMyPrintDialog& dialog) {
    dialog.WholeModelButton->setChecked(true);
    return Ok(dialog);
  });
  EXPECT_EQ(PdfPages(), 1);
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].Title, QStringLiteral("Print to PDF"));
  EXPECT_TRUE(Messages().isEmpty()) << Messages().toStdString();
  // Nothing in the model changed, so there is nothing to save.
  EXPECT_FALSE(d.Modified);
}

TEST_F(PrintCommandTest, CloseKeepsOrientationAndMarginsAsAnUndoableChangeWithoutPrinting)
{
  TModelDocument& d = Form().Document();
  const double portraitWidth = d.ModelWidth;
  Print([](TMyPrintDialog& dialog) {
    EXPECT_EQ(dialog.CancelButton->text(), QStringLiteral("&Cancel"));
    dialog.LandscapeButton->click();
    EXPECT_EQ(dialog.CancelButton->text(), QStringLiteral("&Close"));
    dialog.LeftSpin->setValue(1.0);
    dialog.reject();  // Escape or the close box count as Close too
    return dialog.result();
  });
  EXPECT_EQ(d.Orientation, 1);
  EXPECT_DOUBLE_EQ(d.LeftMargin, 1.0);
  EXPECT_GT(d.PaperWidth, d.PaperHeight);
  EXPECT_GT(d.ModelWidth, portraitWidth);  // the pages were measured again
  EXPECT_TRUE(d.Modified);
  EXPECT_EQ(TUndoRecorder::UndoCaption(d).second, QStringLiteral("Undo Print Settings"));
  EXPECT_TRUE(dialogs.fileRequests.empty());  // nothing printed
}

TEST_F(PrintCommandTest, CancelChangesNothing)
{
  TModelDocument& d = Form().Document();
  Print([](TMyPrintDialog& dialog) {
    dialog.LeftSpin->setValue(2.0);
    dialog.HeaderBox->setChecked(true);
    dialog.CancelButton->click();
    return dialog.result();
  });
  EXPECT_DOUBLE_EQ(d.LeftMargin, 0.25);
  EXPECT_FALSE(d.PrintHeader);
  EXPECT_FALSE(d.Modified);
  EXPECT_FALSE(TUndoRecorder::UndoCaption(d).first);
}

TEST_F(PrintCommandTest, MarginsLeavingNoRoomAreMadeSmallerAndSaidSo)
{
  TModelDocument& d = Form().Document();
  Print([](TMyPrintDialog& dialog) {
    dialog.LeftSpin->setValue(6.0);
    dialog.RightSpin->setValue(6.0);
    dialog.CopiesSpin->setValue(2);  // a printer change: Cancel became Close
    dialog.CancelButton->click();
    return dialog.result();
  });
  EXPECT_GT(d.PageWidth, 0.0);
  EXPECT_TRUE(Messages().contains(QStringLiteral("margins"))) << Messages().toStdString();
  EXPECT_TRUE(d.Modified);
}

TEST_F(PrintCommandTest, AnEmptyModelSaysNothingToPrint)
{
  Print([](TMyPrintDialog& dialog) {
    dialog.WholeModelButton->setChecked(true);
    return Ok(dialog);
  });
  EXPECT_TRUE(Messages().contains(QStringLiteral("Nothing to print."))) << Messages().toStdString();
  EXPECT_TRUE(dialogs.fileRequests.empty());
}

TEST_F(PrintCommandTest, AFailedJobShowsItsError)
{
  iotest::AddCogi(Form().Document(), 2, 2);
  dialogs.saveNames.push_back(dir.filePath(QStringLiteral("no/such/folder/out.pdf")));
  Print([](TMyPrintDialog& dialog) {
    dialog.WholeModelButton->setChecked(true);
    return Ok(dialog);
  });
  EXPECT_TRUE(Messages().contains(QStringLiteral("Unable to start printing.")))
      << Messages().toStdString();
}

TEST_F(PrintCommandTest, PageBoxesTakeDigitsOnlyAndAHugeRangeIsClampedAndSaidSo)
{
  dialogs.saveNames.push_back(PdfPath());
  Print([](TMyPrintDialog& dialog) {
    EXPECT_FALSE(dialog.SelectedButton->isEnabled());  // nothing selected
    EXPECT_TRUE(dialog.CurrentViewButton->isChecked());
    QTest::keyClicks(dialog.FromEdit, QStringLiteral("x0"));
    EXPECT_EQ(dialog.FromEdit->text(), QStringLiteral("0"));
    EXPECT_TRUE(dialog.PagesButton->isChecked());  // typing chose Pages
    QTest::keyClicks(dialog.ToEdit, QStringLiteral("100000000"));
    dialog.BlankPagesBox->setChecked(true);
    return Ok(dialog);
  });
  EXPECT_EQ(PdfPages(), 4);
  EXPECT_TRUE(Messages().contains(QStringLiteral("The model has 4 pages")))
      << Messages().toStdString();
}

TEST_F(PrintCommandTest, PrintViewUsesTheCopiesLastChosenWithoutTheDialog)
{
  iotest::AddCogi(Form().Document(), 2, 2);
  dialogs.saveNames.push_back(PdfPath());
  dialogs.saveNames.push_back(PdfPath());
  Print([](TMyPrintDialog& dialog) {
    dialog.CopiesSpin->setValue(2);
    return Ok(dialog);
  });
  EXPECT_EQ(PdfPages(), 2);
  EXPECT_EQ(printer.Remembered.Copies, 2);
  QFile::remove(PdfPath());
  PrintViewCommand(nullptr, dialogs, Form(), printer);
  EXPECT_EQ(PdfPages(), 2);
  EXPECT_TRUE(dialogs.saveNames.empty());  // each printout asked for its file

  // A file chosen in the printer setup is printed to without asking.
  const QString chosen = dir.filePath(QStringLiteral("chosen.pdf"));
  printer.Printer().setOutputFileName(chosen);
  PrintViewCommand(nullptr, dialogs, Form(), printer);
  EXPECT_TRUE(QFile::exists(chosen));
  EXPECT_EQ(dialogs.Count(QStringLiteral("save")), 2);
}

// ---- The command line

namespace {

struct TPrintRun {
  int Status;
  QString Err;
};

TPrintRun RunPrint(const QStringList& args)
{
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("DISPLAY"));
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(MINDORRA_EXECUTABLE), QStringList{QStringLiteral("print")} + args);
  EXPECT_TRUE(process.waitForFinished(60000));
  return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
}

int PagesIn(const QString& path)
{
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? PdfPageCount(file.readAll()) : -1;
}

}  // namespace

TEST(PrintVerb, PrintsTheJobsToPdf)
{
  QTemporaryDir dir;
  const QString model = dir.filePath(QStringLiteral("pages.mdl"));
  {
    TModelDocument d;
    iotest::AddCogi(d, 11, 15);  // on page 4 of 4 only
    TModelFile::SaveModelFile(d, model);
  }
  const QString out = dir.filePath(QStringLiteral("out.pdf"));
  const auto pages = [&](const QStringList& options) {
    QFile::remove(out);
    const TPrintRun run = RunPrint(QStringList{model, out} + options);
    EXPECT_EQ(run.Status, 0) << run.Err.toStdString();
    return PagesIn(out);
  };
  EXPECT_EQ(pages({}), 1);  // the whole model on one sheet
  EXPECT_EQ(
      pages({QStringLiteral("--pages"), QStringLiteral("3-1"), QStringLiteral("--blank-pages")}),
      3);
  EXPECT_EQ(pages({QStringLiteral("--pages"), QStringLiteral("1-4")}), 1);  // blanks skipped
  EXPECT_EQ(
      pages({QStringLiteral("--whole"), QStringLiteral("--no-fit"), QStringLiteral("--blank-pages"),
             QStringLiteral("--copies"), QStringLiteral("3"), QStringLiteral("--header"),
             QStringLiteral("--frames"), QStringLiteral("--comments"), QStringLiteral("draft")}),
      12);
  EXPECT_EQ(pages({QStringLiteral("--view")}), 1);

  QFile::remove(out);
  const TPrintRun clamped =
      RunPrint({model, out, QStringLiteral("--pages"), QStringLiteral("0-100000000"),
                QStringLiteral("--blank-pages")});
  EXPECT_EQ(clamped.Status, 0);
  EXPECT_TRUE(clamped.Err.contains(QStringLiteral("The model has 4 pages")))
      << clamped.Err.toStdString();
  EXPECT_EQ(PagesIn(out), 4);
}

TEST(PrintVerb, FailuresAndMistakesAreReported)
{
  QTemporaryDir dir;
  const QString model = dir.filePath(QStringLiteral("empty.mdl"));
  {
    TModelDocument d;
    TModelFile::SaveModelFile(d, model);
  }
  const QString out = dir.filePath(QStringLiteral("out.pdf"));
  const TPrintRun empty = RunPrint({model, out});
  EXPECT_EQ(empty.Status, 1);
  EXPECT_TRUE(empty.Err.contains(QStringLiteral("Nothing to print."))) << empty.Err.toStdString();
  EXPECT_FALSE(QFile::exists(out));
  EXPECT_EQ(RunPrint({model, out, QStringLiteral("--copies"), QStringLiteral("0")}).Status, 2);
  EXPECT_EQ(RunPrint({model, out, QStringLiteral("--pages"), QStringLiteral("a-b")}).Status, 2);
  EXPECT_EQ(RunPrint({model, dir.filePath(QStringLiteral("out.png"))}).Status, 2);
  EXPECT_EQ(RunPrint({model, out, QStringLiteral("--bogus")}).Status, 2);
  EXPECT_EQ(RunPrint({dir.filePath(QStringLiteral("missing.mdl")), out}).Status, 1);
}

namespace {

// The text of one page of a PDF, as a PDF reader extracts it; empty without the reader.
QString PdfPageText(const QString& path, int page)
{
  QProcess process;
  const QString p = QString::number(page);
  process.start(QStringLiteral("pdftotext"),
                {QStringLiteral("-f"), p, QStringLiteral("-l"), p, path, QStringLiteral("-")});
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

TEST(PrintVerb, HeadersAndFootersAreThereForAPdfReader)
{
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
    GTEST_SKIP() << "pdftotext is not installed";
  QTemporaryDir dir;
  const QString model = dir.filePath(QStringLiteral("Plans.mdl"));
  {
    TModelDocument d;
    iotest::AddCogi(d, 11, 15);  // page 4 of 4 only
    TModelFile::SaveModelFile(d, model);
  }
  const QString out = dir.filePath(QStringLiteral("out.pdf"));
  ASSERT_EQ(RunPrint({model, out, QStringLiteral("--pages"), QStringLiteral("1-3"),
                      QStringLiteral("--blank-pages"), QStringLiteral("--reverse"),
                      QStringLiteral("--header"), QStringLiteral("--comments"),
                      QStringLiteral("Draft for Monday")})
                .Status,
            0);
  const QString first = PdfPageText(out, 1);
  EXPECT_TRUE(first.contains(QStringLiteral("Page 3 of 3"))) << first.toStdString();
  EXPECT_TRUE(first.contains(QStringLiteral("Plans")));
  EXPECT_TRUE(first.contains(QStringLiteral("Draft for Monday")));
  EXPECT_TRUE(PdfPageText(out, 3).contains(QStringLiteral("Page 1 of 3")));

  ASSERT_EQ(RunPrint({model, out, QStringLiteral("--pages"), QStringLiteral("1-4"),
                      QStringLiteral("--header")})
                .Status,
            0);
  EXPECT_EQ(PagesIn(out), 1);
  EXPECT_TRUE(PdfPageText(out, 1).contains(QStringLiteral("Page 1 of 1")));
}
