// Reads rich text (RTF) as rich-edit controls and word processors write it into a QTextDocument
// held the way platform/richtext.h describes. The bytes are untrusted: every input gives a
// document, read in one pass with work and memory bounded by its length.
#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

class TRtfReader {
 public:
  // Groups nested deeper than this are skipped whole (their braces are still counted).
  static constexpr int kMaxGroupDepth = 100;

  // Replaces the document's content. Bytes after the document's closing brace are ignored;
  // bytes that do not start with "{\rtf" are read as plain text (UTF-8 when valid, otherwise
  // Windows-1252), one paragraph per line.
  static void Read(const QByteArray& bytes, QTextDocument& document);
  // Only the characters: paragraphs and line breaks become "\n", tabs stay.
  static QString PlainText(const QByteArray& bytes);
  // The same for a document already read.
  static QString PlainText(const QTextDocument& document);
};
