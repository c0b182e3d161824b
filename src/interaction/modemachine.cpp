#include "interaction/modemachine.h"

#include <cmath>

#include "document/modelpainter.h"
#include "geometry/geometry.h"
#include "interaction/cursorid.h"
#include "interaction/interactionhost.h"
#include "interaction/keystate.h"
#include "interaction/modelock.h"
#include "interaction/textediting.h"
#include "model/arrow.h"
#include "model/cluster.h"
#include "model/embedded/olecogi.h"
#include "model/embedded/shortcut.h"
#include "model/layers/angled.h"
#include "model/layers/gateway.h"
#include "model/shapes/balloon.h"
#include "platform/measurecanvas.h"

namespace {

bool OtherButtonHeld(const TPointerInput& input)
{
  const TShiftState& s = input.State;
  switch (input.Button) {
    case TMouseButton::Left:
      return s.Right || s.Middle;
    case TMouseButton::Right:
      return s.Left || s.Middle;
    case TMouseButton::Middle:
      return s.Left || s.Right;
    case TMouseButton::None:
      return s.Left || s.Right || s.Middle;
  }
  return false;
}

}  // namespace

TModeMachine::TModeMachine(TModelDocument& document, IInteractionHost& host)
    : document_(document), host_(host)
{
  autoScroll_.setInterval(kAutoScrollInterval);
  connect(&autoScroll_, &QTimer::timeout, this, &TModeMachine::AutoScrollTick);
  document_.SetModeController(this);
}

TModeMachine::~TModeMachine()
{
  document_.SetModeController(nullptr);
}

void TModeMachine::Install(TOperationMode mode, std::unique_ptr<TModeHandler> handler)
{
  handlers_[static_cast<std::size_t>(mode)] = std::move(handler);
}

TModeHandler* TModeMachine::Handler(int mode) const
{
  if (mode < 0 || mode >= kModeCount) return nullptr;
  return handlers_[static_cast<std::size_t>(mode)].get();
}

// ---- Mode switch --------------------------------------------------------------------------

void TModeMachine::SetMode(TOperationMode mode)
{
  if (TModeHandler* leaving = Handler(document_.Mode)) {
    leaving->Leave();
    const QString caption = leaving->UndoCaption();
    if (!caption.isEmpty()) document_.RecordUndo(caption);
  }
  host_.ConfineCursor(false);
  host_.SetScreenCursor(crDefault);
  StopAutoScroll();
  if (TModeHandler* entering = Handler(mode)) {
    entering->Enter();
    if (const std::optional<int> cursor = entering->EntryCursor()) host_.SetWindowCursor(*cursor);
  }
  document_.Mode = mode;
}

bool TModeMachine::ObjectsMayBeDeleted() const
{
  switch (document_.Mode) {
    case opSelectBox:
    case opRotating:
    case opZoomBox:
    case opMoving:
    case opResizing:
    case opAdjustArrow:
    case opAdjustSpecial:
    case opLocked:
      return false;
    case opCreateArrows:
      return !state_.LeftHeld;
    default:
      break;
  }
  const TModeHandler* handler = Handler(document_.Mode);
  return !(handler && handler->HoldsObjects());
}

void TModeMachine::ObjectDestroyed(const CGPObject* object)
{
  if (state_.ActiveObject == object) state_.ActiveObject = nullptr;
  if (ITextEditing* editing = host_.TextEditing()) editing->ObjectDestroyed(object);
  for (const auto& handler : handlers_)
    if (handler) handler->ObjectDestroyed(object);
}

// ---- Helpers ------------------------------------------------------------------------------

TModelPoint TModeMachine::GridPoint(TModelPoint point)
{
  // Multiplying by 4 is exact, and nearbyint rounds ties to even.
  return {std::nearbyint(point.X * 4.0) / 4.0, std::nearbyint(point.Y * 4.0) / 4.0};
}

TModelPoint TModeMachine::MousePoint(bool snap, double dx, double dy) const
{
  const TModelView view = View();
  const QPoint pixel = state_.LastInput.Pixel;
  TModelPoint point{view.ModelXAt(pixel.x()) + dx, view.ModelYAt(pixel.y()) + dy};
  if (snap && document_.SnapToGrid) point = GridPoint(point);
  return point;
}

CGPObject* TModeMachine::HitTest(QPoint pixel) const
{
  return TModelPainter(document_).HitTest(pixel);
}

