#include "running_player_win.h"

#include <algorithm>

#include "simulated_player_layout.h"

namespace simulated_player {

std::string besideThisProgram(std::string_view name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.erase(folder.rfind('\\') + 1);
  return folder + std::string(name);
}

RunningPlayer::RunningPlayer(const std::string& program, const std::string& arguments) {
  if (!start(program, arguments)) return;
  // The child's ends are closed by now, so a player that dies unannounced ends the wait.
  ready = readLine(30000) + "\n" == READY_LINE;
}

RunningPlayer::~RunningPlayer() {
  if (process) {
    TerminateProcess(process->get(), 1);
    WaitForSingleObject(process->get(), 10000);
  }
}

std::string RunningPlayer::command(std::string_view line) {
  if (!inputPipe) return {};
  const std::string text = std::string(line) + "\n";
  DWORD written = 0;
  if (!WriteFile(inputPipe->get(), text.data(), static_cast<DWORD>(text.size()), &written,
                 nullptr)) {
    return {};
  }
  return readLine(10000);
}

void RunningPlayer::closeInput() { inputPipe.reset(); }

bool RunningPlayer::hasEnded(DWORD waitMs) const {
  return process && WaitForSingleObject(process->get(), waitMs) == WAIT_OBJECT_0;
}

DWORD RunningPlayer::exitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process) GetExitCodeProcess(process->get(), &code);
  return code;
}

bool RunningPlayer::start(const std::string& program, const std::string& arguments) {
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE childInput = nullptr, input = nullptr, output = nullptr, childOutput = nullptr;
  if (!CreatePipe(&childInput, &input, &inherited, 0)) return false;
  OwnedHandle ownedChildInput(childInput);
  inputPipe = std::make_unique<OwnedHandle>(input);
  if (!CreatePipe(&output, &childOutput, &inherited, 0)) return false;
  OwnedHandle ownedChildOutput(childOutput);
  outputPipe = std::make_unique<OwnedHandle>(output);
  SetHandleInformation(input, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(output, HANDLE_FLAG_INHERIT, 0);

  std::string commandLine = "PowerDVD.exe " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = childInput;
  startup.hStdOutput = childOutput;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      nullptr, &startup, &started)) {
    return false;
  }
  process = std::make_unique<OwnedHandle>(started.hProcess);
  OwnedHandle thread(started.hThread);
  id = started.dwProcessId;
  return true;
}

std::string RunningPlayer::readLine(DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    const size_t end = received.find('\n');
    if (end != std::string::npos) {
      std::string line = received.substr(0, end);
      received.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return line;
    }
    DWORD available = 0;
    if (!outputPipe || !PeekNamedPipe(outputPipe->get(), nullptr, 0, nullptr, &available, nullptr)) {
      return {};  // the player has gone
    }
    if (available == 0) {
      if (GetTickCount64() >= deadline) return {};
      Sleep(2);
      continue;
    }
    char buffer[256];
    DWORD count = 0;
    if (!ReadFile(outputPipe->get(), buffer, std::min<DWORD>(available, sizeof buffer), &count,
                  nullptr)) {
      return {};
    }
    received.append(buffer, count);
  }
}

}  // namespace simulated_player
