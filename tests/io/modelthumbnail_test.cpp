#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "io/iotestsupport.h"
#include "io/modelfile.h"
#include "io/modelstream.h"
#include "io/pictures/modelthumbnail.h"

TEST(ModelThumbnail, PicturesComeFromTheHeaderAloneAndOthersGetPlaceholders)
{
  QTemporaryDir dir;
  TModelDocument document;
  iotest::AddCogi(document, 2, 2);
  const QByteArray stream = TModelStream::WriteModel(document);
  // Everything past the two pictures is garbage: the header is all that is read.
  const int pictures = 8 + 4 + TModelStream::PreviewBitmap(document, {153, 212}).size() + 4 +
                       TModelStream::PreviewBitmap(document, {32, 32}).size();
  const QString cut = dir.filePath(QStringLiteral("cut.mdl"));
  QFile file(cut);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(stream.left(pictures) + QByteArray(100, '\xff'));
  file.close();
  const QImage small = TModelThumbnail::Picture(cut, false);
  EXPECT_EQ(small.size(), QSize(32, 32));
  EXPECT_NE(small, TModelThumbnail::Placeholder(false, QStringLiteral("?")));
  EXPECT_EQ(TModelThumbnail::Picture(cut, true).size(), QSize(153, 212));

  const QString v1 = dir.filePath(QStringLiteral("old.mdl"));
  QFile text(v1);
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("[MODEL]\r\nNumber of Objects=0\r\n");
  text.close();
  EXPECT_EQ(TModelThumbnail::Picture(v1, false),
            TModelThumbnail::Placeholder(false, QStringLiteral("V1")));
  // A picture block longer than the file, a file that is no model, and no file at all.
  QByteArray lying = stream.left(8);
  lying += QByteArray("\xff\xff\xff\x7f", 4);
  const QString liar = dir.filePath(QStringLiteral("liar.mdl"));
  QFile lie(liar);
  ASSERT_TRUE(lie.open(QIODevice::WriteOnly));
  lie.write(lying);
  lie.close();
  const QImage question = TModelThumbnail::Placeholder(true, QStringLiteral("?"));
  EXPECT_EQ(TModelThumbnail::Picture(liar, true), question);
  EXPECT_EQ(TModelThumbnail::Picture(dir.filePath(QStringLiteral("none.mdl")), true), question);
  EXPECT_EQ(TModelThumbnail::Picture(dir.filePath(QStringLiteral("cut.bmp")), true), question);
}
