// Writes a model of N objects for benchmarks and demonstrations: hexagons of every variant
// with a few words of formatted text each, clusters under groups of them, and arrows between
// neighbours (about one arrow for every two objects).
//   generate_model [--no-previews] N OUT.mdl
// Without previews the two preview blocks are empty, which keeps small models small enough to
// seed the model stream fuzzer.
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

#include "io/modelfile.h"
#include "io/modelstream.h"
#include "platform/streams/streamerror.h"
#include "support/modelgenerator.h"

int main(int argc, char** argv)
{
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QStringList args = QCoreApplication::arguments().mid(1);
  const bool previews = !args.removeAll(QStringLiteral("--no-previews"));
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: generate_model [--no-previews] N OUT.mdl\n");
    return 2;
  }
  bool ok = false;
  const int count = args[0].toInt(&ok);
  if (!ok || count < 1) {
    std::fprintf(stderr, "generate_model: N must be a positive number\n");
    return 2;
  }
  TModelDocument document;
  TModelGenerator::Build(document, count);
  try {
    if (previews)
      TModelFile::SaveModelFile(document, args[1]);
    else
      TModelFile::WriteFileAtomically(args[1], TModelStream::WriteModel(document, false));
  } catch (const EStreamError& error) {
    std::fprintf(stderr, "generate_model: %s\n", qPrintable(error.Message()));
    return 1;
  }
  return 0;
}
