// The work behind the Text Properties controls, bound to whichever controls show them: the
// main window's bar (whose buttons are registry actions) or a bar of its own. Outside text
// mode a control's command goes to the active model's selection (or to the defaults for new
// text); while a text editor is open, the editor's hook takes it first.
#pragma once

#include <QObject>
#include <functional>
#include <map>

#include "document/textattributes.h"

class QAction;
class QComboBox;
class TModelDocument;
class TTextDefaults;

class TTextCommands : public QObject {
  Q_OBJECT

 public:
  // The model the commands act on: the active one, or none.
  using TModelSource = std::function<TModelDocument*()>;
  // Text mode: given every command first; true when the open editor took it.
  using TTextModeHook = std::function<bool(TTextAttribute code, const TTextToolbarValues&)>;
  using TButtons = std::map<TTextAttribute, QAction*>;

  // Connects the controls: each runs TextStyleChange with its code. The font name box's
  // current text is the family; the size box must be editable.
  TTextCommands(TTextDefaults& defaults, TModelSource model, QComboBox* fontName,
                QComboBox* fontSize, TButtons buttons, QObject* parent = nullptr);

  void SetTextModeHook(TTextModeHook hook) { textMode_ = std::move(hook); }
  // SyncTextToolbar for the active model: shows its selection's text, or the defaults.
  void Sync();
  // Shows attributes (an open editor's too) without running any command.
  void Show(const TTextState& state);
  // The controls as they stand.
  TTextToolbarValues Values() const;
  // The handler every control runs, with its code.
  void TextStyleChange(TTextAttribute code);

  QAction* Button(TTextAttribute code) const { return buttons_.at(code); }

  // Raised after a command changed a model, so the window can refresh its controls.
  Q_SIGNAL void Changed();

 private:
  void SetChecked(TTextAttribute code, bool on);

  TTextDefaults& defaults_;
  TModelSource model_;
  TTextModeHook textMode_;
  QComboBox* fontName_;
  QComboBox* fontSize_;
  TButtons buttons_;
  bool syncing_ = false;
};
