// Windows start of the holder program with CreateProcessA.
#include "tests/files/spawn.h"

#include <windows.h>

namespace meridan::testing {

std::string HolderPath() {
  char buf[MAX_PATH + 1];
  DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
  std::string me(buf, n);
  return me.substr(0, me.rfind('\\') + 1) + "files_holder.exe";
}

std::intptr_t Spawn(const std::string& program, const std::vector<std::string>& args) {
  std::string cmd = "\"" + program + "\"";
  for (const std::string& a : args) cmd += " \"" + a + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(program.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return 0;
  CloseHandle(pi.hThread);
  return reinterpret_cast<std::intptr_t>(pi.hProcess);
}

int WaitFor(std::intptr_t process) {
  HANDLE h = reinterpret_cast<HANDLE>(process);
  if (WaitForSingleObject(h, 120000) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(h, &code);
  CloseHandle(h);
  return static_cast<int>(code);
}

}  // namespace meridan::testing
