// The part of a painter's coordinate space that can still receive paint: its device, seen
// through the painter's transform and clipping. Primitives that step pixel by pixel limit
// their work to it, so huge paths at huge zooms cost no more than the device is large.
#pragma once

#include <QRect>

class QPainter;

QRect PaintBounds(const QPainter& painter);
