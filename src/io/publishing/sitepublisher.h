// A web of linked models as a static site: starting from one model, every gateway whose link
// is a model file inside the root model's folder tree is followed (each model once, cycles
// included), each model gets its page and picture, the picture is an image map whose areas
// lead to the linked models' pages and to web addresses, and an index names the root and
// lists the links that could not be followed.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

#include "io/publishing/objectlisting.h"

struct TSiteResult {
  QStringList Pages;     // written pages, relative to the output folder, in the order found
  QStringList Problems;  // links not followed and models not read, one sentence each
  QString IndexPath;
};

class TSitePublisher {
 public:
  // A web larger than this is cut short and the cut reported.
  static constexpr int kMaxModels = 2000;

  // Throws EStreamError when the root cannot be read or the output folder cannot be made;
  // other models that fail are listed in Problems and the rest is still written.
  static TSiteResult Publish(const QString& rootModel, const QString& outFolder,
                             QSize pictureSize = QSize(),
                             TListingOrder order = TListingOrder::ByPosition,
                             const std::function<void(const QString&)>& progress = {});
};
