// Quorvane.exe: builds the program state, shows the control panel and runs the message loop
// until the panel is closed; the state is freed when the program leaves.
#include <windows.h>

#include "app/hotkey_host_win.h"
#include "app/main_window_win.h"
#include "app/message_pause_win.h"
#include "app/program_state.h"
#include "app/select_and_start.h"
#include "app/settings_store.h"
#include "app/start_dialogs_win.h"
#include "memory/memory_backend.h"
#include "memory/process_control.h"
#include "player/process_finder_win.h"

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
  ProgramState& state = *programState();
  // The pattern search lets the user interface run once per memory region.
  state.memoryOps.setMessagePump([] { pumpMessagesFor(0); });

  RegistrySettingsStore settings;
  MainWindow panel(state, settings);

  Win32KeyState keys;
  HotkeyTable* hotkeys = nullptr;
  Win32HotkeyHost hotkeyHost([&] {
    if (hotkeys != nullptr) hotkeys->poll(keys);
  });
  HotkeyTable hotkeyTable(hotkeyHost);
  hotkeys = &hotkeyTable;
  panel.onRegisterHotkeys = [&](ControlPanel& control) {
    registerProgramHotkeys(hotkeyTable, control);
  };

  Win32ProcessFinder processes;
  Win32StartDialogs dialogs(panel);
  Win32MessagePump pump;
  SelectAndStart selectAndStart(panel.controlPanel(), processes, dialogs, pump, panel,
                                programFolder());
  panel.onSelectAndStart = [&](MainWindow&) { selectAndStart.run(); };

  if (!panel.create(instance)) return 1;
  runMessageLoop(panel.handle());
  return 0;
}
