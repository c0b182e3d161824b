#include "app/settings/settingsstore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

// Larger than any settings file the program writes by far.
constexpr qint64 kMaxFileSize = 8 * 1024 * 1024;

// A settings file is read only when it is an ordinary file of a sane size: a FIFO would block
// the start for ever and a huge file would stall it.
bool Readable(const QString& path)
{
  const QFileInfo info(path);
  return !info.exists() || (info.isFile() && info.size() <= kMaxFileSize);
}

// A format that reads nothing and never writes, for a file that must be left alone.
QSettings::Format DiscardingFormat()
{
  static const QSettings::Format format = QSettings::registerFormat(
      QStringLiteral("ignored"), [](QIODevice&, QSettings::SettingsMap&) { return true; },
      [](QIODevice&, const QSettings::SettingsMap&) { return false; });
  return format;
}

std::unique_ptr<QSettings> OpenSettings(const QString& path)
{
  if (Readable(path)) return std::make_unique<QSettings>(path, QSettings::IniFormat);
  return std::make_unique<QSettings>(path + QStringLiteral(".ignored"), DiscardingFormat());
}

}  // namespace

QString TSettingsStore::FilePath(TSettingRoot root)
{
  // The folder is looked up each time: it follows the environment of the moment, not the
  // one the first settings object saw.
  QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
  return base + (root == TSettingRoot::Program ? QStringLiteral("/Mindorra/Mindorra.conf")
                                               : QStringLiteral("/CGP/Toolbars.conf"));
}

TSettingsStore::TSettingsStore()
    : program_(OpenSettings(FilePath(TSettingRoot::Program))),
      toolbars_(OpenSettings(FilePath(TSettingRoot::Toolbars)))
{
}

TSettingsStore::~TSettingsStore() = default;

QSettings& TSettingsStore::Root(TSettingRoot root) const
{
  return root == TSettingRoot::Program ? *program_ : *toolbars_;
}

QVariant TSettingsStore::Value(TSettingId id, int number) const
{
  const TSettingDef& def = id.Def();
  if (def.Series > 0 && (number < 1 || number > def.Series)) return def.DefaultValue();
  return def.Clamp(Root(def.Root).value(def.Key(number)));
}

bool TSettingsStore::Contains(TSettingId id, int number) const
{
  const TSettingDef& def = id.Def();
  return Root(def.Root).contains(def.Key(number));
}

void TSettingsStore::Write(TSettingId id, const QVariant& value, int number)
{
  const TSettingDef& def = id.Def();
  if (def.Series > 0 && (number < 1 || number > def.Series)) return;
  Root(def.Root).setValue(def.Key(number), def.Clamp(value));
}

void TSettingsStore::Remove(TSettingId id, int number)
{
  const TSettingDef& def = id.Def();
  Root(def.Root).remove(def.Key(number));
}

void TSettingsStore::RemoveProgramKey()
{
  program_->clear();
}

void TSettingsStore::Sync()
{
  program_->sync();
  toolbars_->sync();
}
