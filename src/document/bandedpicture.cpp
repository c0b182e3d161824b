#include "document/bandedpicture.h"

#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>
#include <unordered_map>

#include "document/modelpainter.h"
#include "model/arrow.h"
#include "model/cluster.h"
#include "model/kindcast.h"
#include "model/layers/gateway.h"
#include "model/layers/lined.h"
#include "platform/canvas.h"
#include "platform/measurecanvas.h"
#include "platform/screenmetrics.h"

namespace {

// How far in inches an object can paint beyond its region box: shadows (at most 5/24 inch
// away, their rings 5 % larger than the shape), extrusions (1/8 inch), patterned lines (their
// left copy and dots), the number beside the shape, a text box moved outside the shape, and
// an arrow's text beside its line.
double ReachInches(const CGPObject& object, double zoom)
{
  const double w = object.Width;
  const double h = object.Height;
  double reach = 0.5 + 0.06 * std::max(std::abs(w), std::abs(h));
  if (const auto* lined = dynamic_cast<const TLined*>(&object))
    reach += 5.0 * std::abs(static_cast<double>(lined->LineWidth)) / 72.0;
  const double textX =
      std::max(0.0, (std::abs(object.TextOffsetX) + std::abs(object.TextWidth) / 2.0 - 0.5) * w);
  const double textY =
      std::max(0.0, (std::abs(object.TextOffsetY) + std::abs(object.TextHeight) / 2.0 - 0.5) * h);
  reach += std::hypot(textX, textY);
  if (object.ShowNumber) {
    const double digits = static_cast<double>(QString::number(object.Number).size()) + 2.0;
    const double font = zoom > 30 ? 0.15 : 0.55;
    reach += std::max(std::abs(object.NumberX * w), std::abs(object.NumberY * h)) + digits * font;
  }
  if (dynamic_cast<const TArrow*>(&object))
    reach += std::abs(object.TextExtent.Width) + std::abs(object.TextExtent.Height);
  return reach;
}

}  // namespace

TBandedPicture::TBandedPicture(TModelDocument& document, QImage& image, int bands)
    : document_(document), image_(image)
{
  if (image_.isNull()) return;
  if (!TModelPainter(document_).PictureFit(image_.size(), kModelPixelsPerInch, kModelPixelsPerInch,
                                           offsetX_, offsetY_, zoom_))
    return;
  bits_ = image_.bits();  // detaches now, on this thread
  // Arrows are drawn after everything else, as in every paint.
  std::vector<CGPObject*> order;
  order.reserve(document_.Objects.size());
  for (CGPObject* object : document_.Objects)
    if (!TKindCast::Arrow(object)) order.push_back(object);
  for (CGPObject* object : document_.Objects)
    if (TKindCast::Arrow(object)) order.push_back(object);
  shareable_ = NumberClusterMembers(order);
  if (!shareable_) return;
  TMeasureCanvas measure;
  for (CGPObject* object : order)
    if (const auto* gateway = dynamic_cast<const TGateway*>(object))
      gateway->PrepareIconImage(measure.Canvas(), zoom_);
  const int height = image_.height();
  const int count = std::clamp(bands, 1, height);
  for (int i = 0; i < count; ++i) {
    TBand band;
    band.Top = static_cast<int>(static_cast<qint64>(height) * i / count);
    band.Bottom = static_cast<int>(static_cast<qint64>(height) * (i + 1) / count);
    bands_.push_back(std::move(band));
  }
  AssignBands(order);
}

TBandedPicture::~TBandedPicture() = default;

// Clusters that number their members do it when they are drawn; here it is done beforehand,
// in drawing order, which gives the same numbers unless a member drawn before its cluster
// would have shown its earlier number. Then nothing is changed and the picture is drawn whole.
bool TBandedPicture::NumberClusterMembers(const std::vector<CGPObject*>& order)
{
  std::unordered_map<const CGPObject*, std::size_t> position;
  for (std::size_t i = 0; i < order.size(); ++i)
    position.emplace(order[i], i);
  std::vector<std::pair<CGPObject*, std::int32_t>> saved;
  bool same = true;
  for (std::size_t i = 0; i < order.size() && same; ++i) {
    auto* cluster = dynamic_cast<TCluster*>(order[i]);
    if (!cluster || !cluster->NumberMembers || cluster->Members.empty()) continue;
    const std::size_t first = saved.size();
    for (CGPObject* member : cluster->Members)
      saved.emplace_back(member, member->Number);
    cluster->NumberInReadingOrder();
    for (std::size_t k = first; k < saved.size(); ++k) {
      const auto found = position.find(saved[k].first);
      if (saved[k].first->Number != saved[k].second && found != position.end() && found->second < i)
        same = false;
    }
  }
  if (!same)
    for (auto it = saved.rbegin(); it != saved.rend(); ++it)
      it->first->Number = it->second;
  return same;
}

