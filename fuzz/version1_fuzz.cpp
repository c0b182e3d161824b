// Feeds arbitrary bytes to the reader of the earlier version as if they were a file: it must
// either make a model, which then saves in the current format, or refuse the file with the
// stream error and leave the document empty.
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "document/modeldocument.h"
#include "io/modelstream.h"
#include "io/version1reader.h"
#include "platform/streamerror.h"

namespace {

// Text layout needs a GUI application; one for the whole run.
void EnsureApplication()
{
  static int argc = 1;
  static char name[] = "version1_fuzz";
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
    TVersion1Reader::ReadVersion1Model(document, bytes);
  } catch (const EStreamError&) {
    // A refused file creates nothing.
    if (!document.Objects.empty()) std::abort();
    return 0;
  }
  // Nothing the file says makes an object without size.
  for (const CGPObject* object : document.Objects)
    if (!(object->Width > 0.0 && object->Height > 0.0)) std::abort();
  (void)TModelStream::WriteModel(document, false);
  return 0;
}
