#include "model/cluster.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "model/kindcast.h"
#include "model/outlines/shapegenerator.h"
#include "platform/canvas.h"
#include "platform/measurecanvas.h"
#include "platform/parallelslices.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"

namespace {

// Membership is decided in pixels at 100 % with no offset, at the model's own resolution
// rather than the screen's, so that a file has the same members on every machine.
TMeasureCanvas ModelMeasure()
{
  return TMeasureCanvas(kModelPixelsPerInch, kModelPixelsPerInch);
}

// Half of 21 inches at 100 %, beyond any real member; damaged files can hold shapes miles wide,
// whose regions would take minutes to build.
constexpr int kRegionLimit = 1024;
// How far a hit region can reach beyond its screen box: the band around a clear shape's line.
constexpr int kRegionSlack = 16;

// The object's region within a rectangle, so that building it costs no more than the
// rectangle is large.
// Only the middle of an absurdly large rectangle is looked at.
QRect BoundedClip(const QRect& clip)
{
  QRect bounded = clip;
  if (bounded.width() > 2 * kRegionLimit) {
    bounded.moveLeft(bounded.center().x() - kRegionLimit);
    bounded.setWidth(2 * kRegionLimit);
  }
  if (bounded.height() > 2 * kRegionLimit) {
    bounded.moveTop(bounded.center().y() - kRegionLimit);
    bounded.setHeight(2 * kRegionLimit);
  }
  return bounded;
}

QRegion RegionWithin(TCanvas& canvas, CGPObject* object, const QRect& clip, double offsetX,
                     double offsetY, double zoom)
{
  const QRect bounded = BoundedClip(clip);
  if (const auto* angled = TKindCast::Angled(object))
    return angled->ClippedRegion(canvas, bounded, offsetX, offsetY, zoom);
  const QRect window = canvas.RegionWindow();
  canvas.SetRegionWindow(bounded);
  const QRegion region = object->CreateRegion(canvas, offsetX, offsetY, zoom);
  canvas.SetRegionWindow(window);
  return region;
}

// Far enough inside an outline that every way of turning it into pixels keeps the pixel.
constexpr double kDeepInside = 2.0;

double DistanceToSegment(QPointF p, QPointF a, QPointF b)
{
  const QPointF ab = b - a;
  const double length2 = QPointF::dotProduct(ab, ab);
  const double t =
      length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
  const QPointF d = p - (a + t * ab);
  return std::hypot(d.x(), d.y());
}

// Inside by the rule regions are built with (each closed part odd-even, parts combined by
// exclusive or), and far from every edge, so that rounding the vertices cannot lose it.
bool DeepInside(const QList<QPolygonF>& parts, QPointF p)
{
  bool inside = false;
  for (const QPolygonF& part : parts) {
    if (part.size() < 3) continue;  // such parts hold no pixels
    for (qsizetype i = 0; i < part.size(); ++i)
      if (DistanceToSegment(p, part[i], part[(i + 1) % part.size()]) < kDeepInside) return false;
    if (part.containsPoint(p, Qt::OddEvenFill)) inside = !inside;
  }
  return inside;
}

// A quick yes for the common case of a member lying well inside its cluster: the middle
// pixel of a's box is deep inside both outlines, so both regions hold it. Anything else is
// left to the regions themselves.
// The flattened outlines of clusters, made once while a whole list is sorted into them.
using TOutlineCache = std::unordered_map<const CGPObject*, QList<QPolygonF>>;

QList<QPolygonF> HitPolygons(TCanvas& canvas, const TAngled* object, TOutlineCache* cache)
{
  if (!cache) return object->HitPath(canvas, 0, 0, 100).toSubpathPolygons();
  const auto found = cache->find(object);
  if (found != cache->end()) return found->second;
  return cache->emplace(object, object->HitPath(canvas, 0, 0, 100).toSubpathPolygons())
      .first->second;
}

bool SurelyOverlap(TCanvas& canvas, CGPObject* a, CGPObject* b, const TPixelRect& boxA,
                   const QRect& common, TOutlineCache* cache)
{
  const auto* angledA = TKindCast::Angled(a);
  const auto* angledB = TKindCast::Angled(b);
  if (!angledA || !angledB) return false;
  const QPoint pixel((boxA.Left + boxA.Right) / 2, (boxA.Top + boxA.Bottom) / 2);
  if (!BoundedClip(common).adjusted(2, 2, -2, -2).contains(pixel)) return false;
  const QPointF centre(pixel.x() + 0.5, pixel.y() + 0.5);
  // The kept outline first: when the pixel is not deep in it, a's is never made.
  return DeepInside(HitPolygons(canvas, angledB, cache), centre) &&
         DeepInside(HitPolygons(canvas, angledA, nullptr), centre);
}

// cache: where the outlines of the a side are kept, if anywhere.
bool Overlap(TCanvas& canvas, CGPObject* a, CGPObject* b, TOutlineCache* cache = nullptr)
{
  const TPixelRect boxA = a->GetScreenBox(canvas, 0, 0, 100).Normalized();
  const TPixelRect boxB = b->GetScreenBox(canvas, 0, 0, 100).Normalized();
  if (!boxA.Intersects(boxB)) return false;
  // Regions cannot meet outside the overlap of the boxes (widened by what lines add).
  const QRect common =
      boxA.ToQRect().adjusted(-kRegionSlack, -kRegionSlack, kRegionSlack, kRegionSlack) &
      boxB.ToQRect().adjusted(-kRegionSlack, -kRegionSlack, kRegionSlack, kRegionSlack);
  // The member is the second argument; its middle is the likeliest shared pixel.
  if (SurelyOverlap(canvas, b, a, boxB, common, cache)) return true;
  return RegionWithin(canvas, a, common, 0, 0, 100)
      .intersects(RegionWithin(canvas, b, common, 0, 0, 100));
}

}  // namespace

