#include "app/options/optionspreview.h"

#include <QPainter>
#include <algorithm>

#include "app/settings/preferences.h"
#include "model/cluster.h"
#include "model/cogi.h"
#include "model/outlines/shapegenerator.h"
#include "platform/canvas.h"
#include "platform/printerinfo.h"
#include "platform/text/richtext.h"
#include "platform/text/rtfwriter.h"

namespace {

// The previews are drawn at a fixed resolution so that they look the same on every screen.
constexpr double kPreviewDpi = 96.0;

template <typename T>
T Byte(const TPreferences& preferences, TSettingId id)
{
  return static_cast<T>(preferences.Integer(id));
}

// A hexagon of the preferred look at a centre given in inches.
std::unique_ptr<TCogi> PreferredCogi(const TPreferences& p, double x, double y, int size)
{
  auto cogi = std::make_unique<TCogi>();
  cogi->X = x;
  cogi->Y = y;
  cogi->SetShape(7, size);
  cogi->FillStyle = Byte<std::uint8_t>(p, "Cogi Fill Style");
  cogi->PatternIndex = Byte<std::uint8_t>(p, "Cogi Pattern Style");
  cogi->GradientIndex = Byte<std::uint8_t>(p, "Cogi Gradient Style");
  cogi->FaceColor = p.Colour("Cogi FG Color");
  cogi->BackColor = p.Colour("Cogi BG Color");
  cogi->LineStyle = Byte<std::uint8_t>(p, "Cogi Line Style");
  cogi->LineWidth = static_cast<float>(p.Float("Cogi Line Width"));
  cogi->LineColor = p.Colour("Cogi L Color");
  cogi->Shadow = Byte<std::uint8_t>(p, "Cogi Shadow Style");
  cogi->Style3D = Byte<std::uint8_t>(p, "Cogi 3D Style");
  return cogi;
}

void DrawObject(QPainter& painter, const QRect& box, CGPObject& object, double zoom = 100)
{
  painter.save();
  painter.setClipRect(box);
  painter.translate(box.topLeft());
  TCanvas canvas(painter, kPreviewDpi, kPreviewDpi);
  object.Draw(canvas, false, 0, 0, zoom);
  painter.restore();
}

}  // namespace

TOptionsPreview::TOptionsPreview(TKind kind, const TPreferences& preferences, QWidget* parent)
    : QWidget(parent), kind_(kind), preferences_(preferences)
{
  setMinimumSize(kind == TKind::Cluster ? QSize(220, 150) : QSize(220, 190));
}

void TOptionsPreview::paintEvent(QPaintEvent*)
{
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  switch (kind_) {
    case TKind::Model:
      DrawModel(painter, rect(), preferences_, palette().window().color());
      break;
    case TKind::Cogi:
      DrawCogi(painter, rect(), preferences_);
      break;
    case TKind::Cluster:
      DrawCluster(painter, rect(), preferences_);
      break;
  }
}

void TOptionsPreview::DrawModel(QPainter& painter, const QRect& box, const TPreferences& p,
                                const QColor& background)
{
  painter.fillRect(box, background);
  const IPrinterInfo& printer = TPrinterService::Current();
  double pageWidth = printer.PageSizePixels().width() / printer.DpiX();
  double pageHeight = printer.PageSizePixels().height() / printer.DpiY();
  if (printer.Orientation() != p.Integer("Orientation")) std::swap(pageWidth, pageHeight);
  const int across = p.Integer("Pages Across");
  const int down = p.Integer("Pages Down");
  const double width = pageWidth * across;
  const double height = pageHeight * down;
  if (width <= 0 || height <= 0) return;
  // Pixels per inch of the model, with an inch of margin on every side.
  const double scale = std::min(box.width() / (width + 2), box.height() / (height + 2));
  const QRectF area(box.center().x() - width * scale / 2, box.center().y() - height * scale / 2,
                    width * scale, height * scale);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(area.translated(5, 5), Qt::black);
  painter.fillRect(area, ToQColor(p.Colour("Model Color")));
  if (p.Boolean("Show Page Lines")) {
    painter.setPen(QPen(Qt::red, 1, Qt::DotLine));
    for (int i = 1; i < across; ++i) {
      const double x = area.left() + i * pageWidth * scale;
      painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }
    for (int i = 1; i < down; ++i) {
      const double y = area.top() + i * pageHeight * scale;
      painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
  }
  // A grid dot every inch, when the dots stand apart.
  if (p.Boolean("Show Grid Lines") && scale > 4) {
    painter.setPen(Qt::blue);
    for (double x = area.left() + scale; x < area.right(); x += scale)
      for (double y = area.top() + scale; y < area.bottom(); y += scale)
        painter.drawPoint(QPointF(x, y));
  }
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area);
  painter.restore();
}

void TOptionsPreview::DrawCogi(QPainter& painter, const QRect& box, const TPreferences& p)
{
  painter.fillRect(box, Qt::white);
  // The chosen size shows, so that the size buttons visibly change the picture.
  auto cogi = PreferredCogi(p, box.width() / kPreviewDpi / 2, box.height() / kPreviewDpi / 2,
                            p.Integer("Cogi Size"));
  cogi->Number = 1;
  cogi->ShowNumber = p.Boolean("Show Number");
  QTextCharFormat format = richtext::NewTextFormat();
  format.setFontPointSize(16);
  format.setForeground(ToQColor(p.Colour("Cogi T Color")));
  cogi->Text = TRtfWriter::CentredText(QStringLiteral("Cogi\nPreview"), format);
  cogi->Recalculate(nullptr, true);
  cogi->EnsureTextLayout();
  DrawObject(painter, box, *cogi);
}

void TOptionsPreview::DrawCluster(QPainter& painter, const QRect& box, const TPreferences& p)
{
  painter.fillRect(box, Qt::white);
  // Drawn at half size, so that three hexagons fit inside the cluster.
  constexpr double kZoom = 50;
  const double inches = kPreviewDpi * kZoom / 100;
  const double cx = box.width() / inches / 2;
  const double cy = box.height() / inches / 2;
  TCluster cluster;
  cluster.X = cx;
  cluster.Y = cy;
  cluster.Width = std::max(0.5, box.width() / inches - 0.4);
  cluster.Height = std::max(0.5, box.height() / inches - 0.4);
  cluster.ShapeVariant = kCogiVariantEllipse;
  cluster.Outline = MakeShapeOutline(okCluster, kCogiVariantEllipse, cluster.Width, cluster.Height);
  cluster.FaceColor = p.Colour("Cluster Color");
  cluster.Recalculate(nullptr, true);
  DrawObject(painter, box, cluster, kZoom);
  const TCogiDimensions small = TCogi::StandardSize(7, kCogiSmall);
  const double dx = small.Width * 0.6;
  const double dy = small.Height * 0.5;
  const double centres[3][2] = {{cx - dx, cy - dy}, {cx + dx, cy - dy}, {cx, cy + dy}};
  for (const auto& centre : centres) {
    auto cogi = PreferredCogi(p, centre[0], centre[1], kCogiSmall);
    cogi->Recalculate(nullptr, true);
    DrawObject(painter, box, *cogi, kZoom);
  }
}
