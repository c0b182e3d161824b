// Writes a QTextDocument (held as platform/richtext.h describes) as compact, standard RTF of the
// kind rich-edit controls write and read: Windows-1252 text, \u escapes for everything else.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTextCharFormat>

class QTextDocument;

class TRtfWriter {
 public:
  static QByteArray Write(const QTextDocument& document);

  // Plain text as one centred paragraph in the given format (a line break in the text starts
  // another centred paragraph): the text of shortcuts, brainstorm and thought objects and of
  // pasted text.
  static QByteArray CentredText(const QString& text, const QTextCharFormat& format);
  // The same in the format new object text gets (Arial 8 point).
  static QByteArray CentredText(const QString& text);
};
