// What a colour picked in the palette strip does to the active model.
#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>

#include "app/palette/cgpcolorpanel.h"
#include "app/palette/palettereactions.h"
#include "app/shelltestsupport.h"
#include "model/arrow.h"
#include "model/cogi.h"
#include "platform/text/richtext.h"
#include "platform/text/rtfreader.h"
#include "platform/text/rtfwriter.h"

namespace {

// An object with neither fill nor line, so no colour of the palette but the text applies.
class TBareObject : public CGPObject {};

class TWindowHost : public IModelWindowHost {
 public:
  bool CanClose(TModelForm&) override { return true; }
  IDialogService& Dialogs() override { return dialogs; }
  shelltest::TScriptedDialogs dialogs;
};

class PaletteReactions : public ::testing::Test {
 protected:
  PaletteReactions() { form.SetHost(&host); }
  ~PaletteReactions() override { form.ApproveClose(); }

  TModelDocument& Doc() { return form.Document(); }
  TCogi* AddHexagon(bool selected)
  {
    auto* cogi = dynamic_cast<TCogi*>(Doc().CreateObject(okCogi));
    cogi->Width = cogi->Height = 1.0;
    cogi->X = cogi->Y = 2.0;
    cogi->FaceColor = MakeColorRef(10, 20, 30);
    cogi->FillStyle = kFillClear;
    cogi->Recalculate(&Doc().Objects, true);
    if (selected) Doc().SelectObject(cogi, false);
    return cogi;
  }
  void Baseline() { TUndoRecorder::TakeBaseline(Doc()); }
  std::size_t UndoCount() { return Doc().UndoList.size(); }

  TWindowHost host;
  TModelForm form;
  TPaletteReactions reactions;
};

const TColorRef kPicked = MakeColorRef(19, 236, 30);

}  // namespace

TEST_F(PaletteReactions, FaceColourMakesAClearHexagonSolidAsOneUndoableStep)
{
  AddHexagon(true);
  auto* arrow = dynamic_cast<TArrow*>(Doc().CreateObject(okArrow));
  Doc().SelectObject(arrow, false);
  const TColorRef arrowLine = arrow->LineColor;
  Baseline();
  const std::size_t before = UndoCount();

  reactions.ColorPaletteChange(&form, ptForeground, kPicked);

  auto* cogi = dynamic_cast<TCogi*>(Doc().Objects[0]);
  EXPECT_EQ(cogi->FaceColor, kPicked);
  EXPECT_EQ(cogi->FillStyle, kFillSolid);
  EXPECT_EQ(arrow->LineColor, arrowLine);  // an arrow has no face to colour
  ASSERT_EQ(UndoCount(), before + 1);
  EXPECT_EQ(Doc().UndoList.back().Caption, QStringLiteral("Change Face Color"));
  EXPECT_EQ(host.dialogs.beeps, 0);

  form.Recorder().Undo(Doc());
  cogi = dynamic_cast<TCogi*>(Doc().Objects[0]);
  EXPECT_EQ(cogi->FaceColor, MakeColorRef(10, 20, 30));
  EXPECT_EQ(cogi->FillStyle, kFillClear);
}

TEST_F(PaletteReactions, LineAndBackColoursReachEverySelectedObjectThatHasThem)
{
  TCogi* first = AddHexagon(true);
  TCogi* second = AddHexagon(true);
  TCogi* unselected = AddHexagon(false);
  first->LineStyle = kLineNone;
  Baseline();

  reactions.ColorPaletteChange(&form, ptLine, kPicked);
  EXPECT_EQ(first->LineColor, kPicked);
  EXPECT_EQ(first->LineStyle, kLineSolid);  // a line given a colour is shown
  EXPECT_EQ(second->LineColor, kPicked);
  EXPECT_NE(unselected->LineColor, kPicked);
  EXPECT_EQ(Doc().UndoList.back().Caption, QStringLiteral("Change Line Color"));

  reactions.ColorPaletteChange(&form, ptBackground, kPicked);
  EXPECT_EQ(first->BackColor, kPicked);
  EXPECT_EQ(second->BackColor, kPicked);
  EXPECT_EQ(first->FillStyle, kFillClear);  // only the face colour makes a fill solid
  EXPECT_EQ(Doc().UndoList.back().Caption, QStringLiteral("Change Face Color"));
}

