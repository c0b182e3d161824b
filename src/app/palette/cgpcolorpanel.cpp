#include "app/palette/cgpcolorpanel.h"

#include <QApplication>
#include <QButtonGroup>
#include <QStatusTipEvent>
#include <QToolButton>

#include "app/palette/cgpcolorgrid.h"
#include "app/palette/colorpreviewbox.h"
#include "app/palette/colorwell.h"
#include "app/palette/spectrum.h"
#include "render/displaycolor.h"

namespace {

constexpr int kButtonSize = 14;

struct TTargetButton {
  const char* Caption;
  const char* Hint;
  QPoint Place;
};

constexpr std::array<TTargetButton, 4> kTargetButtons = {{
    {"F", "Foreground Colour", {0, 0}},
    {"B", "Background Colour", {kButtonSize, 0}},
    {"T", "Text Colour", {0, kButtonSize}},
    {"L", "Line Colour", {kButtonSize, kButtonSize}},
}};

bool ValidTarget(int target)
{
  return target >= ptForeground && target <= ptLine;
}

}  // namespace

TCGPColorPanel::TCGPColorPanel(QWidget* parent)
    : QWidget(parent),
      colors_{MakeColorRef(255, 255, 0), MakeColorRef(255, 0, 0), kWindowText, colors::Black},
      targets_(new QButtonGroup(this)),
      preview_(new TColorPreviewBox(this)),
      grid_(new TCGPColorGrid(this)),
      well_(new TColorWell(this)),
      spectrum_(new TSpectrum(this))
{
  setFixedHeight(kHeight);
  // The strip spans the window; the spectrum takes whatever width is left.
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  setAccessibleName(QStringLiteral("Color Palette"));
  targets_->setExclusive(true);
  QFont caption(QStringLiteral("Arial"));
  caption.setPointSize(7);
  for (int target = ptForeground; target <= ptLine; ++target) {
    const TTargetButton& def = kTargetButtons[static_cast<std::size_t>(target)];
    auto* button = new QToolButton(this);
    button->setText(QString::fromLatin1(def.Caption));
    button->setToolTip(QString::fromLatin1(def.Hint));
    button->setAccessibleName(QString::fromLatin1(def.Hint));
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setFont(caption);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(QRect(def.Place + QPoint(1, 1), QSize(kButtonSize, kButtonSize)));
    targets_->addButton(button, target);
  }
  targets_->button(ptForeground)->setChecked(true);
  connect(targets_, &QButtonGroup::idClicked, this, &TCGPColorPanel::SelectTarget);

  preview_->SetColors(colors_);
  grid_->SetSelectedColor(colors_[ptForeground]);
  connect(grid_, &TCGPColorGrid::ColorClick, this, &TCGPColorPanel::Pick);
  connect(spectrum_, &TSpectrum::ColorClick, this, &TCGPColorPanel::Pick);
  connect(grid_, &TCGPColorGrid::HintChanged, this, &TCGPColorPanel::ShowHint);
  connect(spectrum_, &TSpectrum::HintChanged, this, &TCGPColorPanel::ShowHint);
  connect(spectrum_, &TSpectrum::HoverColor, well_, &TColorWell::SetColor);
  LayOut();
}

QSize TCGPColorPanel::sizeHint() const
{
  return QSize(700, kHeight);
}

QSize TCGPColorPanel::minimumSizeHint() const
{
  // The buttons, the grid and the well always show; the spectrum may shrink to a sliver.
  return QSize(spectrum_->x() + 1, kHeight);
}

QAbstractButton* TCGPColorPanel::TargetButton(int target) const
{
  return targets_->button(target);
}

TColorRef TCGPColorPanel::TargetColor(int target) const
{
  return ValidTarget(target) ? colors_[static_cast<std::size_t>(target)] : colors::Black;
}

void TCGPColorPanel::SetTargetColor(int target, TColorRef color)
{
  if (!ValidTarget(target)) return;
  TColorRef& stored = colors_[static_cast<std::size_t>(target)];
  if (stored == color) return;
  stored = color;
  if (target == target_) grid_->SetSelectedColor(color);
  preview_->SetColors(colors_);
}

void TCGPColorPanel::SelectTarget(int target)
{
  if (!ValidTarget(target)) return;
  target_ = target;
  targets_->button(target)->setChecked(true);
  grid_->SetSelectedColor(TargetColor(target));
}

QColor TCGPColorPanel::DisplayColor(TColorRef color)
{
  return ::DisplayColor(color);
}

void TCGPColorPanel::Pick(TColorRef color)
{
  SetTargetColor(target_, color);
  Q_EMIT Change(target_, color);
}

void TCGPColorPanel::ShowHint(const QString& hint)
{
  Q_EMIT HintChanged(hint);
  // The main window shows the long part of a status tip in its hint panel.
  QStatusTipEvent tip(hint.section(QLatin1Char('|'), 1));
  QApplication::sendEvent(this, &tip);
}

void TCGPColorPanel::resizeEvent(QResizeEvent* event)
{
  QWidget::resizeEvent(event);
  LayOut();
}

void TCGPColorPanel::LayOut()
{
  // Children sit one pixel inside the strip, left to right.
  const int top = 1;
  const int inner = kHeight - 2;
  const int previewWidth = inner + 3;
  preview_->setGeometry(kTargetBlockWidth - previewWidth, top, previewWidth, inner);

  int x = kTargetBlockWidth;
  const int box = inner / 2;
  grid_->setGeometry(x, top, TCGPColorGrid::kColumns * box, 2 * box);
  x += grid_->width() + kSpacerWidth;
  well_->setGeometry(x, top, kWellWidth, inner);
  x += kWellWidth;
  spectrum_->setGeometry(x, top, std::max(width() - x - 1, 1), inner);
}
