// Turns paths into pixel regions the way a raster device fills them, keeping only what a
// painter can show: a path from a huge zoom never becomes a region of billions of rows.
#pragma once

#include <QPainterPath>
#include <QRect>
#include <QRegion>

#include "platform/pixelrect.h"

// The pixels the filled path covers (alternate filling) within bounds.
QRegion VisibleRegion(const QPainterPath& path, const QRect& bounds);
// The box of the pixels the whole filled path covers, wherever it lies.
TPixelRect PixelBox(const QPainterPath& path);
