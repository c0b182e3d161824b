#include "app/shell/recentfilesmenu.h"

#include <QAction>
#include <QProxyStyle>

#include "app/shell/recentfiles.h"
#include "io/pictures/modelthumbnail.h"

namespace {

// Menu icons are drawn at the model pictures' own 32 x 32 pixels.
class TThumbnailMenuStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override
  {
    if (metric == PM_SmallIconSize) return 32;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

}  // namespace

TRecentFilesMenu::TRecentFilesMenu(const TRecentFiles& recent, QWidget* parent)
    : QMenu(QStringLiteral("Recent Files"), parent), recent_(recent)
{
  auto* style = new TThumbnailMenuStyle;
  style->setParent(this);
  setStyle(style);
  for (int i = 0; i < TRecentFiles::kMax; ++i) {
    QAction* item = addAction(QString::number(i + 1));
    item->setVisible(false);
    connect(item, &QAction::triggered, this, [this, i] {
      if (i < recent_.Files().size()) Q_EMIT OpenRequested(recent_.Files()[i]);
    });
    items_ << item;
  }
  connect(this, &QMenu::aboutToShow, this, &TRecentFilesMenu::Refresh);
}

void TRecentFilesMenu::Refresh()
{
  const QStringList& files = recent_.Files();
  for (int i = 0; i < items_.size(); ++i) {
    QAction* item = items_[i];
    const bool used = i < files.size();
    item->setVisible(used);
    if (!used) continue;
    // A "&" in a path is shown, not taken for an access key.
    QString caption = files[i];
    item->setText(caption.replace(QLatin1Char('&'), QLatin1String("&&")));
    item->setIcon(QIcon(QPixmap::fromImage(TModelThumbnail::Picture(files[i], false))));
  }
  setEnabled(!files.isEmpty());
}
