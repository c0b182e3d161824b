#include "app/palette/cgpcolorgrid.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/palette/palettecolors.h"
#include "render/displaycolor.h"

namespace {

constexpr int kThinkingColumns = 5;
constexpr int kDarkColumns = 4;
constexpr int kDarkFirstColumn = 6;
constexpr int kPastelColumns = 8;

// The cell (column, row) of a block of the given columns whose left edge is at x = left;
// false when the point is outside it.
bool CellIn(QPoint point, int left, int columns, int boxSize, int& column, int& row)
{
  if (point.x() < left || point.y() < 0) return false;
  column = (point.x() - left) / boxSize;
  row = point.y() / boxSize;
  return column < columns && row < TCGPColorGrid::kRows;
}

}  // namespace

TCGPColorGrid::TCGPColorGrid(QWidget* parent) : QWidget(parent)
{
  setMouseTracking(true);
  resize(sizeHint());
}

QSize TCGPColorGrid::sizeHint() const
{
  constexpr int kInitialBox = 10;
  return QSize(kColumns * kInitialBox, kRows * kInitialBox);
}

int TCGPColorGrid::IndexAt(QPoint point, int boxSize, int width)
{
  using namespace palettecolors;
  if (boxSize <= 0) return -1;
  int column = 0;
  int row = 0;
  if (CellIn(point, 0, kThinkingColumns, boxSize, column, row))
    return row * kThinkingColumns + column;
  if (CellIn(point, kDarkFirstColumn * boxSize, kDarkColumns, boxSize, column, row))
    return kFirstDark + row * kDarkColumns + column;
  if (CellIn(point, width - kPastelColumns * boxSize, kPastelColumns, boxSize, column, row))
    return kFirstPastel + row * kPastelColumns + column;
  return -1;
}

QRect TCGPColorGrid::CellOf(int index, int boxSize, int width)
{
  using namespace palettecolors;
  int x = 0;
  int row = 0;
  if (index >= 0 && index < kThinkingShown) {
    x = (index % kThinkingColumns) * boxSize;
    row = index / kThinkingColumns;
  } else if (index >= kFirstDark && index < kFirstDark + kDarkCount) {
    x = (kDarkFirstColumn + (index - kFirstDark) % kDarkColumns) * boxSize;
    row = (index - kFirstDark) / kDarkColumns;
  } else if (index >= kFirstPastel && index < kFirstPastel + kPastelCount) {
    x = width - kPastelColumns * boxSize + ((index - kFirstPastel) % kPastelColumns) * boxSize;
    row = (index - kFirstPastel) / kPastelColumns;
  } else {
    return {};
  }
  return QRect(x, row * boxSize, boxSize, boxSize);
}

TColorRef TCGPColorGrid::SelectedColor() const
{
  return selectedIndex_ == -1 ? MakeColorRef(255, 255, 80) : palettecolors::ColorOf(selectedIndex_);
}

void TCGPColorGrid::SetSelectedColor(TColorRef color)
{
  Select(palettecolors::IndexOf(color));
}

void TCGPColorGrid::Select(int index)
{
  if (index == selectedIndex_) return;
  selectedIndex_ = index;
  update();
}

void TCGPColorGrid::paintEvent(QPaintEvent*)
{
  using namespace palettecolors;
  QPainter painter(this);
  const int b = BoxSize();
  painter.setPen(QPen(Qt::black, 0));
  auto drawCell = [&](int index) {
    const QRect cell = CellOf(index, b, width());
    // The outline covers the cell but its last row and column, which stay the background
    // and so part neighbouring swatches.
    const QRect swatch(cell.topLeft(), QSize(b - 2, b - 2));
    painter.setBrush(DisplayColor(ColorOf(index)));
    painter.drawRect(swatch);
  };
  for (int i = 0; i < kThinkingShown; ++i)
    drawCell(i);
  for (int i = kFirstDark; i < kFirstDark + kDarkCount; ++i)
    drawCell(i);
  for (int i = kFirstPastel; i < kFirstPastel + kPastelCount; ++i)
    drawCell(i);

  const QRect marked = CellOf(selectedIndex_, b, width());
  if (!marked.isNull()) {
    // The mark inverts the swatch's outline, so it shows on light and dark swatches alike.
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(marked.topLeft(), QSize(b - 2, b - 2)));
  }
}

void TCGPColorGrid::mousePressEvent(QMouseEvent* event)
{
  if (event->button() != Qt::LeftButton) return;
  const int index = IndexAt(event->position().toPoint());
  if (index == -1) return;
  tracking_ = true;
  Select(index);
}

void TCGPColorGrid::mouseMoveEvent(QMouseEvent* event)
{
  const int index = IndexAt(event->position().toPoint());
  const QString hint = QStringLiteral("|") + palettecolors::HintOf(index);
  if (hint != hint_) {
    hint_ = hint;
    Q_EMIT HintChanged(hint);
  }
  setCursor(index == -1 ? Qt::ArrowCursor : Qt::PointingHandCursor);
  if (tracking_ && index != -1) Select(index);
}

void TCGPColorGrid::mouseReleaseEvent(QMouseEvent* event)
{
  if (event->button() != Qt::LeftButton || !tracking_) return;
  tracking_ = false;
  if (selectedIndex_ != -1) Q_EMIT ColorClick(SelectedColor());
}
