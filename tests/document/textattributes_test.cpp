// The text toolbar's attributes on a model: what it shows for a selection, one recorded
// "Adjust Text" for every selected object with text, the defaults when none is selected, and
// sizes and indents held to their ranges.
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "document/documenttestsupport.h"
#include "document/modeldocument.h"
#include "document/textattributes.h"
#include "document/textdefaults.h"
#include "io/undorecorder.h"
#include "model/cogi.h"
#include "platform/text/rtfreader.h"
#include "platform/text/rtfwriter.h"

namespace {

const QByteArray kBoldTwelve =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\pard\\qc\\f0\\fs24\\b Bold "
    "idea\\par}";
const QByteArray kMixed =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\ql\\f0\\fs20 plain \\b bold\\b0  "
    "plain\\par\\pard\\qr second paragraph\\par}";

struct TTextFixture {
  TTextFixture()
  {
    document.SetObserver(&observer);
    document.SetUndoRecorder(&recorder);
    recorder.ClaimRecoveryFile(document.RecoverFileName);
  }
  TCogi* Add(double x, const QByteArray& text, bool selected)
  {
    auto* cogi = static_cast<TCogi*>(document.CreateObject(okCogi));
    cogi->X = x;
    cogi->Y = 2;
    cogi->SetShape(7, kCogiLarge);
    cogi->Text = text;
    cogi->Selected = selected;
    cogi->Recalculate(&document.Objects, true);
    return cogi;
  }
  void Baseline() { TUndoRecorder::TakeBaseline(document); }

  TRecordingObserver observer;
  TUndoRecorder recorder;
  TModelDocument document;
  TTextDefaults defaults;
};

// Whether every character of the text, as laid out for drawing, has a style bit.
bool AllCharactersStyled(CGPObject& object, std::uint8_t bit)
{
  object.EnsureTextLayout();
  int characters = 0;
  for (const TTextLayoutEntry& entry : object.TextLayout.Entries())
    if (const auto* c = std::get_if<TTextCharacter>(&entry)) {
      ++characters;
      if (!(c->Style & bit)) return false;
    }
  return characters > 0;
}

// The point size of every character of a text.
std::vector<double> Sizes(const QByteArray& text)
{
  QTextDocument document;
  TRtfReader::Read(text, document);
  std::vector<double> sizes;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it)
      sizes.push_back(richtext::PointSizeOf(it.fragment().charFormat(), document.defaultFont()));
  return sizes;
}

TTextToolbarValues Pressed(bool bold)
{
  TTextToolbarValues values;
  values.Bold = bold;
  return values;
}

}  // namespace

TEST(TextAttributes, TheToolbarShowsTheFirstSelectedObjectWithTextOrTheDefaults)
{
  TTextFixture f;
  f.Add(2, kMixed, false);
  f.Add(4, QByteArray(), true);  // selected, but without text
  f.Add(6, kBoldTwelve, true);
  const TTextState shown = TTextAttributes::SelectionState(&f.document, f.defaults);
  EXPECT_TRUE(shown.Bold);
  EXPECT_EQ(shown.PointSize, 12);
  EXPECT_EQ(shown.FontName, QStringLiteral("Times New Roman"));
  EXPECT_EQ(shown.Alignment, richtext::TAlignment::Centre);
  EXPECT_FALSE(shown.Italic);

  f.document.DeselectAll(false);
  const TTextState defaults = TTextAttributes::SelectionState(&f.document, f.defaults);
  EXPECT_EQ(defaults, f.defaults.State());
  EXPECT_FALSE(defaults.Bold);
  EXPECT_EQ(defaults.PointSize, 8);
  EXPECT_EQ(TTextAttributes::SelectionState(nullptr, f.defaults), defaults);
}

