// The subcommands that work on model files without a display.
#pragma once

#include <vector>

#include "app/commandline.h"

std::vector<TCommandLine::TSubcommand> HeadlessCommands();
