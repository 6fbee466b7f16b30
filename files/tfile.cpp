// TFile and TTxtFile on top of the handle-level file functions.
#include "files/tfile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "runtime/format.h"

namespace meridan {
namespace {
const std::string kCrLf = "\r\n";

std::vector<std::string> SplitLines(const std::string& s) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    auto p = s.find(kCrLf, start);
    if (p == std::string::npos) {
      lines.push_back(s.substr(start));
      return lines;
    }
    lines.push_back(s.substr(start, p - start));
    start = p + 2;
  }
}
}  // namespace

// ---- TFile -----------------------------------------------------------------

TFile& TFile::New(const std::string& name, std::optional<int> mode) {
  cName = name;
  if (File(Value(name))) {
    nMode = mode.value_or(FO_READWRITE);
    hFile = FOpen(Value(name), nMode);
    nLen = hFile > 0 ? FSeek(hFile, 0, 2) : 0;
    if (hFile > 0) FSeek(hFile, 0, 0);
  } else {
    nMode = mode.value_or(FC_NORMAL);
    hFile = FCreate(Value(name), nMode);
    nLen = 0;
  }
  nBufferLen = 2048;
  return *this;
}

TFile& TFile::Create(const std::string& name, std::optional<int> mode) {
  FErase(Value(name));
  return New(name, mode);
}

void TFile::Close() {
  if (hFile > 0) FClose(hFile);
  hFile = 0;
}

long TFile::Pos() const { return FSeek(hFile, 0, 1); }
long TFile::Skip(long n) { return FSeek(hFile, n, 1); }
long TFile::GoTo(long n) { return FSeek(hFile, n, 0); }
void TFile::GoTop() { FSeek(hFile, 0, 0); }
void TFile::GoBottom() { nLen = FSeek(hFile, 0, 2); }
bool TFile::lEoF() const { return Pos() >= nLen; }
bool TFile::lBoF() const { return Pos() == 0; }
long TFile::nRecNo() const { return Pos(); }

int TFile::nGetByte() {
  std::string b(1, '\0');
  return FRead(hFile, b, 1) == 1 ? static_cast<unsigned char>(b[0]) : -1;
}

int TFile::nGetWord() {
  std::string b(2, '\0');
  if (FRead(hFile, b, 2) != 2) return -1;
  return static_cast<std::int16_t>(static_cast<unsigned char>(b[0]) | (static_cast<unsigned char>(b[1]) << 8));
}

std::string TFile::cGetStr(long n) {
  if (n <= 0) return "";
  std::string b(static_cast<std::size_t>(n), '\0');
  b.resize(static_cast<std::size_t>(FRead(hFile, b, n)));
  return b;
}

long TFile::PutByte(int n) { return FWrite(hFile, std::string(1, static_cast<char>(n & 0xFF))); }
long TFile::PutWord(int n) {
  return FWrite(hFile, std::string{static_cast<char>(n & 0xFF), static_cast<char>((n >> 8) & 0xFF)});
}
long TFile::PutStr(const std::string& c) { return FWrite(hFile, c); }

long TFile::AppByte(int n) {
  FSeek(hFile, 0, 2);
  long w = PutByte(n);
  nLen += 1;
  return w;
}
long TFile::AppWord(int n) {
  FSeek(hFile, 0, 2);
  long w = PutWord(n);
  nLen += 2;
  return w;
}
long TFile::AppStr(const std::string& c) {
  FSeek(hFile, 0, 2);
  long w = PutStr(c);
  nLen += static_cast<long>(c.size());
  return w;
}

long TFile::Count(const std::string& cDelim) {
  if (nLen == 0 || cDelim.empty()) return 0;
  long start = Pos();
  long dl = static_cast<long>(cDelim.size());
  long count = 0, base = 0, next = 0;
  for (;;) {
    FSeek(hFile, base, 0);
    std::string chunk = cGetStr(nBufferLen);
    for (auto p = chunk.find(cDelim); p != std::string::npos; p = chunk.find(cDelim, p + 1)) {
      if (base + static_cast<long>(p) >= next) {
        ++count;
        next = base + static_cast<long>(p) + dl;
      }
    }
    if (static_cast<long>(chunk.size()) < nBufferLen) break;
    base += static_cast<long>(chunk.size()) - (dl - 1);
  }
  FSeek(hFile, start, 0);
  return count;
}

