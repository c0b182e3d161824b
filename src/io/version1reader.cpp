#include "io/version1reader.h"

#include <QHash>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "document/documentobserver.h"
#include "document/modeldocument.h"
#include "document/modelview.h"
#include "io/keyvaluetext.h"
#include "model/arrow.h"
#include "model/cluster.h"
#include "model/cogi.h"
#include "model/outlines/shapegenerator.h"
#include "model/shapes/label.h"
#include "platform/streams/streamerror.h"
#include "platform/text/ansicodepage.h"
#include "platform/text/richtext.h"
#include "platform/text/rtfwriter.h"

const QString TVersion1Reader::kUnknownFormat =
    QStringLiteral("Unable to load model. Unknown format");
const QString TVersion1Reader::kInsertRefused =
    QStringLiteral("Inserting of earlier versions not supported.");

namespace {

const QString kModelSection = QStringLiteral("MODEL");
const QString kObjectPrefix = QStringLiteral("COGI");
const QString kProgressCaption = QStringLiteral("Loading V1 Model...");

// The shape codes of the earlier version that name classes other than the Cogi.
constexpr int kShapeCluster = 13;
constexpr int kShapeArrow = 14;
constexpr int kShapeLabel = 12;

// What the earlier shapes 0 to 11 become: the variant, whether it is turned upside down, and
// the built-in Cogi size in position steps.
struct TShapeMapping {
  int Variant;
  bool Turned;
  int Width;
  int Height;
};
constexpr std::array<TShapeMapping, 12> kShapes = {{{0, false, 4, 4},
                                                    {11, false, 6, 4},
                                                    {1, false, 8, 7},
                                                    {1, true, 8, 7},
                                                    {10, false, 6, 4},
                                                    {3, false, 4, 4},
                                                    {4, true, 6, 5},
                                                    {4, false, 6, 5},
                                                    {7, false, 4, 4},
                                                    {13, false, 4, 6},
                                                    {12, false, 6, 4},
                                                    {10, false, 8, 3}}};
// Clusters have no narrow ellipse: shape 9 is the wide one there.
constexpr int kClusterShape9Variant = 10;

// Patterns of the fill styles 2 to 7.
constexpr std::array<std::uint8_t, 6> kPatterns = {23, 22, 13, 12, 42, 46};

// The end heads of the arrow styles 0 to 3: barbed, filled triangle, open, none.
constexpr std::array<std::uint8_t, 4> kArrowHeads = {2, 0, 1, 10};

double Bounded(double value, double low, double high)
{
  return std::clamp(value, low, high);
}

// The typed values of one section, with the defaults of missing or unreadable ones.
class TSectionValues {
 public:
  TSectionValues(const TKeyValueText& ini, QString section)
      : ini_(ini), section_(std::move(section))
  {
  }

