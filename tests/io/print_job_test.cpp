#include <gtest/gtest.h>

#include <QBuffer>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <cmath>

#include "document/documentobserver.h"
#include "io/iotestsupport.h"
#include "io/printrecorder.h"
#include "io/publishing/printjob.h"
#include "platform/measurecanvas.h"
#include "platform/streams/streamerror.h"

using iotest::AddCogi;
using printtest::PdfPageCount;
using printtest::TRecordingSurface;

namespace {

// A 2 x 2 model on the default 8 x 10.5 inch printable page: pages of 7.5 x 10.25 inches.
// Where the pages' centres are.
TModelPoint PageCentre(int page)
{
  return {(page - 1) % 2 * 7.5 + 3.75, (page - 1) / 2 * 10.25 + 5.0};
}

void AddOnPage(TModelDocument& d, int page, const QString& text = QString())
{
  AddCogi(d, PageCentre(page).X, PageCentre(page).Y, 7, text);
}

TPrintOptions PagesOptions(int from, int to, bool blank)
{
  TPrintOptions o;
  o.Range = TPrintRange::Pages;
  o.FromPage = from;
  o.ToPage = to;
  o.IncludeBlankPages = blank;
  return o;
}

std::vector<int> PagesOf(const TPrintJob& job)
{
  std::vector<int> pages;
  for (const TPrintSheet& s : job.Sheets())
    pages.push_back(s.Page);
  return pages;
}

class TProgressLog : public IDocumentObserver {
 public:
  void Repaint() override {}
  void UpdateControls() override {}
  void SyncTextToolbar() override {}
  void Beep() override {}
  void ShowProgress(int, const QString& caption) override { Captions << caption; }
  void EndProgress() override { ++Ended; }
  QStringList Captions;
  int Ended = 0;
};

}  // namespace

TEST(PrintJobPages, ARangeGivenBackwardsPrintsItForwardsWithHeaderNumbers)
{
  TModelDocument d;
  d.ReversePrintOrder = false;
  d.PrintHeader = true;
  TPrintJob job(d, PagesOptions(3, 1, true));
  TRecordingSurface surface;
  ASSERT_TRUE(job.Run(surface));
  EXPECT_EQ(PagesOf(job), (std::vector<int>{1, 2, 3}));
  ASSERT_EQ(surface.Sheets.size(), 3u);
  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(
        surface.Sheets[static_cast<std::size_t>(i)].Find(QStringLiteral("Page %1 of 3").arg(i + 1)))
        << surface.Sheets[static_cast<std::size_t>(i)]
               .AllText()
               .join(QLatin1Char('|'))
               .toStdString();
  EXPECT_EQ(surface.Finished, 1);
}

TEST(PrintJobPages, BlankPagesAreSkippedAndTheRestNumberedAmongThemselves)
{
  TModelDocument d;
  d.PrintHeader = true;
  AddOnPage(d, 4);
  TPrintJob skipping(d, PagesOptions(1, 4, false));
  TRecordingSurface surface;
  ASSERT_TRUE(skipping.Run(surface));
  EXPECT_EQ(PagesOf(skipping), (std::vector<int>{4}));
  ASSERT_EQ(surface.Sheets.size(), 1u);
  EXPECT_TRUE(surface.Sheets[0].Find(QStringLiteral("Page 1 of 1")));

  TPrintJob keeping(d, PagesOptions(1, 4, true));
  ASSERT_TRUE(keeping.Plan());
  EXPECT_EQ(keeping.Sheets().size(), 4u);

  EXPECT_TRUE(TPrintJob::PageIsBlank(d, 1));
  EXPECT_FALSE(TPrintJob::PageIsBlank(d, 4));
}

TEST(PrintJobPages, ReverseOrderKeepsEachPagesOwnNumber)
{
  TModelDocument d;
  d.ReversePrintOrder = true;
  d.PrintHeader = true;
  TPrintJob job(d, PagesOptions(1, 3, true));
  TRecordingSurface surface;
  ASSERT_TRUE(job.Run(surface));
  EXPECT_EQ(PagesOf(job), (std::vector<int>{3, 2, 1}));
  ASSERT_EQ(surface.Sheets.size(), 3u);
  EXPECT_TRUE(surface.Sheets[0].Find(QStringLiteral("Page 3 of 3")));
  EXPECT_TRUE(surface.Sheets[2].Find(QStringLiteral("Page 1 of 3")));
}