bool TModeMachine::OverHandle(QPoint pixel) const
{
  return document_.HandleRegion.contains(pixel);
}

bool TModeMachine::OverObject(QPoint pixel) const
{
  return document_.ObjectRegion.contains(pixel);
}

int TModeMachine::HandleCursor(const CGPObject& object, int handle)
{
  if (dynamic_cast<const TArrow*>(&object)) return handle == 2 ? crBendArrow : crDrawArrow;
  if (handle == 9) {
    if (dynamic_cast<const TCluster*>(&object)) return crTextBox;
    if (dynamic_cast<const TBalloon*>(&object)) return crCalloutPoint;
    return crCross;
  }
  const auto* angled = dynamic_cast<const TAngled*>(&object);
  if (angled && angled->Angle != 0) {
    static constexpr double kHandle[8][2] = {{-0.5, -0.5}, {0, -0.5}, {0.5, -0.5}, {0.5, 0},
                                             {0.5, 0.5},   {0, 0.5},  {-0.5, 0.5}, {-0.5, 0}};
    const int i = std::clamp(handle, 1, 8) - 1;
    const TModelPoint at = RotateOffset(object.Centre(), kHandle[i][0] * object.Width,
                                        kHandle[i][1] * object.Height, angled->Angle);
    const long bearing = std::lround(Bearing(object.Centre(), at));
    if ((bearing >= 23 && bearing <= 67) || (bearing >= 203 && bearing <= 247)) return crSizeNESW;
    if ((bearing >= 68 && bearing <= 112) || (bearing >= 248 && bearing <= 292)) return crSizeWE;
    if ((bearing >= 113 && bearing <= 157) || (bearing >= 293 && bearing <= 337)) return crSizeNWSE;
    return crSizeNS;
  }
  switch (handle) {
    case 1:
    case 5:
      return crSizeNWSE;
    case 3:
    case 7:
      return crSizeNESW;
    case 4:
    case 8:
      return crSizeWE;
    default:
      return crSizeNS;
  }
}

THandleHit TModeMachine::HandleHitTest(QPoint pixel) const
{
  // Only objects of the last paint: handle regions of objects scrolled out of sight are
  // stale and must not be grabbed.
  for (CGPObject* object : document_.VisibleObjects) {
    if (!object->Selected) continue;
    for (int handle = 1; handle <= 9; ++handle)
      if (object->HandleRegions[static_cast<std::size_t>(handle - 1)].contains(pixel))
        return {object, handle, HandleCursor(*object, handle)};
  }
  return {};
}

bool TModeMachine::DragStarted() const
{
  const QPoint d = state_.LastPixel - state_.DownPixel;
  return std::abs(d.x()) > kDragThreshold || std::abs(d.y()) > kDragThreshold;
}

TModelPoint TModeMachine::SelectionCentre() const
{
  if (document_.SelectedCount() == 1) return document_.FirstSelected()->Centre();
  TMeasureCanvas measure(96, 96);
  bool any = false;
  TPixelRect u;
  for (CGPObject* object : document_.Objects) {
    if (!object->Selected) continue;
    const TPixelRect box = object->GetScreenBox(measure.Canvas(), 0, 0, 100).Normalized();
    u = any ? TPixelRect{std::min(u.Left, box.Left), std::min(u.Top, box.Top),
                         std::max(u.Right, box.Right), std::max(u.Bottom, box.Bottom)}
            : box;
    any = true;
  }
  if (!any) return {};
  return {(u.Left + u.Right) / 2.0 / 96.0, (u.Top + u.Bottom) / 2.0 / 96.0};
}

void TModeMachine::ComputeSnapFlags(const TShiftState& state)
{
  TProgramGestureValues::GridSnapActive = state.Alt != document_.SnapToGrid;
  TProgramGestureValues::ShapeSnapActive = state.Shift != document_.SnapToShape;
}

bool TModeMachine::AutoScroll(QPoint pixel)
{
  const bool scrolled = host_.CursorConfined() && state_.LeftHeld && ScrollToward(pixel);
  RepeatLastMove(scrolled);
  return scrolled;
}

bool TModeMachine::ScrollToward(QPoint pixel)
{
  // The step paints the scrolled view at once, fast; the caller's full paint follows.
  return View().AutoScrollStep(pixel);
}

