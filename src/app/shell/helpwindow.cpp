#include "app/shell/helpwindow.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

THelpWindow::THelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this))
{
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Mindorra Help"));
  browser_->setOpenExternalLinks(true);
  browser_->setSearchPaths({QStringLiteral(":/help")});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(640, 560);
}

void THelpWindow::ShowPage(const QString& page)
{
  browser_->setSource(QUrl(QStringLiteral("qrc:/help/") + page));
  show();
  raise();
  activateWindow();
}

QString THelpWindow::CurrentPage() const
{
  return browser_->source().fileName();
}

QString THelpWindow::Text() const
{
  return browser_->toPlainText();
}
