#include "app/publishing/htmloptionsdialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/accessiblenames.h"

THtmlOptionsDialog::THtmlOptionsDialog(QWidget* parent)
    : QDialog(parent),
      byPosition_(new QRadioButton(QStringLiteral("By Screen Position (Topmost Leftmost)"), this)),
      byNumber_(new QRadioButton(QStringLiteral("By Number"), this))
{
  setWindowTitle(QStringLiteral("HTML Options"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Specify text output order:"), this));
  layout->addWidget(byPosition_);
  layout->addWidget(byNumber_);
  byPosition_->setChecked(true);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  TAccessibleNames::NameControls(this);
}

TListingOrder THtmlOptionsDialog::Order() const
{
  return byPosition_->isChecked() ? TListingOrder::ByPosition : TListingOrder::ByNumber;
}
