#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "model/arrow.h"
#include "model/cogi.h"

namespace {

struct TEnds {
  double FromX, FromY, ToX, ToY;
  friend bool operator==(const TEnds&, const TEnds&) = default;
};

std::vector<TEnds> EndsOf(const std::vector<TArrow*>& arrows)
{
  std::vector<TEnds> ends;
  for (const TArrow* a : arrows)
    ends.push_back({a->FromX, a->FromY, a->ToX, a->ToY});
  return ends;
}

void SetEnds(const std::vector<TArrow*>& arrows, const std::vector<TEnds>& ends)
{
  for (std::size_t i = 0; i < arrows.size(); ++i) {
    arrows[i]->FromX = ends[i].FromX;
    arrows[i]->FromY = ends[i].FromY;
    arrows[i]->ToX = ends[i].ToX;
    arrows[i]->ToY = ends[i].ToY;
  }
}

}  // namespace

// The larger model has enough arrows for them to be placed on several threads at once.
class ArrowRefresh : public testing::TestWithParam<int> {};

TEST_P(ArrowRefresh, OnePassOverAWholeModelEndsAsRefreshingEachCarrierInTurn)
{
  const int scale = GetParam();
  std::mt19937 random(5);
  std::uniform_real_distribution<double> place(0, 20.0 * scale);
  std::uniform_int_distribution<int> anchor(-1, 16);
  std::vector<std::unique_ptr<CGPObject>> owned;
  TObjectList list;
  std::vector<TArrow*> arrows;
  const int cogis = 60 * scale;
  for (int i = 0; i < cogis; ++i) {
    auto cogi = std::make_unique<TCogi>();
    cogi->X = place(random);
    cogi->Y = place(random);
    cogi->SetShape(i % 17, 0);
    cogi->Angle = (i % 5) * 25;
    list.push_back(cogi.get());
    owned.push_back(std::move(cogi));
  }
  // Arrows between hexagons, free at one end, and in chains of arrows on arrows.
  for (int i = 0; i < 50 * scale * scale / 2 + 25; ++i) {
    auto arrow = std::make_unique<TArrow>();
    arrow->FromX = place(random);
    arrow->FromY = place(random);
    arrow->ToX = place(random);
    arrow->ToY = place(random);
    arrow->ChordHeight = i % 3 == 0 ? 0.8 : 0.0;
    CGPObject* from = list[random() % cogis];
    CGPObject* to = i >= 10 && i % 2 == 0
                        ? static_cast<CGPObject*>(arrows[random() % arrows.size()])
                        : list[random() % cogis];
    TArrow::AttachArrowEnd(from, arrow.get(), anchor(random), TArrowEnd::Start);
    if (i % 7 != 0) TArrow::AttachArrowEnd(to, arrow.get(), anchor(random), TArrowEnd::Finish);
    arrows.push_back(arrow.get());
    list.push_back(arrow.get());
    owned.push_back(std::move(arrow));
  }
  // The objects move without telling their arrows, as a model just read from a file.
  for (int i = 0; i < cogis; ++i)
    list[i]->X += 1.5;
  const std::vector<TEnds> stale = EndsOf(arrows);

  for (CGPObject* object : list)
    if (!object->AttachedArrows.empty()) object->UpdateAttachedArrows(&list);
  const std::vector<TEnds> inTurn = EndsOf(arrows);
  EXPECT_NE(inTurn, stale);

  SetEnds(arrows, stale);
  CGPObject::UpdateArrowsAttachedTo(list, &list);
  EXPECT_EQ(EndsOf(arrows), inTurn);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ArrowRefresh, testing::Values(1, 10));
