// The object kind codes, shared by the factory, the file, the clipboard and the shape
// generator. Any code not listed makes a Cogi when read.
#pragma once

#include <cstdint>

enum TObjectKind : std::int32_t {
  okArrow = 1,
  okOLECogi = 2,
  okClipart = 3,
  okShortCut = 4,
  okBlockArrow = 5,
  okLabel = 6,
  okDilemma = 7,
  okCogi = 8,
  okCluster = 9,
  okBalloon = 10,
  okFreeShape = 11,
  okHotspot = 12,
};
