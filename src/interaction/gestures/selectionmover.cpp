#include "interaction/gestures/selectionmover.h"

#include <QByteArray>
#include <QRect>
#include <cmath>

#include "document/modeldocument.h"
#include "document/overlay.h"
#include "geometry/geometry.h"
#include "interaction/gestures/shapesnapindex.h"
#include "io/modelstream.h"
#include "model/arrow.h"
#include "model/cluster.h"
#include "model/layers/pointed.h"
#include "platform/canvas.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"

namespace {

std::vector<CGPObject*> SelectedObjects(const TModelDocument& document)
{
  std::vector<CGPObject*> selected;
  for (CGPObject* object : document.Objects)
    if (object->Selected) selected.push_back(object);
  return selected;
}

// The ends of a selected arrow that rest on objects staying behind let go of them, so that a
// moved arrow keeps only the connections inside the moved group.
bool DetachFromUnselected(CGPObject* object)
{
  auto* arrow = dynamic_cast<TArrow*>(object);
  if (!arrow) return false;
  bool detached = false;
  for (CGPObject* end : {arrow->FromObject, arrow->ToObject})
    if (end && !end->Selected) {
      end->DetachArrow(arrow);
      detached = true;
    }
  return detached;
}

// Attaches an end of a carried arrow to the carried object its record names; an end whose
// object stayed behind (or that names nothing that was carried) is free.
void Reattach(TModelDocument& target, std::size_t base, std::size_t count, TArrow* arrow,
              std::int32_t index, TArrowEnd end)
{
  const bool carried = index >= 0 && static_cast<std::size_t>(index) < count;
  CGPObject* object = carried ? target.Objects[base + static_cast<std::size_t>(index)] : nullptr;
  std::int32_t& anchor = end == TArrowEnd::Start ? arrow->FromAnchor : arrow->ToAnchor;
  if (object && object != arrow)
    TArrow::AttachArrowEnd(object, arrow, anchor, end);
  else
    anchor = -1;
}

}  // namespace

std::vector<TPendingPlace> TSelectionMover::PlacePending(TModelDocument& source, TModelPoint p,
                                                         TModelPoint grabOffset, bool grid,
                                                         const TShapeSnapIndex* shapes)
{
  const std::vector<CGPObject*> selected = SelectedObjects(source);
  if (selected.empty()) return {};
  TModelPoint ref = selected.front()->Centre();
  if (grid) ref = SnapToQuarterGrid(ref);
  const bool alone = selected.size() == 1;
  for (CGPObject* s : selected) {
    TModelPoint at{p.X - grabOffset.X + (s->X - ref.X), p.Y - grabOffset.Y + (s->Y - ref.Y)};
    if (grid && alone) at = SnapToQuarterGrid(at);
    s->DragX = at.X;
    s->DragY = at.Y;
  }
  if (shapes) {
    // The first polygon that finds a vertex pair decides for the whole selection.
    for (CGPObject* s : selected) {
      const auto* pointed = dynamic_cast<const TPointed*>(s);
      if (!pointed) continue;
      const auto snapped = shapes->Snap(pointed->Outline, pointed->Angle, {s->DragX, s->DragY});
      if (!snapped) continue;
      const double dx = snapped->X - s->DragX;
      const double dy = snapped->Y - s->DragY;
      for (CGPObject* other : selected) {
        other->DragX += dx;
        other->DragY += dy;
      }
      break;
    }
  }
  std::vector<TPendingPlace> places;
  places.reserve(selected.size());
  for (CGPObject* s : selected)
    places.push_back({s, {s->DragX, s->DragY}});
  return places;
}

void TSelectionMover::DrawOutlines(const std::vector<TPendingPlace>& places,
                                   const TModelDocument& target, TOverlay& overlay)
{
  if (places.empty()) return;
  const QRect window = QRect(QPoint(0, 0), target.ClientSize).adjusted(-2, -2, 2, 2);
  overlay.DrawInverting(target.ScreenDpiX, target.ScreenDpiY, [&](TCanvas& canvas) {
    const double offsetX = -target.ViewOrigin.X;
    const double offsetY = -target.ViewOrigin.Y;
    for (const TPendingPlace& place : places) {
      CGPObject* object = place.Object;
      // Arrows draw their outline shifted rather than centred; both are a move by this much.
      const double dx = place.At.X - object->X;
      const double dy = place.At.Y - object->Y;
      const QRect box = object->GetScreenBox(canvas, offsetX + dx, offsetY + dy, target.Zoom)
                            .Normalized()
                            .ToQRect();
      if (!box.intersects(window)) continue;
      if (dynamic_cast<TArrow*>(object))
        object->DrawOutline(canvas, 0, dx, dy, offsetX, offsetY, target.Zoom);
      else
        object->DrawOutline(canvas, 0, place.At.X, place.At.Y, offsetX, offsetY, target.Zoom);
    }
  });
}

