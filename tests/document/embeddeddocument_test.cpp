// Inserting clipart and shortcuts into a document, and double clicks on embedded documents.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "document/documenttestsupport.h"
#include "document/modeldocument.h"
#include "document/undorecorder.h"
#include "model/embedded/clipart.h"
#include "model/embedded/olecogi.h"
#include "model/embedded/shortcut.h"
#include "platform/text/rtfreader.h"

namespace {

class TCaptionRecorder : public IUndoRecorder {
 public:
  void RecordUndo(TModelDocument& document, const QString& caption) override
  {
    captions << caption +
                    (document.ChangePending ? QString() : QStringLiteral(" (nothing pending)"));
    document.ChangePending = false;
  }
  QStringList captions;
};

struct TFixture {
  TFixture()
  {
    document.SetObserver(&observer);
    document.SetUndoRecorder(&recorder);
    document.ClientSize = QSize(800, 600);
    document.Zoom = 100;
    document.ViewOrigin = {2, 3};
    // Current attributes that must reach the new objects, or be overridden for clipart.
    document.LineStyle = 0;
    document.LineWidth = 2.0f;
    document.Shadow = 1;
    document.ShowNumber = true;
  }
  TFixedPrinter printer;
  TModelDocument document{&printer};
  TRecordingObserver observer;
  TCaptionRecorder recorder;
};

}  // namespace

TEST(EmbeddedDocument, InsertClipartAtTheWindowCentreWithoutALine)
{
  TFixture f;
  QImage image(96, 48, QImage::Format_RGB32);
  image.fill(Qt::red);
  auto* clipart = dynamic_cast<TClipart*>(f.document.InsertClipart(TPicture::FromImage(image)));
  ASSERT_NE(clipart, nullptr);
  ASSERT_EQ(f.document.Objects.size(), 1u);
  EXPECT_EQ(f.document.Objects.front(), clipart);
  EXPECT_EQ(clipart->Serial, 1);
  // Window 800 x 600 pixels at 96 DPI and zoom 100 seen from (2, 3).
  EXPECT_DOUBLE_EQ(clipart->X, 2 + 400 / 96.0);
  EXPECT_DOUBLE_EQ(clipart->Y, 3 + 300 / 96.0);
  EXPECT_DOUBLE_EQ(clipart->Width, 1.0);
  EXPECT_DOUBLE_EQ(clipart->Height, 0.5);
  EXPECT_EQ(clipart->LineStyle, kLineNone);
  EXPECT_EQ(clipart->LineWidth, 2.0f);
  EXPECT_EQ(clipart->Shadow, 1);
  EXPECT_TRUE(clipart->ShowNumber);
  EXPECT_EQ(clipart->TextWidth, 1.0);  // refreshed in full
  EXPECT_EQ(clipart->Anchors.size(), 16u);
  ASSERT_TRUE(clipart->Picture.has_value());
  EXPECT_EQ(clipart->Picture->NaturalSize(), QSize(96, 48));
  EXPECT_EQ(f.recorder.captions, QStringList{QStringLiteral("Insert Clipart")});
  EXPECT_GE(f.observer.repaints, 1);

  // The document's screen decides the natural size.
  f.document.ScreenDpiX = 48;
  f.document.ScreenDpiY = 48;
  auto* second = static_cast<TClipart*>(f.document.InsertClipart(TPicture::FromImage(image)));
  EXPECT_DOUBLE_EQ(second->Width, 2.0);
  EXPECT_DOUBLE_EQ(second->Height, 1.0);
  EXPECT_EQ(second->Serial, 2);
}

TEST(EmbeddedDocument, InsertShortcutNamedByItsFile)
{
  TFixture f;
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("Plan 2027.txt"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  auto* shortcut = dynamic_cast<TShortCut*>(f.document.InsertShortcut(path));
  ASSERT_NE(shortcut, nullptr);
  EXPECT_EQ(shortcut->Target, path);
  EXPECT_EQ(TRtfReader::PlainText(shortcut->Text).trimmed(), QStringLiteral("Plan 2027.txt"));
  EXPECT_DOUBLE_EQ(shortcut->X, 2 + 400 / 96.0);
  EXPECT_DOUBLE_EQ(shortcut->Width, 64.0 / kModelPixelsPerInch);
  EXPECT_EQ(shortcut->TextWidth, 0.8);
  EXPECT_EQ(shortcut->LineStyle, 0);  // shortcuts keep the current line
  EXPECT_EQ(shortcut->Shadow, 1);
  EXPECT_EQ(f.recorder.captions, QStringList{QStringLiteral("Insert Shortcut")});
}

TEST(EmbeddedDocument, ActivatingAnEmbeddedDocumentReportsWhyItCannotOpen)
{
  TFixture f;
  auto* ole = static_cast<TOLECogi*>(f.document.CreateObject(okOLECogi));
  f.document.ActivateOleObject(*ole);
  ole->ContainerData = QByteArray("BDOC\x01\x00\x00\x00\x00\x00\x00\x00", 12);
  f.document.ActivateOleObject(*ole);
  EXPECT_EQ(f.observer.errors,
            (QStringList{
                QStringLiteral("OLE Error."),
                QStringLiteral("OLE Error. Embedded documents cannot be opened on this system.")}));
  EXPECT_TRUE(f.recorder.captions.isEmpty());
  EXPECT_FALSE(f.document.ChangePending);
}
