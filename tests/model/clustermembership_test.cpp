#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "model/cluster.h"
#include "model/cogi.h"
#include "model/outlines/shapegenerator.h"
#include "platform/measurecanvas.h"

namespace {

using TOwned = std::vector<std::unique_ptr<CGPObject>>;

TCluster* AddCluster(TOwned& owned, TObjectList& list, double x, double y)
{
  auto cluster = std::make_unique<TCluster>();
  cluster->X = x;
  cluster->Y = y;
  list.push_back(cluster.get());
  owned.push_back(std::move(cluster));
  return static_cast<TCluster*>(list.back());
}

// Gives a cluster its outline once its size and variant are set.
void Shape(TCluster* cluster, int variant)
{
  cluster->ShapeVariant = static_cast<std::uint8_t>(variant);
  cluster->Outline = MakeShapeOutline(okCluster, variant, cluster->Width, cluster->Height);
}

TCogi* AddCogi(TOwned& owned, TObjectList& list, double x, double y, int variant)
{
  auto cogi = std::make_unique<TCogi>();
  cogi->X = x;
  cogi->Y = y;
  cogi->SetShape(variant, 0);
  list.push_back(cogi.get());
  owned.push_back(std::move(cogi));
  return static_cast<TCogi*>(list.back());
}

}  // namespace

// The last round is long enough for the list to be shared out among threads.
TEST(ClusterMembership, AssigningAWholeListMatchesRefreshingInOrder)
{
  std::mt19937 random(7);
  for (int round = 0; round < 6; ++round) {
    const int count = round == 5 ? 2400 : 120;
    std::uniform_real_distribution<double> position(0, round == 5 ? 120 : 30);
    TOwned owned;
    TObjectList list;
    for (int i = 0; i < count; ++i) {
      const double x = position(random);
      const double y = position(random);
      if (i % 6 == 0) {
        TCluster* cluster = AddCluster(owned, list, x, y);
        cluster->Width = 3 + i % 4;
        cluster->Height = 2.5;
        if (round == 4 && i == 0) {
          // Far wider than the region built for a whole cluster: tested near each member.
          cluster->Width = 40;
          cluster->Height = 30;
        }
        Shape(cluster, i % 12 == 0 ? 11 : 9);
      } else {
        AddCogi(owned, list, x, y, i % 17);
      }
    }
    // In list order, one object at a time.
    for (CGPObject* object : list)
      object->Recalculate(&list, true);
    std::vector<CGPObject*> sequential;
    for (CGPObject* object : list)
      if (auto* member = dynamic_cast<TClusteredObject*>(object))
        sequential.push_back(member->Cluster);

    TCluster::AssignMemberships(list);
    std::size_t k = 0;
    int joined = 0;
    for (CGPObject* object : list)
      if (auto* member = dynamic_cast<TClusteredObject*>(object)) {
        EXPECT_EQ(member->Cluster, sequential[k++]) << "round " << round;
        joined += member->Cluster != nullptr;
      }
    EXPECT_GT(joined, 3);
    // Every member is listed by its cluster exactly once.
    for (CGPObject* object : list)
      if (auto* cluster = dynamic_cast<TCluster*>(object))
        for (TClusteredObject* member : cluster->Members) {
          EXPECT_EQ(member->Cluster, cluster);
          EXPECT_EQ(std::count(cluster->Members.begin(), cluster->Members.end(), member), 1);
        }
  }
}

TEST(ClusterMembership, MembersJoinTheTopmostEarlierClusterTheirRegionMeets)
{
  // Checked against the plain definition: whole regions at 100 % meet, whatever shortcut the
  // assignment takes for members deep inside a cluster.
  std::mt19937 random(11);
  std::uniform_real_distribution<double> position(0, 12);
  TOwned owned;
  TObjectList list;
  for (int i = 0; i < 150; ++i) {
    const double x = position(random);
    const double y = position(random);
    if (i % 10 == 0) {
      TCluster* cluster = AddCluster(owned, list, x, y);
      cluster->Width = 2 + i % 5;
      cluster->Height = 1.5 + i % 3;
      cluster->Angle = (i % 30 == 0) ? 35 : 0;
      cluster->FitMembers = false;
      Shape(cluster, i % 20 == 0 ? 11 : 9);
    } else {
      TCogi* cogi = AddCogi(owned, list, x, y, i % 17);
      cogi->Angle = (i % 7) * 20;
      if (i % 4 == 0) cogi->FillStyle = 1;  // clear: only the band around the line hits
    }
  }
  for (CGPObject* object : list)
    object->Recalculate(&list, false);
  TCluster::AssignMemberships(list);

  TMeasureCanvas measure(96, 96);
  int joined = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    auto* member = dynamic_cast<TCogi*>(list[i]);
    if (!member) continue;
    const QRegion own = member->CreateRegion(measure.Canvas(), 0, 0, 100);
    TCluster* expected = nullptr;
    for (std::size_t k = i; k-- > 0;)
      if (auto* cluster = dynamic_cast<TCluster*>(list[k]);
          cluster && cluster->CreateRegion(measure.Canvas(), 0, 0, 100).intersects(own)) {
        expected = cluster;
        break;
      }
    EXPECT_EQ(member->Cluster, expected) << "object " << i;
    joined += expected != nullptr;
  }
  EXPECT_GT(joined, 20);
}
