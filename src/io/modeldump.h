// A model as JSON for scripts and tests: the version, every header field, the view the model
// opened on, and every stored field of every object as the document holds it, with the format
// its text and notes begin with. The key names are a public interface.
#pragma once

#include <QByteArray>

class TModelDocument;

class TModelDump {
 public:
  static QByteArray ToJson(const TModelDocument& document, double version);
};
