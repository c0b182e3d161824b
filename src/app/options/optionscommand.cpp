#include "app/options/optionscommand.h"

#include <QDir>

#include "app/modelform.h"
#include "document/modeldocument.h"
#include "interaction/modelpaintbox.h"

TOptionsResult TOptionsCommand::Run(QWidget* parent, TPreferences& preferences,
                                    TSettingsStore& store, IDialogService& dialogs,
                                    TModelForm* active, const QList<TModelForm*>& models,
                                    const TOptionsHooks& hooks)
{
  // The model the user was looking at when the dialog opened is the one OK applies to.
  const TOptionsResult result = TOptionsDialog::Run(parent, preferences, store, dialogs, hooks);
  Finish(result, preferences, active, models);
  return result;
}

void TOptionsCommand::Finish(TOptionsResult result, const TPreferences& preferences,
                             TModelForm* active, const QList<TModelForm*>& models)
{
  if (result == TOptionsResult::Cancelled) return;
  const QString folder = preferences.Text("Model Folder");
  if (!folder.isEmpty() && !QDir(folder).exists()) QDir().mkpath(folder);
  if (result == TOptionsResult::Ok) {
    if (active) ApplyPreferencesToModel(preferences, *active);
    return;
  }
  for (TModelForm* form : models)
    ApplyPreferencesToModel(preferences, *form);
}

void TOptionsCommand::ApplyPreferencesToModel(const TPreferences& preferences, TModelForm& form)
{
  form.EndOperation();
  TModelDocument& document = form.Document();
  preferences.ApplyToModel(document);
  form.PaintBox().SetPreferences(preferences.Interaction());
  document.ChangePending = true;
  document.RecordUndo(QStringLiteral("Options Change"));
  form.Repaint();
}
