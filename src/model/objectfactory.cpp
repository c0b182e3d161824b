#include "model/objectfactory.h"

#include "model/arrow.h"
#include "model/cluster.h"
#include "model/cogi.h"
#include "model/embedded/clipart.h"
#include "model/embedded/olecogi.h"
#include "model/embedded/shortcut.h"
#include "model/shapes/balloon.h"
#include "model/shapes/blockarrow.h"
#include "model/shapes/dilemma.h"
#include "model/shapes/freeshape.h"
#include "model/shapes/hotspot.h"
#include "model/shapes/label.h"

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