TCluster::TCluster()
{
  // A strip along the top of the shape.
  TextOffsetX = 0.0;
  TextOffsetY = -0.375;
  TextWidth = 0.8;
  TextHeight = 0.25;
}

TCluster::~TCluster()
{
  ReleaseMembers();
}

void TCluster::ReleaseMembers()
{
  // A member that no longer names this cluster is only dropped from the list.
  for (TClusteredObject* member : Members)
    if (member->Cluster == this) member->Cluster = nullptr;
  Members.clear();
}

double TCluster::MarginInches() const
{
  switch (ClusterMargin) {
    case 0:
      return 0.25;
    case 2:
      return 2.0;
    default:
      return 1.0;
  }
}

// ---- Membership ---------------------------------------------------------------------------

void TCluster::AddToCluster(CGPObject* object, CGPObject* clusterObject)
{
  TClusteredObject* member = TKindCast::Member(object);
  TCluster* cluster = TKindCast::Cluster(clusterObject);
  if (!member || !cluster) return;
  // A member's Cluster always names the cluster whose Members hold it, so no search is needed.
  if (member->Cluster == cluster) return;
  if (member->Cluster) RemoveFromCluster(member, member->Cluster);
  member->Cluster = cluster;
  cluster->Members.push_back(member);
}

void TCluster::RemoveFromCluster(CGPObject* object, CGPObject* clusterObject)
{
  TClusteredObject* member = TKindCast::Member(object);
  TCluster* cluster = TKindCast::Cluster(clusterObject);
  // An object in no cluster has nothing to leave, even when asked to leave "no cluster".
  if (!member || !cluster || member->Cluster != cluster) return;
  const auto found = std::find(cluster->Members.begin(), cluster->Members.end(), member);
  if (found != cluster->Members.end()) cluster->Members.erase(found);
  member->Cluster = nullptr;
}

void TCluster::UpdateClusterMembership(TObjectList& list, CGPObject* object)
{
  TClusteredObject* member = TKindCast::Member(object);
  if (!member) return;
  TMeasureCanvas measure = ModelMeasure();
  TCanvas& canvas = measure.Canvas();
  const auto at = std::find(list.begin(), list.end(), object);
  // The topmost cluster lying below the object wins.
  for (auto j = at; j != list.begin();) {
    --j;
    TCluster* cluster = TKindCast::Cluster(*j);
    if (!cluster || !Overlap(canvas, cluster, member)) continue;
    AddToCluster(member, cluster);
    cluster->FitToMembers(canvas, list, 100, 0, 0);
    return;
  }
  if (TCluster* left = member->Cluster) {
    RemoveFromCluster(member, left);
    left->FitToMembers(canvas, list, 100, 0, 0);
  }
}

namespace {

// Boxes at 100 % filed by the cells of the membership grids they cover; boxes covering too
// many cells are looked at always.
class TBoxGrid {
 public:
  static constexpr int kCell = 256;
  static constexpr qint64 kMaxCells = 1024;

