#include "app/publishing/generatereportdialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "app/dialogs/accessiblenames.h"

namespace {

QLineEdit* PageEdit(QWidget* parent)
{
  auto* edit = new QLineEdit(parent);
  // Digits only, and few enough that the number fits.
  edit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,9}")), edit));
  edit->setMaximumWidth(80);
  return edit;
}

int PageNumber(const QLineEdit* edit)
{
  bool ok = false;
  const int page = edit->text().toInt(&ok);
  return ok && page >= 1 ? page : 1;
}

}  // namespace

TGenerateReportDialog::TGenerateReportDialog(bool selectionExists, bool wholeModelOnly,
                                             QWidget* parent)
    : QDialog(parent),
      currentView_(new QRadioButton(QStringLiteral("Current View"))),
      wholeModel_(new QRadioButton(QStringLiteral("Whole Model"))),
      pages_(new QRadioButton(QStringLiteral("Pages"))),
      selected_(new QRadioButton(QStringLiteral("Selected"))),
      from_(PageEdit(this)),
      to_(PageEdit(this)),
      separatePages_(new QCheckBox(QStringLiteral("Separate Pages"))),
      byPosition_(new QRadioButton(QStringLiteral("By Screen Position (Topmost Leftmost)"))),
      byNumber_(new QRadioButton(QStringLiteral("By Number"))),
      includeSummary_(new QCheckBox(QStringLiteral("Include Summary Info")))
{
  setWindowTitle(QStringLiteral("Generate Report"));
  auto* range = new QGroupBox(QStringLiteral(" Report Range "), this);
  auto* rangeLayout = new QGridLayout(range);
  rangeLayout->addWidget(currentView_, 0, 0, 1, 5);
  rangeLayout->addWidget(wholeModel_, 1, 0, 1, 5);
  rangeLayout->addWidget(pages_, 2, 0);
  auto* fromLabel = new QLabel(QStringLiteral("From:"), range);
  fromLabel->setBuddy(from_);
  auto* toLabel = new QLabel(QStringLiteral("To:"), range);
  toLabel->setBuddy(to_);
  rangeLayout->addWidget(fromLabel, 2, 1);
  rangeLayout->addWidget(from_, 2, 2);
  rangeLayout->addWidget(toLabel, 2, 3);
  rangeLayout->addWidget(to_, 2, 4);
  rangeLayout->addWidget(selected_, 3, 0, 1, 5);
  auto* rangeGroup = new QButtonGroup(this);
  for (QRadioButton* button : {currentView_, wholeModel_, pages_, selected_})
    rangeGroup->addButton(button);

  auto* options = new QGroupBox(QStringLiteral(" Report Options "), this);
  auto* optionsLayout = new QVBoxLayout(options);
  optionsLayout->addWidget(separatePages_);
  optionsLayout->addWidget(byPosition_);
  optionsLayout->addWidget(byNumber_);
  optionsLayout->addWidget(includeSummary_);
  auto* orderGroup = new QButtonGroup(this);
  orderGroup->addButton(byPosition_);
  orderGroup->addButton(byNumber_);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(range);
  layout->addWidget(options);
  layout->addWidget(buttons);

  currentView_->setChecked(true);
  byPosition_->setChecked(true);
  selected_->setEnabled(selectionExists);
  // Typing a page number chooses the page range.
  for (QLineEdit* edit : {from_, to_})
    connect(edit, &QLineEdit::textEdited, this, [this] { pages_->setChecked(true); });
  connect(wholeModel_, &QRadioButton::toggled, this, &TGenerateReportDialog::UpdateSeparatePages);
  if (wholeModelOnly) {
    wholeModel_->setChecked(true);
    for (QWidget* control : {static_cast<QWidget*>(currentView_), static_cast<QWidget*>(pages_),
                             static_cast<QWidget*>(selected_), static_cast<QWidget*>(from_),
                             static_cast<QWidget*>(to_)})
      control->setEnabled(false);
  }
  UpdateSeparatePages();
  TAccessibleNames::NameControls(this);
}

void TGenerateReportDialog::UpdateSeparatePages()
{
  separatePages_->setEnabled(wholeModel_->isChecked());
}

TReportOptions TGenerateReportDialog::Options() const
{
  TReportOptions options;
  if (wholeModel_->isChecked())
    options.Range = TReportRange::WholeModel;
  else if (pages_->isChecked())
    options.Range = TReportRange::Pages;
  else if (selected_->isChecked() && selected_->isEnabled())
    options.Range = TReportRange::Selected;
  options.SeparatePages = wholeModel_->isChecked() && separatePages_->isChecked();
  options.FirstPage = PageNumber(from_);
  options.LastPage = PageNumber(to_);
  options.Order = byPosition_->isChecked() ? TListingOrder::ByPosition : TListingOrder::ByNumber;
  options.IncludeSummary = includeSummary_->isChecked();
  return options;
}
