#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <memory>

#include "model/cluster.h"
#include "model/cogi.h"
#include "model/outlines/shapegenerator.h"
#include "platform/measurecanvas.h"
#include "platform/screenmetrics.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"

namespace {

// Owns the objects of a small model; the list is in stacking order like a document's.
class TModel {
 public:
  ~TModel()
  {
    for (auto it = list.rbegin(); it != list.rend(); ++it)
      delete *it;
  }
  TCluster* AddCluster(int variant, double x, double y, double w, double h)
  {
    auto* cluster = new TCluster;
    cluster->ShapeVariant = static_cast<std::uint8_t>(variant);
    cluster->X = x;
    cluster->Y = y;
    cluster->Width = w;
    cluster->Height = h;
    cluster->Outline = MakeShapeOutline(okCluster, variant, w, h);
    list.push_back(cluster);
    return cluster;
  }
  TCogi* AddCogi(double x, double y, int variant = 7)
  {
    auto* cogi = new TCogi;
    cogi->X = x;
    cogi->Y = y;
    cogi->SetShape(variant, kCogiSmall);
    list.push_back(cogi);
    return cogi;
  }
  void Remove(CGPObject* object)
  {
    list.erase(std::find(list.begin(), list.end(), object));
    delete object;
  }
  TObjectList list;
};

TMeasureCanvas ModelCanvas()
{
  return TMeasureCanvas(kModelPixelsPerInch, kModelPixelsPerInch);
}

QRegion UnionOf(TCanvas& canvas, const std::vector<TClusteredObject*>& members)
{
  QRegion united;
  for (TClusteredObject* member : members)
    united += member->CreateRegion(canvas, 0, 0, 100);
  return united;
}

}  // namespace

TEST(Cluster, ObjectsOnAClusterAndAboveItBecomeMembers)
{
  TModel model;
  TCogi* below = model.AddCogi(4, 4);
  TCluster* lower = model.AddCluster(0, 4, 4, 5, 5);
  TCluster* upper = model.AddCluster(3, 5, 4, 3, 3);
  TCogi* onBoth = model.AddCogi(5, 4);
  TCogi* onLower = model.AddCogi(2.5, 4);
  TCogi* outside = model.AddCogi(12, 12);
  for (CGPObject* object : model.list)
    object->Recalculate(&model.list, true);

  // The nearer cluster below wins; an object below a cluster never joins it.
  EXPECT_EQ(onBoth->Cluster, upper);
  EXPECT_EQ(onLower->Cluster, lower);
  EXPECT_EQ(below->Cluster, nullptr);
  EXPECT_EQ(outside->Cluster, nullptr);
  EXPECT_EQ(upper->Members, (std::vector<TClusteredObject*>{onBoth}));
  EXPECT_EQ(lower->Members, (std::vector<TClusteredObject*>{onLower}));
  // A cluster is never a member, even lying on another.
  EXPECT_EQ(upper->Cluster, nullptr);
  TCluster::AddToCluster(upper, lower);
  EXPECT_EQ(upper->Cluster, nullptr);
  EXPECT_EQ(lower->Members.size(), 1u);

  // Moved off, a member leaves when refreshed; moved onto the other cluster, it changes.
  onLower->MoveTo(&model.list, 12, 4);
  onLower->Recalculate(&model.list, false);
  EXPECT_EQ(onLower->Cluster, nullptr);
  EXPECT_TRUE(lower->Members.empty());
  onBoth->MoveTo(&model.list, 2.5, 4);
  onBoth->Recalculate(&model.list, false);
  EXPECT_EQ(onBoth->Cluster, lower);
  EXPECT_TRUE(upper->Members.empty());

  // Refreshing a cluster gathers the free objects above it anew.
  onLower->MoveTo(&model.list, 5.5, 4);
  upper->Recalculate(&model.list, true);
  EXPECT_EQ(upper->Members, (std::vector<TClusteredObject*>{onLower}));
  EXPECT_EQ(onBoth->Cluster, lower);  // already in a cluster: not taken
}

