#include "io/modeldump.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <exception>
#include <optional>
#include <span>
#include <thread>
#include <type_traits>
#include <typeinfo>
#include <unordered_map>
#include <utility>
#include <vector>

#include "document/modeldocument.h"
#include "model/arrow.h"
#include "model/cluster.h"
#include "model/cogi.h"
#include "model/embedded/clipart.h"
#include "model/embedded/olecogi.h"
#include "model/embedded/shortcut.h"
#include "model/shapes/balloon.h"
#include "model/shapes/blockarrow.h"
#include "model/shapes/dilemma.h"
#include "model/shapes/freeshape.h"
#include "model/shapes/label.h"
#include "platform/streams/streamerror.h"
#include "platform/text/richtext.h"
#include "platform/text/rtfreader.h"

namespace {

// The format of a text's first character and paragraph.
struct TTextStyle {
  QString Font;
  double Size = 0.0;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  std::optional<TColorRef> Color;
  int Alignment = 0;
};

TTextStyle StyleOf(const QTextDocument& document)
{
  const QTextBlock block = document.begin();
  QTextCharFormat format = block.charFormat();
  if (!block.begin().atEnd()) format = block.begin().fragment().charFormat();
  const QFont& fallback = document.defaultFont();
  return {richtext::FamilyOf(format, fallback),
          richtext::PointSizeOf(format, fallback),
          richtext::IsBold(format),
          format.fontItalic(),
          format.fontUnderline(),
          richtext::ColorOf(format),
          static_cast<int>(richtext::AlignmentOf(block.blockFormat()))};
}

// An object's index in the list, or -1 for none, found without a search per arrow end.
class TObjectIndex {
 public:
  explicit TObjectIndex(const TModelDocument& document)
  {
    positions_.reserve(document.Objects.size());
    for (std::size_t i = 0; i < document.Objects.size(); ++i)
      positions_.emplace(document.Objects[i], static_cast<int>(i));
  }
  int operator()(const CGPObject* object) const
  {
    if (!object) return -1;
    const auto it = positions_.find(object);
    return it == positions_.end() ? -1 : it->second;
  }

 private:
  std::unordered_map<const CGPObject*, int> positions_;
};

// Collects fields into a JSON object (the whole model held as a tree).
class TTreeSink {
 public:
  QJsonObject Object;

  void Set(const char* key, bool value) { Object[QLatin1StringView(key)] = value; }
  void Set(const char* key, int value) { Object[QLatin1StringView(key)] = value; }
  void Set(const char* key, qint64 value) { Object[QLatin1StringView(key)] = value; }
  void Set(const char* key, double value) { Object[QLatin1StringView(key)] = value; }
  void Set(const char* key, const QString& value) { Object[QLatin1StringView(key)] = value; }
  void Set(const char* key, QLatin1StringView value)
  {
    Object[QLatin1StringView(key)] = QString(value);
  }
  void SetPoint(const char* key, TModelPoint p)
  {
    Object[QLatin1StringView(key)] = QJsonArray{p.X, p.Y};
  }
  void SetPicture(const char* key, const std::optional<TPicture>& picture)
  {
    Object[QLatin1StringView(key)] =
        picture ? QJsonObject{{QStringLiteral("kind"), static_cast<int>(picture->Kind())},
                              {QStringLiteral("width"), picture->Width()},
                              {QStringLiteral("height"), picture->Height()}}
                : QJsonValue(QJsonValue::Null);
  }
  void SetOutline(const char* key, const TOutline& outline)
  {
    QJsonArray segments;
    for (const TSegment& s : outline)
      segments.append(QJsonArray{s.C1x, s.C1y, s.C2x, s.C2y, s.Ex, s.Ey});
    Object[QLatin1StringView(key)] = segments;
  }
  void SetStyle(const char* key, const std::optional<TTextStyle>& style)
  {
    if (!style) {
      Object[QLatin1StringView(key)] = QJsonValue::Null;
      return;
    }
    Object[QLatin1StringView(key)] =
        QJsonObject{{QStringLiteral("Font"), style->Font},
                    {QStringLiteral("Size"), style->Size},
                    {QStringLiteral("Bold"), style->Bold},
                    {QStringLiteral("Italic"), style->Italic},
                    {QStringLiteral("Underline"), style->Underline},
                    {QStringLiteral("Color"),
                     style->Color ? QJsonValue(static_cast<qint64>(*style->Color)) : QJsonValue()},
                    {QStringLiteral("Alignment"), style->Alignment}};
  }
};

// So many spaces, without making a string of them each time.
QByteArrayView Indent(int count)
{
  static const QByteArray spaces(256, ' ');
  return QByteArrayView(spaces).first(std::clamp(count, 0, 256));
}

// Writes a JSON object's fields as the indented document writer does: keys in sorted order
// (a key set twice keeps its last value), four spaces a level, numbers in their shortest
// form. Each value is written as it is set; the object is put together when it ends.
class TStreamSink {
 public:
  // depth: the level of the object's own braces.
  explicit TStreamSink(int depth) : depth_(depth) {}

