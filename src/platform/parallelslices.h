// Runs one piece of work over a range of indexes on every core, in slices of the range.
#pragma once

#include <cstddef>
#include <functional>

class TParallelSlices {
 public:
  // work(begin, end, slice) for consecutive slices covering [0, count), slice 0 first; a slice
  // holds at least `minimum` indexes, so short ranges stay on the calling thread, which always
  // takes one slice itself. The first exception a slice throws is thrown again once every
  // slice has ended.
  using TWork = std::function<void(std::size_t begin, std::size_t end, std::size_t slice)>;
  static void Run(std::size_t count, std::size_t minimum, const TWork& work);
  // How many slices Run makes of the range.
  static std::size_t SliceCount(std::size_t count, std::size_t minimum);
};
