#include "interaction/modes/busymode.h"

#include "interaction/cursorid.h"
#include "interaction/interactionhost.h"
#include "interaction/modemachine.h"

void TBusyMode::Enter()
{
  machine_.Host().SetScreenCursor(crHourGlass);
}
