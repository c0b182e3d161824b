#include <gtest/gtest.h>

#include <unistd.h>
#include <QFile>
#include <cstdlib>

#include "platform/memorypolicy.h"

namespace {

// The VmFlags line of the mapping that holds the address, from the process's own map.
QByteArray FlagsOfMappingHolding(const void* address)
{
  QFile smaps(QStringLiteral("/proc/self/smaps"));
  if (!smaps.open(QIODevice::ReadOnly)) return {};
  const auto at = reinterpret_cast<quintptr>(address);
  bool inside = false;
  for (const QByteArray& line : smaps.readAll().split('\n')) {
    const qsizetype dash = line.indexOf('-');
    const qsizetype space = line.indexOf(' ');
    if (dash > 0 && space > dash && !line.startsWith("VmFlags")) {
      bool ok1 = false;
      bool ok2 = false;
      const quintptr from = line.left(dash).toULongLong(&ok1, 16);
      const quintptr to = line.mid(dash + 1, space - dash - 1).toULongLong(&ok2, 16);
      if (ok1 && ok2) inside = from <= at && at < to;
    } else if (inside && line.startsWith("VmFlags")) {
      return line;
    }
  }
  return {};
}

}  // namespace

// A serialised model of tens of megabytes must come from the heap that was laid out, not
// from pages mapped afresh for it, and that heap must ask for large pages where the system
// gives them on request.
TEST(MemoryPolicy, LargeBlocksComeFromTheHeapLaidOutOnLargePages)
{
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer's allocator stands in for the C library's";
#endif
  TMemoryPolicy::Apply();
  constexpr std::size_t kBlock = 48 * 1024 * 1024;
  void* volatile block = std::malloc(kBlock);
  ASSERT_NE(block, nullptr);
  const auto* start = static_cast<const char*>(block);
  EXPECT_LE(start + kBlock, static_cast<const char*>(sbrk(0))) << "the block was mapped apart";
  // Its first pages may lie before the first whole large page.
  const char* middle = start + kBlock / 2;
  QFile mode(QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled"));
  if (mode.open(QIODevice::ReadOnly) && mode.readAll().contains("[madvise]")) {
    EXPECT_TRUE(FlagsOfMappingHolding(middle).contains(" hg"))
        << FlagsOfMappingHolding(middle).constData();
  }
  std::free(block);
}