  void File(std::size_t entry, const TPixelRect& box, int slack)
  {
    ForCells(
        box, slack, [&](qint64 key) { cells_[key].push_back(entry); },
        [&] { everywhere_.push_back(entry); });
  }
  // The entries whose cells the box touches, each once, in ascending order, into found
  // (whose memory is reused from one box to the next).
  void Near(const TPixelRect& box, std::size_t count, std::vector<std::size_t>& found) const
  {
    found.assign(everywhere_.begin(), everywhere_.end());
    bool all = false;
    ForCells(
        box, 0,
        [&](qint64 key) {
          if (const auto cell = cells_.find(key); cell != cells_.end())
            found.insert(found.end(), cell->second.begin(), cell->second.end());
        },
        [&] { all = true; });
    if (all) {
      found.resize(count);
      for (std::size_t i = 0; i < count; ++i)
        found[i] = i;
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
  }

 private:
  template <typename FCell, typename FTooMany>
  static void ForCells(const TPixelRect& box, int slack, FCell cell, FTooMany tooMany)
  {
    const qint64 x0 = std::floor(double(box.Left - slack) / kCell);
    const qint64 x1 = std::floor(double(box.Right + slack) / kCell);
    const qint64 y0 = std::floor(double(box.Top - slack) / kCell);
    const qint64 y1 = std::floor(double(box.Bottom + slack) / kCell);
    if ((x1 - x0 + 1) * (y1 - y0 + 1) > kMaxCells) {
      tooMany();
      return;
    }
    for (qint64 cx = x0; cx <= x1; ++cx)
      for (qint64 cy = y0; cy <= y1; ++cy)
        cell((cx << 32) ^ (cy & 0xFFFFFFFF));
  }

  std::unordered_map<qint64, std::vector<std::size_t>> cells_;
  std::vector<std::size_t> everywhere_;
};

struct TPlaced {
  std::size_t Index;  // position in the list
  CGPObject* Object;
  TPixelRect Box;
};

}  // namespace

void TCluster::AssignMemberships(TObjectList& list)
{
  TMeasureCanvas measure = ModelMeasure();
  TCanvas& canvas = measure.Canvas();
  struct TEntry {
    std::size_t Index;
    TCluster* Cluster;
  };
  std::vector<TEntry> clusters;
  for (std::size_t i = 0; i < list.size(); ++i)
    if (TCluster* cluster = TKindCast::Cluster(list[i])) clusters.push_back({i, cluster});
  if (clusters.empty()) {
    for (CGPObject* object : list)
      if (TClusteredObject* member = TKindCast::Member(object); member && member->Cluster)
        RemoveFromCluster(member, member->Cluster);
    return;
  }

  // Clusters by the grid cells their boxes cover; very large ones are looked at always.
  TBoxGrid grid;
  for (std::size_t k = 0; k < clusters.size(); ++k)
    grid.File(k, clusters[k].Cluster->GetScreenBox(canvas, 0, 0, 100).Normalized(), kRegionSlack);

  // Each object's cluster is decided on its own, so the decisions are spread over the cores,
  // each slice with a canvas and outlines of its own, and applied in list order afterwards.
  constexpr std::size_t kObjectsPerThread = 1024;
  struct TDecision {
    TClusteredObject* Member = nullptr;  // null for objects that are no members
    TCluster* Cluster = nullptr;
  };
  std::vector<TDecision> decided(list.size());
  TParallelSlices::Run(
      list.size(), kObjectsPerThread, [&](std::size_t begin, std::size_t end, std::size_t) {
        TMeasureCanvas sliceMeasure = ModelMeasure();
        TCanvas& sliceCanvas = sliceMeasure.Canvas();
        TOutlineCache outlines;
        std::vector<std::size_t> candidates;
        std::size_t next = 0;  // clusters[next].Index is the first cluster at or above object i
        for (std::size_t i = begin; i < end; ++i) {
          while (next < clusters.size() && clusters[next].Index < i)
            ++next;
          TClusteredObject* member = TKindCast::Member(list[i]);
          if (!member) continue;
          decided[i].Member = member;
          grid.Near(member->GetScreenBox(sliceCanvas, 0, 0, 100).Normalized(), clusters.size(),
                    candidates);
          // Only clusters below the object count, the topmost first.
          TCluster*& chosen = decided[i].Cluster;
          for (auto k = candidates.rbegin(); k != candidates.rend(); ++k) {
            if (*k >= next) continue;
            if (Overlap(sliceCanvas, clusters[*k].Cluster, member, &outlines)) {
              chosen = clusters[*k].Cluster;
              break;
            }
          }
        }
      });
  for (const auto& [member, chosen] : decided) {
    if (!member) continue;
    if (chosen)
      AddToCluster(member, chosen);
    else if (member->Cluster)
      RemoveFromCluster(member, member->Cluster);
  }
  for (const TEntry& entry : clusters)
    if (entry.Cluster->FitMembers && !entry.Cluster->Members.empty())
      entry.Cluster->FitToMembers(canvas, list, 100, 0, 0);
}

void TCluster::GatherMembers(TObjectList& list)
{
  ReleaseMembers();
  const auto at = std::find(list.begin(), list.end(), this);
  if (at == list.end()) return;
  TMeasureCanvas measure = ModelMeasure();
  TCanvas& canvas = measure.Canvas();
  bool joined = false;
  for (auto j = at + 1; j != list.end(); ++j) {
    TClusteredObject* member = TKindCast::Member(*j);
    if (!member || member->Cluster || !Overlap(canvas, this, member)) continue;
    AddToCluster(member, this);
    joined = true;
  }
  if (joined && FitMembers) FitToMembers(canvas, list, 100, 0, 0);
}

bool TCluster::RefreshMemberships(TObjectList& list, const std::vector<CGPObject*>& objects)
{
  TMeasureCanvas measure = ModelMeasure();
  TCanvas& canvas = measure.Canvas();
  std::vector<TPlaced> clusters;
  TBoxGrid clusterGrid;
  for (std::size_t i = 0; i < list.size(); ++i) {
    TCluster* cluster = TKindCast::Cluster(list[i]);
    if (!cluster) continue;
    if (cluster->FitMembers) return false;
    const TPixelRect box = cluster->GetScreenBox(canvas, 0, 0, 100).Normalized();
    clusterGrid.File(clusters.size(), box, kRegionSlack);
    clusters.push_back({i, cluster, box});
  }

  // The refreshed objects with their places, in list order.
  const std::unordered_set<const CGPObject*> refreshed(objects.begin(), objects.end());
  std::vector<TPlaced> work;
  for (std::size_t i = 0; i < list.size(); ++i)
    if (refreshed.count(list[i]))
      work.push_back({i, list[i], list[i]->GetScreenBox(canvas, 0, 0, 100).Normalized()});

  // The clustered objects, for clusters that gather; filed only when one does.
  std::vector<TPlaced> members;
  TBoxGrid memberGrid;
  const auto fileMembers = [&] {
    for (std::size_t i = 0; i < list.size(); ++i)
      if (TKindCast::Member(list[i]))
        members.push_back({i, list[i], list[i]->GetScreenBox(canvas, 0, 0, 100).Normalized()});
    for (std::size_t k = 0; k < members.size(); ++k)
      memberGrid.File(k, members[k].Box, 0);
  };

  std::vector<std::size_t> near;
  for (const TPlaced& item : work) {
    if (TCluster* cluster = TKindCast::Cluster(item.Object)) {
      if (members.empty()) fileMembers();
      cluster->ReleaseMembers();
      const TPixelRect reach{item.Box.Left - kRegionSlack, item.Box.Top - kRegionSlack,
                             item.Box.Right + kRegionSlack, item.Box.Bottom + kRegionSlack};
      memberGrid.Near(reach, members.size(), near);
      for (std::size_t k : near) {
        TClusteredObject* member = TKindCast::Member(members[k].Object);
        if (members[k].Index <= item.Index || member->Cluster || !Overlap(canvas, cluster, member))
          continue;
        AddToCluster(member, cluster);
      }
      continue;
    }
    TClusteredObject* member = TKindCast::Member(item.Object);
    if (!member) continue;
    clusterGrid.Near(item.Box, clusters.size(), near);
    TCluster* chosen = nullptr;
    // The topmost cluster below the object wins.
    for (auto k = near.rbegin(); k != near.rend() && !chosen; ++k)
      if (clusters[*k].Index < item.Index && Overlap(canvas, clusters[*k].Object, member))
        chosen = static_cast<TCluster*>(clusters[*k].Object);
    if (chosen)
      AddToCluster(member, chosen);
    else if (member->Cluster)
      RemoveFromCluster(member, member->Cluster);
  }
  return true;
}

// ---- Fitting ------------------------------------------------------------------------------

bool TCluster::FitFreeForm(const TCanvas& canvas, const QRegion& united, double radius,
                           double margin, double offsetX, double offsetY, double zoom)
{
  const TModelPoint centre = Centre();
  TOutline rays;
  for (int bearing = 0; bearing <= 360; bearing += 20) {
    const TModelPoint far = PointAt(centre, radius, bearing);
    // Walk in from the far end in tenths; the first point inside the members counts.
    for (int k = 0; k <= 10; ++k) {
      const double f = k / 10.0;
      const TModelPoint q{far.X + f * (centre.X - far.X), far.Y + f * (centre.Y - far.Y)};
      if (!united.contains(canvas.ToPixel(q.X, q.Y, offsetX, offsetY, zoom))) continue;
      const TModelPoint p = PointAt(centre, Distance(q, centre) + margin, bearing);
      AppendLine(rays, p.X, p.Y);
      break;
    }
  }
  // Fewer than three points make no figure; the previous outline stays.
  if (rays.size() < 3) return false;
  AppendLine(rays, rays.front().Ex, rays.front().Ey);
  if (rays.size() < 4)  // the last ray ended where the first began
    return false;

  double left = rays.front().Ex, right = left, top = rays.front().Ey, bottom = top;
  for (const TSegment& s : rays) {
    left = std::min(left, s.Ex);
    right = std::max(right, s.Ex);
    top = std::min(top, s.Ey);
    bottom = std::max(bottom, s.Ey);
  }
  const TModelPoint middle{(left + right) / 2.0, (top + bottom) / 2.0};
  TOutline relative;
  for (const TSegment& s : rays)
    AppendLine(relative, s.Ex - middle.X, s.Ey - middle.Y);
  SimplifyOutline(relative);
  if (relative.size() < 4)  // thinned out to fewer than three corners
    return false;
  X = middle.X;
  Y = middle.Y;
  Width = right - left;
  Height = bottom - top;
  Outline = std::move(relative);
  return true;
}

void TCluster::FitToMembers(TCanvas& canvas, TObjectList& list, double zoom, double offsetX,
                            double offsetY)
{
  if (!Members.empty() && FitMembers) {
    QRegion united;
    TModelPoint sum;
    for (TClusteredObject* member : Members) {
      united +=
          RegionWithin(canvas, member,
                       member->GetScreenBox(canvas, offsetX, offsetY, zoom)
                           .Normalized()
                           .ToQRect()
                           .adjusted(-kRegionSlack, -kRegionSlack, kRegionSlack, kRegionSlack),
                       offsetX, offsetY, zoom);
      sum.X += member->X;
      sum.Y += member->Y;
    }
    const double count = static_cast<double>(Members.size());
    const TModelPoint previousCentre = Centre();
    X = sum.X / count;
    Y = sum.Y / count;
    const QRect box = united.boundingRect();
    const double boxWidth = box.width() / canvas.ScaleX(zoom);
    const double boxHeight = box.height() / canvas.ScaleY(zoom);
    const double radius = std::sqrt(boxWidth * boxWidth / 4.0 + boxHeight * boxHeight / 4.0);
    const double margin = MarginInches();
    if (ShapeVariant == kCogiVariantFree) {
      if (!FitFreeForm(canvas, united, radius, margin, offsetX, offsetY, zoom)) {
        X = previousCentre.X;
        Y = previousCentre.Y;
      }
    } else {
      Width = boxWidth + 2.0 * margin;
      Height = boxHeight + 2.0 * margin;
      Outline = MakeShapeOutline(okCluster, ShapeVariant, Width, Height);
    }
  }
  const TModelPoint number = NumberPositionRule();
  NumberX = number.X;
  NumberY = number.Y;
  RelayoutText();
  BuildAnchors();
  UpdateAttachedArrows(&list);
}

// ---- Drawing ------------------------------------------------------------------------------

void TCluster::NumberInReadingOrder()
{
  TMeasureCanvas measure = ModelMeasure();
  std::vector<std::pair<TPixelRect, TClusteredObject*>> keyed;
  keyed.reserve(Members.size());
  for (TClusteredObject* member : Members)
    keyed.emplace_back(member->GetScreenBox(measure.Canvas(), 0, 0, 100), member);
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    return a.first.Top != b.first.Top ? a.first.Top < b.first.Top : a.first.Left < b.first.Left;
  });
  for (std::size_t i = 0; i < keyed.size(); ++i)
    keyed[i].second->Number = static_cast<std::int32_t>(i + 1);
}

