// The real message boxes and open dialog, driven by keys posted to them.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "ui/stddlg.h"
#include "ui/textmeasure.h"

namespace meridan {
namespace {

struct Found {
  HWND box = nullptr;
};

BOOL CALLBACK FindDialog(HWND w, LPARAM lp) {
  char cls[32] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (std::string(cls) == "#32770" && IsWindowVisible(w)) {
    reinterpret_cast<Found*>(lp)->box = w;
    return FALSE;
  }
  return TRUE;
}

// Waits until the thread `tid` shows a dialog, for at most 20 seconds.
HWND WaitForDialog(DWORD tid) {
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < until) {
    Found f;
    EnumThreadWindows(tid, FindDialog, reinterpret_cast<LPARAM>(&f));
    if (f.box) return f.box;
    std::this_thread::yield();
  }
  return nullptr;
}

std::string Text(HWND w) {
  char buf[512] = {};
  GetWindowTextA(w, buf, sizeof buf);
  return buf;
}

// The text of the box's message: the static control with the longest text.
std::string BoxMessage(HWND box) {
  std::string best;
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    char cls[32] = {};
    GetClassNameA(c, cls, sizeof cls);
    std::string t = Text(c);
    if (_stricmp(cls, "Static") == 0 && t.size() > best.size()) best = t;
  }
  return best;
}

void Key(HWND w, UINT vk) {
  PostMessageA(w, WM_KEYDOWN, vk, 1);
  PostMessageA(w, WM_KEYUP, vk, 0xC0000001);
}

// Runs `show` on this thread while a helper thread drives the dialog it opens.
struct Seen {
  std::string title, message;
  bool found = false;
};
Seen Drive(const std::function<void()>& show, const std::function<void(HWND, Seen&)>& act) {
  Seen seen;
  DWORD tid = GetCurrentThreadId();
  std::thread driver([&] {
    HWND box = WaitForDialog(tid);
    if (!box) return;
    seen.found = true;
    seen.title = Text(box);
    seen.message = BoxMessage(box);
    act(box, seen);
  });
  show();
  driver.join();
  return seen;
}

void PressButton(HWND box, int id) { Key(GetDlgItem(box, id), VK_SPACE); }

TEST(MessageBoxes, TextTitleAndButtons) {
  Seen s = Drive([] { MsgAlert({Value("Keine DBF-Datei gew\xe4hlt !"), Value("ACHTUNG")}); },
                 [](HWND box, Seen&) { PressButton(box, IDOK); });
  ASSERT_TRUE(s.found);
  EXPECT_EQ(s.title, "ACHTUNG");
  EXPECT_EQ(s.message, "Keine DBF-Datei gew\xe4hlt !");

  s = Drive([] { MsgAlert({Value(5), Value("ignored"), Value(3)}); },
            [](HWND box, Seen&) { PressButton(box, IDOK); });
  EXPECT_EQ(s.title, "Alert");
  EXPECT_EQ(s.message, "5");

  s = Drive([] { MsgStop({Value(true)}); }, [](HWND box, Seen&) { PressButton(box, IDOK); });
  EXPECT_EQ(s.title, "Stop");
  EXPECT_EQ(s.message, ".T.");

  bool yes = false;
  s = Drive([&] { yes = MsgYesNo({Value("Weiter?")}); }, [](HWND box, Seen&) { PressButton(box, IDYES); });
  EXPECT_EQ(s.title, "Select an option");
  EXPECT_TRUE(yes);
  Drive([&] { yes = MsgYesNo({Value("Weiter?")}); }, [](HWND box, Seen&) { PressButton(box, IDNO); });
  EXPECT_FALSE(yes);
}

std::string CurrentDir() {
  char buf[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, buf);
  return buf;
}

// The file-name edit of the open dialog: the first Edit child.
HWND NameEdit(HWND box) {
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < until) {
    if (HWND e = FindWindowExA(box, nullptr, "Edit", nullptr)) return e;
    // the explorer-style dialog keeps it inside a combo box
    if (HWND combo = FindWindowExA(box, nullptr, "ComboBoxEx32", nullptr)) {
      if (HWND e = FindWindowExA(FindWindowExA(combo, nullptr, "ComboBox", nullptr), nullptr, "Edit", nullptr))
        return e;
    }
    std::this_thread::yield();
  }
  return nullptr;
}

TEST(OpenDialog, TypedNameIsReturnedAndEscapeCancels) {
  char tmp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, tmp);
  std::string dir = std::string(tmp) + "meridan_dlg_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);
  std::string chosen = dir + "\\Kunden.dbf";
  std::string before = CurrentDir();

  std::string result;
  std::string startName = "x";
  Seen s = Drive(
      [&] { result = cGetFile({Value("DBF-Files (*.dbf) | *.dbf"), Value("Auswahl DBF-Datei")}); },
      [&](HWND box, Seen&) {
        HWND edit = NameEdit(box);
        if (!edit) return;
        startName = Text(edit);
        for (char c : chosen) PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
        Key(edit, VK_RETURN);
      });
  ASSERT_TRUE(s.found);
  EXPECT_EQ(s.title, "Auswahl DBF-Datei");
  EXPECT_EQ(startName, "");
  EXPECT_EQ(_stricmp(result.c_str(), chosen.c_str()), 0) << result;
  EXPECT_EQ(result.size(), chosen.size());
  EXPECT_EQ(CurrentDir(), before);

  result = "not cancelled";
  s = Drive([&] { result = cGetFile({Value("DBF-Files (*.dbf) | *.dbf"), Value("Auswahl DBF-Datei")}); },
            [&](HWND box, Seen&) {
              if (HWND edit = NameEdit(box)) Key(edit, VK_ESCAPE);
            });
  ASSERT_TRUE(s.found);
  EXPECT_EQ(result, "");
  EXPECT_EQ(cGetFile({}), "");
  RemoveDirectoryA(dir.c_str());
}

TEST(TextWidthGdi, SystemFontMeasures) {
  EXPECT_EQ(GetTextWidth(0, ""), 0);
  int zero = GetTextWidth(0, "0");
  EXPECT_GT(zero, 0);
  EXPECT_EQ(GetTextWidth(0, "00"), 2 * zero);
}

}  // namespace
}  // namespace meridan
