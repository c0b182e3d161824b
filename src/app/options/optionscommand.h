// Edit > Options: the dialog, then what its closing button asks for: the model folder made
// when missing, and the preferences given to the active model (OK) or to every open model
// (Apply), each change recorded as an undoable "Options Change".
#pragma once

#include <QList>

#include "app/options/optionsdialog.h"

class TModelForm;

class TOptionsCommand {
 public:
  static TOptionsResult Run(QWidget* parent, TPreferences& preferences, TSettingsStore& store,
                            IDialogService& dialogs, TModelForm* active,
                            const QList<TModelForm*>& models, const TOptionsHooks& hooks = {});

  // What follows the dialog's closing with a result.
  static void Finish(TOptionsResult result, const TPreferences& preferences, TModelForm* active,
                     const QList<TModelForm*>& models);

  static void ApplyPreferencesToModel(const TPreferences& preferences, TModelForm& form);
};
