// The Text Properties toolbar: what it shows for a model's selection, its commands reaching
// the selection or the defaults, and the open text editor taking them in text mode.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFontComboBox>
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include "app/texttoolbar/texttoolbar.h"
#include "document/modeldocument.h"
#include "document/textdefaults.h"
#include "model/cogi.h"
#include "testsupport.h"

namespace {

const QByteArray kBoldTwelve =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\qr\\f0\\fs24\\b Bold idea\\par}";

struct TToolbarFixture {
  TToolbarFixture() : toolbar(defaults, [this] { return &document; })
  {
    cogi = static_cast<TCogi*>(document.CreateObject(okCogi));
    cogi->SetShape(7, kCogiLarge);
    cogi->X = 2;
    cogi->Y = 2;
    cogi->Text = kBoldTwelve;
    cogi->Recalculate(&document.Objects, true);
  }
  TTextDefaults defaults;
  TModelDocument document;
  TTextToolbar toolbar;
  TCogi* cogi = nullptr;
};

}  // namespace

TEST(TextToolbar, ASelectedHexagonWithBoldTwelvePointTextPressesBoldAndShowsTwelve)
{
  TToolbarFixture f;
  f.toolbar.Sync();  // nothing selected: the defaults, Arial 8 centred
  EXPECT_FALSE(f.toolbar.Button(TTextAttribute::Bold)->isChecked());
  EXPECT_EQ(f.toolbar.FontSize()->currentText(), QStringLiteral("8"));
  EXPECT_TRUE(f.toolbar.Button(TTextAttribute::AlignCentre)->isChecked());

  f.document.SelectObject(f.cogi, false);
  f.toolbar.Sync();
  EXPECT_TRUE(f.toolbar.Button(TTextAttribute::Bold)->isChecked());
  EXPECT_FALSE(f.toolbar.Button(TTextAttribute::Italic)->isChecked());
  EXPECT_EQ(f.toolbar.FontSize()->currentText(), QStringLiteral("12"));
  EXPECT_TRUE(f.toolbar.Button(TTextAttribute::AlignRight)->isChecked());
  EXPECT_FALSE(f.toolbar.Button(TTextAttribute::AlignCentre)->isChecked());
  f.toolbar.resize(1000, f.toolbar.sizeHint().height());
  f.toolbar.show();
  f.toolbar.grab().toImage().save(testsupport::OutputPath(QStringLiteral("text_toolbar.png")));

  // Italic pressed reaches the selection; a size typed as "abc" is taken as 12.
  f.toolbar.Button(TTextAttribute::Italic)->trigger();
  EXPECT_TRUE(TTextAttributes::StateOfText(f.cogi->Text).Italic);
  f.toolbar.Button(TTextAttribute::Italic)->trigger();
  EXPECT_FALSE(TTextAttributes::StateOfText(f.cogi->Text).Italic);
  f.toolbar.FontSize()->setEditText(QStringLiteral("30"));
  QTest::keyClick(f.toolbar.FontSize()->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(TTextAttributes::StateOfText(f.cogi->Text).PointSize, 30);
  f.toolbar.FontSize()->setEditText(QStringLiteral("abc"));
  QTest::keyClick(f.toolbar.FontSize()->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(TTextAttributes::StateOfText(f.cogi->Text).PointSize, 12);
  EXPECT_EQ(f.toolbar.FontSize()->currentText(), QStringLiteral("12"));
  // The defaults were never the target.
  EXPECT_EQ(f.defaults.State().PointSize, 8);
}

TEST(TextToolbar, InTextModeTheOpenEditorTakesTheCommands)
{
  TToolbarFixture f;
  f.document.SelectObject(f.cogi, false);
  f.toolbar.Sync();
  std::vector<TTextAttribute> taken;
  f.toolbar.SetTextModeHook([&taken](TTextAttribute code, const TTextToolbarValues& values) {
    taken.push_back(code);
    EXPECT_FALSE(values.Bold);  // the button's state after the click
    return true;
  });
  f.toolbar.Button(TTextAttribute::Bold)->trigger();
  EXPECT_EQ(taken, std::vector<TTextAttribute>{TTextAttribute::Bold});
  EXPECT_EQ(f.cogi->Text, kBoldTwelve);

  // Showing an editor's attributes runs no command.
  TTextState state;
  state.FontName = QStringLiteral("Arial");
  state.Italic = true;
  f.toolbar.Show(state);
  EXPECT_TRUE(f.toolbar.Button(TTextAttribute::Italic)->isChecked());
  EXPECT_EQ(taken.size(), 1u);
}
