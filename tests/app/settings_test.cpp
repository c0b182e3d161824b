// The settings store: defaults, reading that creates nothing, and values from a hand-edited
// or hostile file held inside their ranges.
#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <cmath>

#include "app/settings/preferences.h"
#include "app/settings/settingsstore.h"
#include "app/shelltestsupport.h"
#include "interaction/modelpaintbox.h"

using namespace shelltest;

namespace {

using Settings = TShellTest;

// Whether a value is of its setting's type and inside its range.
bool InRange(const TSettingDef& def, const QVariant& value)
{
  switch (def.Type) {
    case TSettingType::Boolean:
      return value.typeId() == QMetaType::Bool;
    case TSettingType::Integer:
    case TSettingType::Code:
    case TSettingType::Colour: {
      const int number = value.toInt();
      if (value.typeId() != QMetaType::Int || number < def.Min || number > def.Max) return false;
      return def.Type != TSettingType::Code || ((def.Codes >> number) & 1u);
    }
    case TSettingType::Float: {
      const double number = value.toDouble();
      return std::isfinite(number) && number >= def.Min && number <= def.Max;
    }
    case TSettingType::Text:
    case TSettingType::File:
    case TSettingType::Folder: {
      const QString text = value.toString();
      return text.size() <= def.MaxLength &&
             (def.Type == TSettingType::Text || text.isEmpty() || QDir::isAbsolutePath(text));
    }
    case TSettingType::Bytes:
      return value.toByteArray().size() <= def.MaxLength;
  }
  return false;
}

QString Key(const TSettingDef& def, int number = 0)
{
  QString key = def.Key(number);
  return key.replace(QLatin1Char(' '), QLatin1String("%20"));
}

}  // namespace

TEST_F(Settings, AFirstStartReadsTheDefaultsAndCreatesNothing)
{
  TPreferences preferences;
  {
    const TSettingsStore store;
    preferences.Load(store);
    for (int i = 0; i < settingtable::kCount; ++i)
      EXPECT_FALSE(store.Contains(TSettingId::At(i), 1));
  }
  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("config/Mindorra"))));
  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("config/CGP"))));

  TModelDocument document;
  preferences.ApplyToNewModel(document);
  EXPECT_EQ(document.ZoomFrames, 10);
  EXPECT_EQ(document.PagesAcross, 4);
  EXPECT_EQ(document.PagesDown, 4);
  EXPECT_EQ(document.Orientation, 1);
  EXPECT_EQ(document.ModelColor, 0xFFFFFFu);
  EXPECT_EQ(document.FaceColor, 0x00FFFFu);
  EXPECT_EQ(document.BackColor, 0xD9FFFFu);
  EXPECT_EQ(document.TextColor, 0u);
  EXPECT_EQ(document.LineColor, 0u);
  EXPECT_EQ(document.CogiSize, 0);
  EXPECT_EQ(document.FillStyle, 0);
  EXPECT_EQ(document.LineStyle, 0);
  EXPECT_FLOAT_EQ(document.LineWidth, 0.75f);
  EXPECT_EQ(document.Shadow, 0);
  EXPECT_EQ(document.Style3D, 0);
  EXPECT_TRUE(document.ShowNumber);
  EXPECT_FALSE(document.ShowGrid);
  EXPECT_EQ(preferences.Integer("Max Models"), 10);
  const TInteractionPreferences interaction = preferences.Interaction();
  EXPECT_TRUE(interaction.PopupMenus);
  EXPECT_TRUE(interaction.BeeCursors);
  EXPECT_FALSE(interaction.FormatShape);
  EXPECT_TRUE(interaction.FormatFont);
}

TEST_F(Settings, ValuesComeBackAsWrittenAndAFolderLosesItsTrailingSeparator)
{
  {
    TSettingsStore store;
    store.Write("Cogi Line Width", 2.5);
    store.Write("Max Models", 3);
    store.Write("Bee Cursors", false);
    store.Write("Model Folder", Path(QStringLiteral("models/")));
    store.Write("Cogi FG Color", 0x123456);
    store.Write("State", QByteArray("\x00\x01layout", 8));
  }
  const TSettingsStore store;
  EXPECT_DOUBLE_EQ(store.Float("Cogi Line Width"), 2.5);
  EXPECT_EQ(store.Integer("Max Models"), 3);
  EXPECT_FALSE(store.Boolean("Bee Cursors"));
  EXPECT_EQ(store.Text("Model Folder"), Path(QStringLiteral("models")));
  EXPECT_EQ(store.Integer("Cogi FG Color"), 0x123456);
  EXPECT_EQ(store.Bytes("State"), QByteArray("\x00\x01layout", 8));
  // A stored line style other than none reads as solid.
  WriteSettings(QStringLiteral("[General]\nCogi%20Line%20Style=2\n"));
  EXPECT_EQ(TSettingsStore().Integer("Cogi Line Style"), 0);
  WriteSettings(QStringLiteral("[General]\nCogi%20Line%20Style=5\n"));
  EXPECT_EQ(TSettingsStore().Integer("Cogi Line Style"), 5);
}

