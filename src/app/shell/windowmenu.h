// The Window menu: Cascade, Tile and Arrange Icons, then one item per model window, rebuilt
// each time the menu opens. Each item is bound to its own window, so that two windows whose
// captions contain one another ("New Model 1", "New Model 10") are never mixed up.
#pragma once

#include <QMenu>
#include <functional>

class QMdiArea;
class QMdiSubWindow;

class TWindowMenu : public QMenu {
  Q_OBJECT

 public:
  // `windows` lists the model windows in activation order, the active one first.
  TWindowMenu(QMdiArea& area, std::function<QList<QMdiSubWindow*>()> windows,
              QWidget* parent = nullptr);

  // Rebuilds the list of windows (done whenever the menu opens).
  void Rebuild();
  // Lines up the minimised windows along the bottom of the area.
  void ArrangeIcons();

 Q_SIGNALS:
  void WindowChosen(QMdiSubWindow* window);

 private:
  QMdiArea& area_;
  std::function<QList<QMdiSubWindow*>()> windows_;
  QAction* arrange_;
  int fixedItems_;
};
