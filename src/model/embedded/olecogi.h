// An embedded document from another program. This system has no embedded-document host, so
// the object keeps the document's saved bytes untouched, so that saving loses nothing, and
// shows a placeholder cross in its box.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "model/layers/clusteredobject.h"

// What the header of an embedded document's saved bytes says: a signature, the drawing
// aspect and the length of the document image that follows.
struct TEmbeddedHeader {
  static constexpr std::uint32_t kSignature = 0x434F4442;
  static constexpr int kSize = 12;
  bool Valid = false;  // signature right and the stated length within the bytes present
  std::int32_t Aspect = 0;
  std::int32_t DataLength = 0;

  static TEmbeddedHeader Parse(const QByteArray& bytes);
};

class TOLECogi : public TClusteredObject {
 public:
  TOLECogi() = default;

  // The embedded document as its container saved it; empty for none.
  QByteArray ContainerData;
  // Set once the user has sized the object; until then it follows the document's own size.
  bool OleSized = false;

  // Whether a document host could show the object; never on this system.
  bool HasObject() const { return false; }
  // What a double click does: opening the document in its program. Returns the message to
  // report, since nothing here can open it.
  QString Activate() const;

  void DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  void SaveToStream(TBinaryWriter& stream) const override;
  void LoadFromStream(TBinaryReader& stream) override;

 protected:
  int ClassKindCode() const override { return okOLECogi; }
};
