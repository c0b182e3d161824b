// The drop-down menus of the Modify and Navigation toolbars (Size, Fill, Line Thickness and
// Zoom), which the status bar's zoom panel shows too. Each item tells its value to the
// handler the main window gives; "Other..." and "Fill Properties..." have handlers of their
// own.
#pragma once

#include <QMenu>
#include <functional>

class TDropDownMenus : public QObject {
  Q_OBJECT

 public:
  struct THandlers {
    std::function<void(int sizeCode)> Size;
    std::function<void(int fillStyle)> Fill;
    std::function<void()> FillProperties;
    std::function<void(double points)> LineWidth;
    std::function<void()> LineWidthOther;
    // 1 for the whole model, else a percentage.
    std::function<void(int value)> Zoom;
    std::function<void()> ZoomOther;
  };

  TDropDownMenus(QWidget* parent, THandlers handlers);

  QMenu* SizeMenu() const { return size_; }
  QMenu* FillMenu() const { return fill_; }
  QMenu* LineMenu() const { return line_; }
  QMenu* ZoomMenu() const { return zoom_; }
  // The Fill Properties item, enabled once its dialog is wired.
  QAction* FillPropertiesItem() const { return fillProperties_; }

  // The checks that show the first selected object's (else the model's) value: a size code of
  // 0, 1 or 2; a fill style (0 Solid, 1 Clear, any other Fill Properties...); a width in
  // points, checking the first item of exactly that width, else "Other...".
  void CheckSize(int sizeCode);
  void CheckFill(int fillStyle);
  void CheckLineWidth(double points);

 private:
  QMenu* NewMenu(QWidget* parent, const QString& name);

  THandlers handlers_;
  QMenu* size_;
  QMenu* fill_;
  QMenu* line_;
  QMenu* zoom_;
  QAction* fillProperties_ = nullptr;
  QAction* lineOther_ = nullptr;
};