  void Set(const char* key, bool value) { Begin(key).append(value ? "true" : "false"); }
  void Set(const char* key, int value) { AppendInteger(Begin(key), value); }
  void Set(const char* key, qint64 value) { AppendInteger(Begin(key), value); }
  void Set(const char* key, double value) { AppendDouble(Begin(key), value); }
  void Set(const char* key, const QString& value) { AppendString(Begin(key), value); }
  void Set(const char* key, QLatin1StringView value) { AppendString(Begin(key), QString(value)); }
  void SetPoint(const char* key, TModelPoint p)
  {
    QByteArray& out = Begin(key);
    const double values[] = {p.X, p.Y};
    AppendDoubles(out, values, depth_ + 1);
  }
  void SetPicture(const char* key, const std::optional<TPicture>& picture)
  {
    QByteArray& out = Begin(key);
    if (!picture) {
      out.append("null");
      return;
    }
    const QByteArrayView inner = Indent(4 * (depth_ + 2));
    out.append("{\n").append(inner).append("\"height\": ");
    AppendInteger(out, picture->Height());
    out.append(",\n").append(inner).append("\"kind\": ");
    AppendInteger(out, static_cast<int>(picture->Kind()));
    out.append(",\n").append(inner).append("\"width\": ");
    AppendInteger(out, picture->Width());
    out.append('\n');
    out.append(Indent(4 * (depth_ + 1))).append('}');
  }
  void SetOutline(const char* key, const TOutline& outline)
  {
    QByteArray& out = Begin(key);
    const QByteArrayView inner = Indent(4 * (depth_ + 2));
    out.append("[\n");
    for (std::size_t i = 0; i < outline.size(); ++i) {
      const TSegment& s = outline[i];
      const double values[] = {s.C1x, s.C1y, s.C2x, s.C2y, s.Ex, s.Ey};
      out.append(inner);
      AppendDoubles(out, values, depth_ + 2);
      out.append(i + 1 < outline.size() ? ",\n" : "\n");
    }
    out.append(Indent(4 * (depth_ + 1))).append(']');
  }
  void SetStyle(const char* key, const std::optional<TTextStyle>& style)
  {
    QByteArray& out = Begin(key);
    if (!style) {
      out.append("null");
      return;
    }
    const QByteArrayView inner = Indent(4 * (depth_ + 2));
    out.append("{\n").append(inner).append("\"Alignment\": ");
    AppendInteger(out, style->Alignment);
    out.append(",\n").append(inner).append("\"Bold\": ").append(style->Bold ? "true" : "false");
    out.append(",\n").append(inner).append("\"Color\": ");
    if (style->Color)
      AppendInteger(out, static_cast<qint64>(*style->Color));
    else
      out.append("null");
    out.append(",\n").append(inner).append("\"Font\": ");
    AppendString(out, style->Font);
    out.append(",\n").append(inner).append("\"Italic\": ").append(style->Italic ? "true" : "false");
    out.append(",\n").append(inner).append("\"Size\": ");
    AppendDouble(out, style->Size);
    out.append(",\n").append(inner).append("\"Underline\": ");
    out.append(style->Underline ? "true" : "false").append('\n');
    out.append(Indent(4 * (depth_ + 1))).append('}');
  }

