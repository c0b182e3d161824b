// Builds the outlines of generated shapes for an object kind, a shape variant and a size.
// Outlines are closed, relative to the centre, and scale with width (x) and height (y).
#pragma once

#include "geometry/outline.h"

inline constexpr int kCogiVariantEllipse = 0;
inline constexpr int kCogiVariantHexagon = 7;
inline constexpr int kCogiVariantFree = 17;

// Kinds 5 (block arrows), 7 (dilemmas), 8 and 9 (Cogis and clusters) and 6 and 10 (the
// rectangle); anything else, and variants a family does not have, give an empty outline.
TOutline MakeShapeOutline(int kind, int variant, double width, double height);
// The seven block arrows; other variants are empty.
TOutline BlockArrowOutline(int variant, double width, double height);
// The dilemma family: horns, boxes, triangles and a flat hexagon; unknown variants are empty.
TOutline DilemmaShapeOutline(int variant, double width, double height);
// The Cogi and cluster family alone; variant 17 (free form) and unknown variants are empty.
TOutline CogiShapeOutline(int variant, double width, double height);
