// Shortcuts: their fixed on-screen size, anchors, records and what they draw.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <memory>

#include "model/embedded/shortcut.h"
#include "model/objectfactory.h"
#include "model/recordtestsupport.h"
#include "platform/canvas.h"
#include "platform/fileicon.h"
#include "platform/shell.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "platform/text/rtfwriter.h"

using recordtest::ReadBack;
using recordtest::Record;

namespace {

QImage IconImage(const QIcon& icon)
{
  return icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
}
}  // namespace

TEST(ShortCut, AlwaysRefreshesToA64PixelSquare)
{
  std::unique_ptr<CGPObject> made(TObjectFactory::Create(4));
  auto* shortcut = dynamic_cast<TShortCut*>(made.get());
  ASSERT_NE(shortcut, nullptr);
  EXPECT_EQ(shortcut->KindCode(), 4);
  EXPECT_EQ(shortcut->ClassDisplayName(), QStringLiteral("Shortcut"));
  EXPECT_TRUE(shortcut->Target.isEmpty());
  EXPECT_FALSE(shortcut->TargetIcon.isNull());

  const double side = 64.0 / kModelPixelsPerInch;
  shortcut->Width = 5;
  shortcut->Height = 0.1;
  shortcut->ShowNumber = true;
  shortcut->Recalculate(nullptr, false);
  EXPECT_DOUBLE_EQ(shortcut->Width, side);
  EXPECT_DOUBLE_EQ(shortcut->Height, side);
  // Between a plain refresh and the next full one the text box is the full width.
  EXPECT_EQ(shortcut->TextWidth, 1.0);
  EXPECT_EQ(shortcut->TextOffsetY, 0.25);
  EXPECT_EQ(shortcut->TextHeight, 0.5);
  shortcut->Recalculate(nullptr, true);
  EXPECT_EQ(shortcut->TextWidth, 0.8);
  EXPECT_EQ(shortcut->TextOffsetY, 0.25);
  EXPECT_EQ(shortcut->NumberX, -1.0);

  // The anchors run round a narrow icon area standing on a full-width name area.
  const double w = side, h = side;
  const std::vector<TAnchor> expected = {
      {-w / 4, -h / 4}, {-w / 4, 0},     {-w / 2, 0}, {-w / 2, h / 4},
      {-w / 2, h / 2},  {-w / 4, h / 2}, {0, h / 2},  {w / 4, h / 2},
      {w / 2, h / 2},   {w / 2, h / 4},  {w / 2, 0},  {w / 4, 0},
      {w / 4, -h / 4},  {w / 4, -h / 2}, {0, -h / 2}, {-w / 4, -h / 2}};
  ASSERT_EQ(shortcut->Anchors.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_DOUBLE_EQ(shortcut->Anchors[i].DX, expected[i].DX) << i;
    EXPECT_DOUBLE_EQ(shortcut->Anchors[i].DY, expected[i].DY) << i;
  }
}

TEST(ShortCut, TargetIconAndFileName)
{
  QTemporaryDir dir;
  const QString text = dir.filePath(QStringLiteral("notes.txt"));
  QFile file(text);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("hello\n");
  file.close();

  TShortCut shortcut;
  const QImage application = IconImage(TFileIcon::ApplicationIcon());
  EXPECT_EQ(IconImage(shortcut.TargetIcon), application);
  shortcut.SetTarget(text);
  EXPECT_EQ(shortcut.Target, text);
  EXPECT_FALSE(shortcut.TargetIcon.isNull());
  EXPECT_NE(IconImage(shortcut.TargetIcon), application);  // a document, not a program
  // A target that is not there shows the application icon.
  shortcut.SetTarget(dir.filePath(QStringLiteral("gone.txt")));
  EXPECT_EQ(IconImage(shortcut.TargetIcon), application);

  EXPECT_EQ(TShortCut::FileNamePart(QStringLiteral("/home/a/notes.txt")),
            QStringLiteral("notes.txt"));
  EXPECT_EQ(TShortCut::FileNamePart(QStringLiteral("C:\\Sounds\\Chime.WAV")),
            QStringLiteral("Chime.WAV"));
  EXPECT_EQ(TShortCut::FileNamePart(QStringLiteral("plain")), QStringLiteral("plain"));
  EXPECT_EQ(TShortCut::FileNamePart(QStringLiteral("/folder/")), QString());
}

