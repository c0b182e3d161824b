// The layer of objects that can belong to one cluster: they join the topmost cluster lying
// below them whenever they are refreshed with the object list.
#pragma once

#include "model/layers/lined.h"

class TCluster;

class TClusteredObject : public TLined {
 public:
  TClusteredObject() = default;
  // Leaves its cluster; the cluster is re-fitted by the document, not here.
  ~TClusteredObject() override;

  TCluster* Cluster = nullptr;  // not owned

  void Recalculate(TObjectList* list, bool full) override;
};
