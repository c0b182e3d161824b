// A picture of clipart of every kind, an embedded document and shortcuts for a person to
// look at, with checks that each one was painted in its place.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "model/embedded/clipart.h"
#include "model/embedded/olecogi.h"
#include "model/embedded/shortcut.h"
#include "platform/canvas.h"
#include "platform/pictures/pictureloader.h"
#include "platform/text/rtfwriter.h"
#include "testsupport.h"

namespace {

constexpr double kZoom = 150;
constexpr double kCell = 1.6;  // inches per gallery cell

std::optional<TPicture> Picture(const char* name)
{
  return TPictureLoader::FromFile(
      testsupport::DataPath(QStringLiteral("pictures/") + QLatin1String(name)));
}

}  // namespace

TEST(EmbeddedPicture, GalleryOfClipartOleAndShortcuts)
{
  QTemporaryDir dir;
  const QString textFile = dir.filePath(QStringLiteral("notes.txt"));
  const QString script = dir.filePath(QStringLiteral("build.sh"));
  for (const QString& path : {textFile, script}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
  }
  QFile::setPermissions(script, QFile::permissions(script) | QFileDevice::ExeOwner);

  std::vector<std::unique_ptr<CGPObject>> objects;
  std::vector<QString> captions;
  const auto place = [&](CGPObject* object, const QString& caption) {
    const int index = static_cast<int>(objects.size());
    object->X = kCell * (index % 5 + 0.5);
    object->Y = kCell * (index / 5 + 0.5);
    objects.emplace_back(object);
    captions.push_back(caption);
  };
  const struct {
    const char* File;
    const char* Caption;
  } pictures[] = {{"picture_96x48.bmp", "BMP"},
                  {"picture_32.ico", "ICO"},
                  {"picture_64x32.jpg", "JPEG"},
                  {"picture_96x48.emf", "EMF"},
                  {"picture_40x20.png", "PNG"}};
  for (const auto& p : pictures) {
    auto* clipart = new TClipart;
    const auto picture = Picture(p.File);
    ASSERT_TRUE(picture.has_value()) << p.File;
    clipart->SetPicture(*picture, {96, 96});
    if (clipart->Width < 0.6) {  // small pictures shown larger, as a user would stretch them
      clipart->Width *= 2;
      clipart->Height *= 2;
    }
    place(clipart, QString::fromLatin1(p.Caption));
  }
  {
    auto* bordered = new TClipart;
    bordered->SetPicture(*Picture("picture_96x48.bmp"), {96, 96});
    bordered->LineStyle = kLineSolid;
    bordered->LineWidth = 2;
    bordered->Shadow = 1;
    place(bordered, QStringLiteral("BMP, line, shadow"));
  }
  place(new TClipart, QStringLiteral("no picture"));
  {
    auto* ole = new TOLECogi;
    ole->Width = 1.2;
    ole->Height = 0.8;
    ole->ContainerData = QByteArray("BDOC\x01\x00\x00\x00\x00\x00\x00\x00", 12);
    place(ole, QStringLiteral("OLE"));
  }
  for (const QString& target : {textFile, script, QStringLiteral("/nowhere/Chime.WAV")}) {
    auto* shortcut = new TShortCut;
    shortcut->SetTarget(target);
    shortcut->Text = TRtfWriter::CentredText(TShortCut::FileNamePart(target));
    shortcut->Shadow = 0;
    place(shortcut, QStringLiteral("shortcut"));
  }

  const double scale = 96 * kZoom / 100;
  QImage image(static_cast<int>(5 * kCell * scale), static_cast<int>(3 * kCell * scale),
               QImage::Format_RGB32);
  const QRgb background = qRgb(235, 245, 255);
  image.fill(background);
  QPainter painter(&image);
  TCanvas canvas(painter, 96, 96);
  for (std::size_t i = 0; i < objects.size(); ++i) {
    CGPObject& object = *objects[i];
    object.Recalculate(nullptr, true);
    object.Draw(canvas, false, 0, 0, kZoom);
    painter.setPen(Qt::black);
    painter.setFont(QFont(QStringLiteral("Arial"), 9));
    const QPoint at =
        canvas.ToPixel(object.X - kCell / 2 + 0.05, object.Y + kCell / 2 - 0.08, 0, 0, kZoom);
    painter.drawText(at, captions[i]);
  }
  painter.end();
  ASSERT_TRUE(image.save(testsupport::OutputPath(QStringLiteral("embedded_gallery.png"))));

  // Every object left paint in the middle of its upper half (the icon of a shortcut).
  for (std::size_t i = 0; i < objects.size(); ++i) {
    const CGPObject& object = *objects[i];
    SCOPED_TRACE(captions[i].toStdString());
    const QPoint p = canvas.ToPixel(object.X + 0.03, object.Y - object.Height / 4, 0, 0, kZoom);
    EXPECT_NE(image.pixel(p), background);
  }
}