TMoveOutcome TSelectionMover::Commit(TModelDocument& source, TModelDocument& target, bool copy)
{
  if (!source.FirstSelected()) return {};
  if (&source == &target && !copy) {
    const bool changed = MoveInPlace(source);
    return {changed, changed};
  }
  Transfer(source, target, copy);
  return {!copy, true};
}

bool TSelectionMover::MoveInPlace(TModelDocument& document)
{
  const std::vector<CGPObject*> selected = SelectedObjects(document);
  bool changed = false;
  for (CGPObject* object : selected)
    changed = DetachFromUnselected(object) || changed;
  // Members a moving cluster carries along are not refreshed by the loop below; their
  // arrows must still follow them.
  std::vector<CGPObject*> carried;
  for (CGPObject* object : selected) {
    if (auto* cluster = dynamic_cast<TCluster*>(object))
      for (TClusteredObject* member : cluster->Members)
        if (!member->Selected) carried.push_back(member);
    if (object->DragX == object->X && object->DragY == object->Y) continue;
    object->MoveTo(&document.Objects, object->DragX, object->DragY);
    changed = true;
  }
  if (!changed) return false;
  // Cluster membership for the whole selection at once, then the objects' own refresh and
  // every arrow attached to what moved, each once.
  if (TCluster::RefreshMemberships(document.Objects, selected)) {
    for (CGPObject* object : selected)
      object->Recalculate(nullptr, false);
    carried.insert(carried.end(), selected.begin(), selected.end());
  } else {
    for (CGPObject* object : selected)
      object->Recalculate(&document.Objects, false);
  }
  CGPObject::UpdateArrowsAttachedTo(carried, &document.Objects);
  return true;
}

void TSelectionMover::Transfer(TModelDocument& source, TModelDocument& target, bool copy)
{
  const std::vector<CGPObject*> selected = SelectedObjects(source);
  // Arrow ends are written as the record positions of their objects: objects outside the
  // carried set must read as -1, not as a position left over from the last save, which
  // would attach the copy to the wrong carried object.
  for (CGPObject* object : source.Objects)
    object->SaveIndex = -1;
  for (std::size_t i = 0; i < selected.size(); ++i)
    selected[i]->SaveIndex = static_cast<std::int32_t>(i);
  QByteArray records;
  TBinaryWriter out(records);
  for (CGPObject* object : selected)
    object->SaveToStream(out);

  // Into the target first: should reading fail, the source still holds everything.
  const bool wasPending = target.ChangePending;
  target.DeselectAll(false);
  const std::size_t base = target.Objects.size();
  TBinaryReader in(records);
  try {
    for (std::size_t i = 0; i < selected.size(); ++i)
      TModelStream::ReadObjectRecord(target, in);
  } catch (...) {
    while (target.Objects.size() > base)
      target.StingObject(target.Objects.back());
    target.ChangePending = wasPending;
    throw;
  }
  const std::size_t count = target.Objects.size() - base;
  for (std::size_t i = base; i < target.Objects.size(); ++i) {
    CGPObject* object = target.Objects[i];
    object->Selected = true;
    object->MoveTo(&target.Objects, object->DragX, object->DragY);
  }
  for (std::size_t i = base; i < target.Objects.size(); ++i)
    if (auto* arrow = dynamic_cast<TArrow*>(target.Objects[i])) {
      Reattach(target, base, count, arrow, arrow->FromIndex, TArrowEnd::Start);
      Reattach(target, base, count, arrow, arrow->ToIndex, TArrowEnd::Finish);
    }
  // Cluster membership for all the new objects at once (a refresh of each with the list
  // scans the whole model for every one of them), then their own refresh and their arrows.
  const std::vector<CGPObject*> added(target.Objects.begin() + static_cast<std::ptrdiff_t>(base),
                                      target.Objects.end());
  if (TCluster::RefreshMemberships(target.Objects, added)) {
    for (CGPObject* object : added)
      object->Recalculate(nullptr, true);
    CGPObject::UpdateArrowsAttachedTo(added, &target.Objects);
  } else {
    for (CGPObject* object : added)
      object->Recalculate(&target.Objects, true);
  }
  target.NotifySelection();

  if (copy) return;
  for (CGPObject* object : selected)
    source.StingObject(object);
  source.NotifySelection();
}