bool TFile::Seek(const std::string& cText, int nDir, int nCase) {
  long start = Pos();
  if (cText.empty()) return false;
  long tl = static_cast<long>(cText.size());
  auto conv = [nCase](std::string s) {
    for (char& c : s) {
      if (nCase == 1) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      if (nCase == 2) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
  };
  long chunk_len = std::max(nBufferLen, tl);
  if (nDir == 0) {
    for (long base = start;;) {
      FSeek(hFile, base, 0);
      std::string chunk = conv(cGetStr(chunk_len));
      auto p = chunk.find(cText);
      if (p != std::string::npos) {
        FSeek(hFile, base + static_cast<long>(p), 0);
        return true;
      }
      if (static_cast<long>(chunk.size()) < chunk_len) break;
      base += chunk_len - (tl - 1);
    }
  } else {
    for (long end = start; end >= tl;) {
      long begin = std::max(0L, end - chunk_len);
      FSeek(hFile, begin, 0);
      std::string chunk = conv(cGetStr(end - begin));
      auto p = chunk.rfind(cText);
      if (p != std::string::npos) {
        FSeek(hFile, begin + static_cast<long>(p), 0);
        return true;
      }
      if (begin == 0) break;
      end = begin + tl - 1;
    }
  }
  FSeek(hFile, start, 0);
  return false;
}

// Copies the file through NAME.#$# with `remove` bytes at the position
// replaced by `insert`. The temporary file sits beside the file: it is named
// after the last name component, so a dot in a directory name cannot move it.
bool TFile::Rebuild(long remove, const std::string& insert) {
  long pos = Pos();
  std::string dir, base = cName;
  auto sep = cName.find_last_of("\\/:");
  if (sep != std::string::npos) {
    dir = cName.substr(0, sep + 1);
    base = cName.substr(sep + 1);
  }
  base = AllTrim(base.substr(0, base.find('.')));
  std::string tmp = dir + base + ".#$#";
  FileHandle t = FCreate(Value(tmp));
  if (t == kBadHandle) return false;
  bool ok = true;
  auto copy = [&](long from, long count) {
    FSeek(hFile, from, 0);
    while (ok && count != 0) {
      long want = count < 0 ? nBufferLen : std::min(count, nBufferLen);
      std::string chunk = cGetStr(want);
      if (chunk.empty()) break;
      ok = FWrite(t, chunk) == static_cast<long>(chunk.size());
      if (count > 0) count -= static_cast<long>(chunk.size());
    }
  };
  copy(0, pos);
  if (ok && !insert.empty()) ok = FWrite(t, insert) == static_cast<long>(insert.size());
  if (ok) copy(std::min(pos + remove, nLen), -1);
  FClose(t);
  if (!ok) {
    // Nothing is lost: the file is still complete and open.
    FErase(Value(tmp));
    FSeek(hFile, pos, 0);
    return false;
  }
  FClose(hFile);
  if (FErase(Value(cName)) != 0 || FRename(Value(tmp), Value(cName)) != 0) {
    FErase(Value(tmp));
  }
  nMode = FO_READWRITE | FO_EXCLUSIVE;
  hFile = FOpen(Value(cName), nMode);
  long removed = std::max(0L, std::min(remove, nLen - pos));
  nLen = nLen - removed + static_cast<long>(insert.size());
  FSeek(hFile, pos, 0);
  return hFile > 0;
}

bool TFile::DelBytes(long n) {
  if (n <= 0) return false;
  long pos = Pos();
  long old_len = nLen;
  if (!Rebuild(n, "")) return false;
  FSeek(hFile, pos + 2 >= old_len ? nLen : pos + 2, 0);
  return true;
}

bool TFile::InsBytes(long n) {
  if (n <= 0) return false;
  if (Pos() >= nLen) {
    long pos = Pos();
    AppStr(std::string(static_cast<std::size_t>(n), ' '));
    FSeek(hFile, pos, 0);
    return true;
  }
  return Rebuild(0, std::string(static_cast<std::size_t>(n), ' '));
}

// ---- TTxtFile ----------------------------------------------------------------

TTxtFile& TTxtFile::New(const std::string& name, std::optional<int> mode) {
  TFile::New(name, mode);
  if (hFile < 0) return *this;
  nMaxLineLength = 1024;
  nLine = 1;
  nTLines = Count(kCrLf);
  nOffset = 0;
  ReadLine();
  return *this;
}

void TTxtFile::Add(const std::string& line) {
  TFile::GoBottom();
  std::string bytes = nLen == 0 ? line : kCrLf + line;
  PutStr(bytes);
  nLen += static_cast<long>(bytes.size());
  ++nTLines;
  nLine = nTLines;
}

std::string TTxtFile::ReadLine() {
  long pos = Pos();
  std::string bytes = cGetStr(nMaxLineLength);
  auto p = bytes.find(kCrLf);
  cLine = p == std::string::npos ? bytes : bytes.substr(0, p);
  FSeek(hFile, pos, 0);
  return cLine;
}

bool TTxtFile::Advance() {
  if (lEoF()) return false;
  if (!TFile::Seek(kCrLf)) {
    FSeek(hFile, 0, 2);
    return false;
  }
  nOffset = TFile::Skip(2);
  ++nLine;
  ReadLine();
  return true;
}

bool TTxtFile::Rewind() {
  FSeek(hFile, nOffset, 0);
  if (!TFile::Seek(kCrLf, 1)) {
    GoTop();
    return false;
  }
  long start = TFile::Seek(kCrLf, 1) ? Pos() + 2 : 0;
  FSeek(hFile, start, 0);
  nOffset = start;
  nLine = std::max(1L, nLine - 1);
  ReadLine();
  return true;
}

bool TTxtFile::Skip(long n) {
  bool ok = true;
  for (long i = 0; i < n && ok; ++i) ok = Advance();
  for (long i = 0; i < -n && ok; ++i) ok = Rewind();
  return ok;
}

void TTxtFile::GoTo(long n) {
  // A number outside the file ends at the first or last line.
  while (nLine != n && Skip(n > nLine ? 1 : -1)) {
  }
}

void TTxtFile::GoTop() {
  FSeek(hFile, 0, 0);
  nLine = 1;
  nOffset = 0;
  ReadLine();
}

// To the last line's start, so that cLine is the last line.
void TTxtFile::GoBottom() {
  FSeek(hFile, 0, 2);
  nOffset = TFile::Seek(kCrLf, 1) ? Pos() + 2 : 0;
  FSeek(hFile, nOffset, 0);
  nLine = std::max(1L, nTLines);
  ReadLine();
}

void TTxtFile::InsLine(const std::string& line) {
  FSeek(hFile, nOffset, 0);
  if (nLen == 0) {
    PutStr(line);
    nLen = static_cast<long>(line.size());
  } else if (Rebuild(0, line + kCrLf)) {
  } else {
    return;
  }
  ++nTLines;
  FSeek(hFile, nOffset, 0);
  ReadLine();
}

void TTxtFile::DelLine() {
  long line_no = nLine;
  FSeek(hFile, nOffset, 0);
  long len = static_cast<long>(ReadLine().size());
  bool before = nOffset + len + 2 > nLen && nOffset >= 2;  // last line: drop the break before it
  if (nOffset + len + 2 <= nLen) len += 2;
  if (before) {
    FSeek(hFile, nOffset - 2, 0);
    len += 2;
  }
  if (len > 0 && !Rebuild(len, "")) return;
  nTLines = std::max(0L, nTLines - 1);
  GoTop();
  TTxtFile::Skip(std::max(0L, line_no - 2));
}

void TTxtFile::RepLine(const std::string& line) {
  FSeek(hFile, nOffset, 0);
  long len = static_cast<long>(ReadLine().size());
  if (Rebuild(len, line)) {
    FSeek(hFile, nOffset, 0);
    ReadLine();
  }
}

namespace {
bool SameText(const std::string& a, const std::string& b) { return UpperAscii(a) == UpperAscii(b); }

// Index of the entry line, searching the lines of the section after `sect`;
// `end` receives the index of the next section's line (or lines.size()).
std::optional<std::size_t> FindEntry(const std::vector<std::string>& lines, std::size_t sect,
                                     const std::string& entry, std::size_t& end) {
  std::optional<std::size_t> found;
  for (end = sect + 1; end < lines.size() && !(lines[end].size() > 0 && lines[end][0] == '['); ++end) {
    const std::string& l = lines[end];
    // The entry's name must end where "=" or the line does: "Name" is not "NameX".
    if (!found && SameText(l.substr(0, entry.size()), entry)) {
      std::string rest = TrimLeft(l.substr(entry.size()));
      if (rest.empty() || rest[0] == '=') found = end;
    }
  }
  return found;
}

std::optional<std::size_t> FindSection(const std::vector<std::string>& lines, const std::string& section) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (SameText(AllTrim(lines[i]), "[" + section + "]")) return i;
  return std::nullopt;
}
}  // namespace