TEST_F(PaletteReactions, APickNoSelectedObjectCanTakeBeepsAndChangesNothing)
{
  auto* bare = new TBareObject;
  Doc().AppendObject(bare);
  Doc().SelectObject(bare, false);
  Baseline();
  const std::size_t before = UndoCount();
  const TColorRef lineDefault = Doc().LineColor;

  reactions.ColorPaletteChange(&form, ptLine, kPicked);
  EXPECT_EQ(host.dialogs.beeps, 1);
  reactions.ColorPaletteChange(&form, ptForeground, kPicked);
  EXPECT_EQ(host.dialogs.beeps, 2);

  // Only arrows selected: no face to colour either.
  Doc().DeselectAll(false);
  Doc().SelectObject(Doc().CreateObject(okArrow), false);
  Baseline();
  reactions.ColorPaletteChange(&form, ptBackground, kPicked);
  EXPECT_EQ(host.dialogs.beeps, 3);

  EXPECT_EQ(UndoCount(), before);
  EXPECT_FALSE(Doc().Modified);
  EXPECT_EQ(Doc().LineColor, lineDefault);
  EXPECT_EQ(Doc().Mode, opNone);
}

TEST_F(PaletteReactions, APickWithNothingSelectedSetsTheDefaultAndPaints)
{
  TCogi* cogi = AddHexagon(false);
  Baseline();
  const std::size_t before = UndoCount();

  reactions.ColorPaletteChange(&form, ptBackground, kPicked);
  EXPECT_EQ(Doc().BackColor, kPicked);
  EXPECT_EQ(Doc().PaintTarget, ptBackground);
  EXPECT_EQ(Doc().Mode, opPaint);
  EXPECT_NE(cogi->BackColor, kPicked);
  EXPECT_EQ(UndoCount(), before);
  EXPECT_EQ(host.dialogs.beeps, 0);

  // A second pick in paint mode changes the target and stays painting.
  reactions.ColorPaletteChange(&form, ptText, colors::White);
  EXPECT_EQ(Doc().TextColor, colors::White);
  EXPECT_EQ(Doc().BackColor, kPicked);
  EXPECT_EQ(Doc().PaintTarget, ptText);
  EXPECT_EQ(Doc().Mode, opPaint);

  // No model: nothing at all.
  reactions.ColorPaletteChange(nullptr, ptForeground, kPicked);
  EXPECT_EQ(host.dialogs.beeps, 0);
}

TEST_F(PaletteReactions, TextColourRecoloursTheWholeTextOfSelectedObjects)
{
  TCogi* cogi = AddHexagon(true);
  cogi->Text = TRtfWriter::CentredText(QStringLiteral("Two words"));
  Baseline();

  reactions.ColorPaletteChange(&form, ptText, kPicked);
  EXPECT_EQ(Doc().UndoList.back().Caption, QStringLiteral("Change Text Color"));
  QTextDocument text;
  TRtfReader::Read(cogi->Text, text);
  EXPECT_EQ(text.toPlainText(), QStringLiteral("Two words"));
  for (int position : {1, 5, 9}) {
    QTextCursor cursor(&text);
    cursor.setPosition(position);
    EXPECT_EQ(richtext::ColorOf(cursor.charFormat()), kPicked) << position;
  }
  // The text editing work takes picks made while an editor is open.
  TColorRef editorColour = colors::Black;
  reactions.SetTextModeHook([&](TColorRef c) { editorColour = c; });
  Doc().Mode = opEditText;
  const std::size_t before = UndoCount();
  reactions.ColorPaletteChange(&form, ptText, colors::White);
  EXPECT_EQ(editorColour, colors::White);
  EXPECT_EQ(UndoCount(), before);  // the editor's own undo keeps it
  Doc().Mode = opNone;
}

TEST_F(PaletteReactions, TheStripShowsTheFirstSelectedObjectsColours)
{
  TCGPColorPanel strip;
  Doc().FaceColor = MakeColorRef(1, 1, 1);
  Doc().TextColor = MakeColorRef(2, 2, 2);
  TPaletteReactions::ShowModelColors(strip, Doc());
  EXPECT_EQ(strip.ForeGroundColor(), MakeColorRef(1, 1, 1));
  EXPECT_EQ(strip.TextColor(), MakeColorRef(2, 2, 2));

  TCogi* cogi = AddHexagon(true);
  cogi->LineColor = MakeColorRef(3, 3, 3);
  TPaletteReactions::ShowModelColors(strip, Doc());
  EXPECT_EQ(strip.ForeGroundColor(), MakeColorRef(10, 20, 30));
  EXPECT_EQ(strip.BackGroundColor(), cogi->BackColor);
  EXPECT_EQ(strip.LineColor(), MakeColorRef(3, 3, 3));
}
