#include "app/headlesscommands.h"

std::vector<TCommandLine::TSubcommand> HeadlessCommands()
{
  // Each headless command is one entry here with a small handler of its own.
  return {};
}
