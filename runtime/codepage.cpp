// Windows-1252 <-> UTF-8 by the code page's table.
#include "runtime/codepage.h"

#include <algorithm>
#include <iterator>

namespace meridan {

namespace {

// Windows-1252 0x80-0x9F as Unicode; 0 where the code page has no character.
constexpr char32_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t u) {
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

std::optional<char> To1252(char32_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
  const auto it = std::find(std::begin(kHigh), std::end(kHigh), u);
  if (u == 0 || it == std::end(kHigh)) return std::nullopt;
  return static_cast<char>(0x80 + (it - std::begin(kHigh)));
}

}  // namespace

std::optional<std::string> Utf8From1252(std::string_view text, std::optional<char> replacement) {
  std::string out;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    char32_t u = c;
    if (c >= 0x80 && c < 0xA0) {
      u = kHigh[c - 0x80];
      if (u == 0) {
        if (!replacement) return std::nullopt;
        u = static_cast<unsigned char>(*replacement);
      }
    }
    AppendUtf8(out, u);
  }
  return out;
}

std::optional<std::string> Cp1252FromUtf8(std::string_view text, std::optional<char> replacement) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t n =
        c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    bool ok = n > 0 && i + n <= text.size();
    char32_t u = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
    for (std::size_t k = 1; ok && k < n; ++k) {
      const auto t = static_cast<unsigned char>(text[i + k]);
      if ((t & 0xC0) != 0x80) ok = false;
      u = (u << 6) | (t & 0x3F);
    }
    const std::optional<char> b = ok ? To1252(u) : std::nullopt;
    if (!b && !replacement) return std::nullopt;
    out += b ? *b : *replacement;
    i += ok ? n : 1;
  }
  return out;
}

}  // namespace meridan
