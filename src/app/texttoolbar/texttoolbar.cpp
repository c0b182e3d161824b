#include "app/texttoolbar/texttoolbar.h"

#include <QActionGroup>
#include <QComboBox>
#include <QFontComboBox>
#include <QIcon>
#include <QLineEdit>

#include "document/modeldocument.h"
#include "document/textdefaults.h"

namespace {

const char* const kSizes[] = {"6",  "7",  "8",  "9",  "10", "11", "12", "14", "16", "18", "20",
                              "22", "24", "26", "28", "36", "48", "60", "72", "84", "96"};

// The short part of a hint shows as the tool tip, the long part in the status bar.
void SetHint(QWidget* widget, const QString& hint)
{
  widget->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
  widget->setStatusTip(hint.section(QLatin1Char('|'), 1));
}

}  // namespace

TTextToolbar::TTextToolbar(TTextDefaults& defaults, TModelSource model, QWidget* parent)
    : QToolBar(QStringLiteral("Text Properties"), parent),
      defaults_(defaults),
      model_(std::move(model))
{
  setObjectName(QStringLiteral("TextProperties"));
  fontName_ = new QFontComboBox(this);
  fontName_->setObjectName(QStringLiteral("FontName"));
  SetHint(fontName_, QStringLiteral("Font Name|Changes the selected items font"));
  addWidget(fontName_);
  fontSize_ = new QComboBox(this);
  fontSize_->setObjectName(QStringLiteral("FontSize"));
  fontSize_->setEditable(true);
  fontSize_->setInsertPolicy(QComboBox::NoInsert);
  for (const char* size : kSizes)
    fontSize_->addItem(QString::fromLatin1(size));
  fontSize_->lineEdit()->setMaxLength(8);
  SetHint(fontSize_, QStringLiteral("Font Size|Changes the selected items font size"));
  addWidget(fontSize_);

  AddButton(TTextAttribute::Bold, QStringLiteral("Bold"), QStringLiteral("format-text-bold"),
            QStringLiteral("Bold|Toggles the selected items Bold style on/off"), true);
  AddButton(TTextAttribute::Italic, QStringLiteral("Italic"), QStringLiteral("format-text-italic"),
            QStringLiteral("Italic|Toggles the selected items Italic style on/off"), true);
  AddButton(TTextAttribute::Underline, QStringLiteral("Underline"),
            QStringLiteral("format-text-underline"),
            QStringLiteral("Underline|Toggles the selected items underline style on/off"), true);
  addSeparator();
  auto* alignments = new QActionGroup(this);
  alignments->addAction(
      AddButton(TTextAttribute::AlignLeft, QStringLiteral("Left Justify"),
                QStringLiteral("format-justify-left"),
                QStringLiteral("Left Justify|Left justify the selected item's text"), true));
  alignments->addAction(AddButton(TTextAttribute::AlignCentre, QStringLiteral("Centre"),
                                  QStringLiteral("format-justify-center"),
                                  QStringLiteral("Centre|Centres the selected item's text"), true));
  alignments->addAction(
      AddButton(TTextAttribute::AlignRight, QStringLiteral("Right Justify"),
                QStringLiteral("format-justify-right"),
                QStringLiteral("Right Justify|Right Justify the selected item's text"), true));
  addSeparator();
  AddButton(TTextAttribute::IndentLeft, QStringLiteral("Indent Left"),
            QStringLiteral("format-indent-less"),
            QStringLiteral("Indent Left|Indent the selected items text left"), false);
  AddButton(TTextAttribute::IndentRight, QStringLiteral("Indent Right"),
            QStringLiteral("format-indent-more"),
            QStringLiteral("Indent Right|Indent the selected items text right"), false);
  AddButton(TTextAttribute::Bullets, QStringLiteral("Bullet List"),
            QStringLiteral("format-list-unordered"),
            QStringLiteral("Bullet List|Toggles the selected item's Bullet List numbering on/off"),
            true);

  connect(fontName_, &QFontComboBox::activated, this,
          [this] { TextStyleChange(TTextAttribute::FontName); });
  // A size from the list, or a typed one with Enter.
  connect(fontSize_, &QComboBox::activated, this,
          [this] { TextStyleChange(TTextAttribute::FontSize); });
  connect(fontSize_->lineEdit(), &QLineEdit::returnPressed, this,
          [this] { TextStyleChange(TTextAttribute::FontSize); });
  Show(defaults_.State());
}

QAction* TTextToolbar::AddButton(TTextAttribute code, const QString& caption, const QString& icon,
                                 const QString& hint, bool checkable)
{
  QAction* action = addAction(QIcon::fromTheme(icon), caption);
  action->setObjectName(caption);
  action->setCheckable(checkable);
  action->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
  action->setStatusTip(hint.section(QLatin1Char('|'), 1));
  connect(action, &QAction::triggered, this, [this, code] { TextStyleChange(code); });
  buttons_[code] = action;
  return action;
}

void TTextToolbar::Sync()
{
  Show(TTextAttributes::SelectionState(model_ ? model_() : nullptr, defaults_));
}

void TTextToolbar::Show(const TTextState& state)
{
  syncing_ = true;
  fontName_->setCurrentFont(QFont(state.FontName));
  fontSize_->setEditText(QString::number(state.PointSize));
  buttons_.at(TTextAttribute::Bold)->setChecked(state.Bold);
  buttons_.at(TTextAttribute::Italic)->setChecked(state.Italic);
  buttons_.at(TTextAttribute::Underline)->setChecked(state.Underline);
  buttons_.at(TTextAttribute::AlignLeft)->setChecked(state.Alignment == richtext::TAlignment::Left);
  buttons_.at(TTextAttribute::AlignCentre)
      ->setChecked(state.Alignment == richtext::TAlignment::Centre);
  buttons_.at(TTextAttribute::AlignRight)
      ->setChecked(state.Alignment == richtext::TAlignment::Right);
  buttons_.at(TTextAttribute::Bullets)->setChecked(state.Bullets);
  syncing_ = false;
}

TTextToolbarValues TTextToolbar::Values() const
{
  TTextToolbarValues values;
  values.FontName = fontName_->currentFont().family();
  values.SizeText = fontSize_->currentText();
  values.Bold = buttons_.at(TTextAttribute::Bold)->isChecked();
  values.Italic = buttons_.at(TTextAttribute::Italic)->isChecked();
  values.Underline = buttons_.at(TTextAttribute::Underline)->isChecked();
  values.LeftDown = buttons_.at(TTextAttribute::AlignLeft)->isChecked();
  values.CentreDown = buttons_.at(TTextAttribute::AlignCentre)->isChecked();
  values.RightDown = buttons_.at(TTextAttribute::AlignRight)->isChecked();
  values.BulletsDown = buttons_.at(TTextAttribute::Bullets)->isChecked();
  return values;
}

void TTextToolbar::TextStyleChange(TTextAttribute code)
{
  if (syncing_) return;
  const TTextToolbarValues values = Values();
  if (textMode_ && textMode_(code, values)) return;
  TModelDocument* document = model_ ? model_() : nullptr;
  TTextAttributes::Command(document, defaults_, code, values);
  // The toolbar shows what the command left, the defaults included.
  Sync();
}
