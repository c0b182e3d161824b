// Turning the selection about a centre by whole degrees: every selected object that can
// turn takes the extra angle and its centre travels round the centre of turning; other
// objects stay (arrows attached to turned objects follow them).
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/modelpoint.h"

class CGPObject;
class TModelDocument;
class TOverlay;

// One selected object at its turned place.
struct TTurnedPlace {
  CGPObject* Object = nullptr;
  TModelPoint Centre;
};

class TSelectionRotator {
 public:
  // Where each selected turnable object goes when the selection turns by angle about centre
  // (clockwise on the screen for a positive angle).
  static std::vector<TTurnedPlace> TurnedPlaces(const TModelDocument& document, TModelPoint centre,
                                                int angle);
  // The preview: the outlines turned by angle at their turned places, inverting.
  static void DrawOutlines(const std::vector<TTurnedPlace>& places, int angle,
                           const TModelDocument& document, TOverlay& overlay);
  // The commit, also what the rotate commands call: turns the selection and returns whether
  // anything changed (nothing does for a whole turn or a selection that cannot turn).
  static bool RotateSelection(TModelDocument& document, TModelPoint centre, int angle);

  // An angle plus a turn, kept within 0 to 360 as stored angles are: below 0 goes up by
  // whole turns, above 360 down, and exactly 360 stays 360.
  static std::int32_t TurnedAngle(std::int32_t angle, int turn);
};
