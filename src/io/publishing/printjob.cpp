#include "io/publishing/printjob.h"

#include <QFileInfo>
#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "document/documentobserver.h"
#include "document/modeldocument.h"
#include "model/arrow.h"
#include "platform/canvas.h"
#include "platform/measurecanvas.h"
#include "platform/streams/streamerror.h"

namespace {

// Beyond the drawn area regions are built this far, for frames and shadows at the edge.
constexpr int kDrawMargin = 32;

const QString kNothingToPrint = QStringLiteral("Nothing to print.");

// An object's box at 100 % in model inches.
QRectF BoxInches(CGPObject* object)
{
  TMeasureCanvas measure;
  const TPixelRect box = object->GetScreenBox(measure.Canvas(), 0, 0, 100).Normalized();
  return {box.Left / kModelPixelsPerInch, box.Top / kModelPixelsPerInch,
          box.Width() / kModelPixelsPerInch, box.Height() / kModelPixelsPerInch};
}

// The part of the document's progress display that must end however the job ends.
class TProgressGuard {
 public:
  explicit TProgressGuard(IDocumentObserver* observer) : observer_(observer) {}
  ~TProgressGuard()
  {
    if (observer_) observer_->EndProgress();
  }
  void Show(int percent, const QString& caption)
  {
    if (observer_) observer_->ShowProgress(percent, caption);
  }

 private:
  IDocumentObserver* observer_;
};

bool Usable(double v)
{
  return std::isfinite(v) && v > 0.0;
}

}  // namespace

// ---- Paged surface ------------------------------------------------------------------------

QPainter& TPagedSurface::BeginSheet()
{
  if (!painter_.isActive()) {
    if (!painter_.begin(&device_)) throw EStreamError(QStringLiteral("Unable to start printing."));
  } else if (!device_.newPage()) {
    painter_.end();
    throw EStreamError(QStringLiteral("Unable to start a new page."));
  }
  return painter_;
}

void TPagedSurface::Finish()
{
  if (painter_.isActive() && !painter_.end())
    throw EStreamError(QStringLiteral("Unable to finish printing."));
}

QSize TPagedSurface::SheetPixels() const
{
  return {device_.width(), device_.height()};
}

double TPagedSurface::DpiX() const
{
  return device_.logicalDpiX();
}

double TPagedSurface::DpiY() const
{
  return device_.logicalDpiY();
}

// ---- Planning -----------------------------------------------------------------------------

TPrintJob::TPrintJob(TModelDocument& document, const TPrintOptions& options)
    : document_(document), options_(options)
{
}

QString TPrintJob::Caption() const
{
  switch (options_.Range) {
    case TPrintRange::CurrentView:
      return QStringLiteral("Printing Current View...");
    case TPrintRange::WholeModel:
      return options_.FitToOnePage ? QStringLiteral("Printing Whole Model...")
                                   : QStringLiteral("Printing Pages...");
    case TPrintRange::Pages:
      return QStringLiteral("Printing Pages...");
    case TPrintRange::Selected:
      return QStringLiteral("Printing Selected Cogis...");
  }
  return {};
}

QRectF TPrintJob::PageRect(const TModelDocument& document, int page)
{
  const int across = std::max(1, document.PagesAcross);
  const int column = (page - 1) % across;
  const int row = (page - 1) / across;
  return {column * document.PageWidth, row * document.PageHeight, document.PageWidth,
          document.PageHeight};
}

namespace {

QRect PagePixels(const TModelDocument& document, int page)
{
  const QRectF rect = TPrintJob::PageRect(document, page);
  return {static_cast<int>(std::floor(rect.left() * kModelPixelsPerInch)),
          static_cast<int>(std::floor(rect.top() * kModelPixelsPerInch)),
          static_cast<int>(std::ceil(rect.width() * kModelPixelsPerInch)),
          static_cast<int>(std::ceil(rect.height() * kModelPixelsPerInch))};
}

// Every object's region box at 100 %, measured once for all the pages of a job.
std::vector<QRect> RegionBoxes(const TModelDocument& document, TCanvas& canvas)
{
  std::vector<QRect> boxes;
  boxes.reserve(document.Objects.size());
  for (CGPObject* object : document.Objects)
    boxes.push_back(object->RegionBox(canvas, 0, 0, 100).Normalized().ToQRect());
  return boxes;
}

bool Blank(const TModelDocument& document, int page, const std::vector<QRect>& boxes,
           TCanvas& canvas)
{
  const QRect pixels = PagePixels(document, page);
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    // The box first: building a region is the costly part.
    if (!boxes[i].intersects(pixels)) continue;
    if (document.Objects[i]->CreateRegion(canvas, 0, 0, 100).intersects(pixels)) return false;
  }
  return true;
}

}  // namespace

