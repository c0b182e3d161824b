// The drawing surface of a model window: paints the model from a back buffer with the
// gesture feedback on top, turns mouse and key events into the mode machine's plain inputs,
// and gives the operation modes their cursors, hints and pointer services.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include "document/overlay.h"
#include "interaction/cursorsetter.h"
#include "interaction/interactionhost.h"
#include "interaction/interactionpreferences.h"
#include "interaction/keystate.h"
#include "interaction/modemachine.h"
#include "platform/asyncinput.h"
#include "platform/shell.h"

class TModelDocument;

class TModelPaintBox : public QWidget, public IInteractionHost, private IAsyncInput {
  Q_OBJECT

 public:
  explicit TModelPaintBox(TModelDocument& document, QWidget* parent = nullptr);
  ~TModelPaintBox() override;

  TModeMachine& Machine() { return machine_; }
  TModelDocument& Document() const { return document_; }

  // The model changed: it is painted again at the next paint event.
  void Repaint();
  void SetPreferences(const TInteractionPreferences& preferences);
  void SetTextEditing(ITextEditing* editing) { textEditing_ = editing; }
  // The text editor moved or changed size: its leader lines are drawn again.
  void RefreshLeaderLines();
  // The desktop shortcuts open through (the system's own by default).
  void SetShell(IShell* shell) { shell_ = shell; }

  // What the surface shows now, for the status bar and for tests.
  int WindowCursorId() const { return cursors_.CursorId(); }
  int ScreenCursorId() const { return cursors_.ScreenCursorId(); }
  const QString& Hint() const { return hint_; }
  const QImage& ModelImage() const { return buffer_; }

  // ---- IInteractionHost
  void SetWindowCursor(int id) override;
  void SetScreenCursor(int id) override;
  void SetRenumberCursor(int number) override;
  void SetHint(const QString& hint) override;
  void ConfineCursor(bool on) override { confined_ = on; }
  bool CursorConfined() const override { return confined_; }
  void CentreCursor() override;
  QPoint ClientSize() const override { return QPoint(width(), height()); }
  bool IsMaximised() const override;
  void TakeFocus() override;
  IAsyncInput* AsyncInput() override { return this; }
  void PaintNow(bool fast) override;
  void PaintSelection() override;
  TOverlay& Overlay() override { return overlay_; }
  void OverlayChanged() override { update(); }
  const TInteractionPreferences& Preferences() const override { return preferences_; }
  ITextEditing* TextEditing() override { return textEditing_; }
  void ShowModelMenu(QPoint pixel, CGPObject* underPointer) override;
  void FollowGateway(CGPObject* gateway) override;
  IShell& Shell() override { return shell_ ? *shell_ : desktop_; }
  void UpdateMagnifier(TModelPoint point) override;
  void SetPaletteTextTarget(bool text) override;
  TDropSite DropSiteAt(QPoint pixel) override;

 Q_SIGNALS:
  void HintChanged(const QString& hint);
  // A right click in the idle mode asks for the model menu at a pixel of the surface.
  void ModelMenuRequested(QPoint pixel, CGPObject* underPointer);
  void GatewayFollowRequested(CGPObject* gateway);
  void MagnifierPointChanged(double x, double y);
  void PaletteTargetChanged(bool text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // ---- IAsyncInput
  bool CancelRequested() override;
  QPoint PointerPosition() override;
  bool PointerConfined() override { return confined_; }

  TPointerInput Translate(const QMouseEvent& event) const;
  std::vector<QLine> CurrentLeaderLines() const;
  void PaintModel(bool fast);
  // Whether the model layer kept from the last full paint still shows the model as it is.
  bool LayerCurrent() const;

  TModelDocument& document_;
  TModeMachine machine_;
  TKeyState keys_;
  QImage buffer_;
  TOverlay overlay_;
  bool dirty_ = true;
  bool fastPending_ = false;
  // The last full paint without its selection marks, and the view it was painted for. Only
  // paints asked for as selection changes reuse it; any other paint request discards it.
  QImage layer_;
  bool layerValid_ = false;
  bool selectionOnly_ = false;
  TModelPoint layerOrigin_;
  double layerZoom_ = 0.0;
  bool centred_ = false;
  bool confined_ = false;
  TCursorSetter cursors_;
  QString hint_;
  TInteractionPreferences preferences_;
  ITextEditing* textEditing_ = nullptr;
  IShell* shell_ = nullptr;
  TDesktopShell desktop_;
};
