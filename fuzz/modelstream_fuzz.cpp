// Feeds arbitrary bytes to the model reader as if they were a file: the model must either open
// or end in the stream error with the objects read so far still usable, refreshed and saved.
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>

#include "document/modeldocument.h"
#include "fontconfigleaks.h"
#include "io/modelstream.h"
#include "platform/streamerror.h"

namespace {

// Text layout and pictures need a GUI application; one for the whole run.
void EnsureApplication()
{
  static int argc = 1;
  static char name[] = "modelstream_fuzz";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QGuiApplication(argc, argv);
  }();
  (void)app;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  EnsureApplication();
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  TModelDocument document;
  try {
    TModelStream::ReadModel(document, bytes, false);
  } catch (const EStreamError&) {
  }
  // Whatever was read must save again without fault (previews skipped: they only paint).
  (void)TModelStream::WriteModel(document, false);
  return 0;
}