  qint64 Integer(QStringView key, qint64 fallback) const
  {
    return ini_.Integer(section_, key).value_or(fallback);
  }
  // A value that must fit a 32-bit field; anything larger is unreadable.
  int Int32(QStringView key, int fallback) const
  {
    const qint64 value = Integer(key, fallback);
    return value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()
               ? fallback
               : static_cast<int>(value);
  }
  bool Bool(QStringView key) const { return Integer(key, 0) != 0; }
  QString String(QStringView key, const QString& fallback = QString()) const
  {
    const std::optional<QString> value = ini_.Value(section_, key);
    return value ? TVersion1Reader::Unquote(*value) : fallback;
  }
  TColorRef Colour(QStringView key, qint64 fallback) const
  {
    return TVersion1Reader::Version1Colour(Integer(key, fallback));
  }
  double Position(QStringView key, qint64 fallback) const
  {
    return TVersion1Reader::Version1Position(Integer(key, fallback));
  }
  // A width or height in pixels, at least one pixel.
  double Size(QStringView key) const
  {
    const double pixels = static_cast<double>(Integer(key, 1));
    return Bounded(pixels, 1.0, TVersion1Reader::kMaxInches * TVersion1Reader::kPixelsPerInch) /
           TVersion1Reader::kPixelsPerInch;
  }
  // A width or height in position steps, at least one step.
  double StepSize(QStringView key) const
  {
    return TVersion1Reader::Version1Position(std::max<qint64>(1, Integer(key, 0)));
  }
  // The values of the keys prefix0, prefix1, ... below count that exist, in that order: a
  // claimed count costs nothing beyond the lines that are there.
  QStringList Lines(QStringView prefix, qint64 count) const
  {
    std::vector<std::pair<qint64, QString>> found;
    for (const QString& key : ini_.Keys(section_)) {
      const std::optional<qint64> index = TKeyValueText::NumberAfter(key, prefix);
      if (index && *index < count) found.emplace_back(*index, String(key));
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList lines;
    for (auto& line : found)
      lines.append(std::move(line.second));
    return lines;
  }

 private:
  const TKeyValueText& ini_;
  QString section_;
};

// One text or notes block: its lines and the format applied to all of them.
struct TTextBlock {
  QStringList Lines;
  QString Font;
  double Points = 12.0;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  TColorRef Colour = colors::Black;
  int Justification = 0;
};

// The keys "<prefix> Lines", "<prefix>0" ..., "<prefix> Font" and so on.
TTextBlock ReadTextBlock(const TSectionValues& values, const QString& prefix, int justification)
{
  TTextBlock block;
  block.Lines = values.Lines(prefix, values.Integer(prefix + QStringLiteral(" Lines"), 0));
  block.Font = values.String(prefix + QStringLiteral(" Font"), QStringLiteral("Arial"));
  if (block.Font.isEmpty()) block.Font = richtext::DefaultFamily();
  block.Points = static_cast<double>(values.Integer(prefix + QStringLiteral(" Font Size"), 12));
  block.Bold = values.Bool(prefix + QStringLiteral(" Bold"));
  block.Italic = values.Bool(prefix + QStringLiteral(" Italic"));
  block.Underline = values.Bool(prefix + QStringLiteral(" Underline"));
  block.Justification = values.Int32(prefix + QStringLiteral(" Justification"), justification);
  return block;
}

richtext::TAlignment AlignmentOf(int justification)
{
  switch (justification) {
    case 1:
      return richtext::TAlignment::Right;
    case 2:
      return richtext::TAlignment::Centre;
    default:
      return richtext::TAlignment::Left;
  }
}

QByteArray RichText(const TTextBlock& block)
{
  QTextDocument document;
  document.setUndoRedoEnabled(false);
  QTextCharFormat format;
  format.setFontFamilies(QStringList{block.Font});
  // Sizes of nothing or less become the smallest readable one.
  format.setFontPointSize(Bounded(block.Points, 1.0, TVersion1Reader::kMaxFontPoints));
  format.setFontWeight(block.Bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(block.Italic);
  format.setFontUnderline(block.Underline);
  format.setForeground(ToQColor(block.Colour));
  QTextBlockFormat paragraph;
  paragraph.setAlignment(richtext::ToQtAlignment(AlignmentOf(block.Justification)));
  QTextCursor cursor(&document);
  cursor.setBlockFormat(paragraph);
  cursor.setBlockCharFormat(format);
  for (qsizetype i = 0; i < block.Lines.size(); ++i) {
    if (i > 0) cursor.insertBlock(paragraph, format);
    cursor.insertText(block.Lines[i], format);
  }
  return TRtfWriter::Write(document);
}

// The variant and turn of a Cogi or cluster shape (low 7 bits); other shapes keep variant 0.
void ApplyShape(TCogiShaped& object, int shape, bool cluster)
{
  shape &= 0x7F;
  if (shape >= static_cast<int>(kShapes.size())) return;
  const TShapeMapping& mapping = kShapes[static_cast<std::size_t>(shape)];
  object.ShapeVariant =
      static_cast<std::uint8_t>(cluster && shape == 9 ? kClusterShape9Variant : mapping.Variant);
  if (mapping.Turned) object.Angle = 180;
}

void ReadFill(TFilled& filled, const TSectionValues& values)
{
  filled.FaceColor = values.Colour(u"Fill Colour", 0x50FFFF);
  const int style = static_cast<int>(values.Integer(u"Fill Style", 0) & 0x7F);
  if (style == 0) {
    filled.FillStyle = kFillSolid;
  } else if (style == 1) {
    filled.FillStyle = kFillClear;
  } else if (style - 2 < static_cast<int>(kPatterns.size())) {
    filled.FillStyle = kFillPattern;
    filled.PatternIndex = kPatterns[static_cast<std::size_t>(style - 2)];
  }
  filled.BackColor = values.Colour(u"Background Colour", 33016);
}

void ReadArrow(TArrow& arrow, const TSectionValues& values)
{
  arrow.X = 0.0;
  arrow.Y = 0.0;
  const qint64 style = values.Integer(u"Arrow Style", 0);
  if (style >= 0 && style < static_cast<qint64>(kArrowHeads.size()))
    arrow.ToHead = kArrowHeads[static_cast<std::size_t>(style)];
  arrow.FromX = values.Position(u"From X", 0);
  arrow.FromY = values.Position(u"From Y", 0);
  arrow.ToX = values.Position(u"To X", 1);
  arrow.ToY = values.Position(u"To Y", 1);
  // The bulge keeps its sign: it says on which side the arc lies.
  const double limit = TVersion1Reader::kMaxInches * TVersion1Reader::kPixelsPerInch;
  arrow.ChordHeight =
      Bounded(static_cast<double>(values.Integer(u"Chord Height", 0)), -limit, limit) /
      TVersion1Reader::kPixelsPerInch;
}

// Where an end goes: the object at that position, and the anchor on it. Anchors of an arrow
// are numbered from 1 at its start to 11 at its end, one for every tenth of its length.
void AttachEnd(TArrow& arrow, CGPObject* target, qint64 along, TArrowEnd end)
{
  if (!target) return;
  int anchor = -1;
  if (target->KindCode() == okArrow)
    anchor = 1 + static_cast<int>(std::lround(Bounded(static_cast<double>(along), 0, 100) / 10.0));
  TArrow::AttachArrowEnd(target, &arrow, anchor, end);
}

std::vector<int> ObjectPositions(const TKeyValueText& ini, qint64 count)
{
  std::vector<int> positions;
  for (const QString& name : ini.SectionNames()) {
    const std::optional<qint64> position = TKeyValueText::NumberAfter(name, kObjectPrefix);
    if (position && *position >= 1 && *position <= count &&
        *position <= std::numeric_limits<int>::max())
      positions.push_back(static_cast<int>(*position));
  }
  std::sort(positions.begin(), positions.end());
  return positions;
}

}  // namespace

std::optional<QString> TVersion1Reader::DecodeText(const QByteArray& bytes)
{
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') || byte == 0x7F)
      return std::nullopt;
  }
  QByteArrayView text(bytes);
  if (text.startsWith("\xEF\xBB\xBF")) text = text.sliced(3);
  if (text.isValidUtf8()) return QString::fromUtf8(text);
  return TAnsiCodePage::Decode(text);
}

TColorRef TVersion1Reader::Version1Colour(qint64 value)
{
  static constexpr std::array<TColorRef, 16> kFixed = {
      MakeColorRef(0, 255, 255),   MakeColorRef(192, 192, 192), MakeColorRef(255, 255, 255),
      MakeColorRef(255, 255, 200), MakeColorRef(0, 0, 0),       MakeColorRef(255, 255, 0),
      MakeColorRef(0, 150, 63),    MakeColorRef(185, 90, 0),    MakeColorRef(0, 255, 0),
      MakeColorRef(152, 228, 248), MakeColorRef(248, 128, 0),   MakeColorRef(0, 0, 255),
      MakeColorRef(0, 155, 155),   MakeColorRef(255, 0, 0),     MakeColorRef(248, 128, 248),
      MakeColorRef(128, 128, 128)};
  // Only the colour's own 24 bits: the bits above would name system colours.
  const auto colour = static_cast<TColorRef>(static_cast<quint64>(value) & 0xFFFFFFu);
  return colour < kFixed.size() ? kFixed[colour] : colour;
}

double TVersion1Reader::Version1Position(qint64 value)
{
  const double inches = static_cast<double>(value) * kPositionStep / kPixelsPerInch;
  return Bounded(inches, -kMaxInches, kMaxInches);
}

QString TVersion1Reader::Unquote(const QString& text)
{
  if (text.size() >= 2 && text.front() == QLatin1Char('\'') && text.back() == QLatin1Char('\''))
    return text.sliced(1, text.size() - 2);
  return text;
}

CGPObject* TVersion1Reader::ReadVersion1Object(TModelDocument& document, const TKeyValueText& ini,
                                               int position)
{
  const QString section = kObjectPrefix + QString::number(position);
  if (!ini.HasSection(section)) return nullptr;
  const TSectionValues values(ini, section);
  const int shape = static_cast<std::int8_t>(values.Integer(u"Shape", 8) & 0xFF);
  const int kind = shape == kShapeArrow     ? okArrow
                   : shape == kShapeCluster ? okCluster
                   : shape == kShapeLabel   ? okLabel
                                            : okCogi;
  CGPObject* object = document.CreateObject(kind);
  auto* cogi = dynamic_cast<TCogi*>(object);
  auto* label = dynamic_cast<TLabel*>(object);

  object->Number = values.Int32(u"Position", object->Serial);
  object->X = values.Position(u"X", 0);
  object->Y = values.Position(u"Y", 0);
  if (values.Bool(u"Shadowed")) object->Shadow = 1;

  const qint64 size = values.Integer(u"Size", 0);
  const TColorRef lineColour = values.Colour(u"Line Colour", 255);
  TTextBlock text = ReadTextBlock(values, QStringLiteral("Text"), 2);
  text.Colour = lineColour;
  if (cogi && size == 0) text.Points = std::trunc(text.Points / 2.0);
  object->Text = RichText(text);
  if (values.Integer(u"Notes Lines", 0) > 0) {
    TTextBlock notes = ReadTextBlock(values, QStringLiteral("Notes"), 0);
    notes.Colour = label ? lineColour : colors::Black;
    (label ? object->Text : object->Notes) = RichText(notes);
  }

  if (auto* shaped = dynamic_cast<TCogiShaped*>(object)) ApplyShape(*shaped, shape, false);
  if (auto* filled = dynamic_cast<TFilled*>(object)) ReadFill(*filled, values);
  if (auto* lined = dynamic_cast<TLined*>(object)) {
    lined->LineWidth = static_cast<float>(
        Bounded(static_cast<double>(values.Integer(u"Line Width", 1)), 0.0, kMaxLineWidth));
    lined->LineColor = lineColour;
    lined->LineStyle = static_cast<std::uint8_t>(values.Integer(u"Line Style", label ? 5 : 0));
  }
  if (auto* gateway = dynamic_cast<TGateway*>(object)) {
    // Only recorded: following a link is the user's choice, never the reader's.
    const QString link = values.String(u"Gateway To");
    if (!link.isEmpty()) gateway->SetLink(link, nullptr);
  }
  if (label) label->Angle = values.Int32(u"Angle", 0) % 360;
  if (auto* arrow = dynamic_cast<TArrow*>(object)) ReadArrow(*arrow, values);

  if (auto* cluster = dynamic_cast<TCluster*>(object)) {
    cluster->Width = values.StepSize(u"Cluster Width");
    cluster->Height = values.StepSize(u"Cluster Height");
    ApplyShape(*cluster, static_cast<int>(values.Integer(u"Cluster Shape", 0) & 0x7F), true);
  } else {
    const double stretch = label ? 1.05 : 1.0;
    object->Width = values.Size(u"Width") * stretch;
    object->Height = values.Size(u"Height") * stretch;
  }
  if (cogi) {
    cogi->CogiSize = kCogiFreeSize;
    const int v1Shape = shape & 0x7F;
    if (v1Shape < static_cast<int>(kShapes.size())) {
      const TShapeMapping& mapping = kShapes[static_cast<std::size_t>(v1Shape)];
      cogi->Width = Version1Position(mapping.Width);
      cogi->Height = Version1Position(mapping.Height);
    }
    if (size == 1) {
      cogi->Width *= 2.0;
      cogi->Height *= 2.0;
    }
  }
  if (auto* shaped = dynamic_cast<TCogiShaped*>(object))
    shaped->Outline =
        MakeShapeOutline(object->KindCode(), shaped->ShapeVariant, object->Width, object->Height);
  // The file gives the top-left corner; an arrow's points are its own and its centre stays put.
  if (kind != okArrow) {
    object->X += object->Width / 2.0;
    object->Y += object->Height / 2.0;
  }
  return object;
}

void TVersion1Reader::ReadVersion1Model(TModelDocument& document, const QByteArray& bytes,
                                        TVersion1Purpose purpose)
{
  if (purpose != TVersion1Purpose::Open) throw EStreamError(kInsertRefused);
  const std::optional<QString> text = DecodeText(bytes);
  if (!text) throw EStreamError(kUnknownFormat);
  const TKeyValueText ini(*text);
  if (!ini.HasSection(kModelSection)) throw EStreamError(kUnknownFormat);

  IDocumentObserver* observer = document.Observer();
  if (observer) observer->ShowProgress(0, kProgressCaption);
  const TSectionValues model(ini, kModelSection);
  // The model's size comes first: the whole-model zoom is that of the model being shown.
  document.SetModelSize(7, 4);
  document.Zoom =
      std::min(static_cast<double>(model.Integer(u"Primary Zoom", 70)), TModelView::kMaxZoom);
  document.Zoom = std::max(document.Zoom, TModelView(document).WholeModelZoom());
  document.ViewOrigin = {model.Position(u"Primary X", 0), model.Position(u"Primary Y", 0)};
  document.ModelColor = model.Colour(u"Canvas Color", 0xFFFFFF);
  document.FooterComments = model.String(u"Print Comments");

  // Only sections that exist become objects, however many the model claims.
  const std::vector<int> positions = ObjectPositions(ini, model.Integer(u"Number of Objects", 0));
  const std::size_t base = document.Objects.size();
  QHash<int, CGPObject*> byPosition;
  std::vector<std::pair<TArrow*, int>> arrows;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    CGPObject* object = ReadVersion1Object(document, ini, positions[i]);
    byPosition.insert(positions[i], object);
    if (auto* arrow = dynamic_cast<TArrow*>(object)) arrows.emplace_back(arrow, positions[i]);
    if (observer && ((i + 1) % 256 == 0 || i + 1 == positions.size()))
      observer->ShowProgress(static_cast<int>(std::lround(100.0 * (i + 1) / positions.size())),
                             kProgressCaption);
  }

