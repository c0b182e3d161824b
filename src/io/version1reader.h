// Reads models of the earlier version, text files of key-and-value sections, into a document
// of the current kind; they are never written. Every value is untrusted: missing keys give
// defaults, numbers are bounded, and only the sections that exist become objects.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "platform/color.h"

class CGPObject;
class TKeyValueText;
class TModelDocument;

// Why a file of the earlier version is being read: opening makes a model of it, inserting
// into another model is refused.
enum class TVersion1Purpose { Open, Insert };

class TVersion1Reader {
 public:
  // Lengths in the file are pixels of a 96 pixels-per-inch screen, whatever the screen the
  // file is opened on; positions are counted in steps of 20 of those pixels.
  static constexpr double kPixelsPerInch = 96.0;
  static constexpr double kPositionStep = 20.0;
  // Positions and sizes beyond this many inches are taken as this far.
  static constexpr double kMaxInches = 1000.0;
  static constexpr int kMaxFontPoints = 1638;
  static constexpr float kMaxLineWidth = 100.0f;

  static const QString kUnknownFormat;
  static const QString kInsertRefused;

  // Reads the file's bytes into an empty document. Bytes that are not text, or text without a
  // model section, throw EStreamError("Unable to load model. Unknown format") before anything
  // changes; so does every purpose but opening, with the insertion's refusal.
  static void ReadVersion1Model(TModelDocument& document, const QByteArray& bytes,
                                TVersion1Purpose purpose = TVersion1Purpose::Open);
  // Reads the object section of the given position into a new object of the document; none
  // when there is no such section.
  static CGPObject* ReadVersion1Object(TModelDocument& document, const TKeyValueText& ini,
                                       int position);

  // A colour code: the 16 fixed colours, or a colour value of which only the low 24 bits
  // count, so that no code names a system colour.
  static TColorRef Version1Colour(qint64 value);
  // A position in inches, bounded.
  static double Version1Position(qint64 value);
  // Without the single quotes round it, when there are two.
  static QString Unquote(const QString& text);

  // Text decoded as UTF-8 when it is valid UTF-8, otherwise as Windows-1252; none when the
  // bytes hold anything but printable characters, tabs and line ends.
  static std::optional<QString> DecodeText(const QByteArray& bytes);
};
