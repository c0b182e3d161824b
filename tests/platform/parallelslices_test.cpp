#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "platform/parallelslices.h"

// Work shared out over the cores must still see every index exactly once, in slices that
// follow each other; a failing slice must neither be lost nor leave others running.
TEST(ParallelSlices, EveryIndexOnceInConsecutiveSlicesAndAFailureThrownAfterAll)
{
  constexpr std::size_t kCount = 10007;
  std::vector<std::atomic<int>> seen(kCount);
  std::mutex mutex;
  std::vector<std::pair<std::size_t, std::size_t>> slices;
  TParallelSlices::Run(kCount, 100, [&](std::size_t begin, std::size_t end, std::size_t slice) {
    for (std::size_t i = begin; i < end; ++i)
      ++seen[i];
    const std::lock_guard lock(mutex);
    if (slices.size() <= slice) slices.resize(slice + 1);
    slices[slice] = {begin, end};
  });
  for (std::size_t i = 0; i < kCount; ++i)
    ASSERT_EQ(seen[i], 1) << "index " << i;
  ASSERT_EQ(slices.size(), TParallelSlices::SliceCount(kCount, 100));
  EXPECT_EQ(slices.front().first, 0u);
  EXPECT_EQ(slices.back().second, kCount);
  for (std::size_t s = 1; s < slices.size(); ++s)
    EXPECT_EQ(slices[s].first, slices[s - 1].second);
  // A range shorter than two slices' minimum stays whole.
  EXPECT_EQ(TParallelSlices::SliceCount(150, 100), 1u);

  std::atomic<int> finished{0};
  const std::size_t count = TParallelSlices::SliceCount(kCount, 10);
  EXPECT_THROW(TParallelSlices::Run(kCount, 10,
                                    [&](std::size_t, std::size_t, std::size_t slice) {
                                      if (slice + 1 == count) throw std::runtime_error("last");
                                      ++finished;
                                    }),
               std::runtime_error);
  EXPECT_EQ(finished, static_cast<int>(count) - 1);
}
