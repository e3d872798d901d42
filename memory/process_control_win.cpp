#include <windows.h>

#include <string>
#include <type_traits>

#include "memory/process_control.h"
#include "memory/handle_win.h"

namespace {

constexpr DWORD ALL_PROCESS_ACCESS = 0x1F0FFF;

// psapi's GetModuleInformation, looked up at run time.
using GetModuleInformationRoutine = BOOL(WINAPI*)(HANDLE, HMODULE, void*, DWORD);

struct ModuleInformationRecord {
  LPVOID baseAddress;
  DWORD imageSize;
  LPVOID entryPoint;
};

// The routine `name` exported by `module` as the function-pointer type Routine, or nullptr.
// GetProcAddress cannot check the type: Routine must carry the routine's own convention.
template <typename Routine>
Routine exportedRoutine(HMODULE module, const char* name) {
  static_assert(std::is_pointer_v<Routine> && std::is_function_v<std::remove_pointer_t<Routine>>);
  return reinterpret_cast<Routine>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

uint32_t low32(const void* pointer) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer));
}

class Win32ProcessControl final : public ProcessControl {
public:
  ProcessHandle openProcess(uint32_t processId) override {
    return fromWin32Handle(OpenProcess(ALL_PROCESS_ACCESS, FALSE, processId));
  }

  bool closeHandle(ProcessHandle process) override {
    return process != NO_PROCESS && CloseHandle(toWin32Handle(process)) != 0;
  }

  ProcessHandle duplicateHandle(ProcessHandle process) override {
    if (process == CURRENT_PROCESS) {
      return CURRENT_PROCESS;
    }
    HANDLE copy = nullptr;
    if (DuplicateHandle(GetCurrentProcess(), toWin32Handle(process), GetCurrentProcess(), &copy,
                        0, FALSE, DUPLICATE_SAME_ACCESS) == 0) {
      return NO_PROCESS;
    }
    return fromWin32Handle(copy);
  }

  bool write(ProcessHandle process, Address address, std::string_view bytes) override {
    return WriteProcessMemory(toWin32Handle(process), toPointer(address), bytes.data(),
                              bytes.size(), nullptr) != 0;
  }

  bool protect(ProcessHandle process, Address address, uint32_t size, uint32_t protection,
               uint32_t& previous) override {
    DWORD old = 0;
    if (VirtualProtectEx(toWin32Handle(process), toPointer(address), size, protection, &old) == 0) {
      return false;
    }
    previous = old;
    return true;
  }

  Address allocate(ProcessHandle process, uint32_t size) override {
    const void* memory =
        VirtualAllocEx(toWin32Handle(process), nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    const uintptr_t address = reinterpret_cast<uintptr_t>(memory);
    if (address > UINT32_MAX) {
      // Out of a 32-bit view's reach: give it back rather than report an address that lies.
      VirtualFreeEx(toWin32Handle(process), const_cast<void*>(memory), 0, MEM_RELEASE);
      return 0;
    }
    return static_cast<Address>(address);
  }

  bool release(ProcessHandle process, Address address) override {
    return VirtualFreeEx(toWin32Handle(process), toPointer(address), 0, MEM_RELEASE) != 0;
  }

  bool terminate(ProcessHandle process, uint32_t exitCode) override {
    return TerminateProcess(toWin32Handle(process), exitCode) != 0;
  }

  ProcessHandle startProcess(std::string_view path, std::string_view commandLine,
                             std::string_view workingDirectory) override {
    const std::string program(path);
    std::string arguments(commandLine);
    const std::string folder(workingDirectory);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (CreateProcessA(program.c_str(), arguments.empty() ? nullptr : arguments.data(), nullptr,
                       nullptr, FALSE, 0, nullptr, folder.empty() ? nullptr : folder.c_str(),
                       &startup, &started) == 0) {
      return NO_PROCESS;
    }
    OwnedHandle thread(started.hThread);
    return fromWin32Handle(started.hProcess);
  }

  void pause(int32_t milliseconds, const std::function<void()>& pump) override {
    if (!pump) {
      Sleep(static_cast<DWORD>(milliseconds));
      return;
    }
    const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    for (ULONGLONG now = GetTickCount64(); now < until; now = GetTickCount64()) {
      const DWORD left = static_cast<DWORD>(until - now);
      if (MsgWaitForMultipleObjects(0, nullptr, FALSE, left, QS_ALLINPUT) == WAIT_OBJECT_0) {
        pump();
      }
    }
  }

  uint32_t windowProcessId(uint32_t window) override {
    DWORD processId = 0;
    GetWindowThreadProcessId(reinterpret_cast<HWND>(static_cast<uintptr_t>(window)), &processId);
    return processId;
  }

  int32_t enableDebugPrivilege() override {
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &token) == 0) {
      return 0;
    }
    OwnedHandle ownedToken(token);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueA(nullptr, "SeDebugPrivilege", &privileges.Privileges[0].Luid) == 0) {
      return 0;
    }
    SetLastError(ERROR_SUCCESS);
    const BOOL adjusted =
        AdjustTokenPrivileges(token, FALSE, &privileges, sizeof privileges, nullptr, nullptr);
    return privilegeAssigned(adjusted, GetLastError()) ? 1 : 0;
  }

  int32_t trimWorkingSet(ProcessHandle process) override {
    return SetProcessWorkingSetSize(toWin32Handle(process), static_cast<SIZE_T>(-1),
                                    static_cast<SIZE_T>(-1));
  }

  uint32_t ownModuleHandle() override {
    return low32(GetModuleHandleA(nullptr));
  }

  bool moduleInformation(ProcessHandle process, uint32_t module, ModuleInfo& info) override {
    HMODULE psapi = LoadLibraryA("psapi.dll");
    if (psapi == nullptr) {
      return false;
    }
    const auto getModuleInformation =
        exportedRoutine<GetModuleInformationRoutine>(psapi, "GetModuleInformation");
    ModuleInformationRecord record{};
    const bool known =
        getModuleInformation != nullptr &&
        getModuleInformation(toWin32Handle(process),
                             reinterpret_cast<HMODULE>(static_cast<uintptr_t>(module)), &record,
                             sizeof record) != 0;
    FreeLibrary(psapi);
    if (!known) {
      return false;
    }
    info = {low32(record.baseAddress), record.imageSize, low32(record.entryPoint)};
    return true;
  }

  bool loadLibraryAt(ProcessHandle process, Address pathAddress) override {
    // LoadLibraryA serves as the thread's routine: both are WINAPI and take one pointer; the
    // low 32 bits of the module handle it returns become the thread's exit code.
    const auto loadLibrary =
        exportedRoutine<LPTHREAD_START_ROUTINE>(GetModuleHandleA("Kernel32"), "LoadLibraryA");
    if (loadLibrary == nullptr) {
      return false;
    }
    OwnedHandle thread(CreateRemoteThread(toWin32Handle(process), nullptr, 0, loadLibrary,
                                          toPointer(pathAddress), 0, nullptr));
    if (thread.get() == nullptr) {
      return false;
    }
    WaitForSingleObject(thread.get(), INFINITE);
    return true;
  }
};

}  // namespace

ProcessControl& win32ProcessControl() {
  static Win32ProcessControl control;
  return control;
}