void TCluster::Draw(TCanvas& canvas, bool, double offsetX, double offsetY, double zoom)
{
  // Drawing shared between threads numbers the members beforehand, on one thread.
  if (NumberMembers && !Members.empty() && !canvas.SharedDrawing()) NumberInReadingOrder();
  DrawShadow(canvas, offsetX, offsetY, zoom);
  Draw3D(canvas, offsetX, offsetY, zoom);
  // See-through clusters darken what lies below instead of covering it.
  if (SeeThrough) canvas.SetMasking(true);
  DrawBody(canvas, offsetX, offsetY, zoom);
  canvas.SetMasking(false);
  if (zoom > 30) DrawText(canvas, Angle, offsetX, offsetY, zoom, 0);
  DrawNumber(canvas, Angle, offsetX, offsetY, zoom, 0);
  DrawGatewayIcon(canvas, Angle, offsetX, offsetY, zoom);
}

void TCluster::DrawShadow(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  if (Shadow == 0) return;
  const int direction = Shadow > 4 ? 2 : Shadow;
  DrawText(canvas, Angle, offsetX, offsetY, zoom, direction);
  if (FillStyle == kFillClear) DrawNumber(canvas, Angle, offsetX, offsetY, zoom, direction);
  DrawShapeShadow(canvas, offsetX, offsetY, zoom);
}

