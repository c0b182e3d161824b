#include "platform/memorypolicy.h"

#include <cstdint>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

#if defined(__GLIBC__)
constexpr std::size_t kMegabyte = 1024 * 1024;
constexpr std::uintptr_t kLargePage = 2 * kMegabyte;
// How much heap is laid out on large pages at the start: untouched, it costs nothing.
constexpr std::size_t kLargePageHeap = 256 * kMegabyte;
// The C library's own padding, restored once the heap has been laid out.
constexpr int kDefaultTopPad = 128 * 1024;

// Grows the heap once by kLargePageHeap and asks for large pages over the new part. Pages are
// given when touched, so a small model uses no more memory than before.
void LayOutHeapOnLargePages()
{
  mallopt(M_TOP_PAD, static_cast<int>(kLargePageHeap));
  auto* const before = static_cast<char*>(sbrk(0));
  // More than the free top of the heap holds, so that the heap must grow.
  // (Kept in a volatile, or the compiler drops the malloc and free as having no effect.)
  void* volatile grow = malloc(mallinfo2().keepcost + kMegabyte);
  auto* const after = static_cast<char*>(sbrk(0));
  free(grow);
  mallopt(M_TOP_PAD, kDefaultTopPad);
  if (before == reinterpret_cast<char*>(-1) || after <= before) return;
  const std::uintptr_t first =
      (reinterpret_cast<std::uintptr_t>(before) + kLargePage - 1) & ~(kLargePage - 1);
  const std::uintptr_t last = reinterpret_cast<std::uintptr_t>(after) & ~(kLargePage - 1);
  // Where large pages are never given, the request fails and nothing changes.
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}
#endif

}  // namespace

void TMemoryPolicy::Apply()
{
#if defined(__GLIBC__)
  // Blocks up to 128 MB come from the heap; up to 512 MB freed at its top stay for reuse (the
  // laid-out heap among them), so a picture or model far larger is still given back.
  mallopt(M_MMAP_THRESHOLD, 128 * static_cast<int>(kMegabyte));
  mallopt(M_TRIM_THRESHOLD, 512 * static_cast<int>(kMegabyte));
  LayOutHeapOnLargePages();
#endif
}

void TMemoryPolicy::GiveBack()
{
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}
