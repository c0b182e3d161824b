#include "interaction/gestures/selectionrotator.h"

#include <cstdint>

#include "document/modeldocument.h"
#include "document/overlay.h"
#include "geometry/geometry.h"
#include "model/layers/angled.h"

std::vector<TTurnedPlace> TSelectionRotator::TurnedPlaces(const TModelDocument& document,
                                                          TModelPoint centre, int angle)
{
  std::vector<TTurnedPlace> places;
  for (CGPObject* object : document.Objects) {
    if (!object->Selected || !dynamic_cast<TAngled*>(object)) continue;
    const TModelPoint at = object->Centre();
    // An object on the centre itself has no bearing from it and stays where it is; whole
    // turns leave every centre exactly where it was, without rounding noise.
    const bool stays = at == centre || angle % 360 == 0;
    const TModelPoint turned =
        stays ? at : PointAt(centre, Distance(centre, at), AddAngles(angle, Bearing(centre, at)));
    places.push_back({object, turned});
  }
  return places;
}

void TSelectionRotator::DrawOutlines(const std::vector<TTurnedPlace>& places, int angle,
                                     const TModelDocument& document, TOverlay& overlay)
{
  if (places.empty()) return;
  overlay.DrawInverting(document.ScreenDpiX, document.ScreenDpiY, [&](TCanvas& canvas) {
    for (const TTurnedPlace& place : places)
      place.Object->DrawOutline(canvas, angle, place.Centre.X, place.Centre.Y,
                                -document.ViewOrigin.X, -document.ViewOrigin.Y, document.Zoom);
  });
}

std::int32_t TSelectionRotator::TurnedAngle(std::int32_t angle, int turn)
{
  std::int64_t a = std::int64_t{angle} + turn;
  // Stored angles from damaged files can lie many turns out; whole turns are taken off at
  // once.
  if (a < 0) a = ((a % 360) + 360) % 360;
  if (a > 360) a = (a - 1) % 360 + 1;
  return static_cast<std::int32_t>(a);
}

bool TSelectionRotator::RotateSelection(TModelDocument& document, TModelPoint centre, int angle)
{
  const std::vector<TTurnedPlace> places = TurnedPlaces(document, centre, angle);
  bool changed = false;
  for (const TTurnedPlace& place : places) {
    auto* angled = static_cast<TAngled*>(place.Object);
    const std::int32_t turned = TurnedAngle(angled->Angle, angle);
    if (turned == angled->Angle && place.Centre == angled->Centre()) continue;
    angled->Angle = turned;
    angled->MoveTo(&document.Objects, place.Centre.X, place.Centre.Y);
    changed = true;
  }
  if (!changed) return false;
  for (const TTurnedPlace& place : places)
    place.Object->Recalculate(&document.Objects, false);
  return true;
}
