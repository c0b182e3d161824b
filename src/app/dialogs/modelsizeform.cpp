#include "app/dialogs/modelsizeform.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/modelform.h"
#include "document/modeldocument.h"
#include "document/modelview.h"

namespace {

struct TPreset {
  const char* Caption;
  int Across;
  int Down;
};

constexpr std::array<TPreset, 7> kPresets = {{{"Single Page", 1, 1},
                                              {"Two Pages", 2, 1},
                                              {"Four Pages (2x2)", 2, 2},
                                              {"Nine Pages (3x3)", 3, 3},
                                              {"Sixteen Pages (4x4)", 4, 4},
                                              {"Twenty Five Pages (5x5)", 5, 5},
                                              {"Thirty Six Pages (6x6)", 6, 6}}};
constexpr int kCustom = 7;

int ReadCount(const QLineEdit& box)
{
  bool ok = false;
  const int value = box.text().trimmed().toInt(&ok);
  return std::clamp(ok ? value : 1, TModelSizeForm::kMinPages, TModelSizeForm::kMaxPages);
}

QPixmap PagePicture(bool landscape)
{
  const QSize page = landscape ? QSize(44, 32) : QSize(32, 44);
  QPixmap pixmap(48, 48);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  QRect r(QPoint(0, 0), page);
  r.moveCenter(QPoint(24, 24));
  painter.fillRect(r, Qt::white);
  painter.setPen(Qt::black);
  painter.drawRect(r.adjusted(0, 0, -1, -1));
  for (int y = r.top() + 6; y < r.bottom() - 4; y += 5)
    painter.drawLine(r.left() + 5, y, r.right() - 5, y);
  return pixmap;
}

}  // namespace

TModelSizeForm::TModelSizeForm(QWidget* parent) : QDialog(parent)
{
  setWindowTitle(QStringLiteral("Page Setup"));
  auto* sizes = new QGroupBox(QStringLiteral("Choose a Model Size"), this);
  auto* sizeLayout = new QGridLayout(sizes);
  auto* group = new QButtonGroup(this);
  for (int i = 0; i < kCustom; ++i) {
    choices_[i] = new QRadioButton(QString::fromLatin1(kPresets[i].Caption), sizes);
    sizeLayout->addWidget(choices_[i], i, 0, 1, 3);
  }
  choices_[kCustom] = new QRadioButton(QStringLiteral("Custom"), sizes);
  sizeLayout->addWidget(choices_[kCustom], kCustom, 0);
  across_ = new QLineEdit(QStringLiteral("5"), sizes);
  down_ = new QLineEdit(QStringLiteral("5"), sizes);
  for (QLineEdit* box : {across_, down_}) {
    box->setMaxLength(4);
    box->setMaximumWidth(60);
  }
  auto* acrossLabel = new QLabel(QStringLiteral("Pages Across:"), sizes);
  auto* downLabel = new QLabel(QStringLiteral("Pages Down:"), sizes);
  acrossLabel->setBuddy(across_);
  downLabel->setBuddy(down_);
  sizeLayout->addWidget(acrossLabel, kCustom + 1, 1);
  sizeLayout->addWidget(across_, kCustom + 1, 2);
  sizeLayout->addWidget(downLabel, kCustom + 2, 1);
  sizeLayout->addWidget(down_, kCustom + 2, 2);
  for (int i = 0; i <= kCustom; ++i) {
    group->addButton(choices_[i], i);
    connect(choices_[i], &QRadioButton::toggled, this, &TModelSizeForm::ChoiceChanged);
  }

  auto* orientation = new QGroupBox(QStringLiteral(" Orientation "), this);
  auto* orientationLayout = new QHBoxLayout(orientation);
  auto* buttons = new QVBoxLayout;
  portrait_ = new QRadioButton(QStringLiteral("P&ortrait"), orientation);
  landscape_ = new QRadioButton(QStringLiteral("L&andscape"), orientation);
  buttons->addWidget(portrait_);
  buttons->addWidget(landscape_);
  orientationLayout->addLayout(buttons);
  page_ = new QLabel(orientation);
  orientationLayout->addWidget(page_);
  connect(portrait_, &QRadioButton::toggled, this, &TModelSizeForm::ShowOrientation);

  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(sizes);
  layout->addWidget(orientation);
  layout->addWidget(box);
  SetValues(1, 1, 0);
}

void TModelSizeForm::SetValues(int across, int down, int orientation)
{
  int choice = kCustom;
  for (int i = 0; i < kCustom; ++i)
    if (kPresets[i].Across == across && kPresets[i].Down == down) choice = i;
  if (choice == kCustom) {
    across_->setText(QString::number(across));
    down_->setText(QString::number(down));
  }
  Choose(choice);
  (orientation == 1 ? landscape_ : portrait_)->setChecked(true);
  ShowOrientation();
}

void TModelSizeForm::Choose(int index)
{
  choices_[std::clamp(index, 0, kCustom)]->setChecked(true);
  ChoiceChanged();
}

int TModelSizeForm::Choice() const
{
  for (int i = 0; i <= kCustom; ++i)
    if (choices_[i]->isChecked()) return i;
  return 0;
}

void TModelSizeForm::ChoiceChanged()
{
  const bool custom = choices_[kCustom]->isChecked();
  across_->setEnabled(custom);
  down_->setEnabled(custom);
}

void TModelSizeForm::ShowOrientation()
{
  page_->setPixmap(PagePicture(landscape_->isChecked()));
}

int TModelSizeForm::Across() const
{
  const int choice = Choice();
  return choice == kCustom ? ReadCount(*across_) : kPresets[choice].Across;
}

int TModelSizeForm::Down() const
{
  const int choice = Choice();
  return choice == kCustom ? ReadCount(*down_) : kPresets[choice].Down;
}

int TModelSizeForm::Orientation() const
{
  return landscape_->isChecked() ? 1 : 0;
}

bool RunPageSetup(QWidget* parent, TModelForm& form)
{
  TModelDocument& document = form.Document();
  TModelSizeForm dialog(parent);
  dialog.SetValues(document.PagesAcross, document.PagesDown, document.Orientation);
  if (dialog.exec() != QDialog::Accepted) return false;
  form.EndOperation();
  document.Orientation = static_cast<std::uint8_t>(dialog.Orientation());
  document.ApplyPrinterOrientation();
  document.UpdatePageSize();
  document.SetModelSize(dialog.Across(), dialog.Down());
  document.ChangePending = true;
  document.RecordUndo(QStringLiteral("Set Model Size"));
  TModelView(document).ShowWholeModel();
  return true;
}
