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
    case okArrow:
      return new TArrow;
    case okOLECogi:
      return new TOLECogi;
    case okClipart:
      return new TClipart;
    case okShortCut:
      return new TShortCut;
    case okBlockArrow:
      return new TBlockArrow;
    case okLabel:
      return new TLabel;
    case okDilemma:
      return new TDilemma;
    case okCluster:
      return new TCluster;
    case okBalloon:
      return new TBalloon;
    case okFreeShape:
      return new TFreeShape;
    case okHotspot:
      return new THotspot;
    default:
      return new TCogi;  // okCogi, and any code we do not know
  }
}
