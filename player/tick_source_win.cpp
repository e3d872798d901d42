#include "player/tick_source_win.h"

#include <windows.h>

uint32_t Win32TickSource::nowMs() { return GetTickCount(); }
