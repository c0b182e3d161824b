#include "platform/text/rtfwriter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>
#include <optional>
#include <vector>

#include "platform/rounding.h"
#include "platform/text/ansicodepage.h"
#include "platform/text/richtext.h"

namespace {

bool IsSymbolFamily(const QString& family)
{
  // Fonts whose bytes are glyph numbers, not Windows-1252 characters.
  for (const char* name : {"Symbol", "Wingdings", "Wingdings 2", "Wingdings 3", "Webdings"})
    if (family.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) return true;
  return false;
}

struct TCharState {
  int Font = -1;
  int HalfPoints = -1;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool Strike = false;
  int Color = 0;
};

struct TParaState {
  richtext::TAlignment Align = richtext::TAlignment::Left;
  int FirstTwips = 0;
  int LeftTwips = 0;
  int RightTwips = 0;
  bool Bullet = false;
  friend bool operator==(const TParaState&, const TParaState&) = default;
};

class TRtfEmitter {
 public:
  explicit TRtfEmitter(const QTextDocument& document) : document_(document) {}
  QByteArray Write();

 private:
  void CollectTables();
  int FontIndex(const QString& family);
  int ColorIndex(TColorRef color);
  TCharState StateOf(const QTextCharFormat& format);
  void Paragraph(const QTextBlock& block);
  void SwitchTo(const TCharState& state);
  void Word(const char* word, std::optional<int> param = std::nullopt);
  void Text(const QString& text);
  void Char(char32_t c);

  const QTextDocument& document_;
  QStringList fonts_;
  std::vector<TColorRef> colors_;
  int symbolFont_ = -1;
  QByteArray out_;
  bool delimit_ = false;  // a control word was written last: text needs a space before it
  TCharState current_;
  std::optional<TParaState> paragraph_;
};

int TRtfEmitter::FontIndex(const QString& family)
{
  int index = static_cast<int>(fonts_.indexOf(family));
  if (index < 0) {
    fonts_.append(family);
    index = static_cast<int>(fonts_.size()) - 1;
  }
  return index;
}

int TRtfEmitter::ColorIndex(TColorRef color)
{
  for (std::size_t i = 0; i < colors_.size(); ++i)
    if (colors_[i] == color) return static_cast<int>(i) + 1;
  colors_.push_back(color);
  return static_cast<int>(colors_.size());
}

TCharState TRtfEmitter::StateOf(const QTextCharFormat& format)
{
  const QFont& fallback = document_.defaultFont();
  TCharState s;
  s.Font = FontIndex(richtext::FamilyOf(format, fallback));
  s.HalfPoints = std::max(1, RoundHalfEven(richtext::PointSizeOf(format, fallback) * 2));
  s.Bold = richtext::IsBold(format);
  s.Italic = format.fontItalic();
  s.Underline = format.fontUnderline();
  s.Strike = format.fontStrikeOut();
  const std::optional<TColorRef> color = richtext::ColorOf(format);
  s.Color = color ? ColorIndex(*color) : 0;
  return s;
}

void TRtfEmitter::CollectTables()
{
  // Tables list what the text uses, in order of first use, so that output stays small.
  bool bullets = false;
  for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
    bullets = bullets || richtext::IsBulleted(block);
    if (block.begin().atEnd()) StateOf(block.charFormat());
    for (auto it = block.begin(); !it.atEnd(); ++it)
      StateOf(it.fragment().charFormat());
  }
  if (fonts_.isEmpty()) FontIndex(richtext::DefaultFamily());
  if (bullets) symbolFont_ = FontIndex(QStringLiteral("Symbol"));
}

void TRtfEmitter::Word(const char* word, std::optional<int> param)
{
  out_.append('\\').append(word);
  if (param) out_.append(QByteArray::number(*param));
  delimit_ = true;
}

void TRtfEmitter::SwitchTo(const TCharState& s)
{
  if (s.Font != current_.Font) Word("f", s.Font);
  if (s.HalfPoints != current_.HalfPoints) Word("fs", s.HalfPoints);
  if (s.Bold != current_.Bold) s.Bold ? Word("b") : Word("b", 0);
  if (s.Italic != current_.Italic) s.Italic ? Word("i") : Word("i", 0);
  if (s.Underline != current_.Underline) s.Underline ? Word("ul") : Word("ulnone");
  if (s.Strike != current_.Strike) s.Strike ? Word("strike") : Word("strike", 0);
  if (s.Color != current_.Color) Word("cf", s.Color);
  current_ = s;
}

