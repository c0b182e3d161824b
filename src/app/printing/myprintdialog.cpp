#include "app/printing/myprintdialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "app/printing/systemprinter.h"
#include "document/modeldocument.h"

namespace {

QDoubleSpinBox* MarginSpin(QWidget* parent)
{
  auto* spin = new QDoubleSpinBox(parent);
  spin->setRange(0.0, 20.0);
  spin->setDecimals(3);
  spin->setSingleStep(0.1);
  spin->setSuffix(QStringLiteral(" inch"));
  return spin;
}

QLineEdit* PageEdit(QWidget* parent)
{
  auto* edit = new QLineEdit(parent);
  // Only digits can be typed; nine of them are more pages than any model has.
  edit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), edit));
  edit->setMaximumWidth(80);
  return edit;
}

}  // namespace

TMyPrintDialog::TMyPrintDialog(TSystemPrinter& printer, QWidget* parent)
    : QDialog(parent), printer_(printer)
{
  Build();
  ReadPrinter();
}

void TMyPrintDialog::Build()
{
  auto* range = new QGroupBox(QStringLiteral(" Print Range "), this);
  CurrentViewButton = new QRadioButton(QStringLiteral("Current View"), range);
  WholeModelButton = new QRadioButton(QStringLiteral("Whole Model"), range);
  PagesButton = new QRadioButton(QStringLiteral("Pages"), range);
  SelectedButton = new QRadioButton(QStringLiteral("Selected"), range);
  FromEdit = PageEdit(range);
  ToEdit = PageEdit(range);
  auto* rangeLayout = new QGridLayout(range);
  rangeLayout->addWidget(CurrentViewButton, 0, 0, 1, 5);
  rangeLayout->addWidget(WholeModelButton, 1, 0, 1, 5);
  rangeLayout->addWidget(PagesButton, 2, 0);
  rangeLayout->addWidget(new QLabel(QStringLiteral("From:"), range), 2, 1);
  rangeLayout->addWidget(FromEdit, 2, 2);
  rangeLayout->addWidget(new QLabel(QStringLiteral("To:"), range), 2, 3);
  rangeLayout->addWidget(ToEdit, 2, 4);
  rangeLayout->addWidget(SelectedButton, 3, 0, 1, 5);
  // Typing a page number means printing pages.
  for (QLineEdit* edit : {FromEdit, ToEdit})
    connect(edit, &QLineEdit::textEdited, this, [this] { PagesButton->setChecked(true); });

  auto* options = new QGroupBox(QStringLiteral(" Options "), this);
  FitBox = new QCheckBox(QStringLiteral("Fit to one page"), options);
  BlankPagesBox = new QCheckBox(QStringLiteral("Include blank pages"), options);
  CopiesSpin = new QSpinBox(options);
  CopiesSpin->setRange(1, TPrintOptions::kMaxCopies);
  FramesBox = new QCheckBox(QStringLiteral("Frames"), options);
  ReverseBox = new QCheckBox(QStringLiteral("Reverse Print Order"), options);
  GrayscaleBox = new QCheckBox(QStringLiteral("Print Grayscale"), options);
  auto* optionsLayout = new QGridLayout(options);
  optionsLayout->addWidget(FitBox, 0, 0, 1, 2);
  optionsLayout->addWidget(BlankPagesBox, 1, 0, 1, 2);
  optionsLayout->addWidget(new QLabel(QStringLiteral("Number of Copies:"), options), 2, 0);
  optionsLayout->addWidget(CopiesSpin, 2, 1);
  optionsLayout->addWidget(FramesBox, 3, 0, 1, 2);
  optionsLayout->addWidget(ReverseBox, 4, 0, 1, 2);
  optionsLayout->addWidget(GrayscaleBox, 5, 0, 1, 2);
  connect(CopiesSpin, &QSpinBox::valueChanged, this, [this] { PrinterChanged(); });
  connect(GrayscaleBox, &QCheckBox::clicked, this, [this] { GrayscaleClicked(); });

  auto* bands = new QGroupBox(QStringLiteral(" Header/Footer "), this);
  HeaderBox = new QCheckBox(QStringLiteral("Header"), bands);
  FooterBox = new QCheckBox(QStringLiteral("Footer"), bands);
  CommentsEdit = new QLineEdit(bands);
  CommentsEdit->setMaxLength(1000);
  auto* bandsLayout = new QGridLayout(bands);
  bandsLayout->addWidget(HeaderBox, 0, 0);
  bandsLayout->addWidget(FooterBox, 0, 1);
  bandsLayout->addWidget(new QLabel(QStringLiteral("Comments:"), bands), 1, 0);
  bandsLayout->addWidget(CommentsEdit, 1, 1);

  auto* orientation = new QGroupBox(QStringLiteral(" Orientation "), this);
  PortraitButton = new QRadioButton(QStringLiteral("P&ortrait"), orientation);
  LandscapeButton = new QRadioButton(QStringLiteral("L&andscape"), orientation);
  pagePicture_ = new QLabel(orientation);
  auto* orientationLayout = new QGridLayout(orientation);
  orientationLayout->addWidget(PortraitButton, 0, 0);
  orientationLayout->addWidget(LandscapeButton, 1, 0);
  orientationLayout->addWidget(pagePicture_, 0, 1, 2, 1);
  for (QRadioButton* button : {PortraitButton, LandscapeButton})
    connect(button, &QRadioButton::clicked, this, [this] { OrientationClicked(); });

  auto* margins = new QGroupBox(QStringLiteral(" Margins "), this);
  LeftSpin = MarginSpin(margins);
  RightSpin = MarginSpin(margins);
  TopSpin = MarginSpin(margins);
  BottomSpin = MarginSpin(margins);
  auto* marginsLayout = new QFormLayout(margins);
  marginsLayout->addRow(QStringLiteral("Left:"), LeftSpin);
  marginsLayout->addRow(QStringLiteral("Right:"), RightSpin);
  marginsLayout->addRow(QStringLiteral("Top:"), TopSpin);
  marginsLayout->addRow(QStringLiteral("Bottom:"), BottomSpin);

  OkButton = new QPushButton(QStringLiteral("&OK"), this);
  CancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
  PrinterButton = new QPushButton(QStringLiteral("&Printer"), this);
  OkButton->setDefault(true);
  connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(PrinterButton, &QPushButton::clicked, this, [this] { PrinterClicked(); });
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(OkButton);
  buttons->addWidget(CancelButton);
  buttons->addWidget(PrinterButton);
  buttons->addStretch();

  auto* grid = new QGridLayout(this);
  grid->addWidget(range, 0, 0);
  grid->addWidget(options, 0, 1);
  grid->addLayout(buttons, 0, 2, 2, 1);
  grid->addWidget(bands, 1, 0, 1, 2);
  grid->addWidget(orientation, 2, 0);
  grid->addWidget(margins, 2, 1);
}

