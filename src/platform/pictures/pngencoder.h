// Writes model pictures as PNG quickly: 8-bit RGB rows with the "up" filter, which turns the
// flat areas of a model into runs that the fastest deflate level packs well. Large pictures
// are packed in horizontal pieces on all cores, joined into one stream.
#pragma once

#include <QByteArray>
#include <QImage>
#include <vector>

class TPngEncoder {
 public:
  // An empty array for a null image. Transparency is dropped (model pictures are opaque).
  static QByteArray Encode(const QImage& image);
  // How many pieces Encode packs a picture of this size in.
  static int PieceCount(QSize size);
};

// A picture packed in horizontal pieces that are packed apart, each as soon as its rows and
// the row above them are final (while the rest is still being drawn), then joined into one
// PNG file. The image must be RGB32 and stay unchanged where pieces are being packed.
class TPngPieces {
 public:
  TPngPieces(const QImage& image, int pieces);
  ~TPngPieces();
  TPngPieces(const TPngPieces&) = delete;
  TPngPieces& operator=(const TPngPieces&) = delete;

  int Count() const { return static_cast<int>(first_.size()); }
  // Rows [FirstRow, LastRow) of a piece; packing it reads the row above them too.
  int FirstRow(int piece) const { return first_[static_cast<std::size_t>(piece)]; }
  int LastRow(int piece) const;
  // Packs one piece; different pieces may be packed on different threads at once.
  void Pack(int piece);
  // The PNG file once every piece is packed; empty when packing failed.
  QByteArray Finish() const;

 private:
  struct TPiece;
  const QImage& image_;
  std::vector<int> first_;
  std::vector<TPiece> pieces_;
};
