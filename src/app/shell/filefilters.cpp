#include "app/shell/filefilters.h"

#include <QFileInfo>
#include <QStringList>

bool filefilters::IsExportName(const QString& path)
{
  static const QStringList kinds = {
      QStringLiteral("bmp"),  QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("htm"),
      QStringLiteral("html"), QStringLiteral("txt"), QStringLiteral("rtf"),  QStringLiteral("wmf"),
      QStringLiteral("emf"),  QStringLiteral("ico")};
  return kinds.contains(QFileInfo(path).suffix().toLower());
}
