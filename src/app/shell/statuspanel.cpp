#include "app/shell/statuspanel.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <functional>

#include "app/dialogs/accessiblenames.h"

namespace {

constexpr int kIcon = 16;

// Our own panel pictures, drawn at twice their size for sharp screens.
QPixmap PanelPicture(const std::function<void(QPainter&)>& draw)
{
  QPixmap pixmap(kIcon * 2, kIcon * 2);
  pixmap.setDevicePixelRatio(2.0);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  draw(painter);
  return pixmap;
}

QPainterPath Hexagon(QPointF centre, double radius)
{
  QPainterPath path;
  for (int i = 0; i < 6; ++i) {
    const double angle = M_PI / 3.0 * i;
    const QPointF corner(centre.x() + radius * std::cos(angle),
                         centre.y() + radius * std::sin(angle));
    if (i == 0)
      path.moveTo(corner);
    else
      path.lineTo(corner);
  }
  path.closeSubpath();
  return path;
}

QIcon GridIcon()
{
  return QIcon(PanelPicture([](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 70, 160));
    for (int x = 2; x < kIcon; x += 4)
      for (int y = 2; y < kIcon; y += 4)
        p.drawEllipse(QPointF(x, y), 0.9, 0.9);
    p.setBrush(QColor(230, 180, 20));
    p.drawRect(QRectF(5.5, 5.5, 5, 5));
  }));
}

QIcon ShapeIcon()
{
  return QIcon(PanelPicture([](QPainter& p) {
    p.setPen(QPen(QColor(40, 40, 40), 1.0));
    p.setBrush(QColor(255, 230, 60));
    // Two hexagons edge to edge, as snapping to a shape leaves them.
    p.drawPath(Hexagon(QPointF(4.8, 5.6), 4.3));
    p.setBrush(QColor(255, 245, 170));
    p.drawPath(Hexagon(QPointF(4.8 + 6.45, 5.6 + 3.72), 4.3));
  }));
}

QIcon PageIcon(int orientation)
{
  return QIcon(PanelPicture([orientation](QPainter& p) {
    const QRectF page = orientation == 1 ? QRectF(1.5, 4.5, 13, 9) : QRectF(3.5, 1.5, 9, 13);
    p.setPen(QPen(QColor(60, 60, 60), 1.0));
    p.setBrush(Qt::white);
    p.drawRect(page);
    p.setPen(QPen(QColor(150, 150, 150), 1.0));
    for (double y = page.top() + 3; y < page.bottom() - 1; y += 2.5)
      p.drawLine(QPointF(page.left() + 2, y), QPointF(page.right() - 2, y));
  }));
}

QString LongPart(const QString& hint)
{
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  return bar < 0 ? hint : hint.mid(bar + 1);
}

}  // namespace

TStatusPanel::TStatusPanel(QWidget* parent) : QStatusBar(parent)
{
  setSizeGripEnabled(true);
  hint_ = new QLabel(this);
  hint_->setAccessibleName(QStringLiteral("Hint"));
  hint_->setMinimumWidth(1);
  addWidget(hint_, 1);
  progressCaption_ = new QLabel(this);
  gauge_ = new QProgressBar(this);
  gauge_->setRange(0, 100);
  gauge_->setMaximumWidth(220);
  gauge_->setAccessibleName(QStringLiteral("Progress"));
  addPermanentWidget(progressCaption_);
  addPermanentWidget(gauge_);
  grid_ = AddPanel(QStringLiteral("|Snap To Grid.  Click to toggle."));
  shape_ = AddPanel(QStringLiteral("|Snap To Shape.  Click to toggle."));
  pages_ = AddPanel(QStringLiteral("|Model page size && orientation.  Click to set."));
  zoom_ = AddPanel(QStringLiteral("|Zoom.  Click to set."));
  grid_->setIcon(GridIcon());
  shape_->setIcon(ShapeIcon());
  pages_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  zoom_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  zoom_->setMinimumWidth(56);
  grid_->setAccessibleName(QStringLiteral("Snap To Grid"));
  shape_->setAccessibleName(QStringLiteral("Snap To Shape"));
  pages_->setAccessibleName(QStringLiteral("Model page size & orientation"));
  zoom_->setAccessibleName(QStringLiteral("Zoom"));
  connect(grid_, &QToolButton::clicked, this, &TStatusPanel::GridClicked);
  connect(shape_, &QToolButton::clicked, this, &TStatusPanel::ShapeClicked);
  connect(pages_, &QToolButton::clicked, this, &TStatusPanel::PagesClicked);
  connect(zoom_, &QToolButton::clicked, this,
          [this] { Q_EMIT ZoomClicked(zoom_->mapToGlobal(QPoint(0, 0))); });
  NormalMode();
  ShowModel(false);
}

QToolButton* TStatusPanel::AddPanel(const QString& hint)
{
  auto* panel = new QToolButton(this);
  panel->setAutoRaise(true);
  panel->setIconSize(QSize(kIcon, kIcon));
  panel->setFocusPolicy(Qt::NoFocus);
  // The "&&" of the hint stands for one "&".
  panel->setStatusTip(TAccessibleNames::Plain(LongPart(hint)));
  addPermanentWidget(panel);
  return panel;
}

void TStatusPanel::NormalMode()
{
  inProgress_ = false;
  progressCaption_->hide();
  gauge_->hide();
  for (QToolButton* panel : {grid_, shape_, pages_, zoom_})
    panel->show();
}

void TStatusPanel::SetHint(const QString& longHint)
{
  hint_->setText(QStringLiteral("  ") + longHint);
  NormalMode();
}

QString TStatusPanel::HintText() const
{
  return hint_->text();
}

void TStatusPanel::ShowModel(bool present)
{
  for (QToolButton* panel : {grid_, shape_, pages_, zoom_})
    panel->setEnabled(present);
  if (!present) {
    pages_->setText(QString());
    zoom_->setText(QString());
  }
}

void TStatusPanel::SetSnapToGrid(bool on)
{
  // Off is the same picture greyed.
  grid_->setIcon(on ? GridIcon() : QIcon(GridIcon().pixmap(kIcon, QIcon::Disabled)));
  NormalMode();
}

void TStatusPanel::SetSnapToShape(bool on)
{
  shape_->setIcon(on ? ShapeIcon() : QIcon(ShapeIcon().pixmap(kIcon, QIcon::Disabled)));
  NormalMode();
}

void TStatusPanel::SetPages(int across, int down, int orientation)
{
  pages_->setText(QStringLiteral("%1 x %2").arg(across).arg(down));
  pages_->setIcon(PageIcon(orientation));
  NormalMode();
}

void TStatusPanel::SetZoom(double percent)
{
  zoom_->setText(QStringLiteral("%1 %").arg(std::lround(percent)));
  NormalMode();
}

void TStatusPanel::ShowProgress(int percent, const QString& caption)
{
  inProgress_ = true;
  for (QToolButton* panel : {grid_, shape_, pages_, zoom_})
    panel->hide();
  progressCaption_->setText(caption);
  progressCaption_->show();
  gauge_->setValue(std::clamp(percent, 0, 100));
  gauge_->show();
}

void TStatusPanel::EndProgress()
{
  NormalMode();
}
