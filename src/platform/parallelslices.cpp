#include "platform/parallelslices.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <vector>

namespace {
// More threads than this buy nothing for work of a few milliseconds per slice.
constexpr std::size_t kMaxSlices = 8;
}  // namespace

std::size_t TParallelSlices::SliceCount(std::size_t count, std::size_t minimum)
{
  const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
  const std::size_t bySize = count / std::max<std::size_t>(1, minimum);
  return std::clamp<std::size_t>(std::min({cores, bySize, kMaxSlices}), 1, kMaxSlices);
}

void TParallelSlices::Run(std::size_t count, std::size_t minimum, const TWork& work)
{
  if (count == 0) return;
  const std::size_t slices = SliceCount(count, minimum);
  const auto bound = [&](std::size_t slice) { return count * slice / slices; };
  std::vector<std::exception_ptr> failures(slices);
  const auto runSlice = [&](std::size_t slice) {
    try {
      work(bound(slice), bound(slice + 1), slice);
    } catch (...) {
      failures[slice] = std::current_exception();
    }
  };
  std::vector<std::thread> helpers;
  for (std::size_t slice = 1; slice < slices; ++slice)
    helpers.emplace_back(runSlice, slice);
  runSlice(0);
  for (std::thread& helper : helpers)
    helper.join();
  for (const std::exception_ptr& failure : failures)
    if (failure) std::rethrow_exception(failure);
}
