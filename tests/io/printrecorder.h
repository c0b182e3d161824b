// A print surface that keeps what each sheet drew: the texts with where they start, and the
// box of everything else, in sheet pixels.
#pragma once

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QTransform>
#include <climits>
#include <deque>
#include <memory>
#include <vector>

#include "io/publishing/printjob.h"

namespace printtest {

struct TRecordedText {
  QString Text;
  QPointF At;
};

struct TRecordedSheet {
  std::vector<TRecordedText> Texts;
  QRectF Drawn;  // everything but text

  QStringList AllText() const
  {
    QStringList texts;
    for (const TRecordedText& t : Texts)
      texts << t.Text;
    return texts;
  }
  const TRecordedText* Find(const QString& text) const
  {
    for (const TRecordedText& t : Texts)
      if (t.Text == text) return &t;
    return nullptr;
  }
};

class TRecordingEngine : public QPaintEngine {
 public:
  explicit TRecordingEngine(TRecordedSheet& sheet)
      : QPaintEngine(QPaintEngine::AllFeatures), sheet_(sheet)
  {
  }
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  Type type() const override { return QPaintEngine::User; }
  void updateState(const QPaintEngineState& state) override
  {
    if (state.state() & QPaintEngine::DirtyTransform) transform_ = state.transform();
  }
  void drawTextItem(const QPointF& p, const QTextItem& item) override
  {
    sheet_.Texts.push_back({item.text(), transform_.map(p)});
  }
  void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override { Add(r); }
  void drawImage(const QRectF& r, const QImage&, const QRectF&, Qt::ImageConversionFlags) override
  {
    Add(r);
  }
  void drawRects(const QRectF* rects, int count) override
  {
    for (int i = 0; i < count; ++i)
      Add(rects[i]);
  }
  void drawPath(const QPainterPath& path) override { Add(path.boundingRect()); }
  void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override
  {
    drawPath(PathOf(points, count));
  }
  void drawLines(const QLineF* lines, int count) override
  {
    for (int i = 0; i < count; ++i)
      Add(QRectF(lines[i].p1(), lines[i].p2()).normalized());
  }
  void drawEllipse(const QRectF& r) override { Add(r); }
  void drawPoints(const QPointF* points, int count) override
  {
    for (int i = 0; i < count; ++i)
      Add(QRectF(points[i], QSizeF(0, 0)));
  }

 private:
  static QPainterPath PathOf(const QPointF* points, int count)
  {
    QPainterPath path;
    for (int i = 0; i < count; ++i)
      i == 0 ? path.moveTo(points[i]) : path.lineTo(points[i]);
    return path;
  }
  void Add(const QRectF& r)
  {
    const QRectF mapped = transform_.mapRect(r);
    sheet_.Drawn = sheet_.Drawn.isNull() ? mapped : sheet_.Drawn.united(mapped);
  }

  TRecordedSheet& sheet_;
  QTransform transform_;
};

class TRecordingDevice : public QPaintDevice {
 public:
  TRecordingDevice(QSize size, int dpi, TRecordedSheet& sheet)
      : size_(size), dpi_(dpi), engine_(sheet)
  {
  }
  QPaintEngine* paintEngine() const override { return &engine_; }

 protected:
  int metric(PaintDeviceMetric metric) const override
  {
    switch (metric) {
      case PdmWidth:
        return size_.width();
      case PdmHeight:
        return size_.height();
      case PdmWidthMM:
        return size_.width() * 254 / dpi_ / 10;
      case PdmHeightMM:
        return size_.height() * 254 / dpi_ / 10;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return dpi_;
      case PdmDepth:
        return 32;
      case PdmNumColors:
        return INT_MAX;
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
      default:
        return 0;
    }
  }

 private:
  QSize size_;
  int dpi_;
  mutable TRecordingEngine engine_;
};

// Letter's printable 8 x 10.5 inches at 100 pixels per inch.
class TRecordingSurface : public IPrintSurface {
 public:
  static constexpr int kDpi = 100;

  std::deque<TRecordedSheet> Sheets;  // a deque keeps each engine's sheet in place
  int Finished = 0;

  ~TRecordingSurface() override
  {
    if (painter_.isActive()) painter_.end();
  }
  QPainter& BeginSheet() override
  {
    if (painter_.isActive()) painter_.end();
    Sheets.emplace_back();
    devices_.push_back(std::make_unique<TRecordingDevice>(SheetPixels(), kDpi, Sheets.back()));
    painter_.begin(devices_.back().get());
    return painter_;
  }
  void Finish() override
  {
    if (painter_.isActive()) painter_.end();
    ++Finished;
  }
  QSize SheetPixels() const override { return {8 * kDpi, 10 * kDpi + kDpi / 2}; }
  double DpiX() const override { return kDpi; }
  double DpiY() const override { return kDpi; }

 private:
  std::vector<std::unique_ptr<TRecordingDevice>> devices_;
  QPainter painter_;
};

// How many pages a PDF holds: its page objects (not the page tree, "/Type /Pages").
inline int PdfPageCount(const QByteArray& pdf)
{
  int count = 0;
  const QByteArray key("/Type /Page");
  for (qsizetype at = pdf.indexOf(key); at >= 0; at = pdf.indexOf(key, at + 1))
    if (at + key.size() >= pdf.size() || pdf[at + key.size()] != 's') ++count;
  return count;
}

}  // namespace printtest
