// A picture on the model: a bitmap, icon, metafile or JPEG image stretched into the object's
// box, which can also be a gateway.
#pragma once

#include <optional>

#include "model/layers/gateway.h"
#include "platform/pictures/picture.h"
#include "platform/screenmetrics.h"

class TClipart : public TGateway {
 public:
  TClipart();

  std::optional<TPicture> Picture;

  // Takes a copy of the picture; a picture with a size makes the object that size on the
  // screen at zoom 100.
  void SetPicture(const TPicture& picture, TScreenResolution screen = ScreenResolution());

  void DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  void SaveToStream(TBinaryWriter& stream) const override;
  void LoadFromStream(TBinaryReader& stream) override;

 protected:
  int ClassKindCode() const override { return okClipart; }
  TTextBoxFractions TextBoxRule() const override { return {0.0, 0.0, 1.0, 1.0}; }
  TModelPoint IconPositionRule() const override { return {0.0, 0.35}; }
};
