// Linux stand-ins: messages on standard error, no file dialog, the editor launch.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "ui/stddlg.h"
#include "ui/textmeasure.h"

namespace meridan {
namespace {

TEST(LinuxDialogs, MessagesGoToStandardError) {
  testing::internal::CaptureStderr();
  MsgAlert({Value("Die Datei : X.STR wurde nicht erzeugt !"), Value("ACHTUNG")});
  MsgInfo({Value(5)});
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "ACHTUNG: Die Datei : X.STR wurde nicht erzeugt !\nInformation: 5\n");
  EXPECT_EQ(cGetFile({Value("DBF-Files (*.dbf) | *.dbf"), Value("Auswahl DBF-Datei")}), "");
  if (!isatty(STDIN_FILENO)) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(MsgYesNo({Value("Weiter?")}));
    testing::internal::GetCapturedStderr();
  }
}

TEST(LinuxDialogs, SystemFontStandIn) {
  EXPECT_EQ(GetTextWidth(0, " 30"), 21);
  EXPECT_EQ(GetTextWidth(0, "*"), 8);
  EXPECT_EQ(xPadL("0", 10), " 0");
}

class Launch : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("meridan_launch_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::filesystem::remove_all(dir_);
    unsetenv("VISUAL");
  }
  // Waits until `p` holds a full line, for at most ten seconds.
  std::string WaitForLine(const std::filesystem::path& p) {
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < until) {
      std::ifstream in(p);
      std::string line;
      if (std::getline(in, line) && in.good()) return line;
      std::this_thread::yield();
    }
    return "";
  }
  std::filesystem::path dir_;
};

TEST_F(Launch, NotepadMeansTheEditorWithTheUnquotedRest) {
  auto script = dir_ / "ed.sh";
  auto out = dir_ / "out.txt";
  std::ofstream(script) << "#!/bin/sh\nprintf '%s|%s\\n' \"$#\" \"$1\" > " << out.string() << ".tmp && mv "
                        << out.string() << ".tmp " << out.string() << "\n";
  std::filesystem::permissions(script, std::filesystem::perms::owner_all);
  setenv("VISUAL", script.c_str(), 1);
  EXPECT_GT(WinExec("NOTEPAD.EXE /tmp/mit blank/K.STR"), 31);
  EXPECT_EQ(WaitForLine(out), "1|/tmp/mit blank/K.STR");
}

TEST_F(Launch, MissingProgramIsNotFound) {
  EXPECT_EQ(WinExec("meridan-no-such-program-x arg"), 2);
  EXPECT_EQ(WinExec(""), 2);
}

}  // namespace
}  // namespace meridan
