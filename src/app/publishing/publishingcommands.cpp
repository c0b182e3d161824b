#include "app/publishing/publishingcommands.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "app/dialogs/dialogservice.h"
#include "app/publishing/generatereportdialog.h"
#include "app/publishing/htmloptionsdialog.h"
#include "app/publishing/textreportform.h"
#include "document/documentobserver.h"
#include "document/modeldocument.h"
#include "io/publishing/htmlexport.h"
#include "io/publishing/sitepublisher.h"
#include "platform/streams/streamerror.h"

namespace {

// The busy cursor and the status bar's progress for the time of a piece of work.
class TBusy {
 public:
  TBusy(TModelDocument& document, const QString& caption)
      : observer_(document.Observer()), caption_(caption)
  {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Progress(0);
  }
  ~TBusy()
  {
    if (observer_) observer_->EndProgress();
    QApplication::restoreOverrideCursor();
  }
  void Progress(int percent) const
  {
    if (observer_) observer_->ShowProgress(percent, caption_);
  }

 private:
  IDocumentObserver* observer_;
  QString caption_;
};

}  // namespace

std::optional<TListingOrder> TPublishingDialogs::HtmlOrder(QWidget* parent)
{
  THtmlOptionsDialog dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Order();
}

std::optional<TReportOptions> TPublishingDialogs::ReportOptions(QWidget* parent,
                                                                bool selectionExists,
                                                                bool wholeModelOnly)
{
  TGenerateReportDialog dialog(selectionExists, wholeModelOnly, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Options();
}

std::optional<QSize> TPublishingDialogs::PictureSize(QWidget* parent, TModelDocument& document)
{
  if (pictureSize_) return pictureSize_(parent, document);
  return THtmlExport::BoundedPictureSize(document, QSize());
}

void TPublishingDialogs::ShowReport(TTextReportForm& form)
{
  form.exec();
}

QString TPublishingCommands::InitialFolder(const TModelDocument& document) const
{
  return document.Named ? QFileInfo(document.FileName).absolutePath() : QDir::homePath();
}

bool TPublishingCommands::ExportHtml(TModelDocument& document, const QString& path)
{
  const std::optional<TListingOrder> order = questions_.HtmlOrder(parent_);
  if (!order) return false;
  const std::optional<QSize> size = questions_.PictureSize(parent_, document);
  if (!size) return false;
  const QFileInfo info(path);
  const QString picture = info.dir().filePath(info.completeBaseName() + QStringLiteral(".jpg"));
  // The picture's name was not chosen by the user: a file of that name is not replaced unasked,
  // unless it sits beside the page being replaced (an earlier export's picture).
  if (QFileInfo::exists(picture) && !QFileInfo::exists(path) &&
      dialogs_.Ask(TBoxKind::Warning, QStringLiteral("Save as HTML"),
                   QStringLiteral("The picture \"%1\" already exists.\rDo you want to replace it?")
                       .arg(QFileInfo(picture).fileName()),
                   TButtons::YesNo) != TAnswer::Yes)
    return false;
  try {
    const TBusy busy(document, QStringLiteral("Generating HTML File..."));
    THtmlPageStyle style;
    style.Order = *order;
    THtmlExport::ExportHtml(document, path, *size, style,
                            [&busy](int percent) { busy.Progress(percent); });
  } catch (const EStreamError& error) {
    dialogs_.ReportError(error.Message());
    return false;
  }
  return true;
}

void TPublishingCommands::SaveAsHtml(TModelDocument& document)
{
  TFileRequest request;
  request.Title = QStringLiteral("Save as HTML");
  request.Folder = InitialFolder(document);
  request.Filter = QStringLiteral("HTML (*.html, *.htm)|*.html;*.htm");
  request.FileName = QFileInfo(document.FileName).completeBaseName() + QStringLiteral(".htm");
  request.DefaultSuffix = QStringLiteral("htm");
  const std::optional<QString> path = dialogs_.SaveFile(request);
  if (path) ExportHtml(document, *path);
}

void TPublishingCommands::TextReport(TModelDocument& document)
{
  const std::optional<TReportOptions> options =
      questions_.ReportOptions(parent_, document.SelectedCount() > 0, false);
  if (!options) return;
  QByteArray rtf;
  {
    const TBusy busy(document, QStringLiteral("Generating Text Report..."));
    rtf = TTextReport::ReportRtf(document, *options,
                                 [&busy](int percent) { busy.Progress(percent); });
  }
  TTextReportForm form(dialogs_, parent_);
  form.LoadReport(rtf);
  questions_.ShowReport(form);
}

bool TPublishingCommands::SaveTextReport(TModelDocument& document, const QString& path)
{
  const std::optional<TReportOptions> options = questions_.ReportOptions(parent_, false, true);
  if (!options) return false;
  try {
    const TBusy busy(document, QStringLiteral("Generating Text Report..."));
    TTextReport::WriteTextReport(document, path, *options);
  } catch (const EStreamError& error) {
    dialogs_.ReportError(error.Message());
    return false;
  }
  return true;
}

void TPublishingCommands::PublishSite(TModelDocument& document)
{
  // The site is made from the files on disk, so the model must have been saved.
  if (!document.Named || document.Modified) {
    dialogs_.Message(TBoxKind::Information, QStringLiteral("Publish Web Site"),
                     QStringLiteral("Please save the model first: the site is made from the "
                                    "saved models."));
    return;
  }
  const std::optional<QString> folder =
      dialogs_.ChooseFolder(QStringLiteral("Publish Web Site"), InitialFolder(document));
  if (!folder) return;
  try {
    const TBusy busy(document, QStringLiteral("Generating HTML File..."));
    const TSiteResult result = TSitePublisher::Publish(document.FileName, *folder);
    QString text = QStringLiteral("%1 page(s) written.  Start at \"%2\".")
                       .arg(result.Pages.size())
                       .arg(QDir::toNativeSeparators(result.IndexPath));
    if (!result.Problems.isEmpty())
      text += QStringLiteral("\r\rNot published:\r") + result.Problems.join(QLatin1Char('\r'));
    dialogs_.Message(result.Problems.isEmpty() ? TBoxKind::Information : TBoxKind::Warning,
                     QStringLiteral("Publish Web Site"), text);
  } catch (const EStreamError& error) {
    dialogs_.ReportError(error.Message());
  }
}
