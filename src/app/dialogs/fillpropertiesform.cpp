#include "app/dialogs/fillpropertiesform.h"

#include <QDialogButtonBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "document/modeldocument.h"
#include "model/layers/filled.h"
#include "platform/canvas.h"
#include "render/fillpainter.h"

namespace {

constexpr int kGradientPage = 0;
constexpr int kPatternPage = 1;

}  // namespace

TFillSampleGrid::TFillSampleGrid(int fillStyle, int count, int columns, QSize cell, QWidget* parent)
    : QWidget(parent), style_(fillStyle), count_(count), columns_(columns), cell_(cell)
{
  setFixedSize(sizeHint());
}

QSize TFillSampleGrid::sizeHint() const
{
  const int rows = (count_ + columns_ - 1) / columns_;
  return QSize(cell_.width() * columns_, cell_.height() * rows);
}

void TFillSampleGrid::SetColors(TColorRef face, TColorRef back)
{
  face_ = face;
  back_ = back;
  update();
}

void TFillSampleGrid::SetCurrent(int index)
{
  current_ = std::clamp(index, 0, count_ - 1);
  update();
}

QRect TFillSampleGrid::CellRect(int index) const
{
  return QRect(QPoint((index % columns_) * cell_.width(), (index / columns_) * cell_.height()),
               cell_);
}

void TFillSampleGrid::paintEvent(QPaintEvent*)
{
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  TCanvas canvas(painter, 96, 96);
  for (int i = 0; i < count_; ++i) {
    const QRect cell = CellRect(i);
    if (i == current_) {
      // The chosen sample sits on a sunken, dithered cell.
      painter.fillRect(cell, QBrush(palette().dark().color(), Qt::Dense4Pattern));
      painter.setPen(palette().shadow().color());
      painter.drawLine(cell.topLeft(), cell.topRight());
      painter.drawLine(cell.topLeft(), cell.bottomLeft());
      painter.setPen(palette().light().color());
      painter.drawLine(cell.bottomLeft(), cell.bottomRight());
      painter.drawLine(cell.topRight(), cell.bottomRight());
    }
    const QRect sample = cell.adjusted(4, 4, -4, -4);
    QPainterPath path;
    path.addRect(sample);
    painter.save();
    painter.setClipRect(sample);
    TFillPainter::FillPath(canvas, path, style_, 100, i, i, nullptr, false, face_, back_);
    painter.restore();
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(sample.adjusted(0, 0, -1, -1));
  }
}

void TFillSampleGrid::mousePressEvent(QMouseEvent* event)
{
  const QPoint p = event->position().toPoint();
  for (int i = 0; i < count_; ++i)
    if (CellRect(i).contains(p)) SetCurrent(i);
}

TFillPropertiesForm::TFillPropertiesForm(QWidget* parent) : QDialog(parent)
{
  setWindowTitle(QStringLiteral("Fill Properties"));
  pages_ = new QTabWidget(this);
  gradients_ = new TFillSampleGrid(TFillPainter::Gradient, kGradients, 4, QSize(90, 50), pages_);
  patterns_ = new TFillSampleGrid(TFillPainter::Pattern, kPatterns, 7, QSize(54, 27), pages_);
  pages_->addTab(gradients_, QStringLiteral("Gradient"));
  pages_->addTab(patterns_, QStringLiteral("Pattern"));
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  box->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
  connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addWidget(box);
}

void TFillPropertiesForm::SetValues(TColorRef face, TColorRef back, int pattern, int gradient,
                                    int fillStyle, const std::optional<TPicture>& picture,
                                    bool pictureCentred)
{
  patterns_->SetColors(face, back);
  gradients_->SetColors(face, back);
  patterns_->SetCurrent(pattern);
  gradients_->SetCurrent(gradient);
  pages_->setCurrentIndex(fillStyle == TFillPainter::Pattern ? kPatternPage : kGradientPage);
  picture_ = picture;
  pictureCentred_ = pictureCentred;
}

int TFillPropertiesForm::FillStyle() const
{
  return pages_->currentIndex() == kGradientPage ? TFillPainter::Gradient : TFillPainter::Pattern;
}

int TFillPropertiesForm::PatternIndex() const
{
  return patterns_->Current();
}

int TFillPropertiesForm::GradientIndex() const
{
  return gradients_->Current();
}

bool RunFillProperties(QWidget* parent, TModelDocument& document)
{
  std::vector<TFilled*> filled;
  for (CGPObject* object : document.Objects)
    if (auto* f = dynamic_cast<TFilled*>(object); f && object->Selected) filled.push_back(f);
  TFillPropertiesForm dialog(parent);
  if (!filled.empty()) {
    const TFilled& first = *filled.front();
    dialog.SetValues(first.FaceColor, first.BackColor, first.PatternIndex, first.GradientIndex,
                     first.FillStyle, first.FillPicture, first.PictureCentred);
  } else {
    dialog.SetValues(document.FaceColor, document.BackColor, document.PatternIndex,
                     document.GradientIndex, document.FillStyle, document.FillPicture,
                     document.PictureCentred);
  }
  if (dialog.exec() != QDialog::Accepted) return false;
  const auto style = static_cast<std::uint8_t>(dialog.FillStyle());
  const auto pattern = static_cast<std::uint8_t>(dialog.PatternIndex());
  const auto gradient = static_cast<std::uint8_t>(dialog.GradientIndex());
  for (TFilled* f : filled) {
    f->FillStyle = style;
    f->PatternIndex = pattern;
    f->GradientIndex = gradient;
    f->FillPicture = dialog.Picture();
    f->PictureCentred = dialog.PictureCentred();
  }
  if (filled.empty()) {
    document.FillStyle = style;
    if (style == TFillPainter::Pattern) document.PatternIndex = pattern;
    if (style == TFillPainter::Gradient) document.GradientIndex = gradient;
    // Only a picture fill keeps a picture.
    document.FillPicture.reset();
  }
  document.ChangePending = true;
  document.RecordUndo(QStringLiteral("Fill Properties"));
  document.NotifyControls();
  return true;
}
