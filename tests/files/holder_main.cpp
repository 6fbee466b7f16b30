// Second process of the share tests: opens or creates a file, says so through a ready file, holds it until told to stop.
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "files/fileio.h"

using namespace meridan;

// holder NAME MODE|create READY STOP
int main(int argc, char** argv) {
  if (argc != 5) return 2;
  std::string name = argv[1], mode = argv[2], ready = argv[3], stop = argv[4];
  FileHandle h = mode == "create" ? FCreate(Value(name)) : FOpen(Value(name), std::atoi(mode.c_str()));
  std::string said = h > 0 ? "held" : "refused " + std::to_string(LastFileError());
  // Written under another name and renamed, so the test never reads half a word.
  MemoWrit(Value(ready + ".tmp"), Value(said));
  FRename(Value(ready + ".tmp"), Value(ready));
  if (h > 0) {
    auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (!File(Value(stop)) && std::chrono::steady_clock::now() < give_up)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    FClose(h);
  }
  return 0;
}
