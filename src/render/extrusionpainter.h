// Draws the 3-D extrusion of an outline: one shaded side face per edge, walked round the
// outline from the vertex that lies furthest back for the extrusion's direction.
#pragma once

#include <QColor>
#include <cstddef>

#include "geometry/modelpoint.h"
#include "geometry/outline.h"
#include "platform/color.h"

class TCanvas;

class TExtrusionPainter {
 public:
  // How an object's faces are coloured: from its fill colour, from the plain grey of
  // objects that have no fill of their own, or not at all (a clear fill shows nothing).
  enum class TFaceFill { Filled, Plain, Clear };

  // Style3D codes 1 to 4 extrude; 0 and codes past the table (damaged files) do not.
  static bool Has3D(int style3D);
  // The extrusion vector in model units: 1/8 inch towards the code's direction.
  static TModelPoint ExtrusionVector(int style3D);
  // The bearing from the centre of the vertex the walk starts from; -1 without 3-D.
  static double StartBearing(int style3D);
  // The face colour for a face whose middle lies at the bearing from the centre: half the
  // base colour at bearing 120 (lower right), the full base colour opposite.
  static QColor FaceShade(const QColor& base, double bearing);
  // Index (1 or more) of the outline segment whose end starts the walk.
  static std::size_t StartVertex(const TOutline& outline, TModelPoint centre, double angle,
                                 int style3D);

  // The outline is relative to the centre, turned by angle (degrees, clockwise on screen).
  static void DrawExtrusion(TCanvas& canvas, const TOutline& outline, TModelPoint centre,
                            double angle, int style3D, TColorRef faceColor, TFaceFill fill,
                            double offsetX, double offsetY, double zoom);
};
