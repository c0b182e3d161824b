// The operation modes of a model window. The document stores the code in a byte, objects
// draw their handles by it, and the interaction layer switches between them. Code 22 is
// not used by any operation.
#pragma once

#include <cstdint>

enum TOperationMode : std::uint8_t {
  opNone = 0,
  opEditText = 1,
  opBusy = 2,
  opLocked = 3,
  opPressed = 4,
  opPlaceShape = 5,
  opSelectBox = 6,
  opRotateReady = 7,
  opRotating = 8,
  opPan = 9,
  opZoomBox = 10,
  opMoving = 11,
  opSting = 12,
  opFreeform = 13,
  opResizing = 14,
  opCreateArrows = 15,
  opAdjustArrow = 16,
  opCreateLabel = 17,
  opRenumber = 18,
  opCreateClusters = 19,
  opAdjustSpecial = 20,
  opPaint = 21,
  opCreateHotspot = 23,
  opFormatPaint = 24,
  opPickText = 25,
};
