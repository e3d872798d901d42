// The stand-in for the served player, built as PowerDVD.exe: a program loaded at 0x400000,
// without relocation, whose writable image data holds the time-block pattern once and, at
// its offsets, a time block that a film clock keeps current in real time. It shows the film
// time in a window and obeys its keys, its options and the commands on its standard input
// (player_control.h). It writes READY_LINE to its standard output once set up and lives until
// that input closes, a quit command, its window is closed or its time limit runs out, so it
// never outlives a test.
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "film_clock.h"
#include "player_control.h"
#include "player_image.h"
#include "player_window_win.h"
#include "simulated_player_layout.h"

using namespace simulated_player;

// Built by the compiler, never at run time, so the image file holds the pattern just here.
__attribute__((used)) constinit std::array<uint8_t, DATA_SIZE> playerData = initialData();

namespace {

constexpr size_t LONGEST_COMMAND = 256;

void writeTo(DWORD stream, std::string_view text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(stream), text.data(), static_cast<DWORD>(text.size()), &written,
            nullptr);
}

std::vector<std::string> commandLineArguments() {
  int count = 0;
  std::unique_ptr<LPWSTR, decltype(&LocalFree)> wide(CommandLineToArgvW(GetCommandLineW(), &count),
                                                     &LocalFree);
  std::vector<std::string> args;
  for (int i = 1; wide && i < count; ++i) {
    const wchar_t* arg = wide.get()[i];
    const int size = WideCharToMultiByte(CP_UTF8, 0, arg, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(std::max(size, 1)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, arg, -1, narrow.data(), size, nullptr, nullptr);
    narrow.resize(narrow.size() - 1);
    args.push_back(std::move(narrow));
  }
  return args;
}

// Lines of the standard input, read on a thread of their own. The thread ends when the
// input closes; its handle then becomes signalled.
//
// Trap: the reader may still be blocked in ReadFile, or about to take the lock, when the
// player decides to exit; so the channel frees nothing and lives until the process ends.
class ControlChannel {
public:
  ControlChannel() { InitializeCriticalSection(&lock); }
  ControlChannel(const ControlChannel&) = delete;
  ControlChannel& operator=(const ControlChannel&) = delete;

  // Only a pipe is read: a console or a null device never closes.
  bool start() {
    input = GetStdHandle(STD_INPUT_HANDLE);
    if (GetFileType(input) != FILE_TYPE_PIPE) return false;
    arrived = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (arrived) thread = CreateThread(nullptr, 0, readLines, this, 0, nullptr);
    return thread != nullptr;
  }

  HANDLE arrivedEvent() const { return arrived; }
  HANDLE readerThread() const { return thread; }

  std::deque<std::string> take() {
    EnterCriticalSection(&lock);
    std::deque<std::string> lines;
    lines.swap(pending);
    LeaveCriticalSection(&lock);
    return lines;
  }

private:
  static DWORD WINAPI readLines(void* self) {
    static_cast<ControlChannel*>(self)->readUntilClosed();
    return 0;
  }

  void readUntilClosed() {
    std::string line;
    char buffer[512];
    DWORD count = 0;
    while (ReadFile(input, buffer, sizeof buffer, &count, nullptr) && count > 0) {
      for (DWORD i = 0; i < count; ++i) {
        if (buffer[i] == '\n') {
          push(std::move(line));
          line.clear();
        } else if (line.size() < LONGEST_COMMAND) {
          line += buffer[i];
        }
      }
    }
  }

  void push(std::string line) {
    EnterCriticalSection(&lock);
    pending.push_back(std::move(line));
    LeaveCriticalSection(&lock);
    SetEvent(arrived);
  }

  HANDLE input = nullptr;
  HANDLE arrived = nullptr;
  HANDLE thread = nullptr;
  CRITICAL_SECTION lock;
  std::deque<std::string> pending;
};

class Player final : public PlayerActions {
public:
  explicit Player(const PlayerOptions& options)
      : clock(options.startMs, !options.paused, GetTickCount64()) {}

  void attachWindow(std::unique_ptr<PlayerWindow> shown) { window = std::move(shown); }

  // Brings the image data and the window up to the clock.
  void present() {
    const uint64_t now = GetTickCount64();
    const int32_t position = clock.positionMs(now);
    const bool playing = clock.isPlaying(now);
    presentFilmTime(playerData, position, playing);
    if (window) window->show(position, playing);
  }

  std::optional<uint64_t> msUntilNextSecond() const {
    return clock.msUntilNextSecond(GetTickCount64());
  }

  // Carries out one control line and replies; false for quit.
  bool obey(std::string_view line) {
    const ControlCommand command = parseControlCommand(line);
    const uint64_t now = GetTickCount64();
    switch (command.kind) {
      case CommandKind::none:
        if (!command.error.empty()) writeTo(STD_OUTPUT_HANDLE, "error " + command.error + "\n");
        return true;
      case CommandKind::quit:
        return false;
      case CommandKind::pause:
        clock.pause(now);
        break;
      case CommandKind::play:
        clock.play(now);
        break;
      case CommandKind::seek:
        clock.seek(command.filmMs, now);
        break;
      case CommandKind::time:
        break;
    }
    present();
    writeTo(STD_OUTPUT_HANDLE, stateLine(clock.positionMs(now), clock.isPlaying(now)));
    return true;
  }

  void togglePause() override {
    clock.togglePause(GetTickCount64());
    present();
  }
  void seekBy(int32_t deltaMs) override {
    clock.seekBy(deltaMs, GetTickCount64());
    present();
  }
  void seekTo(int32_t filmMs) override {
    clock.seek(filmMs, GetTickCount64());
    present();
  }

private:
  FilmClock clock;
  std::unique_ptr<PlayerWindow> window;
};

// Dispatches the window messages waiting; false once WM_QUIT has come.
bool pumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return false;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

int run(HINSTANCE instance, const PlayerOptions& options) {
  pointAtValue(playerData,
               static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&playerData[VALUE_OFFSET])));
  if (!options.withPattern) removePattern(playerData);

  Player player(options);
  if (!options.hidden) {
    std::unique_ptr<PlayerWindow> window = PlayerWindow::create(instance, player,
                                                                options.fullscreen);
    if (!window) writeTo(STD_ERROR_HANDLE, "PowerDVD.exe: no window can be shown; running without\n");
    player.attachWindow(std::move(window));
  }
  player.present();

  ControlChannel& channel = *new ControlChannel;  // see the trap above
  const bool controlled = channel.start();
  writeTo(STD_OUTPUT_HANDLE, READY_LINE);

  const uint64_t started = GetTickCount64();
  const uint64_t limitMs = uint64_t{options.limitSeconds} * 1000;
  for (;;) {
    DWORD waitMs = INFINITE;
    if (const std::optional<uint64_t> next = player.msUntilNextSecond()) {
      waitMs = static_cast<DWORD>(*next);
    }
    if (limitMs != 0) {
      const uint64_t elapsed = GetTickCount64() - started;
      if (elapsed >= limitMs) break;
      waitMs = static_cast<DWORD>(std::min<uint64_t>(waitMs, limitMs - elapsed));
    }
    const HANDLE handles[2] = {channel.arrivedEvent(), channel.readerThread()};
    const DWORD woken = MsgWaitForMultipleObjectsEx(controlled ? 2 : 0, handles, waitMs,
                                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    const bool inputClosed = woken == WAIT_OBJECT_0 + 1;
    for (const std::string& line : channel.take()) {
      if (!player.obey(line)) return 0;
    }
    if (inputClosed || !pumpMessages()) break;
    player.present();
  }
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const std::vector<std::string> args = commandLineArguments();
  const OptionsResult parsed = parsePlayerOptions(args);
  if (!parsed.error.empty()) {
    writeTo(STD_ERROR_HANDLE, "PowerDVD.exe: " + parsed.error + " (--help lists the options)\n");
    return 2;
  }
  if (parsed.options.helpAsked) {
    writeTo(STD_OUTPUT_HANDLE, USAGE);
    return 0;
  }
  return run(instance, parsed.options);
}
