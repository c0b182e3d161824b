#include "io/pictures/svgpicture.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "document/modeldocument.h"
#include "document/modelpainter.h"

namespace {

// Coordinates with two decimals at most: a hundredth of a pixel is finer than any renderer
// places an edge.
void AppendNumber(QByteArray& out, double value)
{
  const double rounded = std::round(value * 100.0);
  if (!std::isfinite(rounded) || std::abs(rounded) > 9e15) {
    out.append('0');
    return;
  }
  auto hundredths = static_cast<long long>(rounded);
  if (hundredths < 0) {
    out.append('-');
    hundredths = -hundredths;
  }
  char digits[32];
  const long long whole = hundredths / 100;
  const int fraction = static_cast<int>(hundredths % 100);
  // to_chars rather than a formatted print: every coordinate of the picture passes here.
  char* end = std::to_chars(digits, digits + sizeof digits - 3, whole).ptr;
  if (fraction != 0) {
    *end++ = '.';
    *end++ = static_cast<char>('0' + fraction / 10);
    if (fraction % 10 != 0) *end++ = static_cast<char>('0' + fraction % 10);
  }
  out.append(digits, end - digits);
}

QByteArray Number(double value)
{
  QByteArray out;
  AppendNumber(out, value);
  return out;
}

QByteArray ColorText(const QColor& color)
{
  constexpr char kHex[] = "0123456789abcdef";
  const int parts[] = {color.red(), color.green(), color.blue()};
  QByteArray text("#", 1);
  for (const int part : parts) {
    text.append(kHex[(part >> 4) & 15]);
    text.append(kHex[part & 15]);
  }
  return text;
}

void AppendEscaped(QByteArray& out, const QString& text)
{
  for (const QChar c : text) {
    switch (c.unicode()) {
      case '&':
        out.append("&amp;");
        break;
      case '<':
        out.append("&lt;");
        break;
      case '>':
        out.append("&gt;");
        break;
      case '"':
        out.append("&quot;");
        break;
      default:
        // Control characters are not allowed in XML; they draw nothing anyway.
        if (c.unicode() < 0x20) {
          out.append(' ');
        } else {
          out.append(QString(c).toUtf8());
        }
    }
  }
}

QByteArray Escaped(const QString& text)
{
  QByteArray out;
  AppendEscaped(out, text);
  return out;
}

// The device the model is drawn on: only its size and resolution matter.
class TSvgEngine;

class TSvgDevice : public QPaintDevice {
 public:
  TSvgDevice(QSize size, double dpi, TSvgEngine* engine) : size_(size), dpi_(dpi), engine_(engine)
  {
  }
  QPaintEngine* paintEngine() const override;

 protected:
  int metric(PaintDeviceMetric metric) const override
  {
    switch (metric) {
      case PdmWidth:
        return size_.width();
      case PdmHeight:
        return size_.height();
      case PdmWidthMM:
        return static_cast<int>(std::lround(size_.width() / dpi_ * 25.4));
      case PdmHeightMM:
        return static_cast<int>(std::lround(size_.height() / dpi_ * 25.4));
      case PdmNumColors:
        return 0x7fffffff;
      case PdmDepth:
        return 32;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return static_cast<int>(std::lround(dpi_));
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
      default:
        return 0;
    }
  }

 private:
  QSize size_;
  double dpi_;
  TSvgEngine* engine_;
};

class TSvgEngine : public QPaintEngine {
 public:
  TSvgEngine(double dpi)
      : QPaintEngine(QPaintEngine::AllFeatures &
                     ~(QPaintEngine::PatternBrush | QPaintEngine::PerspectiveTransform |
                       QPaintEngine::ConicalGradientFill | QPaintEngine::PorterDuff |
                       QPaintEngine::RasterOpModes | QPaintEngine::BlendModes)),
        dpi_(dpi)
  {
  }

  // The document: styles, definitions, then the drawing.
  QByteArray Document(QSize size, const QString& title);

