#include "platform/fileicon.h"

#include <QFileInfo>
#include <QMimeDatabase>

namespace {

QIcon ResourceIcon(const char* name)
{
  return QIcon(QStringLiteral(":/icons/") + QLatin1String(name) + QStringLiteral(".png"));
}

}  // namespace

QIcon TFileIcon::ApplicationIcon()
{
  return ResourceIcon("application");
}

QIcon TFileIcon::ForFile(const QString& path)
{
  const QFileInfo info(path);
  if (path.isEmpty() || !info.exists()) return ApplicationIcon();
  const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
  const QIcon fallback =
      info.isExecutable() && !info.isDir() ? ApplicationIcon() : ResourceIcon("document");
  if (!type.isValid()) return fallback;
  QIcon icon =
      QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName(), fallback));
  return icon.isNull() ? fallback : icon;
}
