// A unique temporary directory for each file test, removed afterwards.
#include "tests/files/temp_dir.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>

#include "files/osfile.h"

namespace meridan::testing {

std::string WindowsForm(std::string s) {
  std::replace(s.begin(), s.end(), '/', '\\');
  return s;
}

void TempDirTest::SetUp() {
  static std::atomic<int> counter{0};
  std::error_code ec;
  for (;;) {
    dir_ = std::filesystem::temp_directory_path() /
           ("meridan-files-" + std::to_string(os::TickMilliseconds()) + "-" + std::to_string(counter++));
    if (std::filesystem::create_directory(dir_, ec)) break;
  }
}

void TempDirTest::TearDown() {
  std::error_code ec;
  // Read-only files are removed too.
  for (auto& e : std::filesystem::recursive_directory_iterator(dir_, ec))
    std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(dir_, ec);
}

std::string TempDirTest::Name(const std::string& leaf) const { return WindowsForm((dir_ / leaf).string()); }

std::string TempDirTest::Slurp(const std::string& leaf) const {
  std::ifstream in(Native(leaf), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void TempDirTest::Put(const std::string& leaf, const std::string& bytes) const {
  std::ofstream out(Native(leaf), std::ios::binary);
  out << bytes;
}

}  // namespace meridan::testing
