// The four print jobs (the current view, the whole model, a range of pages, the selection)
// drawn sheet by sheet with header, footer and frames onto any print surface: a printer, a
// PDF writer or a recorder in tests. No widgets: the desktop and the command line share it.
#pragma once

#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <vector>

class QPagedPaintDevice;
class QPdfWriter;
class TModelDocument;
class CGPObject;

enum class TPrintRange { CurrentView, WholeModel, Pages, Selected };

// What the print dialog keeps only for the run.
struct TPrintOptions {
  static constexpr int kMaxCopies = 32768;

  TPrintRange Range = TPrintRange::CurrentView;
  bool FitToOnePage = true;
  bool IncludeBlankPages = false;
  bool Frames = false;
  int Copies = 1;
  int FromPage = 0;  // 0 when the box is empty
  int ToPage = 0;
  // The device makes the copies itself, so the job runs once.
  bool DeviceCopies = false;
};

// Where sheets go. The first BeginSheet starts the document; each later one a new sheet.
class IPrintSurface {
 public:
  virtual ~IPrintSurface() = default;
  virtual QPainter& BeginSheet() = 0;
  virtual void Finish() = 0;
  // The printable area of one sheet in device pixels and the device's resolution.
  virtual QSize SheetPixels() const = 0;
  virtual double DpiX() const = 0;
  virtual double DpiY() const = 0;
};

// A surface on a paged device (QPdfWriter, QPrinter): one painter across all its sheets.
class TPagedSurface : public IPrintSurface {
 public:
  explicit TPagedSurface(QPagedPaintDevice& device) : device_(device) {}
  QPainter& BeginSheet() override;
  void Finish() override;
  QSize SheetPixels() const override;
  double DpiX() const override;
  double DpiY() const override;

 private:
  QPagedPaintDevice& device_;
  QPainter painter_;
};

// One sheet of a job: the model page it shows (0 for the fitted jobs) and its number in the
// header, "Page Position of Count".
struct TPrintSheet {
  int Page = 0;
  int Position = 1;
  int Count = 1;
};

class TPrintJob {
 public:
  // Margins closer than this leave too little page to print on.
  static constexpr double kMinPageInches = 0.5;
  static constexpr double kBandInches = 0.25;
  // Pages one job prints at most: only a damaged file has models this large.
  static constexpr int kMaxPages = 10000;

  TPrintJob(TModelDocument& document, const TPrintOptions& options);

  // Works out the sheets; false with a message for the user when there is nothing to print.
  // Notices() then says what was changed to make the request printable.
  bool Plan();
  const QString& Error() const { return error_; }
  const QStringList& Notices() const { return notices_; }
  // The sheets of one copy in printing order, and how many times the job runs.
  const std::vector<TPrintSheet>& Sheets() const { return sheets_; }
  int Runs() const { return runs_; }
  // The action caption of the status bar while the job runs.
  QString Caption() const;

  // Plans (when not yet planned) and draws every sheet of every run; false with Error() when
  // there was nothing to print. A device that fails throws EStreamError; the document's
  // progress display is ended however the job ends.
  bool Run(IPrintSurface& surface);

  // Keeps the margins within the paper so that the usable page stays at least
  // kMinPageInches wide and high; negative or non-finite margins become 0. True when any
  // margin changed.
  static bool ClampMargins(TModelDocument& document);
  // Recomputes the usable page and the model extent from the paper, the margins and the
  // header and footer bands, keeping the page counts (no printer asked).
  static void UpdatePage(TModelDocument& document);
  // Without a window, the view a model is printed by is its main view, when it has one: the
  // view's origin, size and zoom are set to show it at 100 %. False without a main view.
  static bool ViewMainView(TModelDocument& document);
  // Sets a PDF writer up for the document's paper: the printable area with the quarter-inch
  // edge a printer keeps, in the paper's orientation.
  static void PreparePdfWriter(QPdfWriter& writer, const TModelDocument& document, int dpi = 600);
  // Whether no object's region at 100 % meets the page (1-based) of the model.
  static bool PageIsBlank(const TModelDocument& document, int page);
  // The rectangle in model inches of a page (1-based).
  static QRectF PageRect(const TModelDocument& document, int page);

 private:
  void PlanPages(int from, int to);
  void DrawSheet(QPainter& painter, const TPrintSheet& sheet, double dpiX, double dpiY);
  void DrawHeader(QPainter& painter, const TPrintSheet& sheet, double dpiX, double dpiY);
  void DrawFooter(QPainter& painter, double dpiX, double dpiY);
  // Draws the objects shown by the model rectangle into the target rectangle (device pixels)
  // at the zoom, clipped to it and over the model's colour or picture.
  void DrawArea(QPainter& painter, const QRectF& model, const QRectF& target, double zoom,
                const std::vector<CGPObject*>& objects, double dpiX, double dpiY);
  void DrawFitted(QPainter& painter, double dpiX, double dpiY);
  void DrawView(QPainter& painter, double dpiX, double dpiY);
  // The page area of a sheet in device pixels: inside the margins and below the header.
  QRectF PageArea(double dpiX, double dpiY) const;

  TModelDocument& document_;
  TPrintOptions options_;
  bool planned_ = false;
  std::vector<TPrintSheet> sheets_;
  int runs_ = 1;
  QString error_;
  QStringList notices_;
  QSizeF paper_;  // printable area of the sheet being drawn, inches
};
