// Linux part of meridan-cli's names and text: UTF-8 outside, Windows-1252 in Windows form inside.
#include "app/cli_text.h"

#include "files/path.h"

namespace meridan {

namespace {

// Windows-1252 0x80-0x9F as Unicode; 0 where the code page has no character.
constexpr char32_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char To1252(char32_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
  for (int k = 0; k < 32; ++k)
    if (kHigh[k] == u) return static_cast<char>(0x80 + k);
  return '?';
}

// Each well-formed UTF-8 sequence gives one character; a byte that starts
// no well-formed sequence gives "?" on its own, so nothing is swallowed.
std::string FromUtf8(const std::string& s) {
  std::string out;
  std::size_t i = 0;
  while (i < s.size()) {
    auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    bool ok = n > 0 && i + n <= s.size();
    char32_t u = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
    for (std::size_t k = 1; ok && k < n; ++k) {
      auto t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0) != 0x80) ok = false;
      u = (u << 6) | (t & 0x3F);
    }
    if (!ok) {
      out += '?';
      ++i;
      continue;
    }
    out += To1252(u);
    i += n;
  }
  return out;
}

std::string ToUtf8(const std::string& s) {
  std::string out;
  for (char ch : s) {
    auto c = static_cast<unsigned char>(ch);
    char32_t u = c;
    if (c >= 0x80 && c < 0xA0) u = kHigh[c - 0x80] ? kHigh[c - 0x80] : U'?';
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (u < 0x800) {
      out += static_cast<char>(0xC0 | (u >> 6));
      out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (u >> 12));
      out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return out;
}

}  // namespace

std::string CoreTableName(const std::string& arg) {
  std::string name = FromUtf8(arg);
  for (char& c : name)
    if (c == '/') c = '\\';
  // The file layer takes "Z:" as the root, as Wine maps it; a relative name
  // stays relative, so headings show the name the user typed.
  if (!name.empty() && name[0] == '\\') name = "Z:" + name;
  return name;
}

std::string ShownInfoName(const std::string& arg, const std::string& cFile1) {
  std::size_t cut = arg.find_last_of("/\\");
  std::string dir = cut == std::string::npos ? "" : arg.substr(0, cut + 1);
  return dir + ToUtf8(cFileNoPath(cFile1));
}

std::string TerminalText(const std::string& text1252) { return ToUtf8(text1252); }

void BinaryStandardOutput() {}

}  // namespace meridan
