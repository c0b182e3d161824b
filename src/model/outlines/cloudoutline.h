// The outline of a cloud: eleven bulges about a centre, shared by cloud callouts and the
// cloud start head of arrows.
#pragma once

#include "geometry/outline.h"

// The cloud of the given size, relative to its centre, unrotated.
TOutline CloudOutline(double width, double height);
