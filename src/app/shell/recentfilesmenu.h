// The recent-file menu: ten fixed items, of which those the list fills are shown each time
// the menu opens, each with the model's small picture beside its path.
#pragma once

#include <QList>
#include <QMenu>

class QAction;
class TRecentFiles;

class TRecentFilesMenu : public QMenu {
  Q_OBJECT

 public:
  TRecentFilesMenu(const TRecentFiles& recent, QWidget* parent = nullptr);

  // Makes the items show the list as it is now (also done whenever the menu opens).
  void Refresh();

 Q_SIGNALS:
  void OpenRequested(const QString& path);

 private:
  const TRecentFiles& recent_;
  QList<QAction*> items_;
};
