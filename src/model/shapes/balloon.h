// A callout: a box, rounded box, ellipse or cloud with a pointer whose tip can be moved
// on its own to point at what the text is about.
#pragma once

#include <QPainterPath>
#include <QRegion>
#include <cstdint>

#include "model/layers/gateway.h"

class TBalloon : public TGateway {
 public:
  TBalloon() = default;

  enum TStyle : int { Rectangle = 0, RoundedBox = 1, Ellipse = 2, Cloud = 3 };
  static constexpr int kStyleCount = 4;

  std::uint8_t BalloonStyle = Rectangle;
  double TipX = 0.0;  // the pointer's tip, absolute model coordinates
  double TipY = 0.0;

  // Styles past the table (from damaged files) draw as the rectangle.
  static int ValidStyle(int style);
  TModelPoint Tip() const { return {TipX, TipY}; }
  void MoveTip(TModelPoint tip);

  // The callout in pixels: the unrotated body united with the pointer towards tip, all
  // displaced by shift (model units).
  QPainterPath CalloutPath(const TCanvas& canvas, TModelPoint tip, TModelPoint shift,
                           double offsetX, double offsetY, double zoom) const;
  QRegion CalloutRegion(const TCanvas& canvas, TModelPoint tip, TModelPoint shift, double offsetX,
                        double offsetY, double zoom) const;
  // The inverting one-pixel frame of the callout with its tip at tip, shown while the tip
  // handle is dragged; drawing it twice removes it.
  void DrawTipOutline(TCanvas& canvas, TModelPoint tip, double offsetX, double offsetY,
                      double zoom) const;

  void DrawShadow(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  void Draw3D(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  void DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  // The tip travels with the body.
  void MoveTo(TObjectList* list, double x, double y) override;
  // The box handles and, as handle 9, a yellow handle on the tip.
  void DrawHandles(TCanvas& canvas, double angle, QRegion& handleRegion, bool primary, int mode,
                   double offsetX, double offsetY, double zoom) override;
  QRegion CreateRegion(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  // The body's box and the pointer or puffs out to the tip.
  TPixelRect RegionBox(const TCanvas& canvas, double offsetX, double offsetY,
                       double zoom) const override;
  void SaveToStream(TBinaryWriter& stream) const override;
  void LoadFromStream(TBinaryReader& stream) override;

 protected:
  int ClassKindCode() const override { return okBalloon; }

 private:
  // Half the width of the pointer's base, and the height of the cloud's small puffs.
  double PointerReach() const;
  void AddPointer(QPainterPath& path, const TCanvas& canvas, TModelPoint centre, TModelPoint tip,
                  double offsetX, double offsetY, double zoom) const;
  void AddCloudPuffs(QPainterPath& path, const TCanvas& canvas, TModelPoint centre, TModelPoint tip,
                     double offsetX, double offsetY, double zoom) const;
};
