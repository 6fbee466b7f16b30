// Path pieces of Windows file names (pure text), and the few name helpers that look at the disk.
#pragma once

#include <string>

namespace meridan {

// Only "\" separates directories here and ":" ends a drive; results that the
// table below calls upper case use the runtime's upper case (ASCII letters).
std::string cFileDisc(const std::string& cFile);    // "C:" or ""
std::string cFilePath(const std::string& cFile);    // up to the last "\", upper case
std::string cFileNoPath(const std::string& cFile);  // the name without its path, upper case
std::string cFileName(const std::string& cFile);    // same as cFileNoPath
std::string cFileMask(const std::string& cFile);    // cFileNoPath when it holds "*" or "?"
std::string cFileNoExt(const std::string& cFile);   // name before its first "."
std::string cFileExt(const std::string& cFile);     // part after the last "."
std::string cFileSubDir(const std::string& cFile);  // cFilePath without one trailing "\"

// True when `cDir` (one trailing "\" or "/" removed) names exactly one entry
// and it is a directory.
bool lIsDir(const std::string& cDir);
// cRoot + n + "." + cExt for the first n from 1 that names no file.
std::string cNewFileName(const std::string& cRoot, const std::string& cExt);
// cDir + millisecond tick count + "." + cExt, not existing and not the last
// name this function returned.
std::string cTempFile(const std::string& cDir = "", const std::string& cExt = "");

}  // namespace meridan