TEST(Cluster, MovingAClusterCarriesItsUnselectedMembers)
{
  TModel model;
  TCluster* cluster = model.AddCluster(0, 4, 4, 6, 6);
  TCogi* carried = model.AddCogi(3, 4);
  TCogi* selected = model.AddCogi(5, 4);
  cluster->Recalculate(&model.list, true);
  ASSERT_EQ(cluster->Members.size(), 2u);
  selected->Selected = true;
  cluster->MoveTo(&model.list, 5, 6);
  EXPECT_EQ(cluster->X, 5);
  EXPECT_EQ(cluster->Y, 6);
  EXPECT_EQ(carried->X, 4);
  EXPECT_EQ(carried->Y, 6);
  // The selection move moves the selected member itself.
  EXPECT_EQ(selected->X, 5);
  EXPECT_EQ(selected->Y, 4);
}

TEST(Cluster, FittingEnclosesTheMembersWithTheMargin)
{
  TMeasureCanvas measure = ModelCanvas();
  TCanvas& canvas = measure.Canvas();
  for (int margin = 0; margin <= 2; ++margin) {
    SCOPED_TRACE(margin);
    TModel model;
    TCluster* cluster = model.AddCluster(3, 5, 5, 8, 8);
    cluster->FitMembers = true;
    cluster->ClusterMargin = static_cast<std::uint8_t>(margin);
    TCogi* a = model.AddCogi(3, 4);
    TCogi* b = model.AddCogi(6, 5.5);
    cluster->Recalculate(&model.list, true);
    ASSERT_EQ(cluster->Members.size(), 2u);
    const double m = cluster->MarginInches();
    EXPECT_DOUBLE_EQ(m, margin == 0 ? 0.25 : margin == 1 ? 1.0 : 2.0);
    const QRect box = UnionOf(canvas, cluster->Members).boundingRect();
    // Centred on the mean of the members' centres, as wide as their union plus the margin.
    EXPECT_DOUBLE_EQ(cluster->X, 4.5);
    EXPECT_DOUBLE_EQ(cluster->Y, 4.75);
    EXPECT_NEAR(cluster->Width, box.width() / canvas.DpiX() + 2 * m, 1e-9);
    EXPECT_NEAR(cluster->Height, box.height() / canvas.DpiY() + 2 * m, 1e-9);
    EXPECT_EQ(cluster->Outline, MakeShapeOutline(okCluster, 3, cluster->Width, cluster->Height));
    const QRegion body = cluster->CreateRegion(canvas, 0, 0, 100);
    EXPECT_TRUE(UnionOf(canvas, cluster->Members).subtracted(body).isEmpty());
    EXPECT_EQ(cluster->Anchors.size(), 16u);

    // A member that leaves makes the cluster close up around the rest.
    const double before = cluster->Width;
    b->MoveTo(&model.list, 20, 20);
    b->Recalculate(&model.list, false);
    EXPECT_EQ(cluster->Members, (std::vector<TClusteredObject*>{a}));
    EXPECT_LT(cluster->Width, before);
    EXPECT_DOUBLE_EQ(cluster->X, 3);
  }

  // Without FitMembers the outline stays as it was drawn.
  TModel model;
  TCluster* cluster = model.AddCluster(0, 5, 5, 8, 8);
  model.AddCogi(3, 4);
  cluster->Recalculate(&model.list, true);
  EXPECT_EQ(cluster->Members.size(), 1u);
  EXPECT_EQ(cluster->Width, 8);
  EXPECT_EQ(cluster->Outline, MakeShapeOutline(okCluster, 0, 8, 8));
}

