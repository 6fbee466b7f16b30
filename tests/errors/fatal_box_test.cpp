// The unrecoverable-error box under Wine: a real message box with the error
// icon, the caption and the text, closed by a click on its OK button; the
// process then ends with exit code 1 and the text on standard error.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

std::string ProgramDir() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  return s.substr(0, s.find_last_of("\\/"));
}

struct Search {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == s->pid && IsWindowVisible(hwnd)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Polls for a condition; the deadline only keeps a broken run from hanging.
template <class F>
bool WaitFor(F condition, std::chrono::seconds limit = std::chrono::seconds(30)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

std::string Text(HWND hwnd) {
  char buf[512] = {};
  GetWindowTextA(hwnd, buf, sizeof buf);
  return buf;
}

TEST(FatalBox, ShowsTheErrorAndEndsWithExitCode1) {
  const std::string dir = ProgramDir();
  const std::string log = dir + "\\fatal_probe.err";
  DeleteFileA(log.c_str());
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE err = CreateFileA(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(err, INVALID_HANDLE_VALUE);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdError = err;
  si.hStdOutput = err;
  si.hStdInput = nullptr;
  PROCESS_INFORMATION pi{};
  std::string cmd = "\"" + dir + "\\fatal_probe.exe\"";
  ASSERT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi));
  CloseHandle(err);

  Search s{pi.dwProcessId, nullptr};
  ASSERT_TRUE(WaitFor([&] {
    s.found = nullptr;
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&s));
    return s.found != nullptr;
  })) << "no message box appeared";
  EXPECT_EQ(Text(s.found), "Unrecoverable error 9002: ");

  std::string message;
  bool has_icon = false;
  HWND ok = nullptr;
  for (HWND child = GetWindow(s.found, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char cls[64] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0) {
      if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        has_icon = SendMessageA(child, STM_GETICON, 0, 0) != 0;
      else if (!Text(child).empty())
        message = Text(child);
    }
    if (lstrcmpiA(cls, "Button") == 0 && GetDlgCtrlID(child) == IDOK) ok = child;
  }
  EXPECT_EQ(message, "No ERRORBLOCK() for error");
  EXPECT_TRUE(has_icon);
  ASSERT_NE(ok, nullptr);
  // Still running while the box is open: the program ends only after OK.
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));

  PostMessageA(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageA(ok, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  ASSERT_EQ(WaitForSingleObject(pi.hProcess, 30000), static_cast<DWORD>(WAIT_OBJECT_0));
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 1u);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);

  std::ifstream in(log, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("Unrecoverable error 9002: No ERRORBLOCK() for error"), std::string::npos)
      << text.str();
}

}  // namespace
