// The program's own help pages in a window of the program: contents first, links between
// pages followed inside it, web links opened by the desktop.
#pragma once

#include <QWidget>

class QTextBrowser;

class THelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit THelpWindow(QWidget* parent = nullptr);
  // Shows a page of the help ("index.html" is the contents) and brings the window forward.
  void ShowPage(const QString& page);
  QString CurrentPage() const;
  QString Text() const;

 private:
  QTextBrowser* browser_;
};
