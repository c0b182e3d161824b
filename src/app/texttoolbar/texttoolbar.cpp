#include "app/texttoolbar/texttoolbar.h"

#include <QActionGroup>
#include <QComboBox>
#include <QFontComboBox>
#include <QIcon>
#include <QLineEdit>

#include "app/texttoolbar/textcommands.h"
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

  commands_ = new TTextCommands(defaults_, model_, fontName_, fontSize_, buttons_, this);
}

QAction* TTextToolbar::AddButton(TTextAttribute code, const QString& caption, const QString& icon,
                                 const QString& hint, bool checkable)
{
  QAction* action = addAction(QIcon::fromTheme(icon), caption);
  action->setObjectName(caption);
  action->setCheckable(checkable);
  action->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
  action->setStatusTip(hint.section(QLatin1Char('|'), 1));
  buttons_[code] = action;
  return action;
}

void TTextToolbar::Sync()
{
  commands_->Sync();
}

void TTextToolbar::Show(const TTextState& state)
{
  commands_->Show(state);
}

TTextToolbarValues TTextToolbar::Values() const
{
  return commands_->Values();
}

void TTextToolbar::TextStyleChange(TTextAttribute code)
{
  commands_->TextStyleChange(code);
}

void TTextToolbar::SetTextModeHook(TTextModeHook hook)
{
  commands_->SetTextModeHook(std::move(hook));
}
