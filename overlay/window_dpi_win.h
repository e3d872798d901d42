#pragma once
// Dots per inch of a window, for per-monitor DPI awareness. Include only from *_win files.
#include <windows.h>

// GetDpiForWindow where the system has it (Windows 10 1607 on), else the screen's logical
// pixels per inch.
int windowDpi(HWND window);

// The DPI of the screen as a whole, which system metrics are given at.
int systemDpi();
