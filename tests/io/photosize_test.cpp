// A JPEG picture keeps the bytes it came with through files and undo snapshots, so a model
// with photos does not grow into one with uncompressed bitmaps.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "io/iotestsupport.h"
#include "io/modelfile.h"
#include "model/embedded/clipart.h"
#include "platform/pictures/jpegcodec.h"
#include "platform/pictures/pictureloader.h"

namespace {

// A 1000 x 1000 picture with photo-like detail: gradients and a little noise.
QByteArray Photo()
{
  QImage image(1000, 1000, QImage::Format_RGB32);
  quint32 noise = 12345;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      noise = noise * 1103515245u + 12345u;
      const int n = static_cast<int>((noise >> 16) % 24);
      image.setPixel(x, y, qRgb((x / 4 + n) % 256, (y / 4 + n) % 256, ((x + y) / 8 + n) % 256));
    }
  return TJpegCodec::Encode(image);
}

TClipart* OnlyClipart(TModelDocument& document)
{
  EXPECT_EQ(document.Objects.size(), 1u);
  return document.Objects.empty() ? nullptr : dynamic_cast<TClipart*>(document.Objects[0]);
}

}  // namespace

TEST(JpegPictures, APhotoKeepsItsFileSizeThroughSaveReopenUndoAndRedo)
{
  const QByteArray photo = Photo();
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("photo.mdl"));
  {
    TModelDocument document;
    auto* clipart = static_cast<TClipart*>(document.CreateObject(okClipart));
    const auto picture = TPictureLoader::FromBytes(photo);
    ASSERT_TRUE(picture.has_value());
    clipart->SetPicture(*picture, {96, 96});
    clipart->X = clipart->Width / 2;
    clipart->Y = clipart->Height / 2;
    TModelFile::SaveModelFile(document, path);
  }
  const qint64 saved = QFileInfo(path).size();
  ASSERT_GT(saved, photo.size());

  iotest::TRecordedModel model;
  TModelDocument& document = model.Document;
  TModelFile::OpenModelFile(document, path, false);
  TUndoRecorder::TakeBaseline(document);
  TClipart* clipart = OnlyClipart(document);
  ASSERT_NE(clipart, nullptr);
  ASSERT_TRUE(clipart->Picture.has_value());
  EXPECT_EQ(clipart->Picture->Encoded(), photo);
  EXPECT_LT(document.Snapshot.size(), photo.size() + 4096);

  clipart->X += 1;
  model.Record(QStringLiteral("Move Cogis"));
  EXPECT_LT(document.Snapshot.size(), photo.size() + 4096);
  model.Recorder.Undo(document);
  model.Recorder.Redo(document);
  clipart = OnlyClipart(document);
  ASSERT_NE(clipart, nullptr);
  EXPECT_EQ(clipart->Picture->Encoded(), photo);
  // Drawing still has the pixels.
  EXPECT_EQ(clipart->Picture->Image().size(), QSize(1000, 1000));

  TModelFile::SaveModelFile(document, path);
  EXPECT_NEAR(static_cast<double>(QFileInfo(path).size()), static_cast<double>(saved),
              0.03 * static_cast<double>(saved));
}
