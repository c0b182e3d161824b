// An outline drawn by hand: closed and filled, or an open line that can end in an arrowhead.
#pragma once

#include <cstdint>
#include <optional>

#include "model/layers/pointed.h"

// Where the head of an open free shape sits and where it comes from, in model units.
struct THeadLine {
  TModelPoint From;
  TModelPoint To;
};

class TFreeShape : public TPointed {
 public:
  TFreeShape() = default;

  static constexpr std::uint8_t kNoHead = 10;

  std::uint8_t FreeHead = kNoHead;  // head styles of an arrow's end head
  std::uint8_t FreeHeadSize = 0;    // 0 small, 1 medium, 2 large

  // The outline ends where it started: the user closed the figure.
  bool IsClosed() const;
  // The line the head continues: from the point three quarters along the last segment to
  // the last point, turned by Angle. None for a filled shape, without a head or for a lone
  // point.
  std::optional<THeadLine> HeadLine() const;
  // Thins a scribbled outline to its turns and smooths it; an open line stays open.
  void SimplifyPoints();

  void DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  void Draw3D(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  void SaveToStream(TBinaryWriter& stream) const override;
  void LoadFromStream(TBinaryReader& stream) override;

 protected:
  int ClassKindCode() const override { return okFreeShape; }
  // Open outlines stay open, so an unfilled open shape is a line, not a loop.
  QPainterPath ShapePath(const TCanvas& canvas, double angle, TModelPoint centre, double offsetX,
                         double offsetY, double zoom) const override;
};
