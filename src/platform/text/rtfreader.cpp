#include "platform/text/rtfreader.h"

#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/text/ansicodepage.h"
#include "platform/text/codepage.h"
#include "platform/text/richtext.h"

namespace {

// Limits that keep hostile input from steering the reader: words and numbers longer than any
// writer produces are cut, sizes and indents are held to what word processors offer.
constexpr int kMaxWordLength = 32;
constexpr int kMaxFontNameBytes = 255;
constexpr int kMaxListText = 16;
constexpr int kMaxHalfPoints = 3276;    // 1638 point
constexpr int kMaxIndentTwips = 31680;  // 22 inches
constexpr int kMaxUnicodeSkip = 16;
constexpr std::int64_t kParamLimit = 0x7FFFFFFF;

enum class TDest : std::uint8_t {
  Text,        // body text
  Skip,        // a destination whose content is not shown
  FontTable,   // font entries: "\fN\fcharsetM Name;"
  ColorTable,  // colour entries: "\redR\greenG\blueB;"
  Numbering,   // {\*\pn ...}: paragraph numbering and bullets
  ListText,    // {\pntext ...} or {\listtext ...}: the bullet as older readers show it
};

struct TCharProps {
  int Font = -1;  // font table index; -1 for the default font
  int HalfPoints = 24;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool Strike = false;
  bool Hidden = false;
  int Color = 0;  // colour table index; 0 for automatic
  friend bool operator==(const TCharProps&, const TCharProps&) = default;
};

struct TParaProps {
  richtext::TAlignment Align = richtext::TAlignment::Left;
  int FirstTwips = 0;
  int LeftTwips = 0;
  int RightTwips = 0;
  bool Bullet = false;
};

struct TGroup {
  TDest Dest = TDest::Text;
  TCharProps Char;
  TParaProps Para;
  int UnicodeSkip = 1;  // \uc: fallback characters after each \u
};

struct TFont {
  QString Name;
  int CodePage = -1;  // -1: the document's
};

struct TRun {
  TCharProps Props;
  QString Text;
};

struct TParagraph {
  TParaProps Props;
  TCharProps Mark;  // format of the paragraph mark, which gives empty paragraphs their height
  std::vector<TRun> Runs;
};

enum class TWord {
  Unknown,
  // destinations
  FontTable,
  ColorTable,
  SkipDest,
  Numbering,
  ListText,
  FieldResult,
  // document
  Ansi,
  Mac,
  Pc,
  Pca,
  AnsiCodePage,
  DefaultFont,
  FontCharset,
  FontCodePage,
  // character
  Plain,
  Bold,
  Italic,
  Underline,
  UnderlineNone,
  Strike,
  FontSize,
  Font,
  ColorIndex,
  Hidden,
  UnicodeSkip,
  Unicode,
  // paragraph
  ParagraphDefault,
  AlignLeft,
  AlignRight,
  AlignCentre,
  AlignJustify,
  FirstIndent,
  LeftIndent,
  RightIndent,
  Par,
  Line,
  Tab,
  Cell,
  // numbering
  NumberingBullet,
  NumberingOther,
  // colour table
  Red,
  Green,
  Blue,
  // special characters
  Special,
  Binary,
};

struct TWordInfo {
  TWord Word = TWord::Unknown;
  char16_t Char = 0;  // for Special
};

TWordInfo LookUp(std::string_view word)
{
  static const std::map<std::string_view, TWordInfo> kWords = [] {
    std::map<std::string_view, TWordInfo> m;
    const auto add = [&m](std::string_view name, TWord w, char16_t c = 0) { m[name] = {w, c}; };
    add("fonttbl", TWord::FontTable);
    add("colortbl", TWord::ColorTable);
    for (std::string_view s : {"stylesheet",
                               "info",
                               "pict",
                               "header",
                               "headerl",
                               "headerr",
                               "headerf",
                               "footer",
                               "footerl",
                               "footerr",
                               "footerf",
                               "footnote",
                               "annotation",
                               "fldinst",
                               "xe",
                               "tc",
                               "txe",
                               "rxe",
                               "objdata",
                               "objclass",
                               "objname",
                               "pntxta",
                               "pntxtb",
                               "template",
                               "filetbl",
                               "revtbl",
                               "listtable",
                               "listoverridetable",
                               "rsidtbl",
                               "themedata",
                               "colorschememapping",
                               "latentstyles",
                               "datastore",
                               "ftnsep",
                               "ftnsepc",
                               "ftncn",
                               "aftnsep",
                               "aftnsepc",
                               "aftncn",
                               "atnid",
                               "atnauthor",
                               "atntime",
                               "atnref",
                               "nonshppict",
                               "shpinst",
                               "sp",
                               "sn",
                               "sv",
                               "shptxt",
                               "blipuid",
                               "pgdsctbl",
                               "generator",
                               "xmlnstbl",
                               "docvar",
                               "userprops",
                               "bkmkstart",
                               "bkmkend",
                               "falt",
                               "panose",
                               "fname",
                               "mmathPr",
                               "wgrffmtfilter",
                               "author",
                               "operator",
                               "title",
                               "subject",
                               "keywords",
                               "comment",
                               "doccomm",
                               "company",
                               "category",
                               "manager",
                               "hlinkbase"})
      add(s, TWord::SkipDest);
    add("pn", TWord::Numbering);
    add("pntext", TWord::ListText);
    add("listtext", TWord::ListText);
    add("fldrslt", TWord::FieldResult);
    add("ansi", TWord::Ansi);
    add("mac", TWord::Mac);
    add("pc", TWord::Pc);
    add("pca", TWord::Pca);
    add("ansicpg", TWord::AnsiCodePage);
    add("deff", TWord::DefaultFont);
    add("fcharset", TWord::FontCharset);
    add("cpg", TWord::FontCodePage);
    add("plain", TWord::Plain);
    add("b", TWord::Bold);
    add("i", TWord::Italic);
    add("ulnone", TWord::UnderlineNone);
    add("strike", TWord::Strike);
    add("striked", TWord::Strike);
    add("fs", TWord::FontSize);
    add("f", TWord::Font);
    add("cf", TWord::ColorIndex);
    add("v", TWord::Hidden);
    add("uc", TWord::UnicodeSkip);
    add("u", TWord::Unicode);
    add("pard", TWord::ParagraphDefault);
    add("ql", TWord::AlignLeft);
    add("qr", TWord::AlignRight);
    add("qc", TWord::AlignCentre);
    add("qj", TWord::AlignJustify);
    add("qd", TWord::AlignJustify);
    add("fi", TWord::FirstIndent);
    add("li", TWord::LeftIndent);
    add("lin", TWord::LeftIndent);
    add("ri", TWord::RightIndent);
    add("rin", TWord::RightIndent);
    for (std::string_view s : {"par", "sect", "page", "row"})
      add(s, TWord::Par);
    add("line", TWord::Line);
    add("tab", TWord::Tab);
    add("cell", TWord::Cell);
    add("nestcell", TWord::Cell);
    add("pnlvlblt", TWord::NumberingBullet);
    add("pnlvlbody", TWord::NumberingOther);
    add("pnlvlcont", TWord::NumberingOther);
    add("pnlvl", TWord::NumberingOther);
    add("red", TWord::Red);
    add("green", TWord::Green);
    add("blue", TWord::Blue);
    add("emdash", TWord::Special, 0x2014);
    add("endash", TWord::Special, 0x2013);
    add("bullet", TWord::Special, 0x2022);
    add("lquote", TWord::Special, 0x2018);
    add("rquote", TWord::Special, 0x2019);
    add("ldblquote", TWord::Special, 0x201C);
    add("rdblquote", TWord::Special, 0x201D);
    add("emspace", TWord::Special, 0x2003);
    add("enspace", TWord::Special, 0x2002);
    add("qmspace", TWord::Special, 0x2005);
    add("bin", TWord::Binary);
    return m;
  }();
  const auto it = kWords.find(word);
  if (it != kWords.end()) return it->second;
  // Every underline style (\ulw, \uld, \uldb, \ulwave ...) reads as underline; \ulc is colour.
  if (word.size() >= 2 && word.substr(0, 2) == "ul" && word != "ulc") return {TWord::Underline, 0};
  return {};
}

// Control characters, and characters a text document gives a structural meaning (paragraph
// separators, object and frame markers), never come from the text of a file.
bool IsTextCharacter(char32_t c)
{
  if (c < 0x20) return c == U'\t';
  return c != QChar::ParagraphSeparator && c != QChar::ObjectReplacementCharacter &&
         !(c >= 0xFDD0 && c <= 0xFDEF) && c != 0xFFFE && c != 0xFFFF;
}

bool IsBulletText(const QString& text, bool symbolFont)
{
  const QString t = text.trimmed();
  if (t.size() != 1) return false;
  // Symbol fonts draw bullets from letters ("l" in Wingdings is a dot, "o" a circle).
  return symbolFont || !t[0].isLetterOrNumber() || t[0] == QLatin1Char('o');
}

class TRtfParser {
 public:
  explicit TRtfParser(QByteArrayView in) : in_(in) { paragraphs_.emplace_back(); }

