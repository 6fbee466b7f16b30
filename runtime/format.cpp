// Number, date and value text forms.
#include "runtime/format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace meridan {

namespace {
// Round half away from zero at `decimals` places; printf rounds half to even
// on the binary value, which would render 2.5 as "2".
std::string Fixed(double n, int decimals) {
  if (decimals < 0) decimals = 0;
  if (decimals > 15) decimals = 15;
  const double scale = std::pow(10.0, decimals);
  // 1.005 is stored as 1.00499999...; a value that close to a half is meant
  // as the half and rounds away from zero, as a user reading "1.005" expects.
  const double x = n * scale;
  const double frac = std::fabs(x - std::trunc(x));
  double r = std::fabs(frac - 0.5) < 1e-9 * std::max(1.0, std::fabs(x))
                 ? (std::trunc(x) + (x < 0 ? -1 : 1)) / scale
                 : std::round(x) / scale;
  if (r == 0) r = 0;  // no "-0"
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, r);
  return buf;
}
}  // namespace

std::string Str(double n, int width, int decimals) {
  if (width < 0) width = 0;
  if (!std::isfinite(n)) return std::string(static_cast<std::size_t>(width), '*');
  std::string s = Fixed(n, decimals);
  if (s.size() > static_cast<std::size_t>(width))
    return std::string(static_cast<std::size_t>(width), '*');
  return std::string(static_cast<std::size_t>(width) - s.size(), ' ') + s;
}

std::string NumberText(const Value& number) {
  if (number.IsWhole()) return std::to_string(number.AsWhole());
  return Fixed(number.AsNumber(), number.Decimals());
}

std::string DateText(Date d) {
  if (d.Empty()) return "  /  /  ";
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%02d", d.Month(), d.Day(), d.Year() % 100);
  return buf;
}

std::string TimeText(double seconds) {
  long s = static_cast<long>(seconds);
  if (s < 0) s = 0;
  s %= 86400;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02ld:%02ld:%02ld", s / 3600, (s / 60) % 60, s % 60);
  return buf;
}

std::string cValToChar(const Value& v) {
  switch (v.TypeLetter()) {
    case 'C':
    case 'M': return v.AsText();
    case 'D': return DateText(v.AsDate());
    case 'L': return v.AsLogical() ? ".T." : ".F.";
    case 'N': return NumberText(v);
    case 'B': return "{|| ... }";
    case 'A': return "{ ... }";
    case 'O': return "Object";
    default: return "";
  }
}

std::string PadLeft(const std::string& s, std::size_t width, char fill) {
  if (s.size() >= width) return s.substr(0, width);
  return std::string(width - s.size(), fill) + s;
}

std::string PadRight(const std::string& s, std::size_t width, char fill) {
  if (s.size() >= width) return s.substr(0, width);
  return s + std::string(width - s.size(), fill);
}

std::string TrimLeft(const std::string& s) {
  const auto p = s.find_first_not_of(' ');
  return p == std::string::npos ? std::string() : s.substr(p);
}

std::string TrimRight(const std::string& s) {
  const auto p = s.find_last_not_of(' ');
  return p == std::string::npos ? std::string() : s.substr(0, p + 1);
}

std::string AllTrim(const std::string& s) { return TrimLeft(TrimRight(s)); }

std::string UpperAscii(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

}  // namespace meridan