  bool begin(QPaintDevice*) override { return true; }
  bool end() override
  {
    FlushText();
    return true;
  }
  Type type() const override { return QPaintEngine::SVG; }
  void updateState(const QPaintEngineState& state) override;
  void drawPath(const QPainterPath& path) override;
  void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
  void drawRects(const QRectF* rects, int count) override;
  void drawRects(const QRect* rects, int count) override;
  void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;
  void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                 Qt::ImageConversionFlags flags) override;
  void drawTextItem(const QPointF& at, const QTextItem& item) override;

 private:
  struct TTextRun {
    int Style = -1;
    int Clip = 0;
    QByteArray Transform;
    double Y = 0.0;
    QByteArray X;
    QByteArray Text;
  };

  // A shared class for a style, by its declarations.
  int StyleClass(const QByteArray& declarations);
  QByteArray ShapeStyle(bool fill, bool stroke, Qt::FillRule rule);
  QByteArray ClipAttribute() const;
  // Writes a shape given in device coordinates relative to its first point.
  void PlaceShape(const QByteArray& relative, QPointF origin, const QByteArray& style);
  // The path in device coordinates, relative to its first point (given back as origin) or,
  // without an origin wanted, absolute.
  void AppendPath(const QPainterPath& path, QByteArray& d, QPointF* origin) const;
  void AppendTransformed(const QPainterPath& path, bool fill, bool stroke);
  void UpdateClip();
  void FlushText();
  bool Translating() const { return transform_.type() <= QTransform::TxTranslate; }

  double dpi_;
  QByteArray body_;
  QByteArray defs_;
  QByteArray styles_;
  QHash<QByteArray, int> styleIds_;
  QHash<QByteArray, int> shapeIds_;
  QHash<QByteArray, int> clipIds_;
  QHash<QByteArray, int> imageIds_;
  QPen pen_;
  QBrush brush_;
  QTransform transform_;
  QFont font_;
  double opacity_ = 1.0;
  int clip_ = 0;
  TTextRun run_;
};

QPaintEngine* TSvgDevice::paintEngine() const
{
  return engine_;
}

int TSvgEngine::StyleClass(const QByteArray& declarations)
{
  const auto found = styleIds_.constFind(declarations);
  if (found != styleIds_.constEnd()) return found.value();
  const int id = static_cast<int>(styleIds_.size());
  styleIds_.insert(declarations, id);
  styles_.append(".s")
      .append(QByteArray::number(id))
      .append('{')
      .append(declarations)
      .append("}\n");
  return id;
}

QByteArray TSvgEngine::ShapeStyle(bool fill, bool stroke, Qt::FillRule rule)
{
  QByteArray s;
  const Qt::BrushStyle brushStyle = brush_.style();
  if (fill && brushStyle != Qt::NoBrush) {
    // Patterns and pictures arrive already turned into images; other brushes keep their colour.
    const QColor color = brush_.color();
    s.append("fill:").append(ColorText(color));
    const double alpha = color.alphaF() * opacity_;
    if (alpha < 1.0) s.append(";fill-opacity:").append(Number(alpha));
    if (rule == Qt::OddEvenFill) s.append(";fill-rule:evenodd");
  } else {
    s.append("fill:none");
  }
  if (stroke && pen_.style() != Qt::NoPen) {
    const QColor color = pen_.color();
    const double width = pen_.widthF() > 0.0 ? pen_.widthF() : 1.0;
    s.append(";stroke:").append(ColorText(color));
    s.append(";stroke-width:").append(Number(width));
    const double alpha = color.alphaF() * opacity_;
    if (alpha < 1.0) s.append(";stroke-opacity:").append(Number(alpha));
    switch (pen_.capStyle()) {
      case Qt::SquareCap:
        s.append(";stroke-linecap:square");
        break;
      case Qt::RoundCap:
        s.append(";stroke-linecap:round");
        break;
      default:
        break;
    }
    switch (pen_.joinStyle()) {
      case Qt::BevelJoin:
        s.append(";stroke-linejoin:bevel");
        break;
      case Qt::RoundJoin:
        s.append(";stroke-linejoin:round");
        break;
      default:
        s.append(";stroke-miterlimit:").append(Number(pen_.miterLimit()));
        break;
    }
    if (pen_.style() != Qt::SolidLine) {
      s.append(";stroke-dasharray:");
      const QList<qreal> dashes = pen_.dashPattern();
      for (qsizetype i = 0; i < dashes.size(); ++i) {
        if (i > 0) s.append(',');
        AppendNumber(s, dashes[i] * width);
      }
    }
  } else {
    s.append(";stroke:none");
  }
  return s;
}