Value TTxtFile::GetValue(const std::string& cSection, const std::string& cEntry, const Value& uDefault) {
  long pos = Pos();
  FSeek(hFile, 0, 0);
  std::vector<std::string> lines = SplitLines(cGetStr(nLen));
  FSeek(hFile, pos, 0);
  auto sect = FindSection(lines, cSection);
  if (!sect) return uDefault;
  std::size_t end = 0;
  auto at = FindEntry(lines, *sect, cEntry, end);
  if (!at) return uDefault;
  const std::string& l = lines[*at];
  auto eq = l.find('=');
  std::string text = eq == std::string::npos ? "" : AllTrim(l.substr(eq + 1));
  if (uDefault.IsNumber()) {
    double d = std::strtod(text.c_str(), nullptr);
    auto dot = text.find('.');
    if (dot == std::string::npos) return Value(static_cast<long long>(d));
    return Value(d, static_cast<int>(text.size() - dot - 1));
  }
  if (uDefault.IsDate()) {
    int m = 0, d = 0, y = 0;
    if (std::sscanf(text.c_str(), "%d/%d/%d", &m, &d, &y) != 3) return Value(Date());
    if (y < 100) y += 1900;
    return Value(Date::FromYmd(y, m, d));
  }
  if (uDefault.IsLogical()) return Value(UpperAscii(text) == ".T.");
  return Value(text);
}

void TTxtFile::SetValue(const std::string& cSection, const std::string& cEntry, const Value& uValue) {
  FSeek(hFile, 0, 0);
  std::string content = cGetStr(nLen);
  std::vector<std::string> lines = SplitLines(content);
  std::string entry_line = cEntry + "=" + cValToChar(uValue);
  auto sect = FindSection(lines, cSection);
  if (!sect) {
    content += (content.empty() ? "" : "\r\n\r\n") + ("[" + cSection + "]\r\n") + entry_line;
  } else {
    std::size_t end = 0;
    auto at = FindEntry(lines, *sect, cEntry, end);
    if (at) lines[*at] = entry_line;
    else lines.insert(lines.begin() + static_cast<long>(end), entry_line);
    content.clear();
    for (std::size_t i = 0; i < lines.size(); ++i) content += (i ? kCrLf : "") + lines[i];
  }
  FSeek(hFile, 0, 0);
  if (!Rebuild(nLen, content)) return;
  nTLines = Count(kCrLf);
  GoTop();
}

}  // namespace meridan
