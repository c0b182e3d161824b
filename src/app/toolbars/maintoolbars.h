// The seven toolbars of the main window with their captions, first places and buttons in
// order, and the bottom bar that holds the colour palette strip. Toolbars are named by
// their object names so their layout and visibility can be kept between runs.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QComboBox;
class QMainWindow;
class QMenu;
class QToolBar;
class QToolButton;
class TActionRegistry;
class TDropDownMenus;
class TQuickZoomButton;

class TMainToolbars : public QObject {
  Q_OBJECT

 public:
  // Object names of the seven toolbars in the order View > Toolbars lists them.
  static QStringList Names();

  TMainToolbars(QMainWindow& window, TActionRegistry& actions, const TDropDownMenus& menus,
                QMenu* recentFiles);

  QToolBar* Bar(const QString& name) const;
  QList<QToolBar*> Bars() const { return bars_; }
  // The bar along the bottom above the status bar; the colour palette strip goes in it.
  QToolBar* PaletteBar() const { return paletteBar_; }
  TQuickZoomButton* QuickZoomButton() const { return quickZoom_; }
  QComboBox* FontNameBox() const { return fontName_; }
  QComboBox* FontSizeBox() const { return fontSize_; }
  // Shows or hides a toolbar; one shown again outside its dock's visible area moves to a
  // new row at the end of the left dock.
  void Toggle(const QString& name);
  void SetVisible(const QString& name, bool visible);

 private:
  QToolBar* AddBar(const QString& name, const QString& caption);
  void Fill(QToolBar* bar, const QStringList& ids);
  void AddDropDown(QToolBar* bar, const QString& id, QMenu* menu);

  QMainWindow& window_;
  TActionRegistry& actions_;
  QList<QToolBar*> bars_;
  QToolBar* paletteBar_ = nullptr;
  TQuickZoomButton* quickZoom_ = nullptr;
  QComboBox* fontName_ = nullptr;
  QComboBox* fontSize_ = nullptr;
};