  // The object from its opening brace to its closing one; the sink is then empty again.
  void End(QByteArray& out)
  {
    for (std::size_t i = 0; i < fields_.size(); ++i)
      fields_[i].End = i + 1 < fields_.size() ? fields_[i + 1].Start : values_.size();
    std::stable_sort(fields_.begin(), fields_.end(), [](const TField& a, const TField& b) {
      return std::strcmp(a.Key, b.Key) < 0;
    });
    const QByteArrayView inner = Indent(4 * (depth_ + 1));
    out.append("{\n");
    for (std::size_t i = 0; i < fields_.size(); ++i) {
      if (i + 1 < fields_.size() && std::strcmp(fields_[i].Key, fields_[i + 1].Key) == 0) continue;
      out.append(inner).append('"').append(fields_[i].Key).append("\": ");
      out.append(values_.constData() + fields_[i].Start, fields_[i].End - fields_[i].Start);
      out.append(i + 1 < fields_.size() ? ",\n" : "\n");
    }
    out.append(Indent(4 * depth_)).append('}');
    fields_.clear();
    values_.clear();
  }

  // A string as the document writer escapes it: quotes, backslashes and control characters
  // escaped, everything else in UTF-8, and a lone surrogate as a \u escape.
  static void AppendString(QByteArray& out, const QString& value)
  {
    static const char kHex[] = "0123456789abcdef";
    out.append('"');
    const char16_t* p = reinterpret_cast<const char16_t*>(value.constData());
    const char16_t* const end = p + value.size();
    while (p != end) {
      const char16_t u = *p++;
      if (u < 0x80) {
        if (u >= 0x20 && u != '"' && u != '\\') {
          out.append(static_cast<char>(u));
          continue;
        }
        out.append('\\');
        switch (u) {
          case '"':
            out.append('"');
            break;
          case '\\':
            out.append('\\');
            break;
          case 0x8:
            out.append('b');
            break;
          case 0xc:
            out.append('f');
            break;
          case 0xa:
            out.append('n');
            break;
          case 0xd:
            out.append('r');
            break;
          case 0x9:
            out.append('t');
            break;
          default:
            out.append("u00").append(kHex[u >> 4]).append(kHex[u & 0xf]);
        }
      } else if (u < 0x800) {
        out.append(static_cast<char>(0xc0 | (u >> 6)));
        out.append(static_cast<char>(0x80 | (u & 0x3f)));
      } else if (!QChar::isSurrogate(u)) {
        out.append(static_cast<char>(0xe0 | (u >> 12)));
        out.append(static_cast<char>(0x80 | ((u >> 6) & 0x3f)));
        out.append(static_cast<char>(0x80 | (u & 0x3f)));
      } else if (QChar::isHighSurrogate(u) && p != end && QChar::isLowSurrogate(*p)) {
        const char32_t c = QChar::surrogateToUcs4(u, *p++);
        out.append(static_cast<char>(0xf0 | (c >> 18)));
        out.append(static_cast<char>(0x80 | ((c >> 12) & 0x3f)));
        out.append(static_cast<char>(0x80 | ((c >> 6) & 0x3f)));
        out.append(static_cast<char>(0x80 | (c & 0x3f)));
      } else {
        out.append("\\u").append(kHex[u >> 12]).append(kHex[(u >> 8) & 0xf]);
        out.append(kHex[(u >> 4) & 0xf]).append(kHex[u & 0xf]);
      }
    }
    out.append('"');
  }

  static void AppendDouble(QByteArray& out, double value)
  {
    if (std::isfinite(value))
      out.append(QByteArray::number(value, 'g', QLocale::FloatingPointShortest));
    else
      out.append("null");
  }

