#include "app/commands/savebyextension.h"

#include <QFileInfo>
#include <optional>

#include "app/dialogs/dialogservice.h"
#include "app/modelform.h"
#include "app/shell/filefilters.h"
#include "io/modelfile.h"
#include "platform/streams/streamerror.h"

void TSaveByExtension::SetExporter(const QString& extension, TExporter exporter)
{
  exporters_.insert(extension.toLower(), std::move(exporter));
}

bool TSaveByExtension::IsPictureName(const QString& path)
{
  const QString extension = QFileInfo(path).suffix().toLower();
  return extension == QLatin1String("bmp") || extension == QLatin1String("jpg") ||
         extension == QLatin1String("jpeg");
}

TSaveOutcome TSaveByExtension::Save(TModelForm& form, const QString& path,
                                    const TModelWriter& writeModel)
{
  const QString extension = QFileInfo(path).suffix().toLower();
  if (!filefilters::IsExportName(path))
    return writeModel(form, path) ? TSaveOutcome::ModelSaved : TSaveOutcome::Failed;
  if (IsPictureName(path)) return ExportPicture(form, path);
  try {
    const auto exporter = exporters_.constFind(extension);
    if (exporter != exporters_.constEnd())
      (*exporter)(form, path);
    else
      // The model writer refuses the kinds it cannot write, with the reason.
      TModelFile::SaveModelAs(form.Document(), path, QSize());
  } catch (const EStreamError& error) {
    dialogs_.ReportError(error.Message());
    return TSaveOutcome::Failed;
  }
  return TSaveOutcome::Exported;
}

TSaveOutcome TSaveByExtension::ExportPicture(TModelForm& form, const QString& path)
{
  const std::optional<QSize> size = dialogs_.ImageSize();
  if (!size) return TSaveOutcome::Cancelled;
  try {
    TModelFile::SaveModelAs(form.Document(), path, *size);
  } catch (const EStreamError& error) {
    dialogs_.ReportError(error.Message());
    return TSaveOutcome::Failed;
  }
  return TSaveOutcome::Exported;
}
