// Pixel regions for hit testing, built the way a raster device would fill the shapes.
//
// A region is only built within a window of the pixels that are looked at, and never beyond
// kRegionReach pixels from the origin either way. Qt builds a region row by row, slowly for
// slanted shapes, and refuses a polygon more than 100,000 rows tall (giving no region at all,
// and leaking memory as it fails): a callout pointing miles away would otherwise cost seconds
// at every look, or lose its region and never be hit.
#pragma once

#include <QPainterPath>
#include <QPolygon>
#include <QPolygonF>
#include <QRect>
#include <QRegion>

inline constexpr int kRegionReach = 32767;

// Everything a region can cover.
QRect RegionReach();

// The pixels within the window that a filled polygon covers (alternate filling, like a
// device's default). Inside the window these are exactly the pixels the whole polygon covers,
// except that edges of a polygon thousands of pixels tall may shift by a pixel.
QRegion PolygonRegion(const QPolygonF& polygon, const QRect& window = RegionReach());
QRegion PolygonRegion(const QPolygon& polygon, const QRect& window = RegionReach());
// The same for a path, whose curves are flattened first.
QRegion PathRegion(const QPainterPath& path, const QRect& window = RegionReach());
// The pixels of an ellipse inscribed in the rectangle.
QRegion EllipseRegion(const QRect& box);
