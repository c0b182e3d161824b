#include "app/settings/preferences.h"

#include "app/settings/settingsstore.h"
#include "document/modeldocument.h"

namespace {

template <typename T>
T Byte(const TPreferences& preferences, TSettingId id)
{
  return static_cast<T>(preferences.Integer(id));
}

}  // namespace

TPreferences::TPreferences() : values_(settingtable::kCount)
{
  RestoreDefaults();
}

bool TPreferences::IsPreference(const TSettingDef& def)
{
  return def.Root == TSettingRoot::Program && def.Group.empty() && def.Series == 0;
}

void TPreferences::RestoreDefaults()
{
  for (int i = 0; i < settingtable::kCount; ++i)
    if (IsPreference(settingtable::kTable[i])) values_[i] = settingtable::kTable[i].DefaultValue();
}

void TPreferences::Load(const TSettingsStore& store)
{
  for (int i = 0; i < settingtable::kCount; ++i)
    if (IsPreference(settingtable::kTable[i])) values_[i] = store.Value(TSettingId::At(i));
}

void TPreferences::Save(TSettingsStore& store) const
{
  for (int i = 0; i < settingtable::kCount; ++i)
    if (IsPreference(settingtable::kTable[i])) store.Write(TSettingId::At(i), values_[i]);
}

QVariant TPreferences::Value(TSettingId id) const
{
  return values_[id.Index()];
}

void TPreferences::Set(TSettingId id, const QVariant& value)
{
  if (IsPreference(id.Def())) values_[id.Index()] = id.Def().Clamp(value);
}

TInteractionPreferences TPreferences::Interaction() const
{
  TInteractionPreferences result;
  result.PopupMenus = Boolean("Popup Menus");
  result.BeeCursors = Boolean("Bee Cursors");
  result.FormatShape = Boolean("Format Shape");
  result.FormatSize = Boolean("Format Size");
  result.FormatFont = Boolean("Format Font");
  result.FormatFill = Boolean("Format Fill");
  result.FormatLine = Boolean("Format Line");
  result.Format3D = Boolean("Format 3D");
  result.FormatShadow = Boolean("Format Shadow");
  return result;
}

void TPreferences::ApplyToNewModel(TModelDocument& document) const
{
  ApplyToModel(document);
  document.FillPicture.reset();
  document.PictureCentred = false;
}

void TPreferences::ApplyToModel(TModelDocument& document) const
{
  document.ZoomFrames = Integer("Animated Zoom Frames");
  document.ShowGrid = Boolean("Show Grid Lines");
  document.ShowPageLines = Boolean("Show Page Lines");
  document.SnapToShape = Boolean("Snap To Shape");
  document.SnapToGrid = Boolean("Snap To Grid");
  document.Orientation = Byte<std::uint8_t>(*this, "Orientation");
  // The page metrics follow the printer in the model's orientation.
  document.ApplyPrinterOrientation();
  document.UpdatePageSize();
  document.SetModelSize(Integer("Pages Across"), Integer("Pages Down"));
  document.ModelColor = Colour("Model Color");
  document.FaceColor = Colour("Cogi FG Color");
  document.BackColor = Colour("Cogi BG Color");
  document.TextColor = Colour("Cogi T Color");
  document.LineColor = Colour("Cogi L Color");
  document.CogiSize = Byte<std::uint8_t>(*this, "Cogi Size");
  document.FillStyle = Byte<std::uint8_t>(*this, "Cogi Fill Style");
  document.PatternIndex = Byte<std::uint8_t>(*this, "Cogi Pattern Style");
  document.GradientIndex = Byte<std::uint8_t>(*this, "Cogi Gradient Style");
  document.LineStyle = Byte<std::uint8_t>(*this, "Cogi Line Style");
  document.LineWidth = static_cast<float>(Float("Cogi Line Width"));
  document.Shadow = Byte<std::uint8_t>(*this, "Cogi Shadow Style");
  document.Style3D = Byte<std::uint8_t>(*this, "Cogi 3D Style");
  document.ShowNumber = Boolean("Show Number");
  document.ClusterColor = Colour("Cluster Color");
}
