#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "model/cluster.h"
#include "model/cogi.h"
#include "model/shapegenerator.h"
#include "platform/measurecanvas.h"

TEST(ClusterMembership, AssigningAWholeListMatchesRefreshingInOrder)
{
  std::mt19937 random(7);
  std::uniform_real_distribution<double> position(0, 30);
  for (int round = 0; round < 5; ++round) {
    std::vector<std::unique_ptr<CGPObject>> owned;
    TObjectList list;
    for (int i = 0; i < 120; ++i) {
      if (i % 6 == 0) {
        auto cluster = std::make_unique<TCluster>();
        cluster->X = position(random);
        cluster->Y = position(random);
        cluster->Width = 3 + i % 4;
        cluster->Height = 2.5;
        if (round == 4 && i == 0) {
          // Far wider than the region built for a whole cluster: tested near each member.
          cluster->Width = 40;
          cluster->Height = 30;
        }
        cluster->ShapeVariant = static_cast<std::uint8_t>(i % 12 == 0 ? 11 : 9);
        cluster->Outline = MakeShapeOutline(9, cluster->ShapeVariant, cluster->Width, cluster->Height);
        list.push_back(cluster.get());
        owned.push_back(std::move(cluster));
      } else {
        auto cogi = std::make_unique<TCogi>();
        cogi->X = position(random);
        cogi->Y = position(random);
        cogi->SetShape(i % 17, 0);
        list.push_back(cogi.get());
        owned.push_back(std::move(cogi));
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
  std::vector<std::unique_ptr<CGPObject>> owned;
  TObjectList list;
  for (int i = 0; i < 150; ++i) {
    if (i % 10 == 0) {
      auto cluster = std::make_unique<TCluster>();
      cluster->X = position(random);
      cluster->Y = position(random);
      cluster->Width = 2 + i % 5;
      cluster->Height = 1.5 + i % 3;
      cluster->ShapeVariant = static_cast<std::uint8_t>(i % 20 == 0 ? 11 : 9);
      cluster->Angle = (i % 30 == 0) ? 35 : 0;
      cluster->FitMembers = false;
      cluster->Outline = MakeShapeOutline(9, cluster->ShapeVariant, cluster->Width, cluster->Height);
      list.push_back(cluster.get());
      owned.push_back(std::move(cluster));
    } else {
      auto cogi = std::make_unique<TCogi>();
      cogi->X = position(random);
      cogi->Y = position(random);
      cogi->SetShape(i % 17, 0);
      cogi->Angle = (i % 7) * 20;
      if (i % 4 == 0) cogi->FillStyle = 1;  // clear: only the band around the line hits
      list.push_back(cogi.get());
      owned.push_back(std::move(cogi));
    }
  }
  for (CGPObject* object : list) object->Recalculate(&list, false);
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
