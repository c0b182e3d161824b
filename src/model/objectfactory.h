// Creates model objects by kind code, as the document, the file readers and the clipboard
// need; an unknown code makes a hexagon.
#pragma once

#include "model/cgpobject.h"

class TObjectFactory {
 public:
  static constexpr int kMinKind = 1;
  static constexpr int kMaxKind = 12;
  // A new object of the class for the code, with that class's defaults; never null.
  static CGPObject* Create(int kind);
};
