// The Text Properties toolbar: font name and size lists and the style, alignment, indent and
// bullet buttons. Outside text mode its commands go to the active model's selection (or to the
// defaults for new text); while a text editor is open, the editor's hook takes them.
#pragma once

#include <QToolBar>
#include <functional>
#include <map>

#include "document/textattributes.h"

class QAction;
class QComboBox;
class QFontComboBox;
class TModelDocument;
class TTextCommands;
class TTextDefaults;

class TTextToolbar : public QToolBar {
  Q_OBJECT

 public:
  // The model the commands act on: the active one, or none.
  using TModelSource = std::function<TModelDocument*()>;
  // Text mode: given every command first; true when the open editor took it.
  using TTextModeHook = std::function<bool(TTextAttribute code, const TTextToolbarValues&)>;

  TTextToolbar(TTextDefaults& defaults, TModelSource model, QWidget* parent = nullptr);

  void SetTextModeHook(TTextModeHook hook);

  // SyncTextToolbar for the active model: shows its selection's text, or the defaults.
  void Sync();
  // Shows attributes (an open editor's too) without running any command.
  void Show(const TTextState& state);
  // The controls as they stand.
  TTextToolbarValues Values() const;
  // The handler every control runs, with its code.
  void TextStyleChange(TTextAttribute code);

  QAction* Button(TTextAttribute code) const { return buttons_.at(code); }
  QFontComboBox* FontName() const { return fontName_; }
  QComboBox* FontSize() const { return fontSize_; }

 private:
  QAction* AddButton(TTextAttribute code, const QString& caption, const QString& icon,
                     const QString& hint, bool checkable);

  TTextDefaults& defaults_;
  TModelSource model_;
  QFontComboBox* fontName_ = nullptr;
  QComboBox* fontSize_ = nullptr;
  std::map<TTextAttribute, QAction*> buttons_;
  TTextCommands* commands_ = nullptr;
};
