#include "interaction/creation/arrowworking.h"

#include <limits>

#include "document/modeldocument.h"
#include "document/modelview.h"
#include "model/arrow.h"
#include "platform/measurecanvas.h"

void TArrowWorking::CopyFrom(const TArrow& arrow)
{
  ArrowFromObject = arrow.FromObject;
  ArrowToObject = arrow.ToObject;
  ArrowFromAnchor = arrow.FromAnchor;
  ArrowToAnchor = arrow.ToAnchor;
  ArrowFromPoint = arrow.Start();
  ArrowToPoint = arrow.End();
  ArrowBend = arrow.ChordHeight;
}

TArrowTarget TArrowWorking::FindArrowTarget(TModelDocument& document, const CGPObject* exclude,
                                            TModelPoint p)
{
  const TArrowTarget none{nullptr, -1, p, crDrawArrow};
  // Attaching to an arrow that leads back to the excluded one would close a cycle of arrows.
  const auto refused = [exclude](const CGPObject* object) {
    return exclude && TArrow::Reaches(object, exclude);
  };
  const TObjectList& visible = document.VisibleObjects;
  for (auto it = visible.rbegin(); it != visible.rend(); ++it) {
    CGPObject* object = *it;
    if (object == exclude) continue;
    int index = -1;
    TModelPoint at;
    if (!object->FindAnchor(p, index, at)) continue;
    if (refused(object)) return none;
    return {object, index, at, crCrossLock};
  }
  const TModelView view(document);
  const QPoint pixel(view.ScreenX(p.X), view.ScreenY(p.Y));
  if (!document.ObjectRegion.contains(pixel)) return none;
  TMeasureCanvas measure(document.ScreenDpiX, document.ScreenDpiY);
  const double offsetX = -document.ViewOrigin.X;
  const double offsetY = -document.ViewOrigin.Y;
  for (auto it = visible.rbegin(); it != visible.rend(); ++it) {
    CGPObject* object = *it;
    if (object == exclude) continue;
    const QRect box = object->GetScreenBox(measure.Canvas(), offsetX, offsetY, document.Zoom)
                          .Normalized()
                          .ToQRect();
    if (!box.contains(pixel) ||
        !object->CreateRegion(measure.Canvas(), offsetX, offsetY, document.Zoom).contains(pixel))
      continue;
    if (refused(object)) return none;
    if (object->KindCode() != okArrow || object->Anchors.empty())
      return {object, -1, p, crCrossAuto};
    // An arrow holds ends only on its anchors: the nearest takes this one, counted from 1 as
    // every stored anchor is.
    int nearest = 1;
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < object->Anchors.size(); ++i) {
      const double d = Distance(p, TArrow::AnchorPosition(object, static_cast<int>(i) + 1));
      if (d < best) {
        best = d;
        nearest = static_cast<int>(i) + 1;
      }
    }
    return {object, nearest, TArrow::AnchorPosition(object, nearest), crCrossLock};
  }
  return none;
}

TArrowEnds TArrowWorking::Ends() const
{
  return {ArrowFromObject, ArrowToObject,  ArrowFromAnchor,
          ArrowToAnchor,   ArrowFromPoint, ArrowToPoint};
}

void TArrowWorking::PlaceWorkingEnds()
{
  const TArrowEnds ends = TArrow::PlaceEnds(Ends(), ArrowBend);
  ArrowFromPoint = ends.Start;
  ArrowToPoint = ends.End;
}

double TArrowWorking::BendThrough(TModelPoint p)
{
  const TArrowEnds ends = TArrow::PlaceEndsThrough(Ends(), p);
  ArrowFromPoint = ends.Start;
  ArrowToPoint = ends.End;
  return TArrow::ArcBend(ArrowFromPoint, p, ArrowToPoint);
}

void TArrowWorking::Forget(const CGPObject* object)
{
  if (ArrowFromObject == object) {
    ArrowFromObject = nullptr;
    ArrowFromAnchor = -1;
  }
  if (ArrowToObject == object) {
    ArrowToObject = nullptr;
    ArrowToAnchor = -1;
  }
}
