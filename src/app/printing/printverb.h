// `mindorra print FILE OUT.pdf`: the print jobs written to a PDF file without a display.
#pragma once

#include <QStringList>

#include "app/commandline.h"

TCommandLine::TSubcommand PrintSubcommand();

// The verb itself: 0 printed, 1 nothing printed or an error, 2 a usage error.
int RunPrintVerb(const QStringList& args);