TEST(PrintJobPages, RangesBeyondTheModelAreClampedAndSaidSo)
{
  TModelDocument d;  // 4 pages
  TPrintJob huge(d, PagesOptions(1, 100000000, true));
  ASSERT_TRUE(huge.Plan());
  EXPECT_EQ(huge.Sheets().size(), 4u);
  ASSERT_EQ(huge.Notices().size(), 1);
  EXPECT_TRUE(huge.Notices()[0].contains(QStringLiteral("4 pages")));

  TPrintJob zero(d, PagesOptions(0, 2, true));
  ASSERT_TRUE(zero.Plan());
  EXPECT_EQ(zero.Sheets().size(), 2u);
  EXPECT_EQ(zero.Notices().size(), 1);

  // A damaged file's absurd page grid prints a bounded number of sheets, saying so.
  d.SetModelSize(100000, 100000);
  TPrintJob absurd(d, PagesOptions(1, 100000000, true));
  ASSERT_TRUE(absurd.Plan());
  EXPECT_EQ(absurd.Sheets().size(), static_cast<std::size_t>(TPrintJob::kMaxPages));
  ASSERT_EQ(absurd.Notices().size(), 1);
  EXPECT_TRUE(absurd.Notices()[0].contains(QStringLiteral("10000")));
  d.SetModelSize(2, 2);

  TPrintJob inside(d, PagesOptions(2, 3, true));
  ASSERT_TRUE(inside.Plan());
  EXPECT_TRUE(inside.Notices().isEmpty());
}

TEST(PrintJobCopies, ADeviceThatCannotCopyGetsTheJobOncePerCopy)
{
  TModelDocument d;
  d.ReversePrintOrder = false;
  TPrintOptions o = PagesOptions(1, 2, true);
  o.Copies = 3;
  TPrintJob job(d, o);
  TRecordingSurface surface;
  ASSERT_TRUE(job.Run(surface));
  EXPECT_EQ(job.Runs(), 3);
  EXPECT_EQ(surface.Sheets.size(), 6u);

  o.DeviceCopies = true;
  TPrintJob once(d, o);
  TRecordingSurface copier;
  ASSERT_TRUE(once.Run(copier));
  EXPECT_EQ(copier.Sheets.size(), 2u);

  o.DeviceCopies = false;
  o.Copies = 1000000;  // more than any printer is asked for
  TPrintJob bounded(d, o);
  ASSERT_TRUE(bounded.Plan());
  EXPECT_EQ(bounded.Runs(), TPrintOptions::kMaxCopies);
}

TEST(PrintJobWhole, ASmallModelIsPrintedAtItsOwnSizeNotEnlarged)
{
  TModelDocument d;
  TCogi* cogi = AddCogi(d, 3, 3);
  TMeasureCanvas measure;
  const TPixelRect box = cogi->GetScreenBox(measure.Canvas(), 0, 0, 100).Normalized();
  const double inches = box.Width() / kModelPixelsPerInch;
  TPrintOptions o;
  o.Range = TPrintRange::WholeModel;
  TPrintJob job(d, o);
  TRecordingSurface surface;
  ASSERT_TRUE(job.Run(surface));
  ASSERT_EQ(surface.Sheets.size(), 1u);
  EXPECT_NEAR(surface.Sheets[0].Drawn.width(), inches * TRecordingSurface::kDpi, 3.0);
  // Centred on the page area (between the margins).
  EXPECT_NEAR(surface.Sheets[0].Drawn.center().x(), (0.25 + 7.5 / 2) * TRecordingSurface::kDpi,
              3.0);
}

TEST(PrintJobWhole, ABigModelIsShrunkToThePage)
{
  TModelDocument d;
  AddCogi(d, 1, 1);
  AddCogi(d, 14, 19);
  TPrintOptions o;
  o.Range = TPrintRange::WholeModel;
  TPrintJob job(d, o);
  TRecordingSurface surface;
  ASSERT_TRUE(job.Run(surface));
  const QRectF drawn = surface.Sheets[0].Drawn;
  EXPECT_LE(drawn.height(), 10.25 * TRecordingSurface::kDpi + 1);
  EXPECT_GT(drawn.height(), 10.0 * TRecordingSurface::kDpi);  // fills the page's height
}