QByteArray TSvgEngine::ClipAttribute() const
{
  if (clip_ == 0) return {};
  return " clip-path=\"url(#c" + QByteArray::number(clip_) + ")\"";
}

void TSvgEngine::AppendPath(const QPainterPath& path, QByteArray& d, QPointF* originOut) const
{
  bool first = originOut != nullptr;
  QPointF origin;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element& e = path.elementAt(i);
    const QPointF p = transform_.map(QPointF(e.x, e.y));
    if (first) {
      origin = QPointF(std::round(p.x() * 100.0) / 100.0, std::round(p.y() * 100.0) / 100.0);
      *originOut = origin;
      first = false;
    }
    const QPointF r = p - origin;
    switch (e.type) {
      case QPainterPath::MoveToElement:
        d.append('M');
        break;
      case QPainterPath::LineToElement:
        d.append('L');
        break;
      case QPainterPath::CurveToElement:
        d.append('C');
        break;
      case QPainterPath::CurveToDataElement:
        d.append(' ');
        break;
    }
    AppendNumber(d, r.x());
    d.append(' ');
    AppendNumber(d, r.y());
  }
}

void TSvgEngine::PlaceShape(const QByteArray& relative, QPointF origin, const QByteArray& style)
{
  FlushText();
  int id = 0;
  const auto found = shapeIds_.constFind(relative);
  if (found != shapeIds_.constEnd()) {
    id = found.value();
  } else {
    id = static_cast<int>(shapeIds_.size());
    shapeIds_.insert(relative, id);
    defs_.append("<path id=\"p").append(QByteArray::number(id)).append("\" d=\"");
    defs_.append(relative).append("\"/>\n");
  }
  body_.append("<use xlink:href=\"#p").append(QByteArray::number(id)).append("\" x=\"");
  AppendNumber(body_, origin.x());
  body_.append("\" y=\"");
  AppendNumber(body_, origin.y());
  body_.append("\" class=\"s").append(QByteArray::number(StyleClass(style))).append('"');
  body_.append(ClipAttribute()).append("/>\n");
}

void TSvgEngine::drawPath(const QPainterPath& path)
{
  if (path.isEmpty()) return;
  QByteArray d;
  QPointF origin;
  AppendPath(path, d, &origin);
  PlaceShape(d, origin, ShapeStyle(true, true, path.fillRule()));
}

void TSvgEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode)
{
  if (count <= 0) return;
  QPainterPath path;
  path.moveTo(points[0]);
  for (int i = 1; i < count; ++i)
    path.lineTo(points[i]);
  QByteArray d;
  QPointF origin;
  AppendPath(path, d, &origin);
  const bool polyline = mode == PolylineMode;
  if (!polyline) d.append('Z');
  PlaceShape(d, origin,
             ShapeStyle(!polyline, true, mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill));
}

void TSvgEngine::drawRects(const QRectF* rects, int count)
{
  for (int i = 0; i < count; ++i) {
    QPainterPath path;
    path.addRect(rects[i]);
    QByteArray d;
    QPointF origin;
    AppendPath(path, d, &origin);
    d.append('Z');
    PlaceShape(d, origin, ShapeStyle(true, true, Qt::WindingFill));
  }
}

void TSvgEngine::drawRects(const QRect* rects, int count)
{
  for (int i = 0; i < count; ++i) {
    const QRectF rect(rects[i]);
    drawRects(&rect, 1);
  }
}

void TSvgEngine::drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source)
{
  drawImage(target, pixmap.toImage(), source, Qt::AutoColor);
}

