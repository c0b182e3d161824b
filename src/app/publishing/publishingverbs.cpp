#include "app/publishing/publishingverbs.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>
#include <optional>

#include "app/consoleoutput.h"
#include "document/modeldocument.h"
#include "io/modelfile.h"
#include "io/publishing/htmlexport.h"
#include "io/publishing/sitepublisher.h"
#include "io/publishing/textreport.h"
#include "platform/streams/streamerror.h"

namespace {

using console::Print;
using console::PrintError;
using console::Usage;

// What the options of a verb said.
struct TVerbOptions {
  QStringList Positional;
  TListingOrder Order = TListingOrder::ByPosition;
  QSize Picture;
  bool Summary = false;
  bool SeparatePages = false;
  std::optional<std::pair<int, int>> Pages;
};

// Parses the options; an error message when they are wrong.
std::optional<QString> Parse(const QStringList& args, TVerbOptions& options)
{
  for (int i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    const QString value = i + 1 < args.size() ? args[i + 1] : QString();
    if (arg == QLatin1String("--order")) {
      if (value != QLatin1String("position") && value != QLatin1String("number"))
        return QStringLiteral("--order needs 'position' or 'number'");
      options.Order =
          value == QLatin1String("number") ? TListingOrder::ByNumber : TListingOrder::ByPosition;
      ++i;
    } else if ((arg == QLatin1String("--width") || arg == QLatin1String("--height"))) {
      bool ok = false;
      const int n = value.toInt(&ok);
      if (!ok || n < 1 || n > 30000)
        return QStringLiteral("%1 needs a whole number from 1 to 30000").arg(arg);
      if (arg == QLatin1String("--width"))
        options.Picture.setWidth(n);
      else
        options.Picture.setHeight(n);
      ++i;
    } else if (arg == QLatin1String("--summary")) {
      options.Summary = true;
    } else if (arg == QLatin1String("--separate-pages")) {
      options.SeparatePages = true;
    } else if (arg == QLatin1String("--pages")) {
      static const QRegularExpression kRange(QStringLiteral("^(\\d{1,9})(?:-(\\d{1,9}))?$"));
      const QRegularExpressionMatch match = kRange.match(value);
      if (!match.hasMatch()) return QStringLiteral("--pages needs a page or a range like 2-5");
      const int first = match.captured(1).toInt();
      options.Pages = {first, match.hasCaptured(2) ? match.captured(2).toInt() : first};
      ++i;
    } else if (arg.startsWith(QLatin1Char('-'))) {
      return QStringLiteral("unknown option '%1'").arg(arg);
    } else {
      options.Positional << arg;
    }
  }
  if (options.SeparatePages && options.Pages)
    return QStringLiteral("--pages and --separate-pages cannot be combined");
  return std::nullopt;
}

bool Open(TModelDocument& document, const QString& path)
{
  if (!QFileInfo::exists(path)) {
    PrintError(QStringLiteral("Cannot load model.  File not found."));
    return false;
  }
  try {
    TModelFile::OpenModelFile(document, path, true);
    return true;
  } catch (const EStreamError& error) {
    PrintError(error.Message());
    return false;
  }
}

// Only the width or the height given: the other follows the default picture's proportions.
QSize AskedSize(TModelDocument& document, QSize asked)
{
  if (asked.width() > 0 && asked.height() > 0) return asked;
  const QSize fitted = THtmlExport::BoundedPictureSize(document, QSize());
  if (asked.width() > 0)
    return {asked.width(),
            std::max(1, int(qint64(asked.width()) * fitted.height() / fitted.width()))};
  if (asked.height() > 0)
    return {std::max(1, int(qint64(asked.height()) * fitted.width() / fitted.height())),
            asked.height()};
  return {};
}

}  // namespace

bool TPublishingVerbs::HandlesExport(const QStringList& args)
{
  TVerbOptions options;
  if (Parse(args, options) || options.Positional.size() != 2) return false;
  {
    const QString suffix = QFileInfo(options.Positional[1]).suffix().toLower();
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm") ||
        suffix == QLatin1String("rtf") || suffix == QLatin1String("txt"))
      return true;
  }
  return false;
}

int TPublishingVerbs::Export(const QStringList& args)
{
  TVerbOptions options;
  if (const std::optional<QString> error = Parse(args, options)) return Usage(*error);
  if (options.Positional.size() != 2)
    return Usage(QStringLiteral("export needs a model file and an output file"));
  const QString out = options.Positional[1];
  const QString suffix = QFileInfo(out).suffix().toLower();
  const bool report = suffix == QLatin1String("rtf") || suffix == QLatin1String("txt");
  if (report && (options.Picture.width() > 0 || options.Picture.height() > 0))
    return Usage(QStringLiteral("a report has no picture size"));
  if (!report && (options.Summary || options.SeparatePages || options.Pages))
    return Usage(QStringLiteral("--summary, --pages and --separate-pages are for reports"));
  TModelDocument document;
  console::TConsoleObserver observer;
  document.SetObserver(&observer);
  if (!Open(document, options.Positional[0])) return 1;
  try {
    if (!report) {
      THtmlPageStyle style;
      style.Order = options.Order;
      THtmlExport::ExportHtml(document, out, AskedSize(document, options.Picture), style);
      return 0;
    }
    TReportOptions report;
    report.Order = options.Order;
    report.IncludeSummary = options.Summary;
    report.Range = options.Pages ? TReportRange::Pages : TReportRange::WholeModel;
    report.SeparatePages = options.SeparatePages;
    if (options.Pages) std::tie(report.FirstPage, report.LastPage) = *options.Pages;
    const QByteArray rtf = TTextReport::ReportRtf(document, report);
    TModelFile::WriteFileAtomically(
        out, suffix == QLatin1String("txt") ? TTextReport::PlainTextBytes(rtf) : rtf);
  } catch (const EStreamError& error) {
    PrintError(error.Message());
    return 1;
  }
  return 0;
}

int TPublishingVerbs::Publish(const QStringList& args)
{
  TVerbOptions options;
  if (const std::optional<QString> error = Parse(args, options)) return Usage(*error);
  if (options.Summary || options.SeparatePages || options.Pages)
    return Usage(QStringLiteral("--summary, --pages and --separate-pages are for reports"));
  if (options.Positional.size() != 2)
    return Usage(QStringLiteral("publish needs a model file and an output folder"));
  try {
    const TSiteResult result = TSitePublisher::Publish(
        options.Positional[0], options.Positional[1], options.Picture, options.Order,
        [](const QString& page) { Print(stdout, QStringLiteral("writing ") + page); });
    for (const QString& problem : result.Problems)
      Print(stdout, problem);
    Print(stdout, QStringLiteral("%1 page(s) written; start at %2")
                      .arg(result.Pages.size())
                      .arg(result.IndexPath));
  } catch (const EStreamError& error) {
    PrintError(error.Message());
    return 1;
  }
  return 0;
}

std::vector<TCommandLine::TSubcommand> TPublishingVerbs::Commands()
{
  return {{QStringLiteral("publish"),
           QStringLiteral("ROOT.mdl OUTDIR [--order position|number] [--width N] [--height N]"),
           QStringLiteral("write ROOT and every model its gateways lead to (inside ROOT's folder) "
                          "as linked web pages with an index.html"),
           Publish}};
}
