#pragma once
// The simulated player as a Wine test runs it: started with pipes on its standard input and
// output, and ended by its handle on every path out of the test.
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "memory/handle_win.h"

namespace simulated_player {

// The path of a file in this test program's folder (name may hold a subfolder).
std::string besideThisProgram(std::string_view name);

class RunningPlayer {
public:
  // Starts program with arguments and waits up to 30 s for its READY_LINE.
  RunningPlayer(const std::string& program, const std::string& arguments);
  RunningPlayer(const RunningPlayer&) = delete;
  RunningPlayer& operator=(const RunningPlayer&) = delete;
  ~RunningPlayer();

  // Sends one control line and gives the reply line without its line break; empty when no
  // reply came within 10 s.
  std::string command(std::string_view line);
  void closeInput();
  // Whether the process ended within waitMs.
  bool hasEnded(DWORD waitMs = 10000) const;
  // The exit code once ended; STILL_ACTIVE before.
  DWORD exitCode() const;

  DWORD id = 0;
  bool ready = false;

private:
  bool start(const std::string& program, const std::string& arguments);
  // One line of the player's output without its line break; empty on timeout or end.
  std::string readLine(DWORD timeoutMs);

  std::unique_ptr<OwnedHandle> inputPipe, outputPipe, process;
  std::string received;  // output read past the last line taken
};

}  // namespace simulated_player
