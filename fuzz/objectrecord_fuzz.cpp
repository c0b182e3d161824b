// Feeds arbitrary bytes to the object record reader: every record must either load or end
// in the stream error, and a loaded object must survive a refresh and a save.
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "fontconfigleaks.h"
#include "model/cgpobject.h"
#include "model/objectfactory.h"
#include "platform/binaryreader.h"
#include "platform/binarywriter.h"
#include "platform/streamerror.h"

// Text layout and shortcut icons need a GUI application; one for the whole run.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  TBinaryReader reader(bytes);
  TObjectList list;
  std::vector<std::unique_ptr<CGPObject>> owned;
  try {
    // A few records in a row, like a model body, so that clusters meet their members.
    for (int i = 0; i < 4 && !reader.AtEnd(); ++i) {
      owned.emplace_back(TObjectFactory::Create(reader.ReadInt32()));
      list.push_back(owned.back().get());
      owned.back()->LoadFromStream(reader);
    }
  } catch (const EStreamError&) {
  }
  for (CGPObject* object : list)
    object->Recalculate(&list, true);
  QByteArray out;
  TBinaryWriter writer(out);
  for (CGPObject* object : list)
    object->SaveToStream(writer);
  // Members before clusters, so that each destructor sees the other still alive or gone.
  while (!owned.empty())
    owned.pop_back();
  return 0;
}
