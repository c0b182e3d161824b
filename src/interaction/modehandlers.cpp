#include "interaction/modehandlers.h"

#include <memory>

#include "interaction/creation/adjustarrowmode.h"
#include "interaction/creation/clustermode.h"
#include "interaction/creation/createarrowsmode.h"
#include "interaction/creation/draggedboxmode.h"
#include "interaction/creation/freeformmode.h"
#include "interaction/creation/placeshapemode.h"
#include "interaction/gestures/adjustspecialmode.h"
#include "interaction/gestures/movingmode.h"
#include "interaction/gestures/resizingmode.h"
#include "interaction/gestures/rotatingmode.h"
#include "interaction/modemachine.h"
#include "interaction/modes/busymode.h"
#include "interaction/modes/formatpaintmode.h"
#include "interaction/modes/idlemode.h"
#include "interaction/modes/paintmode.h"
#include "interaction/modes/panmode.h"
#include "interaction/modes/pressedmode.h"
#include "interaction/modes/renumbermode.h"
#include "interaction/modes/rotatereadymode.h"
#include "interaction/modes/rubberboxmode.h"
#include "interaction/modes/stingmode.h"
#include "interaction/modes/textpickmode.h"

namespace {

// The tools that put new objects on the model.
void InstallCreationHandlers(TModeMachine& m)
{
  m.Install(opPlaceShape, std::make_unique<TPlaceShapeMode>(m));
  m.Install(opFreeform, std::make_unique<TFreeformMode>(m));
  m.Install(opCreateArrows, std::make_unique<TCreateArrowsMode>(m));
  m.Install(opAdjustArrow, std::make_unique<TAdjustArrowMode>(m));
  m.Install(opCreateLabel, std::make_unique<TDraggedBoxMode>(m, true));
  m.Install(opCreateClusters, std::make_unique<TClusterMode>(m));
  m.Install(opCreateHotspot, std::make_unique<TDraggedBoxMode>(m, false));
}

}  // namespace

void InstallModeHandlers(TModeMachine& m)
{
  m.Install(opNone, std::make_unique<TIdleMode>(m));
  m.Install(opEditText, std::make_unique<TTextPickMode>(m, true));
  m.Install(opBusy, std::make_unique<TBusyMode>(m));
  m.Install(opPressed, std::make_unique<TPressedMode>(m));
  m.Install(opSelectBox, std::make_unique<TRubberBoxMode>(m, false));
  m.Install(opRotateReady, std::make_unique<TRotateReadyMode>(m));
  m.Install(opPan, std::make_unique<TPanMode>(m));
  m.Install(opZoomBox, std::make_unique<TRubberBoxMode>(m, true));
  m.Install(opSting, std::make_unique<TStingMode>(m));
  m.Install(opRenumber, std::make_unique<TRenumberMode>(m));
  m.Install(opPaint, std::make_unique<TPaintMode>(m));
  m.Install(opFormatPaint, std::make_unique<TFormatPaintMode>(m));
  m.Install(opPickText, std::make_unique<TTextPickMode>(m, false));
  InstallCreationHandlers(m);
  // Moving, resizing and turning the selection.
  m.Install(opRotating, std::make_unique<TRotatingMode>(m));
  m.Install(opMoving, std::make_unique<TMovingMode>(m));
  m.Install(opResizing, std::make_unique<TResizingMode>(m));
  m.Install(opAdjustSpecial, std::make_unique<TAdjustSpecialMode>(m));
}
