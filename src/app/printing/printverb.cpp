#include "app/printing/printverb.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPdfWriter>
#include <cstdio>

#include "app/consoleoutput.h"
#include "document/modeldocument.h"
#include "io/modelfile.h"
#include "io/publishing/printjob.h"
#include "platform/streams/streamerror.h"

namespace {

// What the command line asks of the model and the job.
struct TRequest {
  QString Model;
  QString Out;
  TPrintOptions Options;
  bool Header = false;
  bool Footer = false;
  bool HasComments = false;
  QString Comments;
  int Reverse = -1;  // -1 as the model says
};

// "A-B" or "A" as page numbers; whole numbers only, as the dialog's digit boxes allow.
bool ParsePages(const QString& text, int& from, int& to)
{
  const QStringList parts = text.split(QLatin1Char('-'));
  if (parts.isEmpty() || parts.size() > 2) return false;
  bool ok1 = false;
  bool ok2 = false;
  // Larger than any model; clamped to the pages that exist later.
  const auto number = [](const QString& s, bool& ok) {
    const qlonglong v = s.trimmed().toLongLong(&ok);
    ok = ok && v >= 0;
    return static_cast<int>(std::min<qlonglong>(v, 1 << 30));
  };
  from = number(parts[0], ok1);
  to = parts.size() == 2 ? number(parts[1], ok2) : from;
  return ok1 && (parts.size() == 1 || ok2);
}

// Reads the arguments; a usage message when they make no sense.
QString Parse(const QStringList& args, TRequest& r)
{
  QStringList positional;
  r.Options.Range = TPrintRange::WholeModel;
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    const auto value = [&](QString& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    QString v;
    if (a == QLatin1String("--view")) {
      r.Options.Range = TPrintRange::CurrentView;
    } else if (a == QLatin1String("--whole")) {
      r.Options.Range = TPrintRange::WholeModel;
    } else if (a == QLatin1String("--selected")) {
      r.Options.Range = TPrintRange::Selected;
    } else if (a == QLatin1String("--pages")) {
      if (!value(v) || !ParsePages(v, r.Options.FromPage, r.Options.ToPage))
        return QStringLiteral("--pages needs page numbers, as in 2-5");
      r.Options.Range = TPrintRange::Pages;
    } else if (a == QLatin1String("--no-fit")) {
      r.Options.FitToOnePage = false;
    } else if (a == QLatin1String("--blank-pages")) {
      r.Options.IncludeBlankPages = true;
    } else if (a == QLatin1String("--frames")) {
      r.Options.Frames = true;
    } else if (a == QLatin1String("--header")) {
      r.Header = true;
    } else if (a == QLatin1String("--footer")) {
      r.Footer = true;
    } else if (a == QLatin1String("--comments")) {
      if (!value(r.Comments)) return QStringLiteral("--comments needs a text");
      r.HasComments = true;
      r.Footer = true;
    } else if (a == QLatin1String("--copies")) {
      bool ok = false;
      const int n = value(v) ? v.toInt(&ok) : 0;
      if (!ok || n < 1 || n > TPrintOptions::kMaxCopies)
        return QStringLiteral("--copies needs a whole number from 1 to %1")
            .arg(TPrintOptions::kMaxCopies);
      r.Options.Copies = n;
    } else if (a == QLatin1String("--reverse")) {
      r.Reverse = 1;
    } else if (a == QLatin1String("--in-order")) {
      r.Reverse = 0;
    } else if (a.startsWith(QLatin1Char('-'))) {
      return QStringLiteral("unknown option '%1'").arg(a);
    } else {
      positional << a;
    }
  }
  if (positional.size() != 2) return QStringLiteral("print needs a model file and a PDF file");
  r.Model = positional[0];
  r.Out = positional[1];
  if (QFileInfo(r.Out).suffix().toLower() != QLatin1String("pdf"))
    return QStringLiteral("print writes PDF files only (OUT.pdf)");
  return {};
}

}  // namespace

int RunPrintVerb(const QStringList& args)
{
  TRequest request;
  const QString problem = Parse(args, request);
  if (!problem.isEmpty()) return console::Usage(problem);

  TModelDocument document;
  console::TConsoleObserver observer;
  document.SetObserver(&observer);
  if (!QFileInfo(request.Model).isFile()) {
    console::PrintError(QStringLiteral("Cannot load model.  File not found."));
    return 1;
  }
  try {
    TModelFile::OpenModelFile(document, request.Model, true);
    // The settings given here apply to this printout only; the model file is not touched.
    document.PrintHeader = document.PrintHeader || request.Header;
    document.PrintFooter = document.PrintFooter || request.Footer;
    if (request.HasComments) document.FooterComments = request.Comments;
    if (request.Reverse >= 0) document.ReversePrintOrder = request.Reverse == 1;
    if (TPrintJob::ClampMargins(document))
      console::PrintError(
          QStringLiteral("The margins did not leave room to print; they were made smaller."));
    TPrintJob::UpdatePage(document);
    TPrintJob::ViewMainView(document);

    TPrintJob job(document, request.Options);
    if (!job.Plan()) {
      console::PrintError(job.Error());
      return 1;
    }
    for (const QString& notice : job.Notices())
      console::PrintError(notice);
    QByteArray bytes;
    {
      QBuffer buffer(&bytes);
      buffer.open(QIODevice::WriteOnly);
      QPdfWriter writer(&buffer);
      writer.setTitle(QFileInfo(document.FileName).completeBaseName());
      writer.setCreator(QStringLiteral("Mindorra"));
      TPrintJob::PreparePdfWriter(writer, document);
      TPagedSurface surface(writer);
      job.Run(surface);
    }
    if (bytes.isEmpty()) throw EStreamError(QStringLiteral("Unable to write the PDF file."));
    TModelFile::WriteFileAtomically(request.Out, bytes);
  } catch (const EStreamError& error) {
    console::PrintError(error.Message());
    return 1;
  }
  return 0;
}

TCommandLine::TSubcommand PrintSubcommand()
{
  return {QStringLiteral("print"),
          QStringLiteral("FILE OUT.pdf [--view | --whole [--no-fit] | --pages A-B | --selected] "
                         "[--blank-pages] [--frames] [--header] [--footer] [--comments TEXT] "
                         "[--copies N] [--reverse | --in-order]"),
          QStringLiteral("print the model to a PDF file: the whole model fitted to one sheet "
                         "unless a range is given (--view is the model's main view); the "
                         "header, footer and page order are the model's unless given here"),
          RunPrintVerb};
}