TEST(Cluster, AFreeFormClusterKeepsTheMarginAlongEveryRay)
{
  TMeasureCanvas measure = ModelCanvas();
  TCanvas& canvas = measure.Canvas();
  TModel model;
  TCluster* cluster = model.AddCluster(0, 5, 5, 9, 9);
  cluster->ShapeVariant = kCogiVariantFree;
  cluster->FitMembers = true;
  cluster->ClusterMargin = 0;  // a quarter inch
  model.AddCogi(3.5, 4);
  model.AddCogi(6, 4.5);
  model.AddCogi(4.5, 6.5);
  cluster->Recalculate(&model.list, true);
  ASSERT_EQ(cluster->Members.size(), 3u);
  const TModelPoint centre{14.0 / 3.0, 5.0};
  const QRegion united = UnionOf(canvas, cluster->Members);
  ASSERT_GE(cluster->Outline.size(), 4u);
  EXPECT_EQ(cluster->Outline.front().End(), cluster->Outline.back().End());
  for (const TSegment& s : cluster->Outline) {
    // Each corner stands a quarter inch beyond the point where its ray met the members.
    const TModelPoint v{cluster->X + s.Ex, cluster->Y + s.Ey};
    const double bearing = Bearing(centre, v);
    const TModelPoint hit = PointAt(centre, Distance(centre, v) - 0.25, bearing);
    EXPECT_TRUE(united.contains(canvas.ToPixel(hit.X, hit.Y, 0, 0, 100)));
    EXPECT_FALSE(united.contains(canvas.ToPixel(v.X, v.Y, 0, 0, 100)));
    EXPECT_NEAR(std::fmod(bearing + 0.5, 20.0), 0.5, 1e-6);  // on one of the 20-degree rays
  }
  // The shape is re-centred on its own box.
  double left = 1e9, right = -1e9;
  for (const TSegment& s : cluster->Outline) {
    left = std::min(left, s.Ex);
    right = std::max(right, s.Ex);
  }
  EXPECT_NEAR(left + right, 0.0, 1e-9);
  EXPECT_NEAR(right - left, cluster->Width, 1e-9);
}

TEST(Cluster, AFitThatFindsTooFewPointsKeepsThePreviousOutline)
{
  TModel model;
  TCluster* cluster = model.AddCluster(0, 5, 5, 6, 6);
  cluster->ShapeVariant = kCogiVariantFree;
  cluster->FitMembers = true;
  const TOutline drawn = cluster->Outline;
  // A member without area: no ray meets it.
  TCogi* speck = model.AddCogi(5, 5, 3);
  speck->CogiSize = kCogiFreeSize;
  speck->Width = 0;
  speck->Height = 0;
  speck->Outline.clear();
  TCluster::AddToCluster(speck, cluster);
  TMeasureCanvas measure = ModelCanvas();
  cluster->FitToMembers(measure.Canvas(), model.list, 100, 0, 0);
  EXPECT_EQ(cluster->Outline, drawn);
  EXPECT_EQ(cluster->X, 5);
  EXPECT_EQ(cluster->Y, 5);

  // Two small members far apart on a line through the centre are met only by the rays at
  // 90 and 270 degrees: two points make no figure.
  speck->Width = 0.3;
  speck->Height = 0.3;
  speck->X = 3.5;
  speck->Outline = MakeShapeOutline(okCogi, 3, 0.3, 0.3);
  TCogi* other = model.AddCogi(6.5, 5, 3);
  other->CogiSize = kCogiFreeSize;
  other->Width = 0.3;
  other->Height = 0.3;
  other->Outline = speck->Outline;
  TCluster::AddToCluster(other, cluster);
  cluster->FitToMembers(measure.Canvas(), model.list, 100, 0, 0);
  EXPECT_EQ(cluster->Outline, drawn);
  EXPECT_EQ(cluster->Width, 6);
  EXPECT_EQ(cluster->X, 5);
  // The layout is refreshed in every case: a free-form cluster anchors on its vertices.
  EXPECT_EQ(cluster->Anchors.size(), drawn.size() - 1);
}

TEST(Cluster, DisposingObjectsFreesOnlyTheirMembership)
{
  TModel model;
  TCluster* cluster = model.AddCluster(0, 4, 4, 6, 6);
  TCogi* a = model.AddCogi(3, 4);
  TCogi* b = model.AddCogi(5, 4);
  TCogi* loose = model.AddCogi(15, 4);
  cluster->Recalculate(&model.list, true);
  ASSERT_EQ(cluster->Members.size(), 2u);

  // Objects in no cluster leave every cluster alone, however they are asked.
  TCluster::RemoveFromCluster(loose, nullptr);
  TCluster::RemoveFromCluster(loose, cluster);
  EXPECT_EQ(cluster->Members.size(), 2u);
  model.Remove(loose);
  EXPECT_EQ(cluster->Members.size(), 2u);

  model.Remove(a);
  EXPECT_EQ(cluster->Members, (std::vector<TClusteredObject*>{b}));
  model.Remove(cluster);
  EXPECT_EQ(b->Cluster, nullptr);
  b->Recalculate(&model.list, true);  // no dangling cluster to reach
  EXPECT_EQ(b->Cluster, nullptr);
}

