#include "app/commands/imagesizedialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/commands/imagesize.h"
#include "app/commands/numberinput.h"

TImageSizeDialog::TImageSizeDialog(QWidget* parent)
    : QDialog(parent), choices_(new QButtonGroup(this))
{
  setWindowTitle(TImageSize::Caption());
  setObjectName(QStringLiteral("ImageSizeDialog"));
  auto* group = new QGroupBox(QStringLiteral(" Size in Pixels "), this);
  auto* column = new QVBoxLayout(group);
  const std::vector<QSize>& presets = TImageSize::Presets();
  for (int i = 0; i < static_cast<int>(presets.size()); ++i) {
    const QSize size = presets[static_cast<std::size_t>(i)];
    auto* button =
        new QRadioButton(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()), group);
    button->setChecked(size == TImageSize::Default());
    choices_->addButton(button, i);
    column->addWidget(button);
  }
  auto* other = new QRadioButton(QStringLiteral("Other"), group);
  choices_->addButton(other, static_cast<int>(presets.size()));
  column->addWidget(other);
  auto* boxes = new QFormLayout;
  const int maxSide = static_cast<int>(numberranges::kImageSide.Max);
  width_ = new QLineEdit(QStringLiteral("320"), group);
  height_ = new QLineEdit(QStringLiteral("200"), group);
  for (QLineEdit* box : {width_, height_}) {
    box->setValidator(new QIntValidator(0, maxSide, box));
    box->setEnabled(false);
  }
  boxes->addRow(QStringLiteral("Width:"), width_);
  boxes->addRow(QStringLiteral("Height:"), height_);
  column->addLayout(boxes);
  connect(other, &QRadioButton::toggled, width_, &QLineEdit::setEnabled);
  connect(other, &QRadioButton::toggled, height_, &QLineEdit::setEnabled);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&OK"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(buttons);
}

QSize TImageSizeDialog::ChosenSize() const
{
  const std::vector<QSize>& presets = TImageSize::Presets();
  const int chosen = choices_->checkedId();
  if (chosen >= 0 && chosen < static_cast<int>(presets.size()))
    return presets[static_cast<std::size_t>(chosen)];
  bool wide = false;
  bool high = false;
  const int width = width_->text().toInt(&wide);
  const int height = height_->text().toInt(&high);
  return TImageSize::Bounded(QSize(wide ? width : 320, high ? height : 200));
}
