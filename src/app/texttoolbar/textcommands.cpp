#include "app/texttoolbar/textcommands.h"

#include <QAction>
#include <QComboBox>
#include <QFontComboBox>
#include <QLineEdit>

#include "document/modeldocument.h"
#include "document/textdefaults.h"

TTextCommands::TTextCommands(TTextDefaults& defaults, TModelSource model, QComboBox* fontName,
                             QComboBox* fontSize, TButtons buttons, QObject* parent)
    : QObject(parent),
      defaults_(defaults),
      model_(std::move(model)),
      fontName_(fontName),
      fontSize_(fontSize),
      buttons_(std::move(buttons))
{
  for (const auto& [code, action] : buttons_)
    connect(action, &QAction::triggered, this, [this, code = code] { TextStyleChange(code); });
  connect(fontName_, &QComboBox::activated, this,
          [this] { TextStyleChange(TTextAttribute::FontName); });
  // A size from the list, or a typed one with Enter.
  connect(fontSize_, &QComboBox::activated, this,
          [this] { TextStyleChange(TTextAttribute::FontSize); });
  if (QLineEdit* edit = fontSize_->lineEdit()) {
    edit->setMaxLength(8);
    connect(edit, &QLineEdit::returnPressed, this,
            [this] { TextStyleChange(TTextAttribute::FontSize); });
  }
  Show(defaults_.State());
}

void TTextCommands::Sync()
{
  Show(TTextAttributes::SelectionState(model_ ? model_() : nullptr, defaults_));
}

void TTextCommands::SetChecked(TTextAttribute code, bool on)
{
  if (const auto it = buttons_.find(code); it != buttons_.end()) it->second->setChecked(on);
}

void TTextCommands::Show(const TTextState& state)
{
  syncing_ = true;
  if (auto* fonts = qobject_cast<QFontComboBox*>(fontName_))
    fonts->setCurrentFont(QFont(state.FontName));
  else
    fontName_->setCurrentText(state.FontName);
  fontSize_->setEditText(QString::number(state.PointSize));
  SetChecked(TTextAttribute::Bold, state.Bold);
  SetChecked(TTextAttribute::Italic, state.Italic);
  SetChecked(TTextAttribute::Underline, state.Underline);
  SetChecked(TTextAttribute::AlignLeft, state.Alignment == richtext::TAlignment::Left);
  SetChecked(TTextAttribute::AlignCentre, state.Alignment == richtext::TAlignment::Centre);
  SetChecked(TTextAttribute::AlignRight, state.Alignment == richtext::TAlignment::Right);
  SetChecked(TTextAttribute::Bullets, state.Bullets);
  syncing_ = false;
}

TTextToolbarValues TTextCommands::Values() const
{
  const auto down = [this](TTextAttribute code) {
    const auto it = buttons_.find(code);
    return it != buttons_.end() && it->second->isChecked();
  };
  TTextToolbarValues values;
  const auto* fonts = qobject_cast<const QFontComboBox*>(fontName_);
  values.FontName = fonts ? fonts->currentFont().family() : fontName_->currentText();
  values.SizeText = fontSize_->currentText();
  values.Bold = down(TTextAttribute::Bold);
  values.Italic = down(TTextAttribute::Italic);
  values.Underline = down(TTextAttribute::Underline);
  values.LeftDown = down(TTextAttribute::AlignLeft);
  values.CentreDown = down(TTextAttribute::AlignCentre);
  values.RightDown = down(TTextAttribute::AlignRight);
  values.BulletsDown = down(TTextAttribute::Bullets);
  return values;
}

void TTextCommands::TextStyleChange(TTextAttribute code)
{
  if (syncing_) return;
  const TTextToolbarValues values = Values();
  if (textMode_ && textMode_(code, values)) return;
  TModelDocument* document = model_ ? model_() : nullptr;
  TTextAttributes::Command(document, defaults_, code, values);
  // The controls show what the command left, the defaults included.
  Sync();
  Q_EMIT Changed();
}