TEST(PrintJobWhole, AnEmptyModelSaysNothingToPrint)
{
  TModelDocument d;
  TPrintOptions o;
  o.Range = TPrintRange::WholeModel;
  TPrintJob job(d, o);
  TRecordingSurface surface;
  EXPECT_FALSE(job.Run(surface));
  EXPECT_EQ(job.Error(), QStringLiteral("Nothing to print."));
  EXPECT_TRUE(surface.Sheets.empty());

  TPrintJob allBlank(d, PagesOptions(1, 4, false));
  EXPECT_FALSE(allBlank.Plan());
  EXPECT_EQ(allBlank.Error(), QStringLiteral("Nothing to print."));

  o.Range = TPrintRange::Selected;
  AddCogi(d, 2, 2);  // not selected
  TPrintJob selected(d, o);
  EXPECT_FALSE(selected.Plan());
  EXPECT_EQ(selected.Error(), QStringLiteral("Nothing to print."));
}

TEST(PrintJobWhole, NotFittedPrintsEveryPageThatIsNotBlank)
{
  TModelDocument d;
  d.ReversePrintOrder = false;
  AddOnPage(d, 2);
  AddOnPage(d, 3);
  TPrintOptions o;
  o.Range = TPrintRange::WholeModel;
  o.FitToOnePage = false;
  TPrintJob job(d, o);
  ASSERT_TRUE(job.Plan());
  EXPECT_EQ(PagesOf(job), (std::vector<int>{2, 3}));
  EXPECT_EQ(job.Caption(), QStringLiteral("Printing Pages..."));
}

TEST(PrintJobContent, OnlyTheSelectionOrTheViewIsDrawn)
{
  TModelDocument d;
  AddCogi(d, 2, 2, 7, QStringLiteral("Inside"));
  TCogi* far = AddCogi(d, 14, 19, 7, QStringLiteral("Outside"));
  d.ViewOrigin = {0, 0};
  d.Zoom = 100;
  d.ClientSize = QSize(480, 480);  // five inches square at 96 pixels per inch
  TPrintOptions o;
  TPrintJob view(d, o);
  TRecordingSurface viewSheets;
  ASSERT_TRUE(view.Run(viewSheets));
  const QString viewText = viewSheets.Sheets[0].AllText().join(QString());
  EXPECT_TRUE(viewText.contains(QStringLiteral("Inside"))) << viewText.toStdString();
  EXPECT_FALSE(viewText.contains(QStringLiteral("Outside")));

  d.SelectObject(far, false);
  o.Range = TPrintRange::Selected;
  TPrintJob selected(d, o);
  TRecordingSurface selectedSheets;
  ASSERT_TRUE(selected.Run(selectedSheets));
  const QString selectedText = selectedSheets.Sheets[0].AllText().join(QString());
  EXPECT_TRUE(selectedText.contains(QStringLiteral("Outside")));
  EXPECT_FALSE(selectedText.contains(QStringLiteral("Inside")));
}

TEST(PrintJobContent, WithoutAWindowTheMainViewIsTheViewPrinted)
{
  TModelDocument d;
  AddCogi(d, 2, 2, 7, QStringLiteral("Near"));
  AddCogi(d, 14, 19, 7, QStringLiteral("Far"));
  EXPECT_FALSE(TPrintJob::ViewMainView(d));  // none set
  d.MainViewTopLeft = {16, 21};
  d.MainViewBottomRight = {12, 17};  // corners either way round
  ASSERT_TRUE(TPrintJob::ViewMainView(d));
  TPrintJob job(d, TPrintOptions{});
  TRecordingSurface surface;
  ASSERT_TRUE(job.Run(surface));
  const QString text = surface.Sheets[0].AllText().join(QString());
  EXPECT_TRUE(text.contains(QStringLiteral("Far"))) << text.toStdString();
  EXPECT_FALSE(text.contains(QStringLiteral("Near")));
  // A four-inch view on a 7.5-inch-wide page is enlarged to fill it.
  EXPECT_NEAR(surface.Sheets[0].Drawn.width(), 7.5 * TRecordingSurface::kDpi, 2.0);
}

