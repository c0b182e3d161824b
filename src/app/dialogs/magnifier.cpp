#include "app/dialogs/magnifier.h"

#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "app/modelform.h"
#include "document/modeldocument.h"
#include "interaction/modelpaintbox.h"
#include "model/arrow.h"
#include "platform/canvas.h"

// The magnifier's drawing area, below its menu bar.
class TMagnifierView : public QWidget {
 public:
  TMagnifierView(TMagnifier& magnifier, QWidget* parent) : QWidget(parent), magnifier_(magnifier)
  {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(80, 60);
  }

 protected:
  void paintEvent(QPaintEvent*) override
  {
    // A paint asked for while one runs is dropped.
    if (magnifier_.painting_) return;
    magnifier_.painting_ = true;
    const QImage picture = magnifier_.Render(size());
    QPainter(this).drawImage(0, 0, picture);
    magnifier_.painting_ = false;
  }

 private:
  TMagnifier& magnifier_;
};

TMagnifier::TMagnifier(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
  setWindowTitle(QStringLiteral("Magnifier"));
  auto* bar = new QMenuBar(this);
  bar->addAction(QStringLiteral("Decrease"), this, &TMagnifier::Decrease);
  scaleMenu_ = bar->addMenu(ScaleCaption());
  for (int percent : {100, 125, 150, 175, 200, 250, 300})
    scaleMenu_->addAction(QStringLiteral("%1 %").arg(percent), this,
                          [this, percent] { SetScale(percent); });
  bar->addAction(QStringLiteral("Increase"), this, &TMagnifier::Increase);
  view_ = new TMagnifierView(*this, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setMenuBar(bar);
  layout->addWidget(view_);
  resize(240, 200);
}

QString TMagnifier::ScaleCaption() const
{
  return QStringLiteral("%1 %").arg(scale_);
}

void TMagnifier::SetScale(int percent)
{
  scale_ = std::clamp(percent, kMinScale, kMaxScale);
  scaleMenu_->setTitle(ScaleCaption());
  view_->update();
}

void TMagnifier::SetCentre(TModelPoint centre)
{
  centre_ = centre;
  view_->update();
}

void TMagnifier::SetModel(TModelForm* form)
{
  if (form_ == form) return;
  QObject::disconnect(pointer_);
  form_ = form;
  if (form)
    pointer_ = connect(&form->PaintBox(), &TModelPaintBox::MagnifierPointChanged, this,
                       [this](double x, double y) {
                         SetCentre({x, y});
                       });
  view_->update();
}

QImage TMagnifier::Render(QSize size)
{
  QImage picture(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  drawn_ = 0;
  if (!form_) {
    picture.fill(palette().window().color());
    return picture;
  }
  TModelDocument& document = form_->Document();
  picture.fill(ToQColor(document.ModelColor));
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing, false);
  const double dpiX = document.ScreenDpiX;
  const double dpiY = document.ScreenDpiY;
  TCanvas canvas(painter, dpiX, dpiY);
  const double zoom = scale_;
  // The view's offset puts the centre in the middle of the picture.
  const double offsetX = size.width() / 2.0 / (dpiX * zoom / 100.0) - centre_.X;
  const double offsetY = size.height() / 2.0 / (dpiY * zoom / 100.0) - centre_.Y;
  const QRect client(QPoint(0, 0), size);
  std::vector<CGPObject*> shown;
  for (CGPObject* object : document.Objects) {
    const TPixelRect box = object->GetScreenBox(canvas, offsetX, offsetY, zoom).Normalized();
    if (QRect(box.Left, box.Top, box.Width() + 1, box.Height() + 1).intersects(client))
      shown.push_back(object);
  }
  // Arrows go over everything else, as on the model.
  std::stable_partition(shown.begin(), shown.end(),
                        [](CGPObject* o) { return !dynamic_cast<TArrow*>(o); });
  for (CGPObject* object : shown)
    object->Draw(canvas, false, offsetX, offsetY, zoom);
  drawn_ = static_cast<int>(shown.size());
  return picture;
}

void TMagnifier::showEvent(QShowEvent* event)
{
  QWidget::showEvent(event);
  Q_EMIT VisibilityChanged(true);
}

void TMagnifier::hideEvent(QHideEvent* event)
{
  QWidget::hideEvent(event);
  Q_EMIT VisibilityChanged(false);
}