TEST(TextAttributes, BoldOnTwoSelectedObjectsMakesBothWhollyBoldAsOneUndoableStep)
{
  TTextFixture f;
  TCogi* a = f.Add(2, kMixed, true);
  TCogi* b = f.Add(4, TRtfWriter::CentredText(QStringLiteral("another\nidea")), true);
  TCogi* untouched = f.Add(6, kMixed, false);
  f.Baseline();
  const QByteArray before[] = {a->Text, b->Text};
  ASSERT_FALSE(AllCharactersStyled(*a, kStyleBold));

  TTextAttributes::Command(&f.document, f.defaults, TTextAttribute::Bold, Pressed(true));
  EXPECT_TRUE(AllCharactersStyled(*a, kStyleBold));
  EXPECT_TRUE(AllCharactersStyled(*b, kStyleBold));
  EXPECT_EQ(untouched->Text, kMixed);
  ASSERT_EQ(f.document.UndoList.size(), 1u);
  EXPECT_EQ(f.document.UndoList.back().Caption, QStringLiteral("Adjust Text"));
  EXPECT_TRUE(f.document.Modified);
  EXPECT_GE(f.observer.syncs, 1);
  // The defaults for new text are left alone while objects take the attribute.
  EXPECT_FALSE(f.defaults.State().Bold);

  f.recorder.Undo(f.document);
  ASSERT_EQ(f.document.Objects.size(), 3u);
  EXPECT_EQ(f.document.Objects[0]->Text, before[0]);
  EXPECT_EQ(f.document.Objects[1]->Text, before[1]);
  EXPECT_FALSE(AllCharactersStyled(*f.document.Objects[0], kStyleBold));

  // Releasing the button clears the style again, wholly.
  f.document.SelectAll();
  TTextAttributes::Command(&f.document, f.defaults, TTextAttribute::Bold, Pressed(true));
  TTextAttributes::Command(&f.document, f.defaults, TTextAttribute::Bold, Pressed(false));
  for (CGPObject* object : f.document.Objects)
    EXPECT_FALSE(TTextAttributes::StateOfText(object->Text).Bold);
}

TEST(TextAttributes, WithNothingSelectedTheDefaultsChangeAndNothingIsRecorded)
{
  TTextFixture f;
  TCogi* cogi = f.Add(2, kMixed, false);
  f.Baseline();
  TTextToolbarValues values = Pressed(true);
  values.RightDown = true;
  TTextAttributes::Command(&f.document, f.defaults, TTextAttribute::Bold, values);
  TTextAttributes::Command(&f.document, f.defaults, TTextAttribute::AlignRight, values);
  TTextAttributes::Command(nullptr, f.defaults, TTextAttribute::Bullets, values);
  const TTextState state = f.defaults.State();
  EXPECT_TRUE(state.Bold);
  EXPECT_EQ(state.Alignment, richtext::TAlignment::Right);
  EXPECT_TRUE(state.Bullets);
  // Bullet List switches over each time on the defaults.
  TTextAttributes::Command(nullptr, f.defaults, TTextAttribute::Bullets, values);
  EXPECT_FALSE(f.defaults.State().Bullets);
  EXPECT_EQ(cogi->Text, kMixed);
  EXPECT_TRUE(f.document.UndoList.empty());
  EXPECT_FALSE(f.document.Modified);
}

TEST(TextAttributes, SizesAreWholeNumbersHeldToTheirRangeAndNotANumberIsTwelve)
{
  EXPECT_EQ(TTextAttributes::SizeFromText(QStringLiteral("abc")), 12);
  EXPECT_EQ(TTextAttributes::SizeFromText(QStringLiteral("10.5")), 12);
  EXPECT_EQ(TTextAttributes::SizeFromText(QString()), 12);
  EXPECT_EQ(TTextAttributes::SizeFromText(QStringLiteral(" 18 ")), 18);
  EXPECT_EQ(TTextAttributes::SizeFromText(QStringLiteral("0")), TTextAttributes::kMinPointSize);
  EXPECT_EQ(TTextAttributes::SizeFromText(QStringLiteral("-40")), TTextAttributes::kMinPointSize);
  EXPECT_EQ(TTextAttributes::SizeFromText(QStringLiteral("100000")),
            TTextAttributes::kMaxPointSize);

  TTextFixture f;
  TCogi* cogi = f.Add(2, kMixed, true);
  f.Baseline();
  TTextToolbarValues values;
  values.SizeText = QStringLiteral("abc");
  TTextAttributes::Command(&f.document, f.defaults, TTextAttribute::FontSize, values);
  for (double size : Sizes(cogi->Text))
    EXPECT_EQ(size, 12.0);
  values.SizeText = QStringLiteral("100000");
  TTextAttributes::Command(&f.document, f.defaults, TTextAttribute::FontSize, values);
  for (double size : Sizes(cogi->Text))
    EXPECT_EQ(size, double(TTextAttributes::kMaxPointSize));
  // A size given directly, as another caller might, is held too.
  cogi->Text = TTextAttributes::ApplyToText(cogi->Text, TTextAttribute::FontSize, -3);
  for (double size : Sizes(cogi->Text))
    EXPECT_EQ(size, double(TTextAttributes::kMinPointSize));

  f.document.DeselectAll(false);
  values.SizeText = QStringLiteral("0");
  TTextAttributes::Command(&f.document, f.defaults, TTextAttribute::FontSize, values);
  EXPECT_EQ(f.defaults.State().PointSize, TTextAttributes::kMinPointSize);
}

