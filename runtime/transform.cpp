// The picture formatter and the date texts the Get engine edits through.
#include "runtime/transform.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "runtime/format.h"

namespace meridan {
namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool Has(const std::string& func, char letter) {
  return func.find(letter) != std::string::npos;
}

std::string TransformText(const std::string& text, const std::string& func,
                          const std::string& mask) {
  const bool upper = Has(func, '!');
  if (mask.empty()) {
    std::string out = text;
    if (upper)
      for (char& c : out) c = Upper(c);
    return out;
  }
  const bool insertLiterals = Has(func, 'R');
  std::string out;
  std::size_t next = 0;
  for (char m : mask) {
    const char um = Upper(m);
    const bool slot = um == 'A' || um == 'N' || um == 'X' || um == '9' || um == '#' ||
                      um == 'L' || um == 'Y' || m == '!';
    if (slot) {
      char c = next < text.size() ? text[next] : ' ';
      ++next;
      if (upper || m == '!') c = Upper(c);
      out += c;
    } else {
      out += m;
      if (!insertLiterals) ++next;
    }
  }
  return out;
}

bool IsNumSlot(char m) { return m == '9' || m == '#' || m == '$' || m == '*'; }

std::string TransformNumber(const Value& value, const std::string& func, std::string mask) {
  const double n = value.AsNumber();
  if (mask.empty()) {
    const int dec = value.Decimals();
    const std::string form = Str(n, dec > 0 ? 11 + dec : 10, dec);
    for (char c : form) mask += c == '.' ? '.' : '9';
  }
  const bool euro = Has(func, 'E');
  const std::size_t point = mask.find('.');
  int decSlots = 0;
  if (point != std::string::npos)
    for (std::size_t i = point + 1; i < mask.size(); ++i) decSlots += IsNumSlot(mask[i]);

  std::string digits = TrimLeft(Str(std::fabs(n), 40, decSlots));
  std::string intDigits = digits, fracDigits;
  if (const auto p = digits.find('.'); p != std::string::npos) {
    intDigits = digits.substr(0, p);
    fracDigits = digits.substr(p + 1);
  }
  bool zero = true;
  for (char c : digits) zero = zero && (c == '0' || c == '.');
  const bool negative = n < 0 && !zero;
  const bool paren = Has(func, '('), db = Has(func, 'X'), cr = Has(func, 'C');
  const bool decorated = paren || db || cr;

  std::string out(mask.size(), ' ');
  // Decimals left to right.
  if (point != std::string::npos) {
    out[point] = euro ? ',' : '.';
    std::size_t k = 0;
    for (std::size_t i = point + 1; i < mask.size(); ++i)
      out[i] = IsNumSlot(mask[i]) ? (k < fracDigits.size() ? fracDigits[k++] : '0') : mask[i];
  }
  // Integer part right to left.
  const std::size_t intEnd = point == std::string::npos ? mask.size() : point;
  std::size_t intSlots = 0;
  for (std::size_t i = 0; i < intEnd; ++i) intSlots += IsNumSlot(mask[i]);
  if (intDigits == "0" && intSlots == 0) intDigits.clear();
  const bool needSign = negative && !db && !cr;
  if (intDigits.size() + (needSign ? 1 : 0) > intSlots) {
    std::string stars(mask.size(), '*');
    if (decorated) stars += paren ? " " : "   ";
    return stars;
  }
  std::size_t used = 0;
  bool signPlaced = !needSign;
  for (std::size_t i = intEnd; i-- > 0;) {
    const char m = mask[i];
    if (IsNumSlot(m)) {
      if (used < intDigits.size()) {
        out[i] = intDigits[intDigits.size() - 1 - used];
        ++used;
      } else if (!signPlaced) {
        out[i] = paren ? '(' : '-';
        signPlaced = true;
      } else {
        out[i] = m == '*' ? '*' : m == '$' ? '$' : ' ';
      }
    } else if (m == ',') {
      const bool digitLeft = used < intDigits.size();
      out[i] = digitLeft ? (euro ? '.' : ',') : ' ';
    } else {
      out[i] = m;
    }
  }
  if (paren) out += negative ? ")" : " ";
  else if (db) out += negative ? " DB" : "   ";
  else if (cr) out += negative ? " CR" : "   ";

  if (Has(func, 'Z') && zero) return std::string(out.size(), ' ');
  if (Has(func, 'B')) out = PadRight(TrimLeft(out), out.size());
  return out;
}

std::string TransformLogical(bool b, const std::string& mask) {
  if (mask.empty()) return b ? "T" : "F";
  std::string out = mask;
  bool placed = false;
  for (char& m : out) {
    const char um = Upper(m);
    if (um == 'Y' || um == 'L') {
      m = placed ? ' ' : um == 'Y' ? (b ? 'Y' : 'N') : (b ? 'T' : 'F');
      placed = true;
    }
  }
  return out;
}

}  // namespace

