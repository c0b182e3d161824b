// The per-user settings store: the program's key ("Mindorra/Mindorra.conf" in the user's
// configuration folder) and the toolbar layout kept apart ("CGP/Toolbars.conf"). Reading
// never creates anything and gives every value clamped into its setting's range; writing
// clamps as well, so what goes to disk is always something the program can read back.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <memory>

#include "app/settings/settingtable.h"

class QSettings;

class TSettingsStore {
 public:
  // Opens the files under the configuration folder the environment names now.
  TSettingsStore();
  ~TSettingsStore();
  TSettingsStore(const TSettingsStore&) = delete;
  TSettingsStore& operator=(const TSettingsStore&) = delete;

  // The file that holds a root's settings.
  static QString FilePath(TSettingRoot root);

  // The stored value, clamped, or the default when there is none; `number` picks an entry of
  // a series (1 ..).
  QVariant Value(TSettingId id, int number = 0) const;
  bool Boolean(TSettingId id) const { return Value(id).toBool(); }
  int Integer(TSettingId id) const { return Value(id).toInt(); }
  double Float(TSettingId id) const { return Value(id).toDouble(); }
  QString Text(TSettingId id, int number = 0) const { return Value(id, number).toString(); }
  QByteArray Bytes(TSettingId id) const { return Value(id).toByteArray(); }
  bool Contains(TSettingId id, int number = 0) const;

  void Write(TSettingId id, const QVariant& value, int number = 0);
  void Remove(TSettingId id, int number = 0);
  // Deletes the program's whole key with every group under it (not the toolbar layout).
  void RemoveProgramKey();
  // Writes what is pending to disk.
  void Sync();

 private:
  QSettings& Root(TSettingRoot root) const;

  std::unique_ptr<QSettings> program_;
  std::unique_ptr<QSettings> toolbars_;
};