  void Parse();
  void Build(QTextDocument& document) const;

 private:
  TGroup& Top() { return stack_.back(); }
  bool Overflowing() const { return overflow_ > 0; }

  void OpenGroup();
  void CloseGroup();
  void ControlSequence();
  void ControlWord(std::string_view word, bool hasParam, int param);
  void ControlSymbol(char c);
  void HexEscape();
  void TextByte(unsigned char byte);
  void EmitChar(char32_t c);
  void EmitCodePoint(char32_t c);
  void FlushBytes();
  bool SkippingFallback();
  int CodePageOf(int fontIndex) const;
  bool IsSymbolFont(int fontIndex) const;

  void EndParagraph();
  void FinishDocument();
  QString TakeFontName();
  void FinishFont();
  void FinishColor();

  QTextCharFormat CharFormat(const TCharProps& props) const;

  QByteArrayView in_;
  qsizetype pos_ = 0;
  std::vector<TGroup> stack_;
  int overflow_ = 0;            // groups opened beyond the depth limit, all skipped
  bool ignorableNext_ = false;  // "\*" seen: an unknown destination that follows is skipped
  int unicodeSkip_ = 0;         // fallback characters still to drop after a \u
  char16_t highSurrogate_ = 0;

  int documentCodePage_ = TCodePage::kAnsi;
  int defaultFont_ = 0;
  std::map<int, TFont> fonts_;
  int fontIndex_ = 0;  // entry being read in the font table
  int fontCharsetPage_ = -1;
  QByteArray fontName_;   // bytes of the entry's name not yet decoded
  QString fontNameText_;  // the name decoded so far (\u escapes interrupt the bytes)
  std::vector<std::optional<QColor>> colors_;
  std::array<int, 3> rgb_ = {0, 0, 0};
  bool rgbSet_ = false;
  int numberingParent_ = -1;  // stack index whose paragraph a {\*\pn} group describes

