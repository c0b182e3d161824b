#include "app/shell/recentfiles.h"

#include <QDir>
#include <QFileInfo>

#include "app/settings/settingsstore.h"

QString TRecentFiles::Identity(const QString& path)
{
  const QFileInfo info(path);
  const QString canonical = info.canonicalFilePath();
  return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

void TRecentFiles::Add(const QString& path)
{
  if (path.isEmpty()) return;
  const QString identity = Identity(path);
  QString entry = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
  for (qsizetype i = 0; i < files_.size(); ++i)
    if (Identity(files_[i]) == identity) {
      entry = files_.takeAt(i);
      break;
    }
  files_.prepend(entry);
  while (files_.size() > kMax)
    files_.removeLast();
}

void TRecentFiles::Load(const TSettingsStore& store)
{
  files_.clear();
  const int count = store.Integer("Recent Files/Count");
  QStringList identities;
  for (int i = 1; i <= count; ++i) {
    const QString file = store.Text("Recent Files/File", i);
    // Entries that are not usable paths, and repeats, are dropped.
    if (file.isEmpty() || identities.contains(Identity(file))) continue;
    identities << Identity(file);
    files_ << file;
  }
}

void TRecentFiles::Save(TSettingsStore& store) const
{
  store.Write("Recent Files/Count", static_cast<int>(files_.size()));
  for (int i = 0; i < kMax; ++i) {
    if (i < files_.size())
      store.Write("Recent Files/File", files_[i], i + 1);
    else
      store.Remove("Recent Files/File", i + 1);
  }
}
