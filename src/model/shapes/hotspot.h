// A clickable rectangle that leads through its gateway: usually drawn without a line, so it
// shows nothing in use but its handles while selected.
#pragma once

#include "model/layers/gateway.h"

class THotspot : public TGateway {
 public:
  THotspot() = default;

  // No fill ever; the rectangle's line unless the line style is none.
  void DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;

 protected:
  int ClassKindCode() const override { return okHotspot; }
};