void TCluster::DrawHandles(TCanvas& canvas, double angle, QRegion& handleRegion, bool primary,
                           int mode, double offsetX, double offsetY, double zoom)
{
  CGPObject::DrawHandles(canvas, angle, handleRegion, primary, mode, offsetX, offsetY, zoom);
  // Text is laid out from Text; without any there is no text box to move.
  if (mode == opRotateReady || mode == opFormatPaint || Text.isEmpty()) return;
  const TModelPoint boxCentre =
      RotateOffset(Centre(), TextOffsetX * Width, TextOffsetY * Height, Angle);
  const double w = TextWidth * Width / 2.0;
  const double h = TextHeight * Height / 2.0;
  QPolygon corners;
  for (const auto& [dx, dy] : {std::pair{-w, -h}, {w, -h}, {w, h}, {-w, h}}) {
    const TModelPoint p = RotateOffset(boxCentre, dx, dy, Angle);
    corners << canvas.ToPixel(p.X, p.Y, offsetX, offsetY, zoom);
  }
  const int size = HandleSize(zoom);
  const int margin = HandleMargin(zoom);
  const QPoint first = corners.front();
  const int hx = first.x() - size / 2;
  const int hy = first.y() - size / 2;
  QPainter& painter = canvas.Painter();
  painter.save();
  painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
  painter.setBrush(Qt::NoBrush);
  painter.drawPolygon(corners);
  painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
  painter.setBrush(ToQColor(0x00FFFF));
  painter.drawRect(QRect(hx, hy, size - 1, size - 1));
  painter.restore();
  HandleRegions[8] =
      THandleShape(QRect(hx - margin, hy - margin, size + 2 * margin, size + 2 * margin));
  handleRegion += HandleRegions[8].ToRegion();
}