  QByteArray bytes_;  // text bytes waiting to be decoded in the current font's code page
  QString listText_;
  bool listTextSymbol_ = false;
  bool bulletHint_ = false;  // this paragraph's {\pntext} or {\listtext} shows a bullet
  bool afterPar_ = false;    // nothing but paragraph marks since the last \par
  std::vector<TParagraph> paragraphs_;
};

void TRtfParser::Parse()
{
  stack_.reserve(TRtfReader::kMaxGroupDepth);
  const qsizetype n = in_.size();
  while (pos_ < n) {
    const auto c = static_cast<unsigned char>(in_[pos_]);
    if (c == '{') {
      ++pos_;
      OpenGroup();
    } else if (c == '}') {
      ++pos_;
      CloseGroup();
      if (stack_.empty())
        break;  // the document's own group has closed: what follows is not part of it
    } else if (c == '\\') {
      ControlSequence();
    } else {
      ++pos_;
      if (!stack_.empty()) TextByte(c);
    }
  }
  if (!stack_.empty()) FinishDocument();  // truncated: take what was read
}

void TRtfParser::FinishDocument()
{
  FlushBytes();
  if (highSurrogate_ != 0) {
    highSurrogate_ = 0;
    EmitCodePoint(0xFFFD);
  }
  // A paragraph mark at the very end closes the last paragraph rather than opening an empty
  // one; otherwise the last paragraph takes the properties in force at the end.
  if (afterPar_ && paragraphs_.size() > 1 && paragraphs_.back().Runs.empty()) {
    paragraphs_.pop_back();
  } else {
    paragraphs_.back().Props = Top().Para;
    paragraphs_.back().Props.Bullet = Top().Para.Bullet || bulletHint_;
    paragraphs_.back().Mark = Top().Char;
  }
}

void TRtfParser::OpenGroup()
{
  FlushBytes();
  unicodeSkip_ = 0;
  if (Overflowing() || static_cast<int>(stack_.size()) >= TRtfReader::kMaxGroupDepth) {
    ++overflow_;
    return;
  }
  if (stack_.empty())
    stack_.emplace_back();
  else
    stack_.push_back(stack_.back());
}

void TRtfParser::CloseGroup()
{
  FlushBytes();
  unicodeSkip_ = 0;
  ignorableNext_ = false;
  if (Overflowing()) {
    --overflow_;
    return;
  }
  if (stack_.empty()) return;
  const TDest dest = Top().Dest;
  const int index = static_cast<int>(stack_.size()) - 1;
  if (dest == TDest::FontTable && (!fontName_.isEmpty() || !fontNameText_.isEmpty()))
    FinishFont();  // some writers leave out the last entry's ";"
  if (dest == TDest::ListText && (stack_.size() < 2 || stack_[index - 1].Dest != TDest::ListText)) {
    bulletHint_ = bulletHint_ || IsBulletText(listText_, listTextSymbol_);
    listText_.clear();
    listTextSymbol_ = false;
  }
  if (index == numberingParent_ + 1 && dest == TDest::Numbering) numberingParent_ = -1;
  if (index == 0) FinishDocument();
  stack_.pop_back();
}

void TRtfParser::ControlSequence()
{
  const qsizetype n = in_.size();
  ++pos_;  // the backslash
  if (pos_ >= n) return;
  const char c = in_[pos_];
  const auto isLetter = [](char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
  };
  const auto isDigit = [](char ch) { return ch >= '0' && ch <= '9'; };
  if (!isLetter(c)) {
    ++pos_;
    if (c == '\'')
      HexEscape();
    else
      ControlSymbol(c);
    return;
  }
  const qsizetype start = pos_;
  while (pos_ < n && isLetter(in_[pos_]))
    ++pos_;
  // Over-long words name nothing we know; their letters are consumed all the same.
  const qsizetype length = std::min<qsizetype>(pos_ - start, kMaxWordLength + 1);
  const std::string_view word(in_.data() + start, static_cast<std::size_t>(length));
  bool hasParam = false;
  bool negative = false;
  std::int64_t value = 0;
  if (pos_ < n && in_[pos_] == '-' && pos_ + 1 < n && isDigit(in_[pos_ + 1])) {
    negative = true;
    ++pos_;
  }
  while (pos_ < n && isDigit(in_[pos_])) {
    hasParam = true;
    value = std::min<std::int64_t>(value * 10 + (in_[pos_] - '0'), kParamLimit);
    ++pos_;
  }
  if (pos_ < n && in_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
  const int param = static_cast<int>(negative ? -value : value);
  if (length > kMaxWordLength)
    ControlWord(std::string_view(), hasParam, param);
  else
    ControlWord(word, hasParam, param);
}

bool TRtfParser::SkippingFallback()
{
  if (unicodeSkip_ <= 0) return false;
  --unicodeSkip_;
  return true;
}

void TRtfParser::ControlWord(std::string_view word, bool hasParam, int param)
{
  const TWordInfo info = LookUp(word);
  if (info.Word == TWord::Binary) {
    // Binary data is skipped wherever it stands; its length is bounded by what is there.
    FlushBytes();
    const qsizetype remaining = in_.size() - pos_;
    pos_ += std::clamp<qsizetype>(hasParam ? param : 0, 0, remaining);
    return;
  }
  if (stack_.empty() || Overflowing()) return;
  FlushBytes();
  const bool ignorable = ignorableNext_;
  ignorableNext_ = false;
  if (SkippingFallback()) return;
  TGroup& g = Top();
  const bool on = !hasParam || param != 0;
  const int index = static_cast<int>(stack_.size()) - 1;
  switch (info.Word) {
    case TWord::Unknown:
      if (ignorable) g.Dest = TDest::Skip;
      break;
    case TWord::FontTable:
      g.Dest = TDest::FontTable;
      break;
    case TWord::ColorTable:
      g.Dest = TDest::ColorTable;
      rgbSet_ = false;
      break;
    case TWord::SkipDest:
      g.Dest = TDest::Skip;
      break;
    case TWord::Numbering:
      if (g.Dest == TDest::Text && index > 0) {
        g.Dest = TDest::Numbering;
        numberingParent_ = index - 1;
      } else {
        g.Dest = TDest::Skip;
      }
      break;
    case TWord::ListText:
      if (g.Dest == TDest::Text) {
        g.Dest = TDest::ListText;
        listText_.clear();
        listTextSymbol_ = false;
      } else {
        g.Dest = TDest::Skip;
      }
      break;
    case TWord::FieldResult:
      break;  // a field's result is shown as ordinary text
    case TWord::Ansi:
      documentCodePage_ = 1252;
      break;
    case TWord::Mac:
      documentCodePage_ = 10000;
      break;
    case TWord::Pc:
      documentCodePage_ = 437;
      break;
    case TWord::Pca:
      documentCodePage_ = 850;
      break;
    case TWord::AnsiCodePage:
      if (hasParam && param > 0) documentCodePage_ = param;
      break;
    case TWord::DefaultFont:
      if (hasParam) defaultFont_ = param;
      break;
    case TWord::FontCharset:
      if (g.Dest == TDest::FontTable && hasParam) fontCharsetPage_ = TCodePage::OfCharset(param);
      break;
    case TWord::FontCodePage:
      if (g.Dest == TDest::FontTable && hasParam && param > 0) fontCharsetPage_ = param;
      break;
    case TWord::Plain:
      g.Char = TCharProps();
      break;
    case TWord::Bold:
      g.Char.Bold = on;
      break;
    case TWord::Italic:
      g.Char.Italic = on;
      break;
    case TWord::Underline:
      g.Char.Underline = on;
      break;
    case TWord::UnderlineNone:
      g.Char.Underline = false;
      break;
    case TWord::Strike:
      g.Char.Strike = on;
      break;
    case TWord::FontSize:
      g.Char.HalfPoints = hasParam && param > 0 ? std::min(param, kMaxHalfPoints) : 24;
      break;
    case TWord::Font:
      if (g.Dest == TDest::FontTable) {
        if (!fontName_.isEmpty() || !fontNameText_.isEmpty()) FinishFont();
        fontIndex_ = param;
        fontCharsetPage_ = -1;
      } else {
        g.Char.Font = hasParam ? param : -1;
      }
      break;
    case TWord::ColorIndex:
      g.Char.Color = hasParam ? std::max(param, 0) : 0;
      break;
    case TWord::Hidden:
      g.Char.Hidden = on;
      break;
    case TWord::UnicodeSkip:
      g.UnicodeSkip = std::clamp(hasParam ? param : 1, 0, kMaxUnicodeSkip);
      break;
    case TWord::Unicode:
      if (hasParam) {
        // Writers put code points above 32767 as negative 16-bit numbers.
        const bool valid = param >= -32768 && param <= 0xFFFF;
        EmitChar(!valid ? 0xFFFD : static_cast<char32_t>(param < 0 ? param + 65536 : param));
        unicodeSkip_ = Top().UnicodeSkip;
      }
      break;
    case TWord::ParagraphDefault:
      g.Para = TParaProps();
      break;
    case TWord::AlignLeft:
      g.Para.Align = richtext::TAlignment::Left;
      break;
    case TWord::AlignRight:
      g.Para.Align = richtext::TAlignment::Right;
      break;
    case TWord::AlignCentre:
      g.Para.Align = richtext::TAlignment::Centre;
      break;
    case TWord::AlignJustify:
      g.Para.Align = richtext::TAlignment::Justify;
      break;
    case TWord::FirstIndent:
      g.Para.FirstTwips = std::clamp(param, -kMaxIndentTwips, kMaxIndentTwips);
      break;
    case TWord::LeftIndent:
      g.Para.LeftTwips = std::clamp(param, -kMaxIndentTwips, kMaxIndentTwips);
      break;
    case TWord::RightIndent:
      g.Para.RightTwips = std::clamp(param, -kMaxIndentTwips, kMaxIndentTwips);
      break;
    case TWord::Par:
      if (g.Dest == TDest::Text) EndParagraph();
      break;
    case TWord::Line:
      EmitChar(QChar::LineSeparator);
      break;
    case TWord::Tab:
    case TWord::Cell:
      EmitChar(U'\t');
      break;
    case TWord::NumberingBullet:
    case TWord::NumberingOther:
      if (g.Dest == TDest::Numbering && numberingParent_ >= 0 &&
          numberingParent_ < static_cast<int>(stack_.size()))
        stack_[numberingParent_].Para.Bullet = info.Word == TWord::NumberingBullet;
      break;
    case TWord::Red:
    case TWord::Green:
    case TWord::Blue:
      if (g.Dest == TDest::ColorTable) {
        const int channel = info.Word == TWord::Red ? 0 : info.Word == TWord::Green ? 1 : 2;
        rgb_[channel] = std::clamp(param, 0, 255);
        rgbSet_ = true;
      }
      break;
    case TWord::Special:
      EmitChar(info.Char);
      break;
    case TWord::Binary:
      break;
  }
}

void TRtfParser::ControlSymbol(char c)
{
  if (stack_.empty() || Overflowing()) return;
  FlushBytes();
  if (c == '*') {
    ignorableNext_ = true;
    return;
  }
  ignorableNext_ = false;
  switch (c) {
    case '\\':
    case '{':
    case '}':
      TextByte(static_cast<unsigned char>(c));
      return;
    case '\r':
    case '\n':
      // A backslash before a line end is a paragraph mark.
      if (!SkippingFallback() && Top().Dest == TDest::Text) EndParagraph();
      return;
    default:
      break;
  }
  if (SkippingFallback()) return;
  switch (c) {
    case '~':
      EmitChar(0x00A0);
      break;
    case '_':
      EmitChar(0x2011);
      break;
    default:
      break;  // \- optional hyphen, \| \: index marks: nothing to show
  }
}

void TRtfParser::HexEscape()
{
  const auto hex = [](char ch) -> int {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
  };
  int value = 0;
  for (int i = 0; i < 2; ++i) {
    const int digit = pos_ < in_.size() ? hex(in_[pos_]) : -1;
    if (digit < 0) return;  // a damaged escape stands for nothing; what follows is read normally
    value = value * 16 + digit;
    ++pos_;
  }
  ignorableNext_ = false;
  if (!stack_.empty() && !Overflowing()) TextByte(static_cast<unsigned char>(value));
}

void TRtfParser::TextByte(unsigned char byte)
{
  if (Overflowing()) return;
  if (byte == '\r' || byte == '\n') return;
  ignorableNext_ = false;
  if (SkippingFallback()) return;
  switch (Top().Dest) {
    case TDest::Text:
    case TDest::ListText:
      if (byte == '\t') {
        FlushBytes();
        EmitCodePoint(U'\t');
      } else if (byte >= 0x20) {
        bytes_.append(static_cast<char>(byte));
      }
      break;
    case TDest::FontTable:
      if (byte == ';')
        FinishFont();
      else if (byte >= 0x20 && fontName_.size() + fontNameText_.size() < kMaxFontNameBytes)
        fontName_.append(static_cast<char>(byte));
      break;
    case TDest::ColorTable:
      if (byte == ';') FinishColor();
      break;
    case TDest::Skip:
    case TDest::Numbering:
      break;
  }
}

int TRtfParser::CodePageOf(int fontIndex) const
{
  const auto it = fonts_.find(fontIndex < 0 ? defaultFont_ : fontIndex);
  if (it == fonts_.end() || it->second.CodePage < 0) return documentCodePage_;
  return it->second.CodePage;
}

bool TRtfParser::IsSymbolFont(int fontIndex) const
{
  return CodePageOf(fontIndex) == 0;
}

void TRtfParser::FlushBytes()
{
  if (bytes_.isEmpty() || stack_.empty()) return;
  const int font = Top().Char.Font;
  const QString text = TCodePage(CodePageOf(font)).Decode(bytes_);
  if (Top().Dest == TDest::ListText && IsSymbolFont(font)) listTextSymbol_ = true;
  bytes_.clear();
  for (QChar c : text)
    EmitChar(c.unicode());
}

void TRtfParser::EmitChar(char32_t c)
{
  // Joins UTF-16 halves from \u pairs and decoders; a half without its partner is U+FFFD.
  if (highSurrogate_ != 0) {
    const char16_t high = highSurrogate_;
    highSurrogate_ = 0;
    if (QChar::isLowSurrogate(c)) {
      EmitCodePoint(QChar::surrogateToUcs4(high, static_cast<char16_t>(c)));
      return;
    }
    EmitCodePoint(0xFFFD);
  }
  if (QChar::isHighSurrogate(c)) {
    highSurrogate_ = static_cast<char16_t>(c);
    return;
  }
  EmitCodePoint(QChar::isLowSurrogate(c) ? 0xFFFD : c);
}

void TRtfParser::EmitCodePoint(char32_t c)
{
  if (stack_.empty()) return;
  if (!IsTextCharacter(c)) return;
  const TGroup& g = Top();
  if (g.Dest == TDest::FontTable) {
    if (fontName_.size() + fontNameText_.size() < kMaxFontNameBytes)
      fontNameText_ = TakeFontName() + QString::fromUcs4(&c, 1);
    return;
  }
  if (g.Dest == TDest::ListText) {
    if (listText_.size() < kMaxListText) listText_.append(QString::fromUcs4(&c, 1));
    return;
  }
  if (g.Dest != TDest::Text || g.Char.Hidden) return;
  std::vector<TRun>& runs = paragraphs_.back().Runs;
  if (runs.empty() || !(runs.back().Props == g.Char)) runs.push_back({g.Char, QString()});
  runs.back().Text.append(QString::fromUcs4(&c, 1));
  afterPar_ = false;
}

void TRtfParser::EndParagraph()
{
  if (highSurrogate_ != 0) {
    highSurrogate_ = 0;
    EmitCodePoint(0xFFFD);
  }
  TParagraph& p = paragraphs_.back();
  p.Props = Top().Para;
  p.Props.Bullet = p.Props.Bullet || bulletHint_;
  p.Mark = Top().Char;
  bulletHint_ = false;
  afterPar_ = true;
  paragraphs_.emplace_back();
}

QString TRtfParser::TakeFontName()
{
  QString name = fontNameText_;
  const QString decoded =
      TCodePage(fontCharsetPage_ >= 0 ? fontCharsetPage_ : documentCodePage_).Decode(fontName_);
  // Converters turn unmappable bytes into control characters, which no font name holds.
  for (char32_t c : decoded.toUcs4())
    if (IsTextCharacter(c)) name += QString::fromUcs4(&c, 1);
  fontName_.clear();
  fontNameText_.clear();
  return name;
}

void TRtfParser::FinishFont()
{
  const QString name = TakeFontName().trimmed();
  if (!name.isEmpty()) fonts_[fontIndex_] = {name, fontCharsetPage_};
}

void TRtfParser::FinishColor()
{
  if (rgbSet_)
    colors_.emplace_back(QColor(rgb_[0], rgb_[1], rgb_[2]));
  else
    colors_.emplace_back(std::nullopt);
  rgb_ = {0, 0, 0};
  rgbSet_ = false;
}

QTextCharFormat TRtfParser::CharFormat(const TCharProps& props) const
{
  QTextCharFormat format;
  auto it = fonts_.find(props.Font < 0 ? defaultFont_ : props.Font);
  if (it == fonts_.end()) it = fonts_.find(defaultFont_);
  const QString family = it != fonts_.end() ? it->second.Name : richtext::DefaultFamily();
  format.setFontFamilies(QStringList{family});
  format.setFontPointSize(props.HalfPoints / 2.0);
  format.setFontWeight(props.Bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(props.Italic);
  format.setFontUnderline(props.Underline);
  format.setFontStrikeOut(props.Strike);
  if (props.Color > 0 && props.Color < static_cast<int>(colors_.size()) && colors_[props.Color])
    format.setForeground(*colors_[props.Color]);
  return format;
}

QTextBlockFormat BlockFormat(const TParaProps& props)
{
  QTextBlockFormat format;
  format.setAlignment(richtext::ToQtAlignment(props.Align));
  format.setTextIndent(props.FirstTwips / richtext::kTwipsPerPixel);
  format.setLeftMargin(props.LeftTwips / richtext::kTwipsPerPixel);
  format.setRightMargin(props.RightTwips / richtext::kTwipsPerPixel);
  return format;
}

void TRtfParser::Build(QTextDocument& document) const
{
  const bool undo = document.isUndoRedoEnabled();
  document.setUndoRedoEnabled(false);  // an undo record per insertion would only cost memory
  document.clear();
  document.setDefaultFont(QFont(richtext::DefaultFamily(), 12));
  QTextCursor cursor(&document);
  QTextList* list = nullptr;
  bool first = true;
  for (const TParagraph& p : paragraphs_) {
    if (first) {
      cursor.setBlockFormat(BlockFormat(p.Props));
      cursor.setBlockCharFormat(CharFormat(p.Mark));
    } else {
      cursor.insertBlock(BlockFormat(p.Props), CharFormat(p.Mark));
    }
    first = false;
    if (p.Props.Bullet) {
      if (list) {
        list->add(cursor.block());
      } else {
        QTextListFormat format;
        format.setStyle(QTextListFormat::ListDisc);
        format.setIndent(0);  // the paragraph's own indents place the text
        list = cursor.createList(format);
      }
    } else {
      list = nullptr;
    }
    for (const TRun& run : p.Runs)
      cursor.insertText(run.Text, CharFormat(run.Props));
  }
  document.setUndoRedoEnabled(undo);
}

bool LooksLikeRtf(QByteArrayView bytes)
{
  qsizetype i = 0;
  if (bytes.startsWith("\xEF\xBB\xBF")) i = 3;
  while (i < bytes.size() &&
         (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
    ++i;
  return bytes.sliced(i).startsWith("{\\rtf");
}

void ReadPlainText(const QByteArray& bytes, QTextDocument& document)
{
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded = utf8.decode(bytes);
  if (utf8.hasError()) decoded = TAnsiCodePage::Decode(bytes);
  decoded.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  decoded.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QString text;
  text.reserve(decoded.size());
  for (char32_t c : decoded.toUcs4())
    if (c == U'\n' || IsTextCharacter(c)) text.append(QString::fromUcs4(&c, 1));
  const bool undo = document.isUndoRedoEnabled();
  document.setUndoRedoEnabled(false);
  document.clear();
  document.setDefaultFont(QFont(richtext::DefaultFamily(), 12));
  QTextCharFormat format;
  format.setFontFamilies(QStringList{richtext::DefaultFamily()});
  format.setFontPointSize(richtext::kDefaultPointSize);
  QTextCursor cursor(&document);
  cursor.setBlockFormat(BlockFormat(TParaProps()));
  cursor.setBlockCharFormat(format);
  cursor.insertText(text, format);
  document.setUndoRedoEnabled(undo);
}

}  // namespace

void TRtfReader::Read(const QByteArray& bytes, QTextDocument& document)
{
  if (!LooksLikeRtf(bytes)) {
    ReadPlainText(bytes, document);
    return;
  }
  TRtfParser parser(bytes);
  parser.Parse();
  parser.Build(document);
}

QString TRtfReader::PlainText(const QByteArray& bytes)
{
  QTextDocument document;
  Read(bytes, document);
  return PlainText(document);
}

QString TRtfReader::PlainText(const QTextDocument& document)
{
  QString text;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block != document.begin()) text += QLatin1Char('\n');
    text += block.text();
  }
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return text;
}
