#include "interaction/keystate.h"

void TKeyState::Press(int qtKey, bool autoRepeat)
{
  if (!autoRepeat) down_.insert(qtKey);
}

void TKeyState::Release(int qtKey, bool autoRepeat)
{
  if (!autoRepeat) down_.remove(qtKey);
}
