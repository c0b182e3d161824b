#include "model/layers/clusteredobject.h"

#include "model/cluster.h"

TClusteredObject::~TClusteredObject()
{
  TCluster::RemoveFromCluster(this, Cluster);
  Cluster = nullptr;
}

void TClusteredObject::Recalculate(TObjectList* list, bool full)
{
  if (list) TCluster::UpdateClusterMembership(*list, this);
  TLined::Recalculate(list, full);
}