  // Arrows name the objects at their ends by position; an end on the object the start is on
  // stays free, and so does an end that names nothing.
  const auto target = [&](qint64 position) -> CGPObject* {
    return position == 0 || position > std::numeric_limits<int>::max() ||
                   position < std::numeric_limits<int>::min()
               ? nullptr
               : byPosition.value(static_cast<int>(position), nullptr);
  };
  for (const auto& [arrow, position] : arrows) {
    const TSectionValues values(ini, kObjectPrefix + QString::number(position));
    const qint64 from = values.Integer(u"From Shape", 0);
    const qint64 to = values.Integer(u"To Shape", 0);
    AttachEnd(*arrow, target(from), values.Integer(u"From Along", 0), TArrowEnd::Start);
    if (to != from)
      AttachEnd(*arrow, target(to), values.Integer(u"To Along", 0), TArrowEnd::Finish);
  }

  // The geometry update with the layout reset, membership and attached arrows for the whole
  // list at once, as after reading a model stream.
  for (std::size_t i = base; i < document.Objects.size(); ++i)
    document.Objects[i]->Recalculate(nullptr, true);
  TCluster::AssignMemberships(document.Objects);
  CGPObject::UpdateArrowsAttachedTo(
      std::vector<CGPObject*>(document.Objects.begin() + static_cast<std::ptrdiff_t>(base),
                              document.Objects.end()),
      &document.Objects);
  if (observer) observer->EndProgress();
}