// ---- Moving and refreshing ----------------------------------------------------------------

void TCluster::MoveTo(TObjectList* list, double x, double y)
{
  const double dx = x - X;
  const double dy = y - Y;
  // Selected members are moved by the selection move itself.
  const std::vector<TClusteredObject*> members = Members;
  for (TClusteredObject* member : members)
    if (!member->Selected) member->MoveTo(list, member->X + dx, member->Y + dy);
  X = x;
  Y = y;
}

void TCluster::Recalculate(TObjectList* list, bool full)
{
  if (list) GatherMembers(*list);
  TCogiShaped::Recalculate(list, full);
}

// ---- Streams ------------------------------------------------------------------------------

void TCluster::SaveToStream(TBinaryWriter& stream) const
{
  TCogiShaped::SaveToStream(stream);
  stream.WriteBool(NumberMembers);
  stream.WriteByte(ClusterMargin);
  stream.WriteBool(FitMembers);
  stream.WriteBool(SeeThrough);
}

void TCluster::LoadFromStream(TBinaryReader& stream)
{
  TCogiShaped::LoadFromStream(stream);
  NumberMembers = stream.ReadBool();
  ClusterMargin = stream.ReadByte();
  FitMembers = stream.ReadBool();
  SeeThrough = stream.ReadBool();
}
