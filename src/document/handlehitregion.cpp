#include "document/handlehitregion.h"

#include <algorithm>

#include "model/cgpobject.h"

void THandleHitRegion::Forget(const CGPObject* object)
{
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                [object](const auto& entry) { return entry.first == object; }),
                 entries_.end());
}

bool THandleHitRegion::contains(QPoint pixel) const
{
  for (const auto& [object, bounds] : entries_) {
    if (!bounds.contains(pixel)) continue;
    for (const THandleShape& handle : object->HandleRegions)
      if (handle.contains(pixel)) return true;
  }
  return false;
}