PictureParts SplitPicture(const std::string& picture) {
  PictureParts parts;
  const auto at = picture.find('@');
  if (at == std::string::npos) {
    parts.mask = picture;
    return parts;
  }
  const std::string rest = picture.substr(at);
  const auto blank = rest.find(' ');
  parts.func = rest.substr(0, blank);
  if (blank != std::string::npos) parts.mask = rest.substr(blank + 1);
  for (char& c : parts.func) c = Upper(c);
  if (parts.func == "@") parts.func.clear();
  return parts;
}

std::string SwapDayMonth(const std::string& dateFormat) {
  std::string out = dateFormat;
  for (char& c : out) {
    const char u = Upper(c);
    if (u == 'D') c = 'm';
    else if (u == 'M') c = 'd';
  }
  return out;
}

std::string DateToText(Date d, const std::string& dateFormat) {
  std::string out;
  for (std::size_t i = 0; i < dateFormat.size();) {
    const char u = Upper(dateFormat[i]);
    std::size_t run = 1;
    while (i + run < dateFormat.size() && Upper(dateFormat[i + run]) == u) ++run;
    if (u != 'D' && u != 'M' && u != 'Y') {
      out.append(run, dateFormat[i]);
    } else if (d.Empty()) {
      out.append(run, ' ');
    } else {
      int part = u == 'D' ? d.Day() : u == 'M' ? d.Month() : d.Year();
      if (u == 'Y' && run < 4) part %= 100;
      out += PadLeft(std::to_string(part), run, '0');
    }
    i += run;
  }
  return out;
}

Date TextToDate(const std::string& text, const std::string& dateFormat, bool* valid,
                int epoch) {
  int day = 0, month = 0, year = 0;
  bool allBlank = true, malformed = false;
  int yearDigits = 0;
  for (std::size_t i = 0; i < dateFormat.size();) {
    const char u = Upper(dateFormat[i]);
    std::size_t run = 1;
    while (i + run < dateFormat.size() && Upper(dateFormat[i + run]) == u) ++run;
    if (u == 'D' || u == 'M' || u == 'Y') {
      std::string piece = i < text.size() ? text.substr(i, run) : std::string();
      const std::string trimmed = AllTrim(piece);
      if (!trimmed.empty()) allBlank = false;
      for (char c : trimmed) malformed = malformed || !IsDigit(c);
      const int part = trimmed.empty() ? 0 : std::atoi(trimmed.c_str());
      if (u == 'D') day = part;
      else if (u == 'M') month = part;
      else { year = part; yearDigits = static_cast<int>(run); }
    }
    i += run;
  }
  if (allBlank) {
    if (valid) *valid = true;
    return Date();
  }
  if (yearDigits < 4) {
    year += epoch - epoch % 100;
    if (year < epoch) year += 100;
  }
  const bool ok = !malformed && IsValidYmd(year, month, day);
  if (valid) *valid = ok;
  return ok ? Date::FromYmd(year, month, day) : Date();
}

std::string Transform(const Value& value, const std::string& picture,
                      const std::string& dateFormat) {
  const PictureParts parts = SplitPicture(picture);
  switch (value.TypeLetter()) {
    case 'C':
    case 'M':
      return TransformText(value.AsText(), parts.func, parts.mask);
    case 'N':
      return TransformNumber(value, parts.func, parts.mask);
    case 'D':
      return DateToText(value.AsDate(),
                        Has(parts.func, 'E') ? SwapDayMonth(dateFormat) : dateFormat);
    case 'L':
      return TransformLogical(value.AsLogical(), parts.mask);
    default:
      return {};
  }
}

}  // namespace meridan