void TRtfEmitter::Char(char32_t c)
{
  const auto literal = [this](char ch) {
    // A space ends the control word before text that would otherwise extend it.
    const bool extends = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                         (ch >= '0' && ch <= '9') || ch == ' ' || ch == '-';
    if (delimit_ && extends) out_.append(' ');
    delimit_ = false;
    out_.append(ch);
  };
  if (c == '\\' || c == '{' || c == '}') {
    out_.append('\\').append(static_cast<char>(c));
    delimit_ = false;
    return;
  }
  if (c == U'\t') {
    Word("tab");
    return;
  }
  if (c == QChar::LineSeparator) {
    Word("line");
    return;
  }
  if (c < 0x20 || c == QChar::ObjectReplacementCharacter || c == QChar::ParagraphSeparator ||
      (c >= 0xFDD0 && c <= 0xFDEF))
    return;  // embedded objects, frame markers and control characters have no text form here
  if (c < 0x80) {
    literal(static_cast<char>(c));
    return;
  }
  const bool symbol =
      current_.Font >= 0 && current_.Font < fonts_.size() && IsSymbolFamily(fonts_[current_.Font]);
  const int byte = symbol ? (c <= 0xFF ? static_cast<int>(c) : -1) : TAnsiCodePage::ByteOf(c);
  if (byte >= 0x80) {
    static const char kHex[] = "0123456789abcdef";
    out_.append("\\'").append(kHex[byte >> 4]).append(kHex[byte & 15]);
    delimit_ = false;
    return;
  }
  // Outside the code page: \uN with N a signed 16-bit number, then "?" for older readers.
  const QString units = QString::fromUcs4(&c, 1);
  for (QChar unit : units) {
    Word("u", static_cast<std::int16_t>(unit.unicode()));
    literal('?');
  }
}

void TRtfEmitter::Text(const QString& text)
{
  const QList<uint> codePoints = text.toUcs4();
  for (uint c : codePoints)
    Char(c);
}

void TRtfEmitter::Paragraph(const QTextBlock& block)
{
  const QTextBlockFormat format = block.blockFormat();
  TParaState p;
  p.Align = richtext::AlignmentOf(format);
  p.FirstTwips = RoundHalfEven(format.textIndent() * richtext::kTwipsPerPixel);
  p.LeftTwips = RoundHalfEven(format.leftMargin() * richtext::kTwipsPerPixel);
  p.RightTwips = RoundHalfEven(format.rightMargin() * richtext::kTwipsPerPixel);
  p.Bullet = richtext::IsBulleted(block);
  if (!paragraph_ || !(*paragraph_ == p)) {
    Word("pard");
    if (p.Bullet) {
      out_.append("{\\*\\pn\\pnlvlblt\\pnf").append(QByteArray::number(symbolFont_));
      out_.append("\\pnindent0{\\pntxtb\\'b7}}");
      delimit_ = false;
    }
    switch (p.Align) {
      case richtext::TAlignment::Right:
        Word("qr");
        break;
      case richtext::TAlignment::Centre:
        Word("qc");
        break;
      case richtext::TAlignment::Justify:
        Word("qj");
        break;
      case richtext::TAlignment::Left:
        break;
    }
    if (p.FirstTwips != 0) Word("fi", p.FirstTwips);
    if (p.LeftTwips != 0) Word("li", p.LeftTwips);
    if (p.RightTwips != 0) Word("ri", p.RightTwips);
    paragraph_ = p;
  }
  if (p.Bullet) {
    // What readers without numbering support show; ours takes the bullet from the \pn group.
    out_.append("{\\pntext\\f").append(QByteArray::number(symbolFont_)).append("\\'b7\\tab}");
    delimit_ = false;
  }
  if (block.begin().atEnd()) SwitchTo(StateOf(block.charFormat()));
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    SwitchTo(StateOf(fragment.charFormat()));
    Text(fragment.text());
  }
  Word("par");
  out_.append("\r\n");
  delimit_ = false;
}

QByteArray TRtfEmitter::Write()
{
  CollectTables();
  out_ = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
  for (int i = 0; i < fonts_.size(); ++i) {
    out_.append("{\\f").append(QByteArray::number(i));
    out_.append(IsSymbolFamily(fonts_[i]) ? "\\fnil\\fcharset2 " : "\\fnil\\fcharset0 ");
    delimit_ = false;
    // A name keeps its characters (escaped as body text is) but never its own ";".
    current_.Font = -1;
    Text(QString(fonts_[i]).remove(QLatin1Char(';')));
    out_.append(";}");
  }
  out_.append("}\r\n");
  if (!colors_.empty()) {
    out_.append("{\\colortbl ;");
    for (TColorRef c : colors_) {
      out_.append("\\red").append(QByteArray::number(RedOf(c)));
      out_.append("\\green").append(QByteArray::number(GreenOf(c)));
      out_.append("\\blue").append(QByteArray::number(BlueOf(c))).append(';');
    }
    out_.append("}\r\n");
  }
  delimit_ = false;
  current_ = TCharState();
  // Readers start from the first font at 12 point without styles.
  current_.Font = 0;
  current_.HalfPoints = 24;
  for (QTextBlock block = document_.begin(); block.isValid(); block = block.next())
    Paragraph(block);
  out_.append("}\r\n");
  return out_;
}

}  // namespace

QByteArray TRtfWriter::Write(const QTextDocument& document)
{
  return TRtfEmitter(document).Write();
}

QByteArray TRtfWriter::CentredText(const QString& text, const QTextCharFormat& format)
{
  QTextDocument document;
  document.setUndoRedoEnabled(false);
  QTextCursor cursor(&document);
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  cursor.setBlockFormat(centred);
  cursor.setBlockCharFormat(format);
  QString lines = text;
  lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  const QStringList parts = lines.split(QLatin1Char('\n'));
  for (qsizetype i = 0; i < parts.size(); ++i) {
    if (i > 0) cursor.insertBlock(centred, format);
    cursor.insertText(parts[i], format);
  }
  return Write(document);
}

QByteArray TRtfWriter::CentredText(const QString& text)
{
  return CentredText(text, richtext::NewTextFormat());
}
