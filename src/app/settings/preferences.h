// The user's preferences held in memory for the whole run: every setting of the program's own
// key (the table's lines without a group). Loaded once at start, written at shut-down and by
// the Options dialog; new model windows take their settings and default attributes from it.
#pragma once

#include <QVariant>
#include <vector>

#include "app/settings/settingtable.h"
#include "interaction/interactionpreferences.h"
#include "platform/color.h"

class TModelDocument;
class TSettingsStore;

class TPreferences {
 public:
  // Every preference at its default.
  TPreferences();

  void Load(const TSettingsStore& store);
  void Save(TSettingsStore& store) const;
  void RestoreDefaults();

  QVariant Value(TSettingId id) const;
  bool Boolean(TSettingId id) const { return Value(id).toBool(); }
  int Integer(TSettingId id) const { return Value(id).toInt(); }
  double Float(TSettingId id) const { return Value(id).toDouble(); }
  TColorRef Colour(TSettingId id) const { return static_cast<TColorRef>(Value(id).toUInt()); }
  QString Text(TSettingId id) const { return Value(id).toString(); }
  // Clamped into the setting's range like everything read from disk.
  void Set(TSettingId id, const QVariant& value);

  // What the operation modes read: the model menu, the bee cursors, what format painting copies.
  TInteractionPreferences Interaction() const;
  // A new model's settings, size and orientation and its attributes for new objects.
  void ApplyToNewModel(TModelDocument& document) const;
  // The same for a model that is open already: its fill picture stays.
  void ApplyToModel(TModelDocument& document) const;

  // Whether a line of the table is one of the preferences (the key itself, not a group).
  static bool IsPreference(const TSettingDef& def);

 private:
  std::vector<QVariant> values_;
};