 private:
  // A field's value is the bytes of values_ from Start to End.
  struct TField {
    const char* Key;
    qsizetype Start;
    qsizetype End;
  };

  QByteArray& Begin(const char* key)
  {
    fields_.push_back({key, values_.size(), values_.size()});
    return values_;
  }

  template <typename Integer>
  static void AppendInteger(QByteArray& out, Integer value)
  {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr - digits);
  }

  // An array of numbers whose brackets stand at the given level.
  static void AppendDoubles(QByteArray& out, std::span<const double> values, int level)
  {
    const QByteArrayView inner = Indent(4 * (level + 1));
    out.append("[\n");
    for (std::size_t i = 0; i < values.size(); ++i) {
      out.append(inner);
      AppendDouble(out, values[i]);
      out.append(i + 1 < values.size() ? ",\n" : "\n");
    }
    out.append(Indent(4 * level)).append(']');
  }

  int depth_;
  std::vector<TField> fields_;
  QByteArray values_;
};

// A text's characters and its first format (none for no text), from one reading of the rich
// text: reading it is most of a dump's work.
template <typename Sink>
void TextFields(const QByteArray& rtf, const char* textKey, const char* styleKey, Sink& out)
{
  if (rtf.isEmpty()) {
    out.Set(textKey, QString());
    out.SetStyle(styleKey, std::nullopt);
    return;
  }
  QTextDocument document;
  TRtfReader::Read(rtf, document);
  out.Set(textKey, TRtfReader::PlainText(document));
  out.SetStyle(styleKey, StyleOf(document));
}

template <typename Sink>
void Header(const TModelDocument& d, Sink& out)
{
  out.Set("CreatedBy", d.CreatedBy);
  out.Set("SavedBy", d.SavedBy);
  out.Set("Keywords", d.Keywords);
  out.Set("CreatedTime", d.CreatedTime);
  out.Set("SavedTime", d.SavedTime);
  out.Set("ReservedNumber", d.ReservedNumber);
  out.Set("ReservedText", d.ReservedText);
  out.Set("Orientation", d.Orientation);
  out.Set("PaperWidth", d.PaperWidth);
  out.Set("PaperHeight", d.PaperHeight);
  out.Set("PageHeight", d.PageHeight);
  out.Set("PageWidth", d.PageWidth);
  out.Set("LeftMargin", d.LeftMargin);
  out.Set("RightMargin", d.RightMargin);
  out.Set("TopMargin", d.TopMargin);
  out.Set("BottomMargin", d.BottomMargin);
  out.Set("PrintHeader", d.PrintHeader);
  out.Set("PrintFooter", d.PrintFooter);
  out.Set("FooterComments", d.FooterComments);
  out.Set("ReversePrintOrder", d.ReversePrintOrder);
  out.Set("Named", d.Named);
  out.SetPicture("Background", d.Background);
  out.Set("ZoomFrames", d.ZoomFrames);
  out.Set("ShowGrid", d.ShowGrid);
  out.Set("SnapToShape", d.SnapToShape);
  out.Set("SnapToGrid", d.SnapToGrid);
  out.Set("ShowPageLines", d.ShowPageLines);
  out.Set("PagesAcross", d.PagesAcross);
  out.Set("PagesDown", d.PagesDown);
  out.SetPoint("MainViewTopLeft", d.MainViewTopLeft);
  out.SetPoint("MainViewBottomRight", d.MainViewBottomRight);
  out.Set("ModelColor", static_cast<qint64>(d.ModelColor));
}

template <typename Sink>
void View(const TModelDocument& d, Sink& out)
{
  out.Set("Zoom", d.Zoom);
  out.SetPoint("ViewOrigin", d.ViewOrigin);
}