TEST(ShortCut, RecordKeepsTheTarget)
{
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("report.txt"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();

  TShortCut shortcut;
  shortcut.X = 4;
  shortcut.LineColor = 0x123456;
  shortcut.SetTarget(path);
  shortcut.Text = TRtfWriter::CentredText(QStringLiteral("report.txt"));
  const QByteArray bytes = Record(shortcut);
  // CGPObject (103 bytes and the text), TLined (9), the target string.
  EXPECT_EQ(bytes.size(), 103 + shortcut.Text.size() + 9 + 4 + path.toLocal8Bit().size() + 1);
  const auto back = ReadBack(bytes);
  auto& read = static_cast<TShortCut&>(*back);
  EXPECT_EQ(read.Target, path);
  EXPECT_EQ(read.X, 4);
  EXPECT_EQ(read.LineColor, 0x123456u);
  EXPECT_EQ(read.Text, shortcut.Text);
  EXPECT_EQ(IconImage(read.TargetIcon), IconImage(shortcut.TargetIcon));

  // An empty target reads back empty, with the application icon.
  const auto emptyBack = ReadBack(Record(TShortCut()));
  EXPECT_TRUE(static_cast<TShortCut&>(*emptyBack).Target.isEmpty());
  EXPECT_EQ(IconImage(static_cast<TShortCut&>(*emptyBack).TargetIcon),
            IconImage(TFileIcon::ApplicationIcon()));
}

TEST(ShortCut, DrawsTheIconAboveAndTheNameBelow)
{
  TShortCut shortcut;
  shortcut.X = 1;
  shortcut.Y = 1;
  shortcut.SetTarget(QStringLiteral("/nowhere/Budget.xls"));
  shortcut.Text = TRtfWriter::CentredText(TShortCut::FileNamePart(shortcut.Target));
  shortcut.Recalculate(nullptr, true);
  QImage image(300, 300, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  // Twice the model's scale, so that the name is large enough to find.
  const double dpi = kModelPixelsPerInch;
  TCanvas canvas(painter, dpi, dpi);
  shortcut.Draw(canvas, false, 0, 0, 200);
  painter.end();
  // Box 128 pixels square from (2 * dpi - 64) each way; the icon fills x 32..96, y 0..64 of it.
  const int left = canvas.ToPixelX(shortcut.X - shortcut.Width / 2, 0, 200);
  const int top = canvas.ToPixelY(shortcut.Y - shortcut.Height / 2, 0, 200);
  ASSERT_EQ(canvas.ToPixelX(shortcut.X + shortcut.Width / 2, 0, 200) - left, 128);
  const auto inked = [&](int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (image.pixel(x, y) != qRgb(255, 255, 255)) ++count;
    return count;
  };
  EXPECT_GT(inked(left + 32, top, left + 96, top + 64), 500);  // the icon
  EXPECT_EQ(inked(left, top, left + 30, top + 64), 0);         // beside the icon
  EXPECT_EQ(inked(left + 98, top, left + 128, top + 64), 0);
  EXPECT_GT(inked(left, top + 66, left + 128, top + 128), 20);  // the name
}

namespace {

// Records what a shortcut asks of the shell; knows a player for documents named "*.wav".
class TFakeShell : public IShell {
 public:
  bool OpenPath(const QString& path) override
  {
    calls << QStringLiteral("open ") + path;
    return true;
  }
  QString FindProgramFor(const QString& document) override
  {
    return document.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive) ? QStringLiteral("player")
                                                                         : QString();
  }
  bool StartProgram(const QString& program, const QStringList& arguments, bool minimised) override
  {
    calls << program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) +
                 (minimised ? QStringLiteral(" (minimised)") : QString());
    return true;
  }
  QStringList calls;
};

}  // namespace

TEST(ShortCut, ActivatePlaysSoundsAndOpensEverythingElse)
{
  TFakeShell shell;
  TShortCut shortcut;
  shortcut.Activate(shell);  // no target: nothing
  for (const char* target :
       {"/s/Chime.WAV", "/s/bell.wav", "/s/tune.mid", "/docs/notes.txt", "/docs/missing.doc"}) {
    shortcut.Target = QString::fromLatin1(target);
    shortcut.Activate(shell);
  }
  EXPECT_EQ(shell.calls, (QStringList{
                             QStringLiteral("player /Play /Close /s/Chime.WAV (minimised)"),
                             QStringLiteral("player /Play /Close /s/bell.wav (minimised)"),
                             // A sound without a known player is opened like any file.
                             QStringLiteral("open /s/tune.mid"),
                             QStringLiteral("open /docs/notes.txt"),
                             QStringLiteral("open /docs/missing.doc"),
                         }));
}
