// Pictures inside model records: an int32 length (0 for no picture), a kind byte and the
// encoded image. Bitmaps are stored as BMP file images; icons, metafiles and JPEG images
// as the bytes they were read from.
#pragma once

#include <optional>

#include "platform/pictures/picture.h"

class TBinaryReader;
class TBinaryWriter;

// Writes an absent or empty picture as a bare int32 0.
void WritePicture(TBinaryWriter& stream, const std::optional<TPicture>& picture);
// A picture of a kind from its encoded bytes; formats we cannot draw keep their bytes.
TPicture DecodePicture(TPicture::TKind kind, const QByteArray& bytes);
// Reads what WritePicture wrote; every length is checked against the bytes present.
std::optional<TPicture> ReadPicture(TBinaryReader& stream);
