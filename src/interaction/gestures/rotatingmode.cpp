#include "interaction/gestures/rotatingmode.h"

#include <cmath>

#include "document/modeldocument.h"
#include "document/overlay.h"
#include "geometry/geometry.h"
#include "interaction/gestures/selectionrotator.h"
#include "interaction/interactionhost.h"
#include "interaction/modelock.h"
#include "interaction/modemachine.h"

void TRotatingMode::Leave()
{
  ErasePreview();
}

int TRotatingMode::SweptAngle() const
{
  if (!startAngle_) return 0;
  return static_cast<int>(std::nearbyint(angle_ - *startAngle_));
}

void TRotatingMode::TrackPointer()
{
  const double bearing = Bearing(machine_.State().RotateCentre, machine_.State().CurrentPoint);
  if (bearing < 0) return;
  angle_ = bearing;
  if (!startAngle_) startAngle_ = bearing;
}

bool TRotatingMode::Begin(const TPointerInput&)
{
  TModelDocument& document = machine_.Document();
  TModeLock lock(document);
  machine_.Host().ConfineCursor(true);
  TGestureState& state = machine_.State();
  state.AnchorPoint = state.CurrentPoint = machine_.MousePoint(false);
  startAngle_.reset();
  angle_ = 0.0;
  TrackPointer();
  preview_.Forget();
  DrawPreview();
  return true;
}

void TRotatingMode::DrawPreview()
{
  const TModelDocument& document = machine_.Document();
  const int angle = SweptAngle();
  std::vector<TTurnedPlace> places =
      TSelectionRotator::TurnedPlaces(document, machine_.State().RotateCentre, angle);
  preview_.Draw(machine_.Host().Overlay(),
                [places = std::move(places), angle, &document](TOverlay& overlay) {
                  TSelectionRotator::DrawOutlines(places, angle, document, overlay);
                });
  machine_.Host().OverlayChanged();
}

void TRotatingMode::ErasePreview()
{
  preview_.Erase(machine_.Host().Overlay());
  machine_.Host().OverlayChanged();
}

void TRotatingMode::MouseMove(const TPointerInput& input)
{
  if (!input.State.Left) return;
  TModeLock lock(machine_.Document());
  machine_.Host().SetHint(QStringLiteral("|Rotate the Cogis to a new angle."));
  if (machine_.AutoScroll(input.Pixel))
    machine_.RepaintFully();
  else
    ErasePreview();
  machine_.State().CurrentPoint = machine_.MousePoint(false);
  TrackPointer();
  DrawPreview();
}

void TRotatingMode::MouseUp(const TPointerInput&)
{
  ErasePreview();
  TModelDocument& document = machine_.Document();
  machine_.State().CurrentPoint = machine_.MousePoint(false);
  TrackPointer();
  if (TSelectionRotator::RotateSelection(document, machine_.State().RotateCentre, SweptAngle()))
    document.ChangePending = true;
  machine_.Host().ConfineCursor(false);
  machine_.SetMode(opNone);
  machine_.RepaintFully();
}

bool TRotatingMode::Cancel()
{
  // Leaving the mode erases the outlines; nothing was committed, so nothing is recorded.
  machine_.SetMode(opNone);
  machine_.RepaintFully();
  return true;
}

void TRotatingMode::ObjectDestroyed(const CGPObject*)
{
  preview_.Forget();
}
