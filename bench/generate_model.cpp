// Writes a model of N objects for benchmarks and demonstrations: hexagons of every variant
// with a few words of formatted text each, clusters under groups of them, and arrows between
// neighbours (about one arrow for every two objects).
//   generate_model N OUT.mdl
#include <QGuiApplication>
#include <QTextStream>
#include <cmath>
#include <cstdio>

#include "io/modelfile.h"
#include "platform/streamerror.h"
#include "support/modelgenerator.h"

int main(int argc, char** argv)
{
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: generate_model N OUT.mdl\n");
    return 2;
  }
  const int count = std::atoi(argv[1]);
  if (count < 1) {
    std::fprintf(stderr, "generate_model: N must be a positive number\n");
    return 2;
  }
  TModelDocument document;
  TModelGenerator::Build(document, count);
  try {
    TModelFile::SaveModelFile(document, QString::fromLocal8Bit(argv[2]));
  } catch (const EStreamError& error) {
    std::fprintf(stderr, "generate_model: %s\n", qPrintable(error.Message()));
    return 1;
  }
  return 0;
}