QLatin1StringView ClassName(const CGPObject* object)
{
  switch (object->KindCode()) {
    case okArrow:
      return QLatin1StringView("TArrow");
    case okOLECogi:
      return QLatin1StringView("TOLECogi");
    case okClipart:
      return QLatin1StringView("TClipart");
    case okShortCut:
      return QLatin1StringView("TShortCut");
    case okBlockArrow:
      return QLatin1StringView("TBlockArrow");
    case okLabel:
      return QLatin1StringView("TLabel");
    case okDilemma:
      return QLatin1StringView("TDilemma");
    case okCogi:
      return QLatin1StringView("TCogi");
    case okCluster:
      return QLatin1StringView("TCluster");
    case okBalloon:
      return QLatin1StringView("TBalloon");
    case okFreeShape:
      return QLatin1StringView("TFreeShape");
    case okHotspot:
      return QLatin1StringView("THotspot");
    default:
      return QLatin1StringView("CGPObject");
  }
}

template <typename Sink>
void BaseFields(const CGPObject& o, Sink& out)
{
  out.Set("Serial", o.Serial);
  out.Set("Number", o.Number);
  out.Set("X", o.X);
  out.Set("Y", o.Y);
  out.Set("Width", o.Width);
  out.Set("Height", o.Height);
  TextFields(o.Text, "Text", "TextStyle", out);
  TextFields(o.Notes, "Notes", "NotesStyle", out);
  out.Set("Shadow", o.Shadow);
  out.Set("Style3D", o.Style3D);
  out.Set("ShowNumber", o.ShowNumber);
  out.Set("DragX", o.DragX);
  out.Set("DragY", o.DragY);
  out.Set("TextOffsetX", o.TextOffsetX);
  out.Set("TextOffsetY", o.TextOffsetY);
  out.Set("TextWidth", o.TextWidth);
  out.Set("TextHeight", o.TextHeight);
}

// Which layers an object's class has, found by the casts once per class and thread: the
// casts cost more than writing the fields.
class TLayers {
 public:
  static TLayers Of(const CGPObject& object)
  {
    thread_local std::vector<std::pair<const std::type_info*, std::uint32_t>> known;
    const std::type_info* type = &typeid(object);
    for (const auto& [seen, mask] : known)
      if (*seen == *type) return TLayers(mask);
    const std::uint32_t mask = Mask(&object);
    known.emplace_back(type, mask);
    return TLayers(mask);
  }

  // The object as the layer's class, or null when its class lacks the layer.
  template <typename Layer>
  const Layer* As(const CGPObject* object) const
  {
    return (mask_ & Bit<Layer>()) ? static_cast<const Layer*>(object) : nullptr;
  }

 private:
  explicit TLayers(std::uint32_t mask) : mask_(mask) {}

  template <typename Layer>
  static constexpr std::uint32_t Bit()
  {
    return std::uint32_t{1} << Index<Layer, TLined, TFilled, TGateway, TAngled, TPointed,
                                     TCogiShaped, TBlockArrow, TCogi, TCluster, TLabel, TDilemma,
                                     TFreeShape, TBalloon, TClipart, TOLECogi, TShortCut, TArrow>();
  }
  template <typename Layer, typename First, typename... Rest>
  static constexpr int Index()
  {
    if constexpr (std::is_same_v<Layer, First>)
      return 0;
    else
      return 1 + Index<Layer, Rest...>();
  }
  template <typename... All>
  static std::uint32_t MaskOf(const CGPObject* object)
  {
    return ((dynamic_cast<const All*>(object) ? Bit<All>() : 0u) | ...);
  }
  static std::uint32_t Mask(const CGPObject* object)
  {
    return MaskOf<TLined, TFilled, TGateway, TAngled, TPointed, TCogiShaped, TBlockArrow, TCogi,
                  TCluster, TLabel, TDilemma, TFreeShape, TBalloon, TClipart, TOLECogi, TShortCut,
                  TArrow>(object);
  }

  std::uint32_t mask_;
};

