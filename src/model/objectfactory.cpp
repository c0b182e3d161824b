#include "model/objectfactory.h"

#include "model/arrow.h"
#include "model/blockarrow.h"
#include "model/cluster.h"
#include "model/cogi.h"

CGPObject* TObjectFactory::Create(int kind)
{
  switch (kind) {
    case 1: return new TArrow;
    case 5: return new TBlockArrow;
    case 9: return new TCluster;
    default: return new TCogi;  // 8, and any code we do not know
  }
}
