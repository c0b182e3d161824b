#include "app/headlesscommands.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <cstdio>
#include <optional>

#include "app/consoleoutput.h"
#include "app/printing/printverb.h"
#include "app/publishing/publishingverbs.h"
#include "document/documentobserver.h"
#include "document/modeldocument.h"
#include "document/modelpainter.h"
#include "io/modeldump.h"
#include "io/modelfile.h"
#include "io/modelstream.h"
#include "io/pictures/modelpictures.h"
#include "io/pictures/svgpicture.h"
#include "platform/pictures/jpegcodec.h"
#include "platform/streams/streamerror.h"

namespace {

using console::PrintError;
using console::TConsoleObserver;
using console::Usage;

// Opens a model for a command and gives its version; errors go to stderr and give none.
// Only an ordinary file is read (a FIFO or a device is refused unread).
std::optional<double> Open(TModelDocument& document, TConsoleObserver& observer,
                           const QString& path)
{
  document.SetObserver(&observer);
  if (!QFileInfo::exists(path)) {
    PrintError(QStringLiteral("Cannot load model.  File not found."));
    return std::nullopt;
  }
  try {
    return TModelFile::OpenModelFile(document, path, true);
  } catch (const EStreamError& error) {
    PrintError(error.Message());
    return std::nullopt;
  }
}

int Dump(const QStringList& args)
{
  if (args.size() != 1) return Usage(QStringLiteral("dump needs exactly one model file"));
  TModelDocument document;
  TConsoleObserver observer;
  const std::optional<double> version = Open(document, observer, args.front());
  if (!version) return 1;
  // Files that are not of the current format were opened as the earlier version.
  QFile out;
  try {
    if (!out.open(stdout, QIODevice::WriteOnly))
      throw EStreamError(QStringLiteral("Unable to write the dump: %1").arg(out.errorString()));
    TModelDump::WriteJson(document, *version >= 2.0 ? *version : 1.0, out);
  } catch (const EStreamError& error) {
    PrintError(error.Message());
    return 1;
  }
  return 0;
}

// The picture size: the default box kept to the model's proportions, or what was asked.
QSize PictureSize(TModelDocument& document, int width, int height)
{
  const QSizeF extent = TModelPainter(document).ContentExtent();
  const double aspect = extent.isEmpty() ? 4.0 / 3.0 : extent.width() / extent.height();
  if (width > 0 && height > 0) return {width, height};
  if (width > 0) return {width, std::max(1, static_cast<int>(std::lround(width / aspect)))};
  if (height > 0) return {std::max(1, static_cast<int>(std::lround(height * aspect))), height};
  QSize size(1600, 1200);
  if (aspect > 1600.0 / 1200.0)
    size.setHeight(std::max(1, static_cast<int>(std::lround(1600 / aspect))));
  else
    size.setWidth(std::max(1, static_cast<int>(std::lround(1200 * aspect))));
  return size;
}

QByteArray VectorPicture(TModelDocument& document, QSize size, bool pdf)
{
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const double dpi = document.ScreenDpiX;
  if (pdf) {
    QPdfWriter writer(&buffer);
    writer.setResolution(static_cast<int>(dpi));
    writer.setPageSize(QPageSize(QSizeF(size.width() / dpi, size.height() / dpi), QPageSize::Inch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    TModelPainter(document).RenderToDevice(painter, size, dpi, dpi);
  } else {
    bytes = TSvgPicture::Write(document, size, dpi, QFileInfo(document.FileName).fileName());
  }
  return bytes;
}

QByteArray RasterPicture(TModelDocument& document, QSize size, const QString& extension)
{
  if (extension == QLatin1String("png")) return TModelPictures::Png(document, size);
  const QImage image = TModelFile::ModelPicture(document, size);
  if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg"))
    return TJpegCodec::Encode(image);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, extension.toLatin1());
  if (!writer.write(image))
    throw EStreamError(QStringLiteral("Unable to write the picture: %1").arg(writer.errorString()));
  return bytes;
}

int Export(const QStringList& args)
{
  if (TPublishingVerbs::HandlesExport(args)) return TPublishingVerbs::Export(args);
  QStringList positional;
  int width = 0;
  int height = 0;
  for (int i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (arg == QLatin1String("--width") || arg == QLatin1String("--height")) {
      bool ok = false;
      const int value = i + 1 < args.size() ? args[i + 1].toInt(&ok) : 0;
      if (!ok || value < 1 || value > 30000)
        return Usage(QStringLiteral("%1 needs a whole number from 1 to 30000").arg(arg));
      (arg == QLatin1String("--width") ? width : height) = value;
      ++i;
    } else if (arg.startsWith(QLatin1Char('-'))) {
      return Usage(QStringLiteral("unknown option '%1'").arg(arg));
    } else {
      positional << arg;
    }
  }
  if (positional.size() != 2)
    return Usage(QStringLiteral("export needs a model file and an output file"));
  const QString out = positional[1];
  const QString extension = QFileInfo(out).suffix().toLower();
  static const QStringList kKinds = {
      QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("bmp"),
      QStringLiteral("svg"), QStringLiteral("pdf"), QStringLiteral("mdl")};
  if (!kKinds.contains(extension))
    return Usage(QStringLiteral("cannot export to '.%1' (use .png, .jpg, .bmp, .svg, .pdf or .mdl)")
                     .arg(extension));
  TModelDocument document;
  TConsoleObserver observer;
  if (!Open(document, observer, positional[0])) return 1;
  try {
    if (extension == QLatin1String("mdl")) {
      document.ReadOnly = false;
      TModelFile::SaveModelFile(document, out);
      return 0;
    }
    const QSize size = PictureSize(document, width, height);
    const QByteArray bytes = extension == QLatin1String("svg") || extension == QLatin1String("pdf")
                                 ? VectorPicture(document, size, extension == QLatin1String("pdf"))
                                 : RasterPicture(document, size, extension);
    if (bytes.isEmpty()) throw EStreamError(QStringLiteral("Unable to write the picture"));
    TModelFile::WriteFileAtomically(out, bytes);
  } catch (const EStreamError& error) {
    PrintError(error.Message());
    return 1;
  }
  return 0;
}

}  // namespace

std::vector<TCommandLine::TSubcommand> HeadlessCommands()
{
  std::vector<TCommandLine::TSubcommand> commands{
      {QStringLiteral("dump"), QStringLiteral("FILE"),
       QStringLiteral("print a model file as JSON (header and every object's stored fields)"),
       Dump},
      {QStringLiteral("export"), QStringLiteral("FILE OUT [--width N] [--height N]"),
       QStringLiteral("write the whole model to OUT by its extension: .png .jpg .bmp (picture, "
                      "default 1600 x 1200 kept to the model's proportions), .svg .pdf "
                      "(vectors), .mdl (the current model format), .html (page and picture; "
                      "--order position|number) or .rtf/.txt (report; --order, --summary, "
                      "--pages A-B, --separate-pages)"),
       Export},
      PrintSubcommand(),
  };
  for (TCommandLine::TSubcommand& verb : TPublishingVerbs::Commands())
    commands.push_back(std::move(verb));
  return commands;
}