// Each layer adds its own stored fields; the object's class decides which layers apply.
template <typename Sink>
void LayerFields(const CGPObject& object, const TObjectIndex& index, Sink& out)
{
  BaseFields(object, out);
  const TLayers layers = TLayers::Of(object);
  if (const auto* o = layers.As<TLined>(&object)) {
    out.Set("LineStyle", o->LineStyle);
    out.Set("LineWidth", static_cast<double>(o->LineWidth));
    out.Set("LineColor", static_cast<qint64>(o->LineColor));
  }
  if (const auto* o = layers.As<TFilled>(&object)) {
    out.Set("FillStyle", o->FillStyle);
    out.Set("PatternIndex", o->PatternIndex);
    out.Set("FaceColor", static_cast<qint64>(o->FaceColor));
    out.SetPicture("FillPicture", o->FillPicture);
    out.Set("PictureCentred", o->PictureCentred);
    out.Set("GradientIndex", o->GradientIndex);
    out.Set("BackColor", static_cast<qint64>(o->BackColor));
  }
  if (const auto* o = layers.As<TGateway>(&object)) {
    out.Set("Link", o->Link);
    out.Set("LinkedModel", 0);
  }
  if (const auto* o = layers.As<TAngled>(&object)) out.Set("Angle", o->Angle);
  if (const auto* o = layers.As<TPointed>(&object)) out.SetOutline("Outline", o->Outline);
  if (const auto* o = layers.As<TCogiShaped>(&object)) out.Set("ShapeVariant", o->ShapeVariant);
  if (const auto* o = layers.As<TBlockArrow>(&object)) out.Set("ShapeVariant", o->ShapeVariant);
  if (const auto* o = layers.As<TCogi>(&object)) out.Set("CogiSize", o->CogiSize);
  if (const auto* o = layers.As<TCluster>(&object)) {
    out.Set("NumberMembers", o->NumberMembers);
    out.Set("ClusterMargin", o->ClusterMargin);
    out.Set("FitMembers", o->FitMembers);
    out.Set("SeeThrough", o->SeeThrough);
  }
  if (const auto* o = layers.As<TLabel>(&object)) out.Set("LabelReserved", o->LabelReserved);
  if (const auto* o = layers.As<TDilemma>(&object)) out.Set("ShapeVariant", o->ShapeVariant);
  if (const auto* o = layers.As<TFreeShape>(&object)) {
    out.Set("FreeHead", o->FreeHead);
    out.Set("FreeHeadSize", o->FreeHeadSize);
  }
  if (const auto* o = layers.As<TBalloon>(&object)) {
    out.Set("BalloonStyle", o->BalloonStyle);
    out.Set("TipX", o->TipX);
    out.Set("TipY", o->TipY);
  }
  if (const auto* o = layers.As<TClipart>(&object)) out.SetPicture("Picture", o->Picture);
  if (const auto* o = layers.As<TOLECogi>(&object)) {
    out.Set("ContainerBytes", static_cast<qint64>(o->ContainerData.size()));
    out.Set("OleSized", o->OleSized);
  }
  if (const auto* o = layers.As<TShortCut>(&object)) out.Set("Target", o->Target);
  if (const auto* o = layers.As<TArrow>(&object)) {
    out.Set("ToHead", o->ToHead);
    out.Set("MidMarker", o->MidMarker);
    out.Set("FromHead", o->FromHead);
    out.Set("ToHeadSize", o->ToHeadSize);
    out.Set("MidMarkerSize", o->MidMarkerSize);
    out.Set("FromHeadSize", o->FromHeadSize);
    out.Set("FromX", o->FromX);
    out.Set("FromY", o->FromY);
    out.Set("ToX", o->ToX);
    out.Set("ToY", o->ToY);
    out.Set("ChordHeight", o->ChordHeight);
    out.Set("FromIndex", index(o->FromObject));
    out.Set("ToIndex", index(o->ToObject));
    out.Set("FromAnchor", o->FromAnchor);
    out.Set("ToAnchor", o->ToAnchor);
  }
}

template <typename Sink>
void ObjectFields(const CGPObject& object, const TObjectIndex& index, Sink& out)
{
  out.Set("kind", object.KindCode());
  out.Set("class", ClassName(&object));
  LayerFields(object, index, out);
}

// Writes bytes through a buffer, so that the device sees few large writes.
class TBufferedOut {
 public:
  explicit TBufferedOut(QIODevice& device) : device_(device) { buffer_.reserve(2 * kFlushAt); }