void TMyPrintDialog::Preset(const TModelDocument& d, const TPrintOptions& remembered)
{
  presetting_ = true;
  CurrentViewButton->setChecked(true);
  SelectedButton->setEnabled(d.SelectedCount() > 0);
  FromEdit->clear();
  ToEdit->clear();
  FitBox->setChecked(remembered.FitToOnePage);
  BlankPagesBox->setChecked(remembered.IncludeBlankPages);
  CopiesSpin->setValue(std::clamp(remembered.Copies, 1, TPrintOptions::kMaxCopies));
  FramesBox->setChecked(remembered.Frames);
  LeftSpin->setValue(d.LeftMargin);
  RightSpin->setValue(d.RightMargin);
  TopSpin->setValue(d.TopMargin);
  BottomSpin->setValue(d.BottomMargin);
  HeaderBox->setChecked(d.PrintHeader);
  FooterBox->setChecked(d.PrintFooter);
  CommentsEdit->setText(d.FooterComments);
  ReverseBox->setChecked(d.ReversePrintOrder);
  changed_ = false;
  CancelButton->setText(QStringLiteral("&Cancel"));
  ReadPrinter();
  presetting_ = false;
}

void TMyPrintDialog::ReadPrinter()
{
  const bool was = presetting_;
  presetting_ = true;
  setWindowTitle(QStringLiteral("Print - ") + printer_.DisplayName());
  const bool canSwitch = printer_.CanSwitchColour();
  GrayscaleBox->setEnabled(canSwitch);
  // A printer that cannot switch prints what it can; the box then says grey.
  GrayscaleBox->setChecked(!canSwitch || printer_.Printer().colorMode() == QPrinter::GrayScale);
  (printer_.Orientation() == 1 ? LandscapeButton : PortraitButton)->setChecked(true);
  ShowOrientationPicture();
  presetting_ = was;
}

