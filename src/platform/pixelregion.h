// Pixel regions for hit testing, built the way a raster device would fill the shapes.
#pragma once

#include <QPainterPath>
#include <QPolygon>
#include <QRect>
#include <QRegion>

// The pixels a filled polygon covers (alternate filling, like a device's default).
QRegion PolygonRegion(const QPolygon& polygon);
// The pixels a filled path covers; curves are flattened first.
QRegion PathRegion(const QPainterPath& path);
// The pixels of an ellipse inscribed in the rectangle.
QRegion EllipseRegion(const QRect& box);