void TModeMachine::RepeatLastMove(bool on)
{
  if (!on || !state_.LeftHeld)
    StopAutoScroll();
  else if (!autoScroll_.isActive())
    autoScroll_.start();
}

void TModeMachine::AutoScrollTick()
{
  // The pointer rests in the border: the mode sees the same position again and scrolls on.
  if (!state_.LeftHeld) {
    StopAutoScroll();
    return;
  }
  MouseMove(state_.LastInput);
}

void TModeMachine::StopAutoScroll()
{
  autoScroll_.stop();
}

void TModeMachine::RepaintFully()
{
  host_.PaintNow(false);
}

// ---- Select click, handle grab and the rubber band ----------------------------------------

void TModeMachine::SelectClick(const TPointerInput& input)
{
  document_.Mode = opLocked;
  state_.CurrentPoint = state_.AnchorPoint = MousePoint(false);
  if (OverObject(input.Pixel)) {
    if (CGPObject* hit = HitTest(input.Pixel)) {
      if (!hit->Selected && !input.State.Shift) document_.DeselectAll(false);
      if (input.State.Shift && hit->Selected)
        document_.DeselectObject(hit, true);
      else
        document_.SelectObject(hit, true);
      state_.ActiveObject = document_.FirstSelected();
      if (state_.ActiveObject) {
        TProgramGestureValues::GrabOffset = {state_.AnchorPoint.X - state_.ActiveObject->X,
                                             state_.AnchorPoint.Y - state_.ActiveObject->Y};
        TProgramGestureValues::GridSnapActive = false;
        TProgramGestureValues::ShapeSnapActive = false;
        if (TModeHandler* moving = Handler(opMoving)) moving->Mark();
      }
    }
  } else if (!input.State.Shift) {
    document_.DeselectAll(true);
  }
  document_.Mode = opPressed;
}

void TModeMachine::HandleGrab(const TPointerInput& input)
{
  const THandleHit hit = HandleHitTest(input.Pixel);
  if (!hit.Object) {
    SelectClick(input);
    return;
  }
  host_.SetWindowCursor(hit.Cursor);
  state_.ActiveObject = hit.Object;
  state_.HitHandle = hit.Handle;
  TOperationMode mode = opResizing;
  if (dynamic_cast<TArrow*>(hit.Object))
    mode = opAdjustArrow;
  else if (hit.Handle == 9)
    mode = opAdjustSpecial;
  TModeHandler* handler = Handler(mode);
  if (!handler || !handler->Begin(input)) {
    state_.ActiveObject = nullptr;
    SelectClick(input);
    return;
  }
  // Adjusting an arrow enters its mode itself; the box and special handles go through the
  // switch.
  if (mode != opAdjustArrow) SetMode(mode);
}

void TModeMachine::RubberBandSelect(TModelPoint a, TModelPoint b)
{
  const TModelView view = View();
  const QRect band =
      QRect(QPoint(view.ScreenX(std::min(a.X, b.X)), view.ScreenY(std::min(a.Y, b.Y))),
            QPoint(view.ScreenX(std::max(a.X, b.X)), view.ScreenY(std::max(a.Y, b.Y))));
  TMeasureCanvas measure(document_.ScreenDpiX, document_.ScreenDpiY);
  const double offsetX = -document_.ViewOrigin.X;
  const double offsetY = -document_.ViewOrigin.Y;
  for (CGPObject* object : document_.Objects) {
    const QRect box = object->GetScreenBox(measure.Canvas(), offsetX, offsetY, document_.Zoom)
                          .Normalized()
                          .ToQRect();
    if (!box.intersects(band)) continue;
    // The region box holds the whole region: when it lies inside, so does the region.
    bool inside =
        band.contains(object->RegionBox(measure.Canvas(), offsetX, offsetY, document_.Zoom)
                          .Normalized()
                          .ToQRect());
    if (!inside) {
      const QRect bounds =
          object->CreateRegion(measure.Canvas(), offsetX, offsetY, document_.Zoom).boundingRect();
      inside = !bounds.isEmpty() && band.contains(bounds);
    }
    object->Selected = inside;
  }
  document_.NotifySelection();
  host_.PaintSelection();
}

// ---- Mouse --------------------------------------------------------------------------------