bool TPrintJob::PageIsBlank(const TModelDocument& document, int page)
{
  TMeasureCanvas measure;
  return Blank(document, page, RegionBoxes(document, measure.Canvas()), measure.Canvas());
}

void TPrintJob::PlanPages(int from, int to)
{
  if (to - from >= kMaxPages) {
    to = from + kMaxPages - 1;
    notices_ << QStringLiteral("Only the first %1 pages are printed: pages %2 to %3.")
                    .arg(kMaxPages)
                    .arg(from)
                    .arg(to);
  }
  TMeasureCanvas measure;
  const std::vector<QRect> boxes = RegionBoxes(document_, measure.Canvas());
  std::vector<int> kept;
  for (int page = from; page <= to; ++page)
    if (options_.IncludeBlankPages || !Blank(document_, page, boxes, measure.Canvas()))
      kept.push_back(page);
  const int count = static_cast<int>(kept.size());
  for (int i = 0; i < count; ++i)
    sheets_.push_back({kept[static_cast<std::size_t>(i)], i + 1, count});
  // The header numbers stay those of ascending order whatever order the sheets come out in.
  if (document_.ReversePrintOrder) std::reverse(sheets_.begin(), sheets_.end());
}

bool TPrintJob::Plan()
{
  planned_ = true;
  sheets_.clear();
  notices_.clear();
  error_.clear();
  runs_ = options_.DeviceCopies ? 1 : std::clamp(options_.Copies, 1, TPrintOptions::kMaxCopies);
  if (!Usable(document_.PageWidth) || !Usable(document_.PageHeight)) {
    error_ = QStringLiteral("The page has no room to print on; check the margins.");
    return false;
  }
  const std::int64_t total = std::int64_t{std::max(1, document_.PagesAcross)} *
                             std::int64_t{std::max(1, document_.PagesDown)};
  const int pages = static_cast<int>(std::min<std::int64_t>(total, 1 << 30));
  switch (options_.Range) {
    case TPrintRange::CurrentView:
      if (document_.ClientSize.isEmpty() || !Usable(document_.Zoom)) break;
      sheets_.push_back({});
      break;
    case TPrintRange::WholeModel:
      if (!options_.FitToOnePage) {
        PlanPages(1, pages);
        break;
      }
      if (!document_.Objects.empty()) sheets_.push_back({});
      break;
    case TPrintRange::Selected:
      if (document_.SelectedCount() > 0) sheets_.push_back({});
      break;
    case TPrintRange::Pages: {
      int from = std::min(options_.FromPage, options_.ToPage);
      int to = std::max(options_.FromPage, options_.ToPage);
      if (from < 1 || to > pages) {
        from = std::clamp(from, 1, pages);
        to = std::clamp(to, 1, pages);
        notices_ << QStringLiteral("The model has %1 pages: printing pages %2 to %3.")
                        .arg(pages)
                        .arg(from)
                        .arg(to);
      }
      PlanPages(from, to);
      break;
    }
  }
  if (sheets_.empty()) error_ = kNothingToPrint;
  return !sheets_.empty();
}

// ---- Drawing ------------------------------------------------------------------------------