void TBandedPicture::AssignBands(const std::vector<CGPObject*>& order)
{
  TMeasureCanvas measure;
  const TCanvas& canvas = measure.Canvas();
  const double scale = canvas.ScaleY(zoom_);
  const int height = image_.height();
  const int count = BandCount();
  // The band holding a row, for rows inside the picture.
  auto bandOf = [&](int row) {
    const int clamped = std::clamp(row, 0, height - 1);
    int band = static_cast<int>(static_cast<qint64>(clamped) * count / height);
    while (band > 0 && bands_[static_cast<std::size_t>(band)].Top > clamped)
      --band;
    while (band + 1 < count && bands_[static_cast<std::size_t>(band)].Bottom <= clamped)
      ++band;
    return band;
  };
  int shared = 0;
  for (CGPObject* object : order) {
    const TPixelRect box = object->RegionBox(canvas, offsetX_, offsetY_, zoom_).Normalized();
    const double reach = std::ceil(ReachInches(*object, zoom_) * scale) + 16.0;
    const double top = static_cast<double>(box.Top) - reach;
    const double bottom = static_cast<double>(box.Bottom) + reach;
    if (bottom < 0.0 || top >= static_cast<double>(height)) continue;
    const int first = bandOf(static_cast<int>(std::max(top, 0.0)));
    const int last = bandOf(static_cast<int>(std::min(bottom, static_cast<double>(height - 1))));
    const int lock = first == last ? -1 : shared++;
    for (int band = first; band <= last; ++band)
      bands_[static_cast<std::size_t>(band)].Entries.push_back({object, lock});
  }
  locks_ = std::make_unique<std::mutex[]>(static_cast<std::size_t>(std::max(shared, 1)));
}

void TBandedPicture::DrawBand(int index)
{
  const TBand& band = bands_[static_cast<std::size_t>(index)];
  if (band.Bottom <= band.Top) return;
  const qsizetype stride = image_.bytesPerLine();
  if (white_)
    std::fill_n(bits_ + stride * band.Top, stride * (band.Bottom - band.Top), uchar(0xFF));
  // The whole picture as an image of this thread's own, clipped by its engine to the band's
  // rows. Lines are rasterised against the device's whole extent (not the band's) and the
  // painter has no clip of its own: every primitive decides as for the picture drawn whole.
  QImage rows(bits_, image_.width(), image_.height(), stride, image_.format());
  rows.setDotsPerMeterX(image_.dotsPerMeterX());
  rows.setDotsPerMeterY(image_.dotsPerMeterY());
  rows.paintEngine()->setSystemClip(QRegion(0, band.Top, image_.width(), band.Bottom - band.Top));
  QPainter painter(&rows);
  TCanvas canvas(painter, kModelPixelsPerInch, kModelPixelsPerInch);
  canvas.SetRegionWindow(TModelPainter::PictureRegionWindow(image_.size()));
  canvas.SetSharedDrawing(true);
  for (const TEntry& entry : band.Entries) {
    if (entry.Lock < 0) {
      entry.Object->Draw(canvas, false, offsetX_, offsetY_, zoom_);
    } else {
      // An object in several bands keeps drawing state of its own (prepared text, arrow
      // geometry): one band at a time draws it.
      const std::lock_guard<std::mutex> guard(locks_[static_cast<std::size_t>(entry.Lock)]);
      entry.Object->Draw(canvas, false, offsetX_, offsetY_, zoom_);
    }
  }
}

void TBandedPicture::Draw(int threads)
{
  if (!shareable_ || bits_ == nullptr) {
    if (white_) image_.fill(Qt::white);
    TModelPainter(document_).RenderToBitmap(image_);
    return;
  }
  std::atomic<int> next{0};
  auto work = [&] {
    for (int band = next++; band < BandCount(); band = next++)
      DrawBand(band);
  };
  std::vector<std::thread> workers;
  for (int i = 1; i < std::min(threads, BandCount()); ++i)
    workers.emplace_back(work);
  work();
  for (std::thread& worker : workers)
    worker.join();
}
