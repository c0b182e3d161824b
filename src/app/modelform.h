// One model window inside the main window's document area: it shows its document through
// an off-screen image, with the drag feedback on top, and handles the view keys.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "document/documentobserver.h"
#include "document/overlay.h"

class TModelDocument;

class TModelForm : public QWidget, public IDocumentObserver {
  Q_OBJECT

public:
  explicit TModelForm(QWidget* parent = nullptr);
  ~TModelForm() override;

  TModelDocument& Document() const { return *document_; }
  TOverlay& Overlay() { return overlay_; }

  // IDocumentObserver
  void Repaint() override;
  void UpdateControls() override;
  void SyncTextToolbar() override;
  void Beep() override;
  void ReportError(const QString& message) override;
  void PaintNow(bool fast) override;

Q_SIGNALS:
  void ControlsChanged();
  void SelectionChanged();

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  void PaintModel(bool fast);

  std::unique_ptr<TModelDocument> document_;
  QImage buffer_;
  TOverlay overlay_;
  bool dirty_ = true;
  bool fastPending_ = false;
  bool centred_ = false;
};
