// The two-sided rocker of the Navigation toolbar: the left half zooms in, the right half
// out, for as long as the button is held; crossing the middle while held turns round.
#pragma once

#include <QToolButton>

class TQuickZoomButton : public QToolButton {
  Q_OBJECT

 public:
  explicit TQuickZoomButton(QWidget* parent = nullptr);

 Q_SIGNALS:
  void Pressed(bool in);
  void DirectionChanged(bool in);
  void Released();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool InHalf(const QPoint& pos) const { return pos.x() < width() / 2; }

  bool held_ = false;
  bool in_ = true;
};