TEST(Cluster, NumberMembersCountsInReadingOrder)
{
  TModel model;
  TCluster* cluster = model.AddCluster(3, 3, 2, 6, 4);
  cluster->NumberMembers = true;
  // Screen boxes with (top, left) = (1.0, 2), (1.0, 1) and (0.5, 3) inches.
  std::vector<TCogi*> members;
  for (auto [left, top] : {std::pair{2.0, 1.0}, {1.0, 1.0}, {3.0, 0.5}}) {
    TCogi* cogi = model.AddCogi(left + 0.3125, top + 0.3125, 3);
    cogi->Number = 99;
    members.push_back(cogi);
  }
  // Overlapping neighbours still count separately.
  for (TCogi* cogi : members) {
    cogi->Width = 0.625;
    cogi->Height = 0.625;
    cogi->CogiSize = kCogiFreeSize;
    cogi->Outline = MakeShapeOutline(okCogi, 3, 0.625, 0.625);
  }
  cluster->Recalculate(&model.list, true);
  ASSERT_EQ(cluster->Members.size(), 3u);
  QImage image(800, 600, QImage::Format_RGB32);
  QPainter painter(&image);
  TCanvas canvas(painter, 96, 96);
  cluster->Draw(canvas, false, 0, 0, 100);
  EXPECT_EQ(members[0]->Number, 3);
  EXPECT_EQ(members[1]->Number, 2);
  EXPECT_EQ(members[2]->Number, 1);
}

TEST(Cluster, KeepsItsTextBoxAndStreamsItsOptions)
{
  TCluster cluster;
  cluster.ShapeVariant = 16;
  cluster.Width = 3;
  cluster.Height = 2;
  cluster.Outline = MakeShapeOutline(okCluster, 16, 3, 2);
  cluster.Recalculate(nullptr, true);
  EXPECT_EQ(cluster.TextOffsetY, -0.375);
  EXPECT_EQ(cluster.TextWidth, 0.8);
  EXPECT_EQ(cluster.TextHeight, 0.25);
  EXPECT_EQ(cluster.NumberY, -0.42);
  EXPECT_EQ(cluster.Anchors.size(), 16u);  // octagon: vertices and midpoints
  EXPECT_EQ(cluster.KindCode(), 9);
  EXPECT_EQ(cluster.ClassDisplayName(), QStringLiteral("Cluster"));

  cluster.NumberMembers = true;
  cluster.ClusterMargin = 2;
  cluster.FitMembers = true;
  cluster.SeeThrough = true;
  cluster.TextOffsetX = 0.1;
  QByteArray bytes;
  TBinaryWriter writer(bytes);
  cluster.SaveToStream(writer);
  // A Cogi-shaped record and four option bytes.
  EXPECT_EQ(bytes.size(), 145 + 52 * 9 + 4);
  TBinaryReader reader(bytes);
  EXPECT_EQ(reader.ReadInt32(), 9);
  TCluster copy;
  copy.LoadFromStream(reader);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_TRUE(copy.NumberMembers);
  EXPECT_EQ(copy.ClusterMargin, 2);
  EXPECT_TRUE(copy.FitMembers);
  EXPECT_TRUE(copy.SeeThrough);
  EXPECT_EQ(copy.ShapeVariant, 16);
  EXPECT_EQ(copy.TextOffsetX, 0.1);
  EXPECT_EQ(copy.Outline, cluster.Outline);
}