TEST(PrintJobContent, HeaderAndFooterSitInTheirBands)
{
  TModelDocument d;
  d.FileName = QStringLiteral("/somewhere/Ideas.mdl");
  d.PrintHeader = true;
  d.PrintFooter = true;
  d.FooterComments = QStringLiteral("Draft for Monday");
  TPrintJob::UpdatePage(d);
  EXPECT_DOUBLE_EQ(d.PageHeight, 10.5 - 0.25 - 0.5);
  AddCogi(d, 2, 2);
  TPrintOptions o;
  o.Range = TPrintRange::WholeModel;
  TPrintJob job(d, o);
  TRecordingSurface surface;
  ASSERT_TRUE(job.Run(surface));
  const auto& sheet = surface.Sheets[0];
  const double dpi = TRecordingSurface::kDpi;
  const printtest::TRecordedText* title = sheet.Find(QStringLiteral("Ideas"));
  const printtest::TRecordedText* footer = sheet.Find(QStringLiteral("Draft for Monday"));
  const printtest::TRecordedText* number = sheet.Find(QStringLiteral("Page 1 of 1"));
  ASSERT_TRUE(title && footer && number) << sheet.AllText().join(QLatin1Char('|')).toStdString();
  // The header band: from the top margin, a quarter inch high (text baselines lie inside).
  EXPECT_GT(title->At.y(), 0.125 * dpi);
  EXPECT_LT(title->At.y(), 0.375 * dpi + 1);
  // The page number right-aligned, the title centred.
  EXPECT_GT(number->At.x(), title->At.x());
  EXPECT_GT(title->At.x(), 2 * dpi);
  // The footer band ends at the bottom margin.
  EXPECT_GT(footer->At.y(), (10.5 - 0.125 - 0.25) * dpi);
  EXPECT_LT(footer->At.y(), (10.5 - 0.125) * dpi + 1);
}

TEST(PrintJobMargins, MarginsThatLeaveNoPageAreMadeSmaller)
{
  TModelDocument d;  // paper 8 x 10.5
  EXPECT_FALSE(TPrintJob::ClampMargins(d));
  d.LeftMargin = 6;
  d.RightMargin = 6;
  d.TopMargin = -1;
  d.BottomMargin = std::nan("");
  d.PrintHeader = true;
  EXPECT_TRUE(TPrintJob::ClampMargins(d));
  TPrintJob::UpdatePage(d);
  EXPECT_NEAR(d.PageWidth, TPrintJob::kMinPageInches, 1e-9);
  EXPECT_DOUBLE_EQ(d.LeftMargin, d.RightMargin);
  EXPECT_EQ(d.TopMargin, 0.0);
  EXPECT_EQ(d.BottomMargin, 0.0);
  EXPECT_GT(d.PageHeight, 0.0);
  EXPECT_GT(d.ModelWidth, 0.0);
}

TEST(PrintJobPdf, EveryPlannedSheetIsAPdfPage)
{
  TModelDocument d;
  d.ReversePrintOrder = true;
  AddOnPage(d, 1, QStringLiteral("One"));
  AddOnPage(d, 3, QStringLiteral("Three"));
  TPrintOptions o = PagesOptions(1, 4, false);
  o.Copies = 3;
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    TPrintJob::PreparePdfWriter(writer, d);
    TPagedSurface surface(writer);
    TPrintJob job(d, o);
    ASSERT_TRUE(job.Run(surface));
    // The sheet is Letter with the quarter-inch edge: its printable part is the model's paper.
    EXPECT_NEAR(surface.SheetPixels().width() / surface.DpiX(), d.PaperWidth, 0.01);
    EXPECT_NEAR(surface.SheetPixels().height() / surface.DpiY(), d.PaperHeight, 0.01);
  }
  EXPECT_EQ(PdfPageCount(bytes), 6);
}

TEST(PrintJobPdf, AFailingDeviceThrowsAndEndsTheProgressDisplay)
{
  QTemporaryDir dir;
  TModelDocument d;
  TProgressLog log;
  d.SetObserver(&log);
  AddCogi(d, 2, 2);
  QPdfWriter writer(dir.filePath(QStringLiteral("missing/folder/out.pdf")));
  TPagedSurface surface(writer);
  TPrintOptions o;
  o.Range = TPrintRange::WholeModel;
  TPrintJob job(d, o);
  EXPECT_THROW(job.Run(surface), EStreamError);
  EXPECT_EQ(log.Ended, 1);
  EXPECT_EQ(log.Captions.value(0), QStringLiteral("Printing Whole Model..."));
}