void TSvgEngine::drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                           Qt::ImageConversionFlags)
{
  if (image.isNull() || target.isEmpty()) return;
  FlushText();
  const QRect part = source.toAlignedRect() & image.rect();
  const QImage used = part == image.rect() ? image : image.copy(part);
  // The same picture at the same size is stored once.
  QByteArray key = QByteArray::number(used.cacheKey()) + ' ' + Number(target.width()) + ' ' +
                   Number(target.height());
  int id = 0;
  const auto found = imageIds_.constFind(key);
  if (found != imageIds_.constEnd()) {
    id = found.value();
  } else {
    id = static_cast<int>(imageIds_.size());
    imageIds_.insert(key, id);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    used.save(&buffer, "PNG");
    defs_.append("<image id=\"i").append(QByteArray::number(id)).append("\" width=\"");
    AppendNumber(defs_, target.width());
    defs_.append("\" height=\"");
    AppendNumber(defs_, target.height());
    defs_.append("\" preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64,");
    defs_.append(png.toBase64()).append("\"/>\n");
  }
  // A clip on a turned element would be turned with it: the group keeps it on the page.
  const bool grouped = !Translating() && clip_ != 0;
  if (grouped) body_.append("<g").append(ClipAttribute()).append('>');
  body_.append("<use xlink:href=\"#i").append(QByteArray::number(id)).append('"');
  if (Translating()) {
    const QPointF at = transform_.map(target.topLeft());
    body_.append(" x=\"");
    AppendNumber(body_, at.x());
    body_.append("\" y=\"");
    AppendNumber(body_, at.y());
    body_.append('"');
  } else {
    const QTransform& t = transform_;
    body_.append(" transform=\"matrix(");
    for (const double v : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()}) {
      AppendNumber(body_, v);
      body_.append(' ');
    }
    body_.chop(1);
    body_.append(")\" x=\"");
    AppendNumber(body_, target.left());
    body_.append("\" y=\"");
    AppendNumber(body_, target.top());
    body_.append('"');
  }
  if (opacity_ < 1.0) body_.append(" opacity=\"").append(Number(opacity_)).append('"');
  body_.append(grouped ? QByteArray("/></g>\n") : ClipAttribute() + "/>\n");
}

void TSvgEngine::drawTextItem(const QPointF& at, const QTextItem& item)
{
  const QString text = item.text();
  if (text.isEmpty()) return;
  const QFont font = item.font();
  const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dpi_ / 72.0;
  QByteArray s = "fill:" + ColorText(pen_.color());
  const double alpha = pen_.color().alphaF() * opacity_;
  if (alpha < 1.0) s.append(";fill-opacity:").append(Number(alpha));
  s.append(";font-family:'").append(Escaped(font.family()).replace('\'', ' ')).append('\'');
  s.append(";font-size:").append(Number(pixels)).append("px");
  if (font.weight() != QFont::Normal)
    s.append(";font-weight:").append(QByteArray::number(static_cast<int>(font.weight())));
  if (font.italic()) s.append(";font-style:italic");
  if (font.underline() || font.strikeOut()) {
    s.append(";text-decoration:");
    if (font.underline()) s.append("underline ");
    if (font.strikeOut()) s.append("line-through ");
    s.chop(1);
  }
  const int style = StyleClass(s);
  QPointF p = at;
  QByteArray transform;
  if (Translating()) {
    p = transform_.map(at);
  } else {
    const QTransform& t = transform_;
    transform = "matrix(";
    for (const double v : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()}) {
      AppendNumber(transform, v);
      transform.append(' ');
    }
    transform.chop(1);
    transform.append(')');
  }
  // Characters drawn one after another on one line become one text with their positions.
  const bool joins = run_.Style == style && run_.Clip == clip_ && run_.Transform == transform &&
                     std::abs(run_.Y - p.y()) < 0.005 && text.size() == 1;
  if (!joins) {
    FlushText();
    run_.Style = style;
    run_.Clip = clip_;
    run_.Transform = transform;
    run_.Y = p.y();
  }
  if (text.size() == 1) {
    if (!run_.X.isEmpty()) run_.X.append(' ');
    AppendNumber(run_.X, p.x());
    AppendEscaped(run_.Text, text);
  } else {
    AppendNumber(run_.X, p.x());
    AppendEscaped(run_.Text, text);
    FlushText();
  }
}

