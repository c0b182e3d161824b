// The one path every save command ends in: the target name's extension decides what is
// written. Pictures ask for their size first; the model format is written for ".mdl" and
// every extension not listed; kinds whose writer is built elsewhere are plugged in with
// SetExporter and otherwise say they are not available. An export never names the model,
// marks it saved or adds it to the recent list: only the model writer given to Save does.
#pragma once

#include <QHash>
#include <QString>
#include <functional>

class IDialogService;
class TModelForm;

enum class TSaveOutcome { ModelSaved, Exported, Cancelled, Failed };

class TSaveByExtension {
 public:
  // Writes a kind of file for a model; throws EStreamError with the user's message.
  using TExporter = std::function<void(TModelForm& form, const QString& path)>;
  // Writes the model format to a path, names the model and reports its own errors.
  using TModelWriter = std::function<bool(TModelForm& form, const QString& path)>;

  explicit TSaveByExtension(IDialogService& dialogs) : dialogs_(dialogs) {}

  // The writer of an extension given in lower case without the dot ("html", "txt").
  void SetExporter(const QString& extension, TExporter exporter);
  TSaveOutcome Save(TModelForm& form, const QString& path, const TModelWriter& writeModel);

  static bool IsPictureName(const QString& path);

 private:
  TSaveOutcome ExportPicture(TModelForm& form, const QString& path);

  IDialogService& dialogs_;
  QHash<QString, TExporter> exporters_;
};
