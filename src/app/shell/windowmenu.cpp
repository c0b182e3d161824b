#include "app/shell/windowmenu.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

TWindowMenu::TWindowMenu(QMdiArea& area, std::function<QList<QMdiSubWindow*>()> windows,
                         QWidget* parent)
    : QMenu(QStringLiteral("&Window"), parent), area_(area), windows_(std::move(windows))
{
  setObjectName(QStringLiteral("WindowMenu"));
  connect(addAction(QStringLiteral("&Cascade")), &QAction::triggered, &area_,
          &QMdiArea::cascadeSubWindows);
  connect(addAction(QStringLiteral("&Tile")), &QAction::triggered, &area_,
          &QMdiArea::tileSubWindows);
  addSeparator();
  arrange_ = addAction(QStringLiteral("&Arrange Icons"));
  connect(arrange_, &QAction::triggered, this, &TWindowMenu::ArrangeIcons);
  addSeparator();
  fixedItems_ = static_cast<int>(actions().size());
  connect(this, &QMenu::aboutToShow, this, &TWindowMenu::Rebuild);
}

void TWindowMenu::Rebuild()
{
  const QList<QAction*> items = actions();
  for (qsizetype i = fixedItems_; i < items.size(); ++i) {
    removeAction(items[i]);
    items[i]->deleteLater();
  }
  const QList<QMdiSubWindow*> windows = windows_();
  arrange_->setEnabled(windows.size() > 1);
  QMdiSubWindow* active = windows.isEmpty() ? nullptr : windows.front();
  for (int i = 0; i < windows.size(); ++i) {
    QString caption = windows[i]->widget() ? windows[i]->widget()->windowTitle() : QString();
    caption.replace(QLatin1Char('&'), QLatin1String("&&"));
    QAction* item = addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(caption));
    item->setCheckable(true);
    item->setChecked(windows[i] == active);
    QPointer<QMdiSubWindow> window = windows[i];
    connect(item, &QAction::triggered, this, [this, window] {
      if (window) Q_EMIT WindowChosen(window);
    });
  }
}

void TWindowMenu::ArrangeIcons()
{
  const QSize area = area_.viewport()->size();
  int x = 0;
  int y = area.height();
  for (QMdiSubWindow* window : windows_()) {
    if (!window->isMinimized()) continue;
    const QSize size = window->size();
    if (x > 0 && x + size.width() > area.width()) {
      x = 0;
      y -= size.height();
    }
    window->move(x, y - size.height());
    x += size.width();
  }
}
