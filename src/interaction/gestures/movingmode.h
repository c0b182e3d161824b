// Mode 11: moving or copying the selection. In a maximised window the outlines follow the
// pointer and the release commits. In a window that is not maximised the move is a drag to
// any model window, this one included: the source window keeps the pointer, finds the
// window under it and calls that window's drag-and-drop events, which preview and commit
// there.
#pragma once

#include <QPointer>
#include <optional>

#include "interaction/gestures/shapesnapindex.h"
#include "interaction/invertedfigure.h"
#include "interaction/modehandler.h"

class TModelDocument;
struct TDropSite;

class TMovingMode : public TModeHandler {
 public:
  enum class TDragState { Enter, Move, Leave };

  using TModeHandler::TModeHandler;

  void Enter() override;
  void Leave() override;
  QString UndoCaption() const override { return QStringLiteral("Move Cogis"); }
  // Maximised: the first preview; otherwise the drag begins.
  bool Begin(const TPointerInput& input) override;
  // The outlines on the objects' present places, left by a select click until the next paint.
  void Mark() override;
  void MouseMove(const TPointerInput& input) override;
  void MouseUp(const TPointerInput& input) override;
  void RefreshOverlay() override;
  // Escape ends the move, or the drag between windows, without a change.
  bool Cancel() override;
  void ObjectDestroyed(const CGPObject* object) override;

  // ---- This window as the target of a drag (source is the window the drag came from)
  // Previews the drop at the pixel of this window; false when the drag is refused.
  bool ModelPaintBoxDragOver(TModeMachine& source, QPoint pixel, TDragState state,
                             const TShiftState& keys);
  // Moves the source's selection here (copies it with Ctrl) and records it.
  void ModelPaintBoxDragDrop(TModeMachine& source, const TShiftState& keys);
  // ---- This window as the source, after a drop or a cancelled drag.
  void ModelPaintBoxEndDrag();
  // One step of automatic scrolling of this window while a drag holds the pointer in its
  // border or beyond its edge (a pixel of this window); true when the view moved.
  bool ScrollDuringDrag(QPoint pixel);

  bool Dragging() const { return dragging_; }

 private:
  // The moving mode of another window, which answers the drag there.
  static TMovingMode* Of(TModeMachine& machine);
  void DrawPreview(TModeMachine& source, TModelPoint p);
  void ErasePreview();
  void Commit(bool copy);
  const TShapeSnapIndex* ShapeSnaps(bool sameWindow);
  // The source side of a drag: tells the window under the pointer where it is, and scrolls
  // the window under it, or the one it last left when it is over none, while it rests at
  // or beyond that window's edge.
  void DragTo(const TPointerInput& input, bool scroll);
  bool ScrollWhileDragging(const TPointerInput& input, const TDropSite& site);
  void LeaveTarget();

  TInvertedFigure preview_;
  // Vertex snapping against this window's visible objects, for the paint it was built after.
  std::optional<TShapeSnapIndex> snaps_;
  int snapsGeneration_ = -1;
  bool snapsSkipSelected_ = false;

  // Source side.
  bool dragging_ = false;
  QPointer<TModeMachine> dragTarget_;
  // The model window the pointer was last over: it scrolls while the pointer is beyond it.
  QPointer<TModeMachine> lastOver_;
  TShiftState dragKeys_;
  // Target side: where the drop would land and the snapping it was previewed with.
  TModelPoint dropPoint_;
  bool dropGrid_ = false;
  bool dropShapes_ = false;
};
