#include "model/objectfactory.h"

#include "model/arrow.h"
#include "model/clipart.h"
#include "model/cluster.h"
#include "model/cogi.h"
#include "model/olecogi.h"
#include "model/shortcut.h"

CGPObject* TObjectFactory::Create(int kind)
{
  switch (kind) {
    case 1: return new TArrow;
    case 2: return new TOLECogi;
    case 3: return new TClipart;
    case 4: return new TShortCut;
    case 9: return new TCluster;
    default: return new TCogi;  // 8, and any code we do not know
  }
}