  QByteArray& Buffer() { return buffer_; }
  void Write(const char* text) { buffer_.append(text); }
  // Hands the buffer to the device once it is large; Flush(true) hands over what is left.
  void Flush(bool all = false)
  {
    if (buffer_.isEmpty() || (!all && buffer_.size() < kFlushAt)) return;
    const bool ok = device_.write(buffer_) == buffer_.size();
    buffer_.clear();
    if (!ok)
      throw EStreamError(QStringLiteral("Unable to write the dump: %1").arg(device_.errorString()));
  }

 private:
  static constexpr qsizetype kFlushAt = 1 << 16;
  QIODevice& device_;
  QByteArray buffer_;
};

// Objects [first, last) of the list, each after its separator.
void WriteRange(const TModelDocument& document, const TObjectIndex& index, std::size_t first,
                std::size_t last, QByteArray& out)
{
  TStreamSink entry(2);
  for (std::size_t i = first; i < last; ++i) {
    ObjectFields(*document.Objects[i], index, entry);
    out.append(i == 0 ? "        " : ",\n        ");
    entry.End(out);
  }
}

// Every object in order, in batches whose second half is written on another core meanwhile:
// reading the objects' rich text is most of the work, and the objects are only read.
void WriteObjects(const TModelDocument& document, const TObjectIndex& index, TBufferedOut& out)
{
  constexpr std::size_t kBatch = 512;
  const std::size_t count = document.Objects.size();
  const bool split = std::thread::hardware_concurrency() > 1 && count >= kBatch;
  QByteArray second;
  for (std::size_t first = 0; first < count; first += kBatch) {
    const std::size_t last = std::min(count, first + kBatch);
    if (!split) {
      WriteRange(document, index, first, last, out.Buffer());
      out.Flush();
      continue;
    }
    const std::size_t middle = first + (last - first) / 2;
    second.clear();
    std::exception_ptr failure;
    std::thread helper([&] {
      try {
        WriteRange(document, index, middle, last, second);
      } catch (...) {
        failure = std::current_exception();
      }
    });
    try {
      WriteRange(document, index, first, middle, out.Buffer());
    } catch (...) {
      helper.join();
      throw;
    }
    helper.join();
    if (failure) std::rethrow_exception(failure);
    out.Buffer().append(second);
    out.Flush();
  }
}

}  // namespace

QJsonObject TModelDump::ToJsonObject(const TModelDocument& document, double version)
{
  const TObjectIndex index(document);
  QJsonArray objects;
  for (const CGPObject* object : document.Objects) {
    TTreeSink entry;
    ObjectFields(*object, index, entry);
    objects.append(entry.Object);
  }
  TTreeSink header;
  Header(document, header);
  TTreeSink view;
  View(document, view);
  return {{QStringLiteral("version"), version},
          {QStringLiteral("header"), header.Object},
          {QStringLiteral("view"), view.Object},
          {QStringLiteral("objects"), objects}};
}

void TModelDump::WriteJson(const TModelDocument& document, double version, QIODevice& device)
{
  // The keys of the whole in the order the document writer sorts them: header, objects,
  // version, view. Only a batch of objects is held at a time.
  TBufferedOut out(device);
  out.Write("{\n    \"header\": ");
  TStreamSink header(1);
  Header(document, header);
  header.End(out.Buffer());
  out.Write(",\n    \"objects\": [\n");
  const TObjectIndex index(document);
  WriteObjects(document, index, out);
  out.Write(document.Objects.empty() ? "    ],\n    \"version\": " : "\n    ],\n    \"version\": ");
  TStreamSink::AppendDouble(out.Buffer(), version);
  out.Write(",\n    \"view\": ");
  TStreamSink view(1);
  View(document, view);
  view.End(out.Buffer());
  out.Write("\n}\n");
  out.Flush(true);
}

QByteArray TModelDump::ToJson(const TModelDocument& document, double version)
{
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  WriteJson(document, version, buffer);
  return bytes;
}