void TModeMachine::MouseDown(const TPointerInput& input)
{
  if (state_.IgnoreMouse) {
    // The release of a double click can end outside our sight; a fresh press ends the wait.
    if (OtherButtonHeld(input)) return;
    state_.IgnoreMouse = false;
  }
  // Another button pressed during a left drag belongs to no gesture.
  if (state_.LeftHeld && input.Button != TMouseButton::Left) return;
  host_.TakeFocus();
  TProgramGestureValues::GridSnapActive = false;
  TProgramGestureValues::ShapeSnapActive = false;
  state_.ActiveObject = nullptr;
  state_.DownPixel = state_.LastPixel = input.Pixel;
  state_.LastInput = input;
  if (input.Button != TMouseButton::Left) return;
  state_.LeftHeld = true;
  if (TModeHandler* handler = Handler(document_.Mode)) handler->MouseDown(input);
}

void TModeMachine::MouseMove(const TPointerInput& input)
{
  if (state_.IgnoreMouse) return;
  state_.LastPixel = input.Pixel;
  state_.LastInput = input;
  if (TModeHandler* handler = Handler(document_.Mode)) handler->MouseMove(input);
}

void TModeMachine::MouseUp(const TPointerInput& input)
{
  if (state_.IgnoreMouse) {
    state_.IgnoreMouse = false;
    return;
  }
  // Only the left release ends a left drag.
  if (state_.LeftHeld && input.Button != TMouseButton::Left) return;
  if (input.Button == TMouseButton::Left) state_.LeftHeld = false;
  StopAutoScroll();
  state_.LastPixel = input.Pixel;
  state_.LastInput = input;
  if (TModeHandler* handler = Handler(document_.Mode)) handler->MouseUp(input);
  state_.ActiveObject = nullptr;
  document_.NotifyControls();
}

void TModeMachine::DoubleClick(const TPointerInput& input)
{
  // Outside the idle mode the second click of a double click is an ordinary press: two
  // quick clicks with a creation tool make two objects.
  if (document_.Mode != opNone) {
    MouseDown(input);
    return;
  }
  state_.IgnoreMouse = true;
  state_.LastInput = input;
  CGPObject* object = HitTest(input.Pixel);
  if (!object) return;
  if (auto* gateway = dynamic_cast<TGateway*>(object); gateway && gateway->HasGateway()) {
    host_.FollowGateway(gateway);
  } else if (auto* shortcut = dynamic_cast<TShortCut*>(object)) {
    shortcut->Activate(host_.Shell());
  } else if (auto* ole = dynamic_cast<TOLECogi*>(object)) {
    document_.ActivateOleObject(*ole);
  }
}

// ---- Keys ---------------------------------------------------------------------------------

bool TModeMachine::KeysAllowed() const
{
  switch (document_.Mode) {
    case opNone:
    case opPlaceShape:
    case opRotateReady:
    case opPan:
    case opMoving:
    case opSting:
    case opCreateArrows:
    case opAdjustArrow:
    case opRenumber:
    case opPaint:
    case opFormatPaint:
      return true;
    default:
      return false;
  }
}

bool TModeMachine::KeyDown(const IKeyState& keys, bool control)
{
  if (!KeysAllowed()) return false;
  bool acted = false;
  if (keys.IsDown(Qt::Key_Delete)) {
    document_.DeleteSelection();
    acted = true;
  }
  TModelView view = View();
  for (int key : {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Home, Qt::Key_Left,
                  Qt::Key_Up, Qt::Key_Right, Qt::Key_Down})
    if (keys.IsDown(key)) acted = view.MoveByKey(key, control) || acted;
  if (!acted) return false;
  RepaintFully();
  if (TModeHandler* handler = Handler(document_.Mode)) handler->RefreshOverlay();
  return true;
}

bool TModeMachine::KeyPress(int qtKey)
{
  if (qtKey == Qt::Key_Escape)
    if (TModeHandler* handler = Handler(document_.Mode); handler && handler->Cancel()) return true;
  if (!KeysAllowed()) return false;
  TModelView view = View();
  switch (qtKey) {
    case Qt::Key_Escape:
      document_.DeselectAll(true);
      host_.PaintSelection();
      break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      view.ZoomStep(true);
      RepaintFully();
      break;
    case Qt::Key_Minus:
      view.ZoomStep(false);
      RepaintFully();
      break;
    default:
      return false;
  }
  if (TModeHandler* handler = Handler(document_.Mode)) handler->RefreshOverlay();
  return true;
}