bool TPrintJob::Run(IPrintSurface& surface)
{
  if (!planned_ && !Plan()) return false;
  if (sheets_.empty()) return false;
  TProgressGuard progress(document_.Observer());
  const QString caption = Caption();
  progress.Show(0, caption);
  const double dpiX = surface.DpiX();
  const double dpiY = surface.DpiY();
  if (!Usable(dpiX) || !Usable(dpiY)) throw EStreamError(QStringLiteral("Unable to print."));
  const QSize sheet = surface.SheetPixels();
  paper_ = QSizeF(sheet.width() / dpiX, sheet.height() / dpiY);
  const std::int64_t total = std::int64_t{runs_} * static_cast<std::int64_t>(sheets_.size());
  std::int64_t done = 0;
  try {
    for (int run = 0; run < runs_; ++run) {
      for (const TPrintSheet& s : sheets_) {
        if (s.Page > 0)
          progress.Show(static_cast<int>(done * 100 / total),
                        QStringLiteral("Printing Page %1...").arg(s.Page));
        QPainter& painter = surface.BeginSheet();
        painter.save();
        DrawSheet(painter, s, dpiX, dpiY);
        painter.restore();
        ++done;
      }
    }
    surface.Finish();
  } catch (...) {
    // The document is ended so that what was sent is not left hanging.
    try {
      surface.Finish();
    } catch (...) {
    }
    throw;
  }
  return true;
}

QRectF TPrintJob::PageArea(double dpiX, double dpiY) const
{
  const TModelDocument& d = document_;
  const double top = d.TopMargin + (d.PrintHeader ? kBandInches : 0.0);
  return {d.LeftMargin * dpiX, top * dpiY, d.PageWidth * dpiX, d.PageHeight * dpiY};
}

void TPrintJob::DrawSheet(QPainter& painter, const TPrintSheet& sheet, double dpiX, double dpiY)
{
  if (document_.PrintHeader) DrawHeader(painter, sheet, dpiX, dpiY);
  if (document_.PrintFooter) DrawFooter(painter, dpiX, dpiY);
  if (sheet.Page > 0) {
    const QRectF model = PageRect(document_, sheet.Page);
    std::vector<CGPObject*> objects;
    for (CGPObject* object : document_.Objects)
      if (BoxInches(object).intersects(model)) objects.push_back(object);
    const QRectF area = PageArea(dpiX, dpiY);
    DrawArea(painter, model, area, 100.0, objects, dpiX, dpiY);
  } else if (options_.Range == TPrintRange::CurrentView) {
    DrawView(painter, dpiX, dpiY);
  } else {
    DrawFitted(painter, dpiX, dpiY);
  }
}

namespace {

QFont PrintFont(int points, QPainter& painter)
{
  QFont font(QStringLiteral("Arial"), points);
  // Points are measured on the device the painter draws on, not the screen.
  return QFont(font, painter.device());
}

// The program's mark: a small hexagon standing on a point.
void DrawLogo(QPainter& painter, const QRectF& band)
{
  const double r = band.height() * 0.4;
  const QPointF c(band.left() + r, band.center().y());
  QPolygonF hexagon;
  for (int i = 0; i < 6; ++i) {
    const double a = (60.0 * i + 30.0) * M_PI / 180.0;
    hexagon << QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
  }
  painter.setPen(QPen(QColor(0, 0, 128), r / 8));
  painter.setBrush(QColor(255, 215, 0));
  painter.drawPolygon(hexagon);
}

}  // namespace

void TPrintJob::DrawHeader(QPainter& painter, const TPrintSheet& sheet, double dpiX, double dpiY)
{
  const TModelDocument& d = document_;
  const QRectF band(d.LeftMargin * dpiX, d.TopMargin * dpiY,
                    (paper_.width() - d.LeftMargin - d.RightMargin) * dpiX, kBandInches * dpiY);
  painter.save();
  DrawLogo(painter, band);
  painter.setPen(Qt::black);
  painter.setFont(PrintFont(12, painter));
  painter.drawText(band, Qt::AlignCenter, QFileInfo(d.FileName).completeBaseName());
  painter.setFont(PrintFont(8, painter));
  painter.drawText(band, Qt::AlignRight | Qt::AlignTop,
                   QStringLiteral("Page %1 of %2").arg(sheet.Position).arg(sheet.Count));
  painter.restore();
}

