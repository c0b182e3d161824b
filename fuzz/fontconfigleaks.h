// For the fuzz targets that lay out text: fontconfig, below Qt's font fallbacks, keeps
// allocations that it never frees. They are not the code under test, so the leak checker
// leaves them out instead of stopping the run at its first font fallback.
#pragma once

extern "C" const char* __lsan_default_suppressions()
{
  return "leak:libfontconfig.so\n";
}