TEST_F(Settings, EveryValueOfAHostileFileIsHeldInItsRange)
{
  const QString huge(5000, QLatin1Char('x'));
  const QStringList poisons = {
      QStringLiteral("nan"),       QStringLiteral("inf"),         QStringLiteral("-inf"),
      QStringLiteral("1e308"),     QStringLiteral("-1e308"),      QStringLiteral("abc"),
      QStringLiteral("-7"),        QStringLiteral("99999999999"), huge,
      QStringLiteral("a, b, c, d")};
  for (const QString& poison : poisons) {
    QString text = QStringLiteral("[General]\n");
    for (const TSettingDef& def : settingtable::kTable)
      for (int n = def.Series > 0 ? 1 : 0; n <= def.Series; ++n)
        text += Key(def, n) + QLatin1Char('=') + poison + QLatin1Char('\n');
    WriteSettings(text);
    const TSettingsStore store;
    for (int i = 0; i < settingtable::kCount; ++i) {
      const TSettingDef& def = settingtable::kTable[i];
      for (int n = def.Series > 0 ? 1 : 0; n <= def.Series; ++n)
        EXPECT_TRUE(InRange(def, store.Value(TSettingId::At(i), n)))
            << def.Key(n).toStdString() << " = " << poison.left(20).toStdString();
    }
  }
  // Numbers past the range take its nearest end; what is no number takes the default.
  WriteSettings(
      QStringLiteral("[General]\nMax%20Models=1e9\nPages%20Across=-3\n"
                     "Cogi%20Line%20Width=nan\nAnimated%20Zoom%20Frames=inf\n"
                     "Model%20Color=-1\n[Recent%20Files]\nCount=2000000000\n"));
  const TSettingsStore store;
  EXPECT_EQ(store.Integer("Max Models"), 32768);
  EXPECT_EQ(store.Integer("Pages Across"), 1);
  EXPECT_DOUBLE_EQ(store.Float("Cogi Line Width"), 0.75);
  EXPECT_EQ(store.Integer("Animated Zoom Frames"), 100);
  EXPECT_EQ(store.Integer("Model Color"), 0xFFFFFF);
  EXPECT_EQ(store.Integer("Recent Files/Count"), 10);
}

TEST_F(Settings, ASettingsFileThatIsNoPlainFileIsLeftAlone)
{
  const QString path = TSettingsStore::FilePath(TSettingRoot::Program);
  QDir().mkpath(QFileInfo(path).absolutePath());
  // Reading a FIFO would wait for a writer for ever.
  ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
  TSettingsStore store;
  EXPECT_EQ(store.Integer("Max Models"), 10);
  store.Write("Max Models", 4);
  store.Sync();
  EXPECT_FALSE(QFileInfo(path).isFile());
}

TEST_F(Settings, AHostileFileStartsTheProgramQuicklyWithEveryValueClamped)
{
  QString text = QStringLiteral(
      "[General]\nMax%20Models=0\nPages%20Across=1e9\nPages%20Down=2147483648\n"
      "Animated%20Zoom%20Frames=1e12\nCogi%20Line%20Width=inf\nCogi%20Size=77\n"
      "Cogi%20Fill%20Style=-1\nCogi%20Pattern%20Style=1000\nOrientation=nan\n"
      "Model%20Folder=relative/folder\nControl%20Model=");
  text += QString(100000, QLatin1Char('y'));
  text += QStringLiteral("\n[Recent%20Files]\nCount=1e300\n");
  for (int i = 1; i <= 10; ++i)
    text += QStringLiteral("File%1=%2\n").arg(i).arg(QString(10000, QLatin1Char('z')));
  text += QStringLiteral("[Other%20Toolbars]\nStatus%20Bar=maybe\n");
  WriteSettings(text);
  QElapsedTimer clock;
  clock.start();
  TMainForm& form = Start();
  EXPECT_LT(clock.elapsed(), 1000);
  ASSERT_EQ(form.Models().size(), 1);
  const TModelDocument& document = form.ActiveModel()->Document();
  EXPECT_EQ(document.PagesAcross, 50);
  EXPECT_EQ(document.PagesDown, 50);
  EXPECT_EQ(document.ZoomFrames, 100);
  EXPECT_FLOAT_EQ(document.LineWidth, 100.0f);
  EXPECT_EQ(document.CogiSize, 2);
  EXPECT_EQ(document.FillStyle, 0);
  EXPECT_EQ(document.PatternIndex, 48);
  EXPECT_EQ(document.Orientation, 1);
  EXPECT_EQ(form.Preferences().Integer("Max Models"), 1);
  EXPECT_EQ(form.Preferences().Text("Model Folder"), Documents());
  EXPECT_TRUE(form.RecentFiles().Files().isEmpty());
  EXPECT_FALSE(form.statusBar()->isHidden());
  EXPECT_TRUE(dialogs.asked.empty());
}
