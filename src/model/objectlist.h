// The document's list of objects in stacking order (index 0 is painted first).
// The list does not own its entries; the document does.
#pragma once

#include <vector>

class CGPObject;
using TObjectList = std::vector<CGPObject*>;
