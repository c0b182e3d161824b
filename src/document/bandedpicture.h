// A whole-model picture drawn in horizontal bands that several threads draw at once, each
// with its own painter on its own rows of the picture; the pixels are those of
// TModelPainter::RenderToBitmap.
#pragma once

#include <QImage>
#include <QRect>
#include <memory>
#include <mutex>
#include <vector>

#include "document/modeldocument.h"

class TBandedPicture {
 public:
  // Prepares drawing the document into the image (what it holds is the background) in the
  // given number of bands, on the user-interface thread: what objects would otherwise work
  // out while drawing (members' numbers, link icons) is worked out here. The model and the
  // image must not change until every band is drawn.
  TBandedPicture(TModelDocument& document, QImage& image, int bands);
  ~TBandedPicture();
  TBandedPicture(const TBandedPicture&) = delete;
  TBandedPicture& operator=(const TBandedPicture&) = delete;

  // Each band whitens its rows before drawing, on the thread that draws it (the first touch of
  // a large picture's memory is a good part of drawing it); the image's content is then unused.
  void SetWhiteBackground(bool on) { white_ = on; }
  // False when the picture must be drawn whole on one thread (RenderToBitmap) to give the
  // same pixels: drawing would change what an earlier object already showed.
  bool Shareable() const { return shareable_; }
  // No bands for a model without objects (the image stays as it is).
  int BandCount() const { return static_cast<int>(bands_.size()); }
  // Rows [Top, Bottom) of a band.
  int BandTop(int band) const { return bands_[static_cast<std::size_t>(band)].Top; }
  int BandBottom(int band) const { return bands_[static_cast<std::size_t>(band)].Bottom; }
  // Draws one band. Different bands may be drawn by different threads at the same time.
  void DrawBand(int band);
  // Draws every band on up to the given number of threads (the calling one included), or the
  // whole picture on this thread when it is not shareable.
  void Draw(int threads);

 private:
  struct TEntry {
    CGPObject* Object = nullptr;
    int Lock = -1;  // index of the lock of an object that several bands draw, or -1
  };
  struct TBand {
    int Top = 0;
    int Bottom = 0;
    std::vector<TEntry> Entries;  // in drawing order
  };

  bool NumberClusterMembers(const std::vector<CGPObject*>& order);
  void AssignBands(const std::vector<CGPObject*>& order);

  TModelDocument& document_;
  QImage& image_;
  uchar* bits_ = nullptr;
  double offsetX_ = 0.0;
  double offsetY_ = 0.0;
  double zoom_ = 100.0;
  bool shareable_ = true;
  bool white_ = false;
  std::vector<TBand> bands_;
  std::unique_ptr<std::mutex[]> locks_;
};