TEST(TextAttributes, IndentsMoveWholeParagraphsAndStayInsideTheirRange)
{
  TTextFixture f;
  TCogi* cogi = f.Add(2, kMixed, true);
  f.Baseline();
  TTextAttributes::Command(&f.document, f.defaults, TTextAttribute::IndentLeft, {});
  EXPECT_EQ(TTextAttributes::StateOfText(cogi->Text).Indent, 0.0);

  TTextAttributes::Command(&f.document, f.defaults, TTextAttribute::IndentRight, {});
  EXPECT_EQ(TTextAttributes::StateOfText(cogi->Text).Indent, 30.0);
  // Every line of every paragraph starts at the indent, as the drawing lays it out.
  cogi->EnsureTextLayout();
  int paragraphs = 0;
  for (const TTextLayoutEntry& entry : cogi->TextLayout.Entries())
    if (const auto* p = std::get_if<TTextParagraph>(&entry)) {
      ++paragraphs;
      EXPECT_DOUBLE_EQ(p->FirstIndent, 30.0 / 96.0);
      EXPECT_DOUBLE_EQ(p->LeftIndent, 0.0);
    }
  EXPECT_EQ(paragraphs, 2);

  for (int i = 0; i < 100; ++i) {
    TTextAttributes::Command(&f.document, f.defaults, TTextAttribute::IndentRight, {});
    TTextAttributes::Command(nullptr, f.defaults, TTextAttribute::IndentRight, {});
  }
  EXPECT_EQ(TTextAttributes::StateOfText(cogi->Text).Indent, TTextAttributes::kMaxIndent);
  EXPECT_EQ(f.defaults.State().Indent, TTextAttributes::kMaxIndent);
  for (int i = 0; i < 100; ++i)
    TTextAttributes::Command(nullptr, f.defaults, TTextAttribute::IndentLeft, {});
  EXPECT_EQ(f.defaults.State().Indent, 0.0);
}

TEST(TextAttributes, AlignmentAndBulletsReachEveryParagraph)
{
  TTextFixture f;
  TCogi* cogi = f.Add(2, kMixed, true);
  f.Baseline();
  TTextToolbarValues values;
  values.CentreDown = true;
  values.BulletsDown = true;
  TTextAttributes::Command(&f.document, f.defaults, TTextAttribute::AlignCentre, values);
  TTextAttributes::Command(&f.document, f.defaults, TTextAttribute::Bullets, values);
  QTextDocument text;
  TRtfReader::Read(cogi->Text, text);
  ASSERT_EQ(text.blockCount(), 2);
  for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
    EXPECT_EQ(richtext::AlignmentOf(block.blockFormat()), richtext::TAlignment::Centre);
    EXPECT_TRUE(richtext::IsBulleted(block));
  }
  EXPECT_EQ(f.document.UndoList.size(), 2u);
  // An alignment button that is not down changes nothing and records nothing.
  values.CentreDown = false;
  const QByteArray before = cogi->Text;
  TTextAttributes::Command(&f.document, f.defaults, TTextAttribute::AlignCentre, values);
  EXPECT_EQ(cogi->Text, before);
  EXPECT_EQ(f.document.UndoList.size(), 2u);

  values.BulletsDown = false;
  TTextAttributes::Command(&f.document, f.defaults, TTextAttribute::Bullets, values);
  EXPECT_FALSE(TTextAttributes::StateOfText(cogi->Text).Bullets);
  TRtfReader::Read(cogi->Text, text);
  EXPECT_FALSE(richtext::IsBulleted(text.begin().next()));
}