void TPrintJob::DrawFooter(QPainter& painter, double dpiX, double dpiY)
{
  const TModelDocument& d = document_;
  const QRectF band(d.LeftMargin * dpiX, (paper_.height() - d.BottomMargin - kBandInches) * dpiY,
                    (paper_.width() - d.LeftMargin - d.RightMargin) * dpiX, kBandInches * dpiY);
  painter.save();
  painter.setPen(Qt::black);
  painter.setFont(PrintFont(8, painter));
  painter.drawText(band, Qt::AlignRight | Qt::AlignVCenter, d.FooterComments);
  painter.restore();
}

void TPrintJob::DrawArea(QPainter& painter, const QRectF& model, const QRectF& target, double zoom,
                         const std::vector<CGPObject*>& objects, double dpiX, double dpiY)
{
  const TModelDocument& d = document_;
  painter.save();
  painter.setClipRect(target);
  if (d.Background && !d.Background->IsEmpty()) {
    // Tiles the size they have on a screen of the model's resolution, at the print zoom.
    const double tw = d.Background->Width() * dpiX / kModelPixelsPerInch * zoom / 100.0;
    const double th = d.Background->Height() * dpiY / kModelPixelsPerInch * zoom / 100.0;
    if (tw >= 1.0 && th >= 1.0)
      for (double x = target.left(); x < target.right(); x += tw)
        for (double y = target.top(); y < target.bottom(); y += th)
          d.Background->Draw(painter, QRectF(x, y, tw, th).toAlignedRect());
  } else {
    painter.fillRect(target, ToQColor(d.ModelColor));
  }
  painter.translate(target.topLeft());
  TCanvas canvas(painter, dpiX, dpiY);
  canvas.SetPrinting(true);
  canvas.SetRegionWindow(QRect(0, 0, static_cast<int>(std::ceil(target.width())),
                               static_cast<int>(std::ceil(target.height())))
                             .adjusted(-kDrawMargin, -kDrawMargin, kDrawMargin, kDrawMargin));
  // Arrows last, so that nothing hides them.
  for (CGPObject* object : objects)
    if (!dynamic_cast<TArrow*>(object))
      object->Draw(canvas, false, -model.left(), -model.top(), zoom);
  for (CGPObject* object : objects)
    if (dynamic_cast<TArrow*>(object))
      object->Draw(canvas, false, -model.left(), -model.top(), zoom);
  painter.restore();
  if (options_.Frames) {
    painter.save();
    painter.setPen(QPen(Qt::black, std::max(1.0, dpiX / kModelPixelsPerInch)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(target);
    painter.restore();
  }
}

void TPrintJob::DrawFitted(QPainter& painter, double dpiX, double dpiY)
{
  const bool selectedOnly = options_.Range == TPrintRange::Selected;
  std::vector<CGPObject*> objects;
  QRectF box;
  for (CGPObject* object : document_.Objects) {
    if (selectedOnly && !object->Selected) continue;
    objects.push_back(object);
    box = box.isNull() ? BoxInches(object) : box.united(BoxInches(object));
  }
  if (objects.empty()) return;
  if (options_.Frames) box.adjust(-0.5, -0.5, 0.5, 0.5);
  // A single point still gets a page of its own size rather than a division by zero.
  if (box.width() <= 0) box.setWidth(1.0 / kModelPixelsPerInch);
  if (box.height() <= 0) box.setHeight(1.0 / kModelPixelsPerInch);
  const QRectF area = PageArea(dpiX, dpiY);
  // Never enlarged: a small model prints at its own size.
  const double scale =
      std::min({document_.PageWidth / box.width(), document_.PageHeight / box.height(), 1.0});
  QRectF target(0, 0, box.width() * scale * dpiX, box.height() * scale * dpiY);
  target.moveCenter(area.center());
  DrawArea(painter, box, target, scale * 100.0, objects, dpiX, dpiY);
}

void TPrintJob::DrawView(QPainter& painter, double dpiX, double dpiY)
{
  const TModelDocument& d = document_;
  const QRectF view(d.ViewOrigin.X, d.ViewOrigin.Y,
                    d.ClientSize.width() / (d.ScreenDpiX * d.Zoom / 100.0),
                    d.ClientSize.height() / (d.ScreenDpiY * d.Zoom / 100.0));
  const double scale = std::min(d.PageWidth / view.width(), d.PageHeight / view.height());
  const QRectF area = PageArea(dpiX, dpiY);
  QRectF target(0, 0, view.width() * scale * dpiX, view.height() * scale * dpiY);
  target.moveCenter(area.center());
  // What the window shows: the objects whose box on the screen meets it.
  TMeasureCanvas screen(d.ScreenDpiX, d.ScreenDpiY);
  const TPixelRect client{0, 0, d.ClientSize.width(), d.ClientSize.height()};
  std::vector<CGPObject*> objects;
  for (CGPObject* object : d.Objects)
    if (object->GetScreenBox(screen.Canvas(), -d.ViewOrigin.X, -d.ViewOrigin.Y, d.Zoom)
            .Normalized()
            .Intersects(client))
      objects.push_back(object);
  DrawArea(painter, view, target, scale * 100.0, objects, dpiX, dpiY);
}

// ---- Margins ------------------------------------------------------------------------------

bool TPrintJob::ClampMargins(TModelDocument& d)
{
  const auto clean = [](double& v, double fallback) {
    const double old = v;
    if (!std::isfinite(v) || v < 0.0) v = fallback;
    return v != old;
  };
  bool changed = clean(d.LeftMargin, 0.0) | clean(d.RightMargin, 0.0) | clean(d.TopMargin, 0.0) |
                 clean(d.BottomMargin, 0.0);
  const auto fit = [&changed](double& a, double& b, double room) {
    room = std::max(room, 0.0);
    if (a + b <= room) return;
    // Both shrink in proportion, so a lopsided choice stays lopsided.
    const double factor = room / (a + b);
    a *= factor;
    b *= factor;
    changed = true;
  };
  const double bands = (d.PrintHeader ? kBandInches : 0.0) + (d.PrintFooter ? kBandInches : 0.0);
  if (std::isfinite(d.PaperWidth)) fit(d.LeftMargin, d.RightMargin, d.PaperWidth - kMinPageInches);
  if (std::isfinite(d.PaperHeight))
    fit(d.TopMargin, d.BottomMargin, d.PaperHeight - bands - kMinPageInches);
  return changed;
}

void TPrintJob::UpdatePage(TModelDocument& d)
{
  d.PageWidth = d.PaperWidth - d.LeftMargin - d.RightMargin;
  d.PageHeight = d.PaperHeight - d.TopMargin - d.BottomMargin;
  if (d.PrintHeader) d.PageHeight -= kBandInches;
  if (d.PrintFooter) d.PageHeight -= kBandInches;
  d.SetModelSize(d.PagesAcross, d.PagesDown);
}

void TPrintJob::PreparePdfWriter(QPdfWriter& writer, const TModelDocument& d, int dpi)
{
  constexpr double kEdge = 0.25;
  const double w = std::clamp(Usable(d.PaperWidth) ? d.PaperWidth : 8.0, 1.0, 200.0);
  const double h = std::clamp(Usable(d.PaperHeight) ? d.PaperHeight : 10.5, 1.0, 200.0);
  const bool landscape = w > h;
  const QSizeF portrait(std::min(w, h) + 2 * kEdge, std::max(w, h) + 2 * kEdge);
  const QPageLayout layout(QPageSize(portrait, QPageSize::Inch),
                           landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                           QMarginsF(kEdge, kEdge, kEdge, kEdge), QPageLayout::Inch);
  writer.setResolution(dpi);
  writer.setPageLayout(layout);
}

bool TPrintJob::ViewMainView(TModelDocument& d)
{
  const QRectF view = QRectF(QPointF(d.MainViewTopLeft.X, d.MainViewTopLeft.Y),
                             QPointF(d.MainViewBottomRight.X, d.MainViewBottomRight.Y))
                          .normalized();
  // A stored view larger than any screen is no view to print from.
  const double w = view.width() * d.ScreenDpiX;
  const double h = view.height() * d.ScreenDpiY;
  if (!(w >= 1.0 && h >= 1.0 && w <= 1.0e5 && h <= 1.0e5)) return false;
  d.ViewOrigin = {view.left(), view.top()};
  d.Zoom = 100.0;
  d.ClientSize = QSize(static_cast<int>(std::lround(w)), static_cast<int>(std::lround(h)));
  return true;
}