void TSvgEngine::FlushText()
{
  if (run_.Style < 0) return;
  const QByteArray clip =
      run_.Clip != 0 ? " clip-path=\"url(#c" + QByteArray::number(run_.Clip) + ")\"" : QByteArray();
  // A clip on a turned element would be turned with it: the group keeps it on the page.
  const bool grouped = !run_.Transform.isEmpty() && !clip.isEmpty();
  if (grouped) body_.append("<g").append(clip).append('>');
  body_.append("<text xml:space=\"preserve\" class=\"s").append(QByteArray::number(run_.Style));
  body_.append("\" x=\"").append(run_.X).append("\" y=\"");
  AppendNumber(body_, run_.Y);
  body_.append('"');
  if (!run_.Transform.isEmpty()) body_.append(" transform=\"").append(run_.Transform).append('"');
  if (!grouped) body_.append(clip);
  body_.append('>').append(run_.Text).append("</text>");
  body_.append(grouped ? "</g>\n" : "\n");
  run_ = TTextRun{};
}

void TSvgEngine::UpdateClip()
{
  QPainter* p = painter();
  if (!p || !p->hasClipping()) {
    clip_ = 0;
    return;
  }
  const QPainterPath clip = p->transform().map(p->clipPath());
  QByteArray d;
  const QTransform saved = transform_;
  transform_ = QTransform();
  AppendPath(clip, d, nullptr);
  transform_ = saved;
  const auto found = clipIds_.constFind(d);
  if (found != clipIds_.constEnd()) {
    clip_ = found.value();
    return;
  }
  clip_ = static_cast<int>(clipIds_.size()) + 1;
  clipIds_.insert(d, clip_);
  defs_.append("<clipPath id=\"c").append(QByteArray::number(clip_)).append("\"><path d=\"");
  defs_.append(d).append('"');
  if (clip.fillRule() == Qt::OddEvenFill) defs_.append(" clip-rule=\"evenodd\"");
  defs_.append("/></clipPath>\n");
}

void TSvgEngine::updateState(const QPaintEngineState& state)
{
  const QPaintEngine::DirtyFlags flags = state.state();
  if (flags & DirtyPen) pen_ = state.pen();
  if (flags & DirtyBrush) brush_ = state.brush();
  if (flags & DirtyTransform) transform_ = state.transform();
  if (flags & DirtyFont) font_ = state.font();
  if (flags & DirtyOpacity) opacity_ = state.opacity();
  if (flags & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled)) UpdateClip();
}

QByteArray TSvgEngine::Document(QSize size, const QString& title)
{
  FlushText();
  QByteArray out;
  out.reserve(body_.size() + defs_.size() + styles_.size() + 512);
  out.append("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n");
  out.append(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
      "version=\"1.1\" width=\"");
  AppendNumber(out, size.width() / dpi_ * 25.4);
  out.append("mm\" height=\"");
  AppendNumber(out, size.height() / dpi_ * 25.4);
  out.append("mm\" viewBox=\"0 0 ").append(QByteArray::number(size.width())).append(' ');
  out.append(QByteArray::number(size.height())).append("\">\n");
  out.append("<title>").append(Escaped(title)).append("</title>\n");
  out.append("<style type=\"text/css\">\n").append(styles_).append("</style>\n");
  out.append("<defs>\n").append(defs_).append("</defs>\n");
  out.append(body_);
  out.append("</svg>\n");
  return out;
}

}  // namespace

QByteArray TSvgPicture::Write(TModelDocument& document, QSize size, double dpi,
                              const QString& title)
{
  TSvgEngine engine(dpi);
  TSvgDevice device(size, dpi, &engine);
  {
    QPainter painter(&device);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    TModelPainter(document).RenderToDevice(painter, size, dpi, dpi);
  }
  return engine.Document(size, title);
}
