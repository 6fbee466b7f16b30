// Path pieces of Windows file names and the name helpers built on File and the platform's find call.
#include "files/path.h"

#include "files/fileio.h"
#include "files/osfile.h"
#include "runtime/format.h"

namespace meridan {

std::string cFileDisc(const std::string& cFile) {
  if (cFile.find(':') == 1) return UpperAscii(cFile.substr(0, 2));
  return "";
}

std::string cFilePath(const std::string& cFile) {
  auto pos = cFile.rfind('\\');
  if (pos != std::string::npos) return UpperAscii(cFile.substr(0, pos + 1));
  std::string disc = cFileDisc(cFile);
  return disc.empty() ? "" : disc + "\\";
}

std::string cFileNoPath(const std::string& cFile) {
  auto pos = cFile.rfind('\\');
  if (pos != std::string::npos && pos + 1 < cFile.size()) return UpperAscii(cFile.substr(pos + 1));
  auto colon = cFile.find(':');
  if (colon != std::string::npos) return UpperAscii(cFile.substr(colon + 1));
  return UpperAscii(cFile);
}

std::string cFileName(const std::string& cFile) { return cFileNoPath(cFile); }

std::string cFileMask(const std::string& cFile) {
  std::string name = cFileNoPath(cFile);
  return name.find_first_of("*?") != std::string::npos ? name : "";
}

std::string cFileNoExt(const std::string& cFile) {
  std::string name = AllTrim(cFileNoPath(cFile));
  auto dot = name.find('.');
  if (dot != std::string::npos) name = name.substr(0, dot);
  return AllTrim(name);
}

std::string cFileExt(const std::string& cFile) {
  std::string name = AllTrim(cFileNoPath(cFile));
  auto dot = name.rfind('.');
  if (dot == std::string::npos || dot + 1 == name.size()) return "";
  return AllTrim(name.substr(dot + 1));
}

std::string cFileSubDir(const std::string& cFile) {
  std::string path = cFilePath(cFile);
  if (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

bool lIsDir(const std::string& cDir) {
  std::string dir = cDir;
  if (!dir.empty() && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
  if (dir.empty()) return false;
  int err = 0;
  auto entries = os::Find(dir, err);
  return entries.size() == 1 && entries.front().directory;
}

std::string cNewFileName(const std::string& cRoot, const std::string& cExt) {
  // Numbering goes on past 999 as long as names can be found; it ends at the
  // first free name, so it always ends.
  for (long n = 1;; ++n) {
    std::string name = cRoot + std::to_string(n) + "." + cExt;
    if (!File(Value(name))) return name;
  }
}

std::string cTempFile(const std::string& cDir, const std::string& cExt) {
  static std::string last;
  std::string ext = cExt;
  if (!ext.empty() && ext.front() != '.') ext = "." + ext;
  for (std::uint64_t bump = 0;; ++bump) {
    // A fast caller would see the same tick again; counting on from it keeps
    // the loop from spinning until the clock moves.
    std::string name = cDir + std::to_string(os::TickMilliseconds() + bump) + ext;
    if (name != last && !File(Value(name))) {
      last = name;
      return name;
    }
  }
}

}  // namespace meridan
