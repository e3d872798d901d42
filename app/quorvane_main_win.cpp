// Quorvane.exe: builds the program state, shows the control panel and runs the message loop
// until the panel is closed; the state is freed when the program leaves.
#include <windows.h>

#include "app/main_window_win.h"
#include "app/program_state.h"
#include "app/settings_store.h"
#include "memory/memory_backend.h"
#include "memory/process_control.h"

namespace {

// Frees the program state when the program leaves, after the windows are gone.
struct ShutDownOnExit {
  ShutDownOnExit() = default;
  ShutDownOnExit(const ShutDownOnExit&) = delete;
  ShutDownOnExit& operator=(const ShutDownOnExit&) = delete;
  ~ShutDownOnExit() { shutDown(); }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (!startUp(win32MemoryBackend(), win32ProcessControl())) return 1;
  const ShutDownOnExit shutDownOnExit;
  RegistrySettingsStore settings;
  MainWindow panel(*programState(), settings);
  if (!panel.create(instance)) return 1;
  runMessageLoop(panel.handle());
  return 0;
}
