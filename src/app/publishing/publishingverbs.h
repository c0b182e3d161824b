// The headless publishing verbs: the HTML page and the text report as outputs of "export",
// and "publish", which writes a web of linked models as a site.
#pragma once

#include <QStringList>
#include <vector>

#include "app/commandline.h"

class TPublishingVerbs {
 public:
  // Whether an export's output is a page or a report (.html, .htm, .rtf, .txt).
  static bool HandlesExport(const QStringList& args);
  // export FILE OUT.html [--order position|number] [--width N] [--height N]
  // export FILE OUT.rtf|OUT.txt [--order position|number] [--summary] [--pages A-B]
  //                             [--separate-pages]
  static int Export(const QStringList& args);
  // publish ROOT.mdl OUTDIR [--order position|number] [--width N] [--height N]
  static int Publish(const QStringList& args);
  static std::vector<TCommandLine::TSubcommand> Commands();
};
