#include "model/outlines/cloudoutline.h"

#include <array>

namespace {

struct TCloudCurve {
  double c1x, c1y, c2x, c2y, ex, ey;
};

// In units of the cloud's width and height; C2 equals the end except on the tenth bulge.
constexpr std::array<TCloudCurve, 11> kCloudCurves{{
    {0.075, -0.565, 0.18, -0.445, 0.18, -0.445},
    {0.315, -0.61, 0.38, -0.375, 0.38, -0.375},
    {0.53, -0.305, 0.455, -0.135, 0.455, -0.135},
    {0.565, 0.08, 0.35, 0.19, 0.35, 0.19},
    {0.335, 0.435, 0.15, 0.355, 0.15, 0.355},
    {0.09, 0.68, -0.125, 0.4, -0.125, 0.4},
    {-0.25, 0.5, -0.375, 0.305, -0.375, 0.305},
    {-0.565, 0.34, -0.455, 0.08, -0.455, 0.08},
    {-0.655, -0.115, -0.415, -0.165, -0.415, -0.165},
    {-0.44, -0.35, -0.3, -0.5, -0.18, -0.375},
    {-0.095, -0.54, 0.015, -0.425, 0.015, -0.425},
}};

}  // namespace

TOutline CloudOutline(double width, double height)
{
  TOutline list;
  AppendLine(list, 0.015 * width, -0.425 * height);
  for (const TCloudCurve& c : kCloudCurves)
    AppendSegment(list, c.c1x * width, c.c1y * height, c.c2x * width, c.c2y * height, c.ex * width,
                  c.ey * height);
  return list;
}
