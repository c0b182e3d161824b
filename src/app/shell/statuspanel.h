// The status bar: in normal mode the long hint of whatever the pointer is over and four
// clickable panels (snap to grid, snap to shape, the model's pages and orientation, the
// zoom); in progress mode a caption and a gauge instead of the panels. Setting the hint or
// any panel returns it to normal mode.
#pragma once

#include <QStatusBar>

class QLabel;
class QProgressBar;
class QToolButton;

class TStatusPanel : public QStatusBar {
  Q_OBJECT

 public:
  explicit TStatusPanel(QWidget* parent = nullptr);

  void SetHint(const QString& longHint);
  // What the hint area shows: two spaces and the hint.
  QString HintText() const;
  // The panels show the active model; without one they are greyed and empty.
  void ShowModel(bool present);
  void SetSnapToGrid(bool on);
  void SetSnapToShape(bool on);
  void SetPages(int across, int down, int orientation);
  void SetZoom(double percent);

  void ShowProgress(int percent, const QString& caption);
  void EndProgress();
  bool InProgress() const { return inProgress_; }

  QToolButton* GridPanel() const { return grid_; }
  QToolButton* ShapePanel() const { return shape_; }
  QToolButton* PagesPanel() const { return pages_; }
  QToolButton* ZoomPanel() const { return zoom_; }

 Q_SIGNALS:
  void GridClicked();
  void ShapeClicked();
  void PagesClicked();
  // Where the zoom menu pops up: the panel's top-left corner on the screen.
  void ZoomClicked(QPoint at);

 private:
  QToolButton* AddPanel(const QString& hint);
  void NormalMode();

  QLabel* hint_;
  QToolButton* grid_;
  QToolButton* shape_;
  QToolButton* pages_;
  QToolButton* zoom_;
  QLabel* progressCaption_;
  QProgressBar* gauge_;
  bool inProgress_ = false;
};
