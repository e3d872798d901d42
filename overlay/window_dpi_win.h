#pragma once
// Dots per inch of a window, for per-monitor DPI awareness. Include only from *_win files.
#include <windows.h>

// GetDpiForWindow where the system has it (Windows 10 1607 on), else the screen's logical
// pixels per inch.
int windowDpi(HWND window);

// The DPI of the screen as a whole, which system metrics are given at.
int systemDpi();

// The window rectangle that gives the client rectangle `area` with this style, its frame
// measured at `dpi` (AdjustWindowRectExForDpi where the system has it, else at the system's
// DPI).
void adjustWindowRectForDpi(RECT& area, DWORD style, DWORD exStyle, int dpi);