TEST(Cluster, TheTextBoxHandleIsHandleNine)
{
  TCluster cluster;
  cluster.X = 3;
  cluster.Y = 3;
  cluster.Width = 4;
  cluster.Height = 2;
  cluster.Outline = MakeShapeOutline(okCluster, 0, 4, 2);
  cluster.Selected = true;
  QImage image(600, 600, QImage::Format_RGB32);
  QPainter painter(&image);
  TCanvas canvas(painter, 96, 96);
  QRegion handles;
  cluster.DrawSelection(canvas, 0, handles, true, 0, 0, 100);
  EXPECT_TRUE(cluster.HandleRegions[8].isEmpty());  // no text, nothing to move
  cluster.Text = "{\\rtf1 Group}";
  cluster.DrawSelection(canvas, 0, handles, true, 0, 0, 100);
  // Top-left corner of the text box: centre + (-0.4 * 4, -0.375 * 2 - 0.25 * 2 / 2).
  const QPoint corner = canvas.ToPixel(3 - 1.6, 3 - 0.75 - 0.25, 0, 0, 100);
  EXPECT_TRUE(cluster.HandleRegions[8].contains(corner));
  EXPECT_TRUE(handles.contains(corner));
  EXPECT_EQ(image.pixel(corner), QColor(Qt::yellow).rgb());
  // Not while rotating.
  cluster.DrawSelection(canvas, opRotateReady, handles, true, 0, 0, 100);
  EXPECT_TRUE(cluster.HandleRegions[8].isEmpty());
  EXPECT_FALSE(cluster.HandleRegions[3].isEmpty());  // four round handles
  EXPECT_TRUE(cluster.HandleRegions[4].isEmpty());
}

TEST(Cluster, AHugeClusterFromADamagedFileStillFindsItsMembersQuickly)
{
  // Thousands of inches across at 100 %: far past what whole pixel regions can hold.
  TModel model;
  TCluster* cluster = model.AddCluster(kCogiVariantHexagon, 3000, 3000, 6000, 6000);
  TCogi* inside = model.AddCogi(3000, 3000);
  TCogi* beyondEdge = model.AddCogi(2990, 1);  // above the slanted top edge
  TCogi* onEdge = model.AddCogi(3000, 0.2);    // across the top point
  cluster->Recalculate(&model.list, true);
  EXPECT_EQ(inside->Cluster, cluster);
  EXPECT_EQ(onEdge->Cluster, cluster);
  EXPECT_EQ(beyondEdge->Cluster, nullptr);
  // Fitting around members bounds their regions too.
  cluster->FitMembers = true;
  cluster->ShapeVariant = kCogiVariantFree;
  cluster->GatherMembers(model.list);
  EXPECT_EQ(cluster->Members.size(), 2u);
  EXPECT_NEAR(cluster->X, 3000, 1.0);
}

TEST(Cluster, RefreshingAMovedSelectionAtOnceGivesWhatRefreshingEachObjectGives)
{
  // Two clusters with members and a free object; then the first cluster lands on the free
  // object, one member crosses to the other cluster and one leaves it.
  const auto build = [](TModel& m) {
    m.AddCluster(0, 3, 3, 4, 4);
    m.AddCluster(0, 10, 3, 4, 4);
    m.AddCogi(2.5, 3);
    m.AddCogi(3.5, 3);
    m.AddCogi(10, 3);
    m.AddCogi(20, 20);
    for (CGPObject* object : m.list)
      object->Recalculate(&m.list, true);
    m.list[0]->X = m.list[0]->Y = 20;
    m.list[3]->X = 10.5;
    m.list[4]->X = m.list[4]->Y = 30;
    return std::vector<CGPObject*>{m.list[0], m.list[3], m.list[4]};
  };
  const auto memberships = [](const TModel& m) {
    std::vector<std::vector<int>> result;
    for (CGPObject* object : m.list) {
      std::vector<int> entry;
      if (auto* cluster = dynamic_cast<TCluster*>(object))
        for (TClusteredObject* member : cluster->Members)
          entry.push_back(
              static_cast<int>(std::find(m.list.begin(), m.list.end(), member) - m.list.begin()));
      result.push_back(entry);
    }
    return result;
  };
  TModel each;
  for (CGPObject* object : build(each))
    object->Recalculate(&each.list, false);
  TModel atOnce;
  ASSERT_TRUE(TCluster::RefreshMemberships(atOnce.list, build(atOnce)));
  EXPECT_EQ(memberships(atOnce), memberships(each));
  // What the scene was built to show.
  EXPECT_EQ(memberships(atOnce)[0], std::vector<int>{5});
  EXPECT_EQ(memberships(atOnce)[1], (std::vector<int>{3}));

  // A cluster that fits itself to its members changes shape as members come: one by one.
  TModel fitting;
  build(fitting);
  static_cast<TCluster*>(fitting.list[1])->FitMembers = true;
  EXPECT_FALSE(TCluster::RefreshMemberships(fitting.list, {fitting.list[3]}));
}
