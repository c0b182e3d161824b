#include "model/objectfactory.h"

#include "model/arrow.h"
#include "model/balloon.h"
#include "model/blockarrow.h"
#include "model/clipart.h"
#include "model/cluster.h"
#include "model/cogi.h"
#include "model/dilemma.h"
#include "model/freeshape.h"
#include "model/hotspot.h"
#include "model/label.h"
#include "model/olecogi.h"
#include "model/shortcut.h"

CGPObject* TObjectFactory::Create(int kind)
{
  switch (kind) {
    case 1: return new TArrow;
    case 2: return new TOLECogi;
    case 3: return new TClipart;
    case 4: return new TShortCut;
    case 5: return new TBlockArrow;
    case 6: return new TLabel;
    case 7: return new TDilemma;
    case 9: return new TCluster;
    case 10: return new TBalloon;
    case 11: return new TFreeShape;
    case 12: return new THotspot;
    default: return new TCogi;  // 8, and any code we do not know
  }
}
