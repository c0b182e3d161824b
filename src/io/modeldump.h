// A model as JSON for scripts and tests: the version, every header field, the view the model
// opened on, and every stored field of every object as the document holds it, with the format
// its text and notes begin with. The key names are a public interface.
#pragma once

#include <QByteArray>
#include <QJsonObject>

class QIODevice;
class TModelDocument;

class TModelDump {
 public:
  // Writes the indented JSON to the device as it goes, holding one object's fields at a
  // time; throws EStreamError when the device refuses bytes.
  static void WriteJson(const TModelDocument& document, double version, QIODevice& device);
  // The same bytes in memory.
  static QByteArray ToJson(const TModelDocument& document, double version);
  // The same content as one tree (the whole model in memory), for callers that query it.
  static QJsonObject ToJsonObject(const TModelDocument& document, double version);
};
