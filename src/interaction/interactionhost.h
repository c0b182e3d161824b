// What the operation modes need from the window they run in: cursors, hints, the pointer,
// painting and the overlay, and the shell's services (menus, gateways, text editors). The
// drawing surface implements it; benchmarks implement it without a window.
#pragma once

#include <QPoint>
#include <QString>

#include "geometry/modelpoint.h"

class CGPObject;
class IAsyncInput;
class IShell;
class ITextEditing;
class TModeMachine;
class TOverlay;
struct TInteractionPreferences;

// The drawing surface of a model window under the pointer while the selection is dragged,
// and the pointer in that surface's pixels.
struct TDropSite {
  TModeMachine* Machine = nullptr;
  QPoint Pixel;
};

class IInteractionHost {
 public:
  virtual ~IInteractionHost() = default;

  // ---- Cursors and hints (cursor numbers of cursorid.h)
  virtual void SetWindowCursor(int id) = 0;
  // The one-level override cursor of a gesture; crDefault releases it.
  virtual void SetScreenCursor(int id) = 0;
  // Rebuilds the renumber cursor for the next number.
  virtual void SetRenumberCursor(int number) = 0;
  virtual void SetHint(const QString& hint) = 0;

  // ---- Pointer
  // Keeps the pointer's positions inside the window while a gesture runs.
  virtual void ConfineCursor(bool on) = 0;
  virtual bool CursorConfined() const = 0;
  virtual void CentreCursor() = 0;
  virtual QPoint ClientSize() const = 0;
  virtual bool IsMaximised() const = 0;
  virtual void TakeFocus() = 0;
  // Escape and the right button, read by the animated zoom between its frames.
  virtual IAsyncInput* AsyncInput() = 0;

  // ---- Painting
  virtual void PaintNow(bool fast) = 0;
  // Only the selection changed since the last full paint: the marks are painted again over
  // the model as it was painted.
  virtual void PaintSelection() = 0;
  virtual TOverlay& Overlay() = 0;
  // The overlay changed: show it over the painted model.
  virtual void OverlayChanged() = 0;

  // ---- The shell
  virtual const TInteractionPreferences& Preferences() const = 0;
  // The text editors, or none where the window has none.
  virtual ITextEditing* TextEditing() = 0;
  virtual void ShowModelMenu(QPoint pixel, CGPObject* underPointer) = 0;
  virtual void FollowGateway(CGPObject* gateway) = 0;
  // The desktop that opens what shortcuts point at.
  virtual IShell& Shell() = 0;
  virtual void UpdateMagnifier(TModelPoint point) = 0;
  // The palette's target buttons show the text colour (true) or the face colour.
  virtual void SetPaletteTextTarget(bool text) = 0;

  // ---- Dragging between model windows
  // The model window's surface under a pixel of this one (the pixel may lie outside it, over
  // another window); none over anything else.
  virtual TDropSite DropSiteAt(QPoint pixel)
  {
    (void)pixel;
    return {};
  }
};
