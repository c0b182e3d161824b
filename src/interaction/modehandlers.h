// Gives a window's mode machine the handler of every operation mode.
#pragma once

class TModeMachine;

void InstallModeHandlers(TModeMachine& machine);
