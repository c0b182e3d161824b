#include "io/modelfile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <thread>

#include "document/documentobserver.h"
#include "document/modeldocument.h"
#include "document/modelpainter.h"
#include "document/modelview.h"
#include "io/modelstream.h"
#include "io/pictures/modelpictures.h"
#include "io/version1reader.h"
#include "platform/pictures/jpegcodec.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/datetimevalue.h"
#include "platform/streams/streamerror.h"
#include "platform/streams/wholefile.h"
#include "platform/userfolders.h"

namespace {

const QString& kUnknownFormat = TVersion1Reader::kUnknownFormat;

QString Extension(const QString& path)
{
  return QFileInfo(path).suffix().toLower();
}

QImage Placeholder(bool large, const QString& text)
{
  const QSize size = large ? TModelStream::kPreviewSize : TModelStream::kIconSize;
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  QFont font(QStringLiteral("Arial"));
  font.setBold(true);
  font.setPointSize(large ? 24 : 10);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(image.rect(), Qt::AlignCenter, text);
  return image;
}

QByteArray EncodeImage(const QImage& image, const char* format)
{
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  if (!writer.write(image))
    throw EStreamError(
        QStringLiteral("Unable to encode the picture: %1").arg(writer.errorString()));
  return bytes;
}

}  // namespace

double TModelFile::OpenModelFile(TModelDocument& document, const QString& path, bool readOnly)
{
  const QByteArray bytes = TWholeFile::ReadAll(path);
  if (bytes.size() < 8) {
    if (IDocumentObserver* observer = document.Observer())
      observer->ReportError(QStringLiteral("Not a valid model file."));
    throw EStreamError(kUnknownFormat);
  }
  const double version = TModelStream::ReadVersion(bytes);
  if (version == 0.0 || std::isnan(version)) throw EStreamError(kUnknownFormat);
  if (version >= 2.0)
    TModelStream::ReadModel(document, bytes, true);
  else
    TVersion1Reader::ReadVersion1Model(document, bytes);
  document.FileName = QFileInfo(path).absoluteFilePath();
  document.ReadOnly = readOnly;
  document.ChangePending = false;
  document.Modified = false;
  document.NotifyRepaint();
  return version;
}

void TModelFile::WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
  TWholeFile::WriteAtomically(path, bytes);
}

void TModelFile::SaveModelFile(TModelDocument& document, const QString& path)
{
  // The document changes only once the file is safely written.
  const TModelPoint topLeft = document.MainViewTopLeft;
  const TModelPoint bottomRight = document.MainViewBottomRight;
  const QString savedBy = document.SavedBy;
  const double savedTime = document.SavedTime;
  const bool named = document.Named;
  TModelView view(document);
  if (topLeft.X == bottomRight.X && topLeft.Y == bottomRight.Y) {
    const TViewRect current = view.ViewRect();
    document.MainViewTopLeft = current.TopLeft;
    document.MainViewBottomRight = current.BottomRight;
  }
  document.SavedBy = TUserFolders::CurrentUserName();
  document.SavedTime = TDateTimeValue::Now();
  document.Named = true;
  try {
    WriteFileAtomically(path, TModelStream::WriteModel(document));
  } catch (...) {
    document.MainViewTopLeft = topLeft;
    document.MainViewBottomRight = bottomRight;
    document.SavedBy = savedBy;
    document.SavedTime = savedTime;
    document.Named = named;
    throw;
  }
  document.FileName = QFileInfo(path).absoluteFilePath();
  document.Modified = false;
  document.ChangePending = false;
}

QImage TModelFile::ModelPicture(TModelDocument& document, QSize size)
{
  return TModelPictures::Picture(document, size);
}

void TModelFile::SaveModelAs(TModelDocument& document, const QString& path, QSize pictureSize)
{
  const QString extension = Extension(path);
  if (extension == QLatin1String("bmp")) {
    const QImage picture = ModelPicture(document, pictureSize)
                               .convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    WriteFileAtomically(path, EncodeImage(picture, "bmp"));
  } else if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg")) {
    const QByteArray bytes = TJpegCodec::Encode(ModelPicture(document, pictureSize));
    if (bytes.isEmpty()) throw EStreamError(QStringLiteral("Unable to encode the JPEG picture"));
    WriteFileAtomically(path, bytes);
  } else if (extension == QLatin1String("txt")) {
    throw EStreamError(QStringLiteral("Saving a text report is not available yet"));
  } else if (extension == QLatin1String("html") || extension == QLatin1String("htm")) {
    throw EStreamError(QStringLiteral("Saving an HTML page is not available yet"));
  } else if (extension == QLatin1String("rtf") || extension == QLatin1String("wmf") ||
             extension == QLatin1String("emf") || extension == QLatin1String("ico")) {
    // Saying nothing would let the user believe the model was saved.
    throw EStreamError(
        QStringLiteral("Cannot save \"%1\": a model cannot be saved as a \".%2\" file")
            .arg(QFileInfo(path).fileName(), extension));
  } else {
    SaveModelFile(document, path);
  }
}

QImage TModelFile::ModelThumbnail(const QString& path, bool large)
{
  if (!path.endsWith(QLatin1String(".mdl"), Qt::CaseInsensitive))
    return Placeholder(large, QStringLiteral("?"));
  QByteArray bytes;
  try {
    bytes = TWholeFile::ReadAll(path);
  } catch (const EStreamError&) {
    return Placeholder(large, QStringLiteral("?"));
  }
  const double version = TModelStream::ReadVersion(bytes);
  if (!(version >= 2.0))
    return Placeholder(large, version > 0.0 ? QStringLiteral("V1") : QStringLiteral("?"));
  try {
    TBinaryReader in(bytes, 8);
    QByteArray preview = in.ReadBlock();
    if (!large) preview = in.ReadBlock();
    const QImage image = preview.isEmpty() ? QImage() : QImage::fromData(preview, "BMP");
    if (!image.isNull()) return image;
  } catch (const EStreamError&) {
  }
  return Placeholder(large, QStringLiteral("?"));
}