void TMyPrintDialog::ShowOrientationPicture()
{
  const bool landscape = LandscapeButton->isChecked();
  QPixmap picture(48, 48);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  const QRect sheet = landscape ? QRect(4, 12, 40, 28) : QRect(10, 4, 28, 40);
  painter.fillRect(sheet, Qt::white);
  painter.setPen(Qt::black);
  painter.drawRect(sheet);
  for (int y = sheet.top() + 6; y < sheet.bottom() - 4; y += 5)
    painter.drawLine(sheet.left() + 4, y, sheet.right() - 4, y);
  painter.end();
  pagePicture_->setPixmap(picture);
}

void TMyPrintDialog::PrinterChanged()
{
  if (presetting_) return;
  changed_ = true;
  CancelButton->setText(QStringLiteral("&Close"));
}

void TMyPrintDialog::OrientationClicked()
{
  printer_.SetOrientation(LandscapeButton->isChecked() ? 1 : 0);
  ShowOrientationPicture();
  PrinterChanged();
}

void TMyPrintDialog::GrayscaleClicked()
{
  printer_.Printer().setColorMode(GrayscaleBox->isChecked() ? QPrinter::GrayScale
                                                            : QPrinter::Color);
  PrinterChanged();
}

void TMyPrintDialog::PrinterClicked()
{
  QPrintDialog setup(&printer_.Printer(), this);
  setup.setOption(QAbstractPrintDialog::PrintToFile, true);
  if (setup.exec() != QDialog::Accepted) return;
  ReadPrinter();
  PrinterChanged();
}

void TMyPrintDialog::reject()
{
  done(changed_ ? kClosed : QDialog::Rejected);
}

TPrintOptions TMyPrintDialog::Options() const
{
  TPrintOptions o;
  if (WholeModelButton->isChecked()) o.Range = TPrintRange::WholeModel;
  if (PagesButton->isChecked()) o.Range = TPrintRange::Pages;
  if (SelectedButton->isChecked() && SelectedButton->isEnabled()) o.Range = TPrintRange::Selected;
  o.FitToOnePage = FitBox->isChecked();
  o.IncludeBlankPages = BlankPagesBox->isChecked();
  o.Frames = FramesBox->isChecked();
  o.Copies = CopiesSpin->value();
  // Empty boxes count as 0; the job clamps what does not name a page.
  o.FromPage = FromEdit->text().toInt();
  o.ToPage = ToEdit->text().toInt();
  return o;
}

bool TMyPrintDialog::StoreInto(TModelDocument& d) const
{
  bool changed = false;
  const auto store = [&changed](auto& field, const auto& value) {
    if (field == value) return;
    field = value;
    changed = true;
  };
  // A box shows a margin rounded; an untouched box leaves the model's own value.
  const auto margin = [&changed](double& field, const QDoubleSpinBox* spin) {
    if (std::abs(spin->value() - field) < 0.0005) return;
    field = spin->value();
    changed = true;
  };
  margin(d.LeftMargin, LeftSpin);
  margin(d.RightMargin, RightSpin);
  margin(d.TopMargin, TopSpin);
  margin(d.BottomMargin, BottomSpin);
  store(d.PrintHeader, HeaderBox->isChecked());
  store(d.PrintFooter, FooterBox->isChecked());
  store(d.FooterComments, CommentsEdit->text());
  store(d.ReversePrintOrder, ReverseBox->isChecked());
  store(d.Orientation, static_cast<std::uint8_t>(LandscapeButton->isChecked() ? 1 : 0));
  return changed;
}
