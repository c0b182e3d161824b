#include "app/printing/printcommands.h"

#include <QFileInfo>
#include <QGuiApplication>

#include "app/dialogs/dialogservice.h"
#include "app/modelform.h"
#include "app/printing/myprintdialog.h"
#include "app/printing/systemprinter.h"
#include "document/modeldocument.h"
#include "document/modelview.h"
#include "platform/streams/streamerror.h"

namespace {

const QString kPrintTitle = QStringLiteral("Print");

// The hourglass for as long as the job runs, however it ends.
class TBusyCursor {
 public:
  TBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// The dialog's model settings into the model, the pages measured again, and the change
// recorded so that it is saved and can be undone.
void StoreSettings(IDialogService& dialogs, TMyPrintDialog& dialog, TModelDocument& d)
{
  const bool wasWhole = d.Zoom == TModelView(d).WholeModelZoom();
  bool changed = dialog.StoreInto(d);
  d.ApplyPrinterOrientation();
  d.UpdatePageSize();
  if (TPrintJob::ClampMargins(d)) {
    changed = true;
    d.UpdatePageSize();
    dialogs.Message(TBoxKind::Information, kPrintTitle,
                    QStringLiteral("The margins left no room to print; they were made smaller."));
  }
  d.SetModelSize(d.PagesAcross, d.PagesDown);
  if (wasWhole)
    TModelView(d).ShowWholeModel();
  else
    d.NotifyRepaint();
  if (!changed) return;
  d.ChangePending = true;
  d.RecordUndo(QStringLiteral("Print Settings"));
}

}  // namespace

bool RunPrintJob(QWidget* parent, IDialogService& dialogs, TModelForm& form,
                 TSystemPrinter& printer, TPrintOptions options)
{
  (void)parent;
  TModelDocument& d = form.Document();
  QPrinter& device = printer.Printer();
  options.Copies = std::clamp(options.Copies, 1, TPrintOptions::kMaxCopies);
  options.DeviceCopies = options.Copies > 1 && device.supportsMultipleCopies();
  TPrintJob job(d, options);
  if (!job.Plan()) {
    dialogs.ReportError(job.Error());
    return false;
  }
  for (const QString& notice : job.Notices())
    dialogs.Message(TBoxKind::Information, kPrintTitle, notice);

  const QString name = QFileInfo(d.FileName).completeBaseName();
  // A file already chosen in the printer setup is kept; otherwise each printout asks.
  const bool askFile = printer.PrintsToPdf() && device.outputFileName().isEmpty();
  if (askFile) {
    TFileRequest request;
    request.Title = QStringLiteral("Print to PDF");
    request.FileName = name + QStringLiteral(".pdf");
    request.Filter = QStringLiteral("PDF (*.pdf)|*.pdf");
    request.DefaultSuffix = QStringLiteral("pdf");
    const std::optional<QString> file = dialogs.SaveFile(request);
    if (!file) return false;
    device.setOutputFileName(*file);
  }
  device.setDocName(name);
  device.setCopyCount(options.DeviceCopies ? options.Copies : 1);
  device.setCollateCopies(true);
  bool printed = false;
  try {
    TBusyCursor busy;
    TPagedSurface surface(device);
    printed = job.Run(surface);
  } catch (const EStreamError& error) {
    dialogs.ReportError(error.Message());
  }
  device.setCopyCount(1);
  if (askFile) device.setOutputFileName(QString());
  return printed;
}

void PrintCommand(QWidget* parent, IDialogService& dialogs, TModelForm& form,
                  TSystemPrinter& printer, const TPrintDialogRunner& run)
{
  form.EndOperation();
  TModelDocument& d = form.Document();
  TMyPrintDialog dialog(printer, parent);
  dialog.Preset(d, printer.Remembered);
  const int result = run(dialog);
  if (result != QDialog::Accepted && result != TMyPrintDialog::kClosed) return;
  const TPrintOptions options = dialog.Options();
  printer.Remembered = options;
  StoreSettings(dialogs, dialog, d);
  if (result == QDialog::Accepted) RunPrintJob(parent, dialogs, form, printer, options);
}

void PrintCommand(QWidget* parent, IDialogService& dialogs, TModelForm& form)
{
  PrintCommand(parent, dialogs, form, TSystemPrinter::Shared(),
               [](TMyPrintDialog& dialog) { return dialog.exec(); });
}

void PrintViewCommand(QWidget* parent, IDialogService& dialogs, TModelForm& form,
                      TSystemPrinter& printer)
{
  form.EndOperation();
  TPrintOptions options = printer.Remembered;
  options.Range = TPrintRange::CurrentView;
  RunPrintJob(parent, dialogs, form, printer, options);
}

void PrintViewCommand(QWidget* parent, IDialogService& dialogs, TModelForm& form)
{
  PrintViewCommand(parent, dialogs, form, TSystemPrinter::Shared());
}
