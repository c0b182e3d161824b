#include "app/shell/splashform.h"

#include <QApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QScreen>
#include <algorithm>
#include <cmath>

QPointer<TSplashForm> TSplashForm::current_;

namespace {

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

// A small honeycomb of ideas, some joined by arrows, as the program's emblem.
void DrawHoneycomb(QPainter& painter, QPointF origin, double radius)
{
  const double dx = radius * 1.5;
  const double dy = radius * std::sqrt(3.0);
  const QPoint cells[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {2, 1}, {1, 2}, {2, 0}};
  const QColor faces[] = {QColor(255, 214, 51),  QColor(255, 236, 140), QColor(250, 190, 40),
                          QColor(255, 248, 200), QColor(255, 222, 90),  QColor(245, 175, 30),
                          QColor(255, 240, 170)};
  int n = 0;
  for (const QPoint& cell : cells) {
    const QPointF centre(origin.x() + cell.x() * dx,
                         origin.y() + cell.y() * dy + (cell.x() % 2 ? dy / 2.0 : 0.0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawPath(Hexagon(centre + QPointF(4, 5), radius * 0.92));
    QRadialGradient face(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    face.setColorAt(0.0, faces[n].lighter(115));
    face.setColorAt(1.0, faces[n]);
    painter.setBrush(face);
    painter.setPen(QPen(QColor(90, 60, 10), 1.6));
    painter.drawPath(Hexagon(centre, radius * 0.92));
    ++n;
  }
}

void DrawBackground(QPainter& painter, const QRectF& area)
{
  QLinearGradient sky(area.topLeft(), area.bottomRight());
  sky.setColorAt(0.0, QColor(18, 44, 84));
  sky.setColorAt(1.0, QColor(28, 110, 120));
  painter.fillRect(area, sky);
  painter.setPen(QPen(QColor(255, 255, 255, 22), 1.0));
  painter.setBrush(Qt::NoBrush);
  for (double x = -20; x < area.width() + 40; x += 42)
    for (double y = -20; y < area.height() + 40; y += 48)
      painter.drawPath(Hexagon(QPointF(x + (int(y / 48) % 2) * 21, y), 16));
}

void DrawTitle(QPainter& painter, QPointF at, int pixelSize)
{
  QFont title(QStringLiteral("DejaVu Sans"));
  title.setPixelSize(pixelSize);
  title.setBold(true);
  painter.setFont(title);
  painter.setPen(QColor(0, 0, 0, 90));
  painter.drawText(at + QPointF(2, 2), QStringLiteral("Mindorra"));
  painter.setPen(QColor(255, 226, 92));
  painter.drawText(at, QStringLiteral("Mindorra"));
}

void DrawLine(QPainter& painter, QPointF at, int pixelSize, const QString& text, QColor colour)
{
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixelSize);
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(at, text);
}

}  // namespace

QImage TSplashForm::Picture(bool about)
{
  const QSize size = about ? QSize(450, 378) : QSize(575, 371);
  QImage image(size, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  DrawBackground(painter, QRectF(QPointF(0, 0), size));
  const QColor soft(220, 235, 245);
  const QString version = QStringLiteral("Version " MINDORRA_VERSION);
  if (about) {
    DrawHoneycomb(painter, QPointF(150, 52), 30);
    DrawTitle(painter, QPointF(40, 250), 52);
    DrawLine(painter, QPointF(42, 280), 16,
             QStringLiteral("A desktop tool for structured thinking"), soft);
    DrawLine(painter, QPointF(42, 318), 13, version, soft);
    DrawLine(painter, QPointF(42, 352), 12, QStringLiteral("Click to close"),
             QColor(255, 255, 255, 150));
  } else {
    DrawHoneycomb(painter, QPointF(430, 92), 34);
    DrawTitle(painter, QPointF(36, 150), 60);
    DrawLine(painter, QPointF(40, 186), 18, QStringLiteral("Ideas in hexagons, models in a web"),
             soft);
    DrawLine(painter, QPointF(40, 330), 13, version, soft);
    DrawLine(painter, QPointF(40, 350), 12, QStringLiteral("Starting..."),
             QColor(255, 255, 255, 160));
  }
  painter.setPen(QPen(QColor(255, 255, 255, 70), 2.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(1, 1, size.width() - 2, size.height() - 2));
  return image;
}

QIcon TSplashForm::ProgramIcon()
{
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double r = size / 4.2;
    const QPointF centre(size / 2.0, size / 2.0);
    const QPointF cells[] = {{0, 0}, {1.5, -0.866}, {1.5, 0.866}, {-1.5, 0.866}};
    const QColor faces[] = {QColor(255, 214, 51), QColor(255, 236, 140), QColor(250, 190, 40),
                            QColor(255, 245, 190)};
    for (int i = 0; i < 4; ++i) {
      painter.setPen(QPen(QColor(90, 60, 10), std::max(1.0, size / 32.0)));
      painter.setBrush(faces[i]);
      painter.drawPath(Hexagon(centre + cells[i] * r - QPointF(r * 0.2, 0), r * 0.9));
    }
    icon.addPixmap(pixmap);
  }
  return icon;
}

TSplashForm::TSplashForm(bool about) : QDialog(nullptr), about_(about), picture_(Picture(about))
{
  setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                 (about ? Qt::Dialog : Qt::SplashScreen));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(about ? QStringLiteral("About Mindorra") : QStringLiteral("Mindorra"));
  setAccessibleName(windowTitle());
  setFixedSize(picture_.size());
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void TSplashForm::ShowSplash(bool about)
{
  HideSplash();
  current_ = new TSplashForm(about);
  if (!about) {
    current_->show();
    // The start-up picture shows before the program goes on with its start.
    current_->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return;
  }
  current_->setWindowModality(Qt::ApplicationModal);
  current_->exec();
}

void TSplashForm::HideSplash()
{
  if (!current_) return;
  TSplashForm* splash = current_;
  current_ = nullptr;
  splash->hide();
  splash->deleteLater();
}

void TSplashForm::paintEvent(QPaintEvent*)
{
  QPainter painter(this);
  painter.drawImage(rect(), picture_);
}

void TSplashForm::mousePressEvent(QMouseEvent* event)
{
  if (about_ && event->button() == Qt::LeftButton) accept();
}
