// The recent-file list: at most ten model files, newest first, each once. Two names count as
// one file when they lead to the same file ("./plan.mdl", a symbolic link), compared with
// letter case as the file system does.
#pragma once

#include <QStringList>

class TSettingsStore;

class TRecentFiles {
 public:
  static constexpr int kMax = 10;

  const QStringList& Files() const { return files_; }
  // Puts the file at the head, moving it there when it is already listed.
  void Add(const QString& path);
  void Clear() { files_.clear(); }

  void Load(const TSettingsStore& store);
  void Save(TSettingsStore& store) const;

  // The identity of a path: the file it leads to when it exists, else its absolute form.
  static QString Identity(const QString& path);

 private:
  QStringList files_;
};
