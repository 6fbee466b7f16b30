// The Get editing engine: picture parsing, buffer building, cursor moves, typing and conversion back.
#include "ui/get.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "runtime/format.h"
#include "runtime/transform.h"

namespace meridan {
namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlpha(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

char NormType(char t) { return t == 'M' ? 'C' : t; }

void RemoveAll(std::string& s, char c) { s.erase(std::remove(s.begin(), s.end(), c), s.end()); }

bool IsLogicalLetter(char c) {
  const char u = Upper(c);
  const auto& s = EditSettings();
  return u == 'Y' || u == 'N' || u == 'T' || u == 'F' || u == Upper(s.cYes) || u == Upper(s.cNo);
}

Value EmptyOf(char type) {
  switch (type) {
    case 'N': return Value(0);
    case 'D': return Value(Date());
    case 'L': return Value(false);
    default: return Value(std::string());
  }
}

}  // namespace

GetSettings& EditSettings() {
  static GetSettings settings;
  return settings;
}

Get::Get(::meridan::Block block, std::string picture) : Block(std::move(block)) {
  VarGet();
  SetPicture(picture);
}

Get GetNew(::meridan::Block block, std::string picture) {
  return Get(std::move(block), std::move(picture));
}

bool Get::FuncHas(char letter) const { return cPicFunc.find(letter) != std::string::npos; }

char Get::DecimalSeparator() const { return (lDecRev || FuncHas('E')) ? ',' : '.'; }

std::string Get::EffectiveDateFormat() const {
  const std::string& f = EditSettings().cDateFormat;
  return FuncHas('E') ? SwapDayMonth(f) : f;
}

Value Get::VarGet() {
  if (!Block) {
    xVarGet = Value();
    Type = 'U';
    return Value();
  }
  Value v = Block({});
  if (HasFocus && v.IsNumber() && Buffer && DecPos && *DecPos > 1 && *DecPos < nMaxLen) {
    // Match what the buffer can show, so that an untouched buffer converts back to the same value.
    const int decimals = nMaxLen - *DecPos;
    const std::string shown = Str(v.AsNumber(), nMaxLen, decimals);
    if (shown.find('*') == std::string::npos) v = Value(std::strtod(shown.c_str(), nullptr), decimals);
  }
  Type = v.TypeLetter();
  xVarGet = v;
  return v;
}

Value Get::VarPut(const Value& value, bool reformat) {
  if (Block && !value.IsNil()) {
    const Value arg[] = {value};
    Block(arg);
    if (reformat) {
      if (!HasFocus) Original = value;
      Type = value.TypeLetter();
      xVarGet = value;
      lEdit = false;
      SetPicture(cOrigPicture);
    }
  }
  return value;
}

Get& Get::Assign() {
  if (InEditState()) VarPut(UnTransform(), false);
  return *this;
}

Get& Get::SetPicture(const std::string& picture) {
  nDispLen.reset();
  lDispLen = false;
  cPicture = picture;
  PictureParts parts = SplitPicture(picture);
  std::string func = parts.func;
  std::string mask = parts.mask;
  const char type = NormType(Type);

  lCleanZero = func.find('Z') != std::string::npos;
  lLeftJust = func.find('B') != std::string::npos;
  if (lCleanZero || lLeftJust) {
    RemoveAll(func, 'Z');
    RemoveAll(func, 'B');
    std::string p;
    const auto at = cPicture.find('@');
    const auto blank = cPicture.find(' ', at == std::string::npos ? 0 : at);
    for (std::size_t i = 0; i < cPicture.size(); ++i) {
      const bool inFunc = at != std::string::npos && i > at && (blank == std::string::npos || i < blank);
      if (inFunc && (Upper(cPicture[i]) == 'Z' || Upper(cPicture[i]) == 'B')) continue;
      p += cPicture[i];
    }
    cPicture = p;
  }
  if (const auto s = func.find('S'); s != std::string::npos) {
    std::size_t e = s + 1;
    while (e < func.size() && IsDigit(func[e])) ++e;
    if (e > s + 1) {
      nDispLen = std::atoi(func.substr(s + 1, e - s - 1).c_str());
      lDispLen = true;
    }
    func.erase(s, e - s);
  }
  if (type == 'C' && func.find('9') != std::string::npos) {
    mask = std::string(xVarGet.AsText().size(), '9');
    func.clear();
  }
  if (func == "@") func.clear();

  std::string dateMask = EditSettings().cDateFormat;
  for (char& c : dateMask)
    if (std::string("yYmMdD").find(c) != std::string::npos) c = '9';
  if (func.find('D') != std::string::npos || type == 'D') mask = dateMask;
  else if (mask.empty() && type == 'N') {
    const int dec = xVarGet.Decimals();
    for (char c : Str(xVarGet.AsNumber(), dec > 0 ? 11 + dec : 10, dec)) mask += c == '.' ? '.' : '9';
  }
  if (type == 'C')
    for (char& c : mask)
      if (std::string("alnxy").find(c) != std::string::npos) c = Upper(c);

  cPicFunc = func;
  cPicMask = mask;
  lDecRev = Transform(Value(1.1, 1), "9.9").find(',') != std::string::npos;
  lPicComplex = false;
  for (char c : cPicMask)
    if (std::string("!ANX9#").find(c) == std::string::npos) lPicComplex = true;
  if (type == 'N') {
    const std::string one = Transform(Value(1), cPicFunc.empty() ? cPicMask : cPicFunc + " " + cPicMask);
    const auto p = one.find(DecimalSeparator());
    if (p != std::string::npos) DecPos = static_cast<int>(p) + 1;
    else if (Buffer) DecPos = static_cast<int>(Buffer->size()) + 1;
    else DecPos.reset();
  }
  if (!nDispLen) nDispLen = nMaxLen;
  cOrigPicture = picture;
  return *this;
}

std::optional<std::string> Get::PutMask(std::optional<Value> value, std::optional<bool> editing) {
  if (!value) {
    if (Buffer) value = UnTransform();
    else if (!xVarGet.IsNil()) value = xVarGet;
    else value = VarGet();
  }
  const bool ed = editing.value_or(HasFocus);
  const char t = value->TypeLetter();
  if (t != 'C' && t != 'M' && t != 'N' && t != 'D' && t != 'L') {
    nMaxLen = nMaxEdit = 0;
    return std::nullopt;
  }
  std::string func = cPicFunc;
  if (!ed) {
    if (lCleanZero) func += func.empty() ? "@Z" : "Z";
    if (lLeftJust) func += func.empty() ? "@B" : "B";
  }
  std::string picture = func.empty() ? cPicMask : func + " " + cPicMask;
  std::string buf = Transform(*value, picture, EditSettings().cDateFormat);
  nMaxLen = nMaxEdit = static_cast<int>(buf.size());
  if (t == 'N') {
    // The sign decorations follow the digits and never take input.
    if (FuncHas('X') || FuncHas('C')) nMaxEdit = std::max(0, nMaxLen - 3);
    else if (FuncHas('(')) nMaxEdit = std::max(0, nMaxLen - 1);
    if (ed) {
      const bool euro = FuncHas('E') || lDecRev;
      for (std::size_t i = 0; i < cPicMask.size() && i < buf.size(); ++i) {
        const char m = cPicMask[i];
        if ((m == ',' || m == '.') && (buf[i] == ' ' || buf[i] == ',' || buf[i] == '.'))
          buf[i] = euro ? (m == ',' ? '.' : ',') : m;
      }
      if (lEdit && value->AsNumber() == 0) std::replace(buf.begin(), buf.end(), '0', ' ');
    }
  }
  return buf;
}

void Get::ComputeBadDate() {
  bool valid = true;
  if (Buffer) TextToDate(*Buffer, EffectiveDateFormat(), &valid, EditSettings().nEpoch);
  BadDate = !valid;
}

Get& Get::SetFocus() {
  if (HasFocus) return *this;
  const Value value = VarGet();
  HasFocus = true;
  Rejected = TypeOut = lUndo = false;
  Original = value;
  Type = value.TypeLetter();
  SetPicture(cOrigPicture);
  Buffer = PutMask(value, false);
  Changed = false;
  Clear = FuncHas('K') || Type == 'N';
  lEdit = false;
  Pos = FirstEditable();
  if (*Pos == 0) TypeOut = true;
  if (Type == 'N') {
    const auto p = Buffer ? Buffer->find(DecimalSeparator()) : std::string::npos;
    DecPos = p != std::string::npos ? static_cast<int>(p) + 1 : nMaxLen + 1;
    lMinusPrinted = value.AsNumber() < 0;
    Minus = false;
  } else {
    DecPos.reset();
    lMinusPrinted = Minus = false;
  }
  BadDate = false;
  if (Type == 'D') ComputeBadDate();
  return *this;
}

Get& Get::KillFocus() {
  if (lEdit) Assign();
  HasFocus = false;
  Buffer.reset();
  Original = Value();
  Pos.reset();
  xVarGet = Value();
  TypeOut = false;
  return *this;
}

Get& Get::UpdateBuffer() {
  if (HasFocus) Buffer = PutMask(VarGet(), true);
  return *this;
}

Get& Get::Reset() {
  if (HasFocus) {
    Buffer = PutMask(VarGet(), false);
    Pos = FirstEditable();
    TypeOut = false;
  }
  return *this;
}

Get& Get::Undo() {
  if (HasFocus) {
    if (Type == 'N' && Original.AsNumber() >= 0) Minus = false;
    VarPut(Original, true);
    Pos = FirstEditable();
    UpdateBuffer();
    lUndo = true;
  }
  return *this;
}

bool Get::IsEditable(int n) const {
  if (cPicMask.empty()) return true;
  if (n < 1 || n > nMaxEdit || n > static_cast<int>(cPicMask.size())) return false;
  const char m = Upper(cPicMask[n - 1]);
  switch (NormType(Type)) {
    case 'C': return std::string("!ANXLY9#").find(m) != std::string::npos;
    case 'N': return std::string("9#$*").find(m) != std::string::npos;
    case 'D': return m == '9';
    case 'L': return m == 'L' || m == 'Y';
    default: return false;
  }
}

int Get::FirstEditable() {
  if (cPicMask.empty()) return 1;  // an empty buffer still has its position 1
  for (int n = 1; n <= nMaxLen; ++n)
    if (IsEditable(n)) return n;
  TypeOut = true;
  return 0;
}

int Get::LastEditable() {
  if (cPicMask.empty()) return std::max(nMaxLen, 1);
  for (int n = nMaxLen; n >= 1; --n)
    if (IsEditable(n)) return n;
  TypeOut = true;
  return 0;
}

std::string Get::Input(char c) {
  switch (NormType(Type)) {
    case 'N':
      if (c == '-') {
        if (DecPos && Pos && *Pos > *DecPos) {
          ToDecPos();
          return {};
        }
        Minus = true;
      } else if (c == '.' || c == ',') {
        ToDecPos();
        return {};
      } else if (!IsDigit(c)) {
        return {};
      }
      break;
    case 'D':
      if (!IsDigit(c)) return {};
      break;
    case 'L': {
      if (!IsLogicalLetter(c)) return {};
      const char u = Upper(c);
      const auto& s = EditSettings();
      if (u == Upper(s.cYes)) c = 'Y';
      else if (u == Upper(s.cNo)) c = 'N';
      else c = u;
      break;
    }
    default:
      break;
  }
  std::string out(1, c);
  if (!cPicFunc.empty()) out = Transform(Value(out), cPicFunc).substr(0, 1);
  if (!cPicMask.empty() && Pos && *Pos >= 1 && *Pos <= static_cast<int>(cPicMask.size())) {
    const char m = Upper(cPicMask[*Pos - 1]);
    const char ch = out.empty() ? ' ' : out[0];
    const bool number = NormType(Type) == 'N';
    switch (m) {
      case 'A': if (!IsAlpha(ch)) return {}; break;
      case 'N': if (!IsAlpha(ch) && !IsDigit(ch)) return {}; break;
      case '9': if (!IsDigit(ch) && !(number && ch == '-')) return {}; break;
      case '#':
        if (!IsDigit(ch) && ch != ' ' && ch != '.' && ch != '+' && ch != '-') return {};
        break;
      case 'L':
        if (!IsLogicalLetter(ch)) return {};
        out = std::string(1, Upper(ch));
        break;
      case 'Y':
        if (Upper(ch) != 'Y' && Upper(ch) != 'N') return {};
        out = std::string(1, Upper(ch));
        break;
      case '$':
      case '*':
        if (number) {
          if (!IsDigit(ch) && ch != '-') return {};
          break;
        }
        [[fallthrough]];
      default:
        out = Transform(Value(out), std::string(1, cPicMask[*Pos - 1])).substr(0, 1);
        break;
    }
  }
  return out;
}

int Get::RunEnd(int from) const {
  int e = from;
  while (e + 1 <= nMaxEdit && IsEditable(e + 1)) ++e;
  return e;
}

void Get::Type_(char c, bool insert) {
  if (!HasFocus || !Buffer || !Pos) return;
  if (NormType(Type) == 'N' && !lEdit && Clear) Pos = FirstEditable();
  if (*Pos > nMaxEdit) {
    Rejected = true;
    return;
  }
  const std::string in = Input(c);
  if (in.empty()) {
    Rejected = true;
    return;
  }
  Rejected = false;
  if (lUndo || (Clear && *Pos == FirstEditable())) {
    DeleteAll();
    Clear = false;
    lEdit = false;
  }
  lEdit = true;
  if (*Pos == 0) Pos = 1;
  while (*Pos <= nMaxEdit && !IsEditable(*Pos)) Pos = *Pos + 1;
  if (*Pos > nMaxEdit) Pos = FirstEditable();
  if (*Pos < 1 || *Pos > nMaxEdit) {
    Rejected = true;
    return;
  }
  std::string& buf = *Buffer;
  const std::size_t at = static_cast<std::size_t>(*Pos - 1);
  if (!insert) {
    buf[at] = in[0];
  } else {
    // Only the editable run shifts, so literals and sign decorations stay where they are.
    const int end = lPicComplex ? RunEnd(*Pos) : nMaxEdit;
    buf.insert(at, 1, in[0]);
    buf.erase(static_cast<std::size_t>(end), 1);
  }
  Changed = true;
  Right();
  if (NormType(Type) == 'D') ComputeBadDate();
}

Get& Get::OverStrike(char c) {
  Type_(c, false);
  return *this;
}

Get& Get::Insert(char c) {
  Type_(c, true);
  return *this;
}

Get& Get::Right() {
  if (!HasFocus || !Pos) return *this;
  TypeOut = Clear = false;
  if (*Pos >= nMaxEdit) {
    TypeOut = true;
    return *this;
  }
  for (int n = *Pos + 1; n <= nMaxEdit; ++n)
    if (IsEditable(n)) {
      Pos = n;
      return *this;
    }
  TypeOut = true;
  return *this;
}

Get& Get::Left() {
  if (!HasFocus || !Pos) return *this;
  TypeOut = Clear = false;
  if (*Pos <= FirstEditable()) {
    TypeOut = true;
    return *this;
  }
  for (int n = *Pos - 1; n >= 1; --n)
    if (IsEditable(n)) {
      Pos = n;
      return *this;
    }
  TypeOut = true;
  return *this;
}

Get& Get::Home() {
  if (!HasFocus || !Pos) return *this;
  TypeOut = Clear = false;
  Pos = FirstEditable();
  return *this;
}

Get& Get::End() {
  if (!HasFocus || !Pos || !Buffer) return *this;
  TypeOut = Clear = false;
  const std::string& buf = *Buffer;
  const int first = FirstEditable();
  auto at = [&](int n) { return n >= 1 && n <= static_cast<int>(buf.size()) ? buf[n - 1] : ' '; };
  const int pos = *Pos;
  if (pos > first && pos < nMaxEdit && IsEditable(pos) && at(pos) == ' ') {
    Pos = nMaxEdit;
    return *this;
  }
  int lastNonBlank = 0;
  for (int n = static_cast<int>(buf.size()); n >= 1; --n)
    if (buf[n - 1] != ' ') {
      lastNonBlank = n;
      break;
    }
  int target = std::min(lastNonBlank + 1, nMaxEdit);
  if (pos == target) target = nMaxEdit;
  for (int n = target; n >= first && n >= 1; --n)
    if (IsEditable(n) && at(n) != ' ') {
      Pos = std::min(n + 1, nMaxEdit);
      return *this;
    }
  Pos = nMaxEdit;
  return *this;
}

Get& Get::WordLeft() {
  if (!HasFocus || !Pos || !Buffer) return *this;
  TypeOut = Clear = false;
  const std::string& buf = *Buffer;
  const int first = FirstEditable();
  if (*Pos <= first) {
    TypeOut = true;
    return *this;
  }
  auto blankOrFixed = [&](int n) { return !IsEditable(n) || n > static_cast<int>(buf.size()) || buf[n - 1] == ' '; };
  int n = *Pos - 1;
  while (n > first && blankOrFixed(n)) --n;
  while (n > first && !blankOrFixed(n - 1)) --n;
  Pos = n;
  return *this;
}

Get& Get::WordRight() {
  if (!HasFocus || !Pos || !Buffer) return *this;
  TypeOut = Clear = false;
  const std::string& buf = *Buffer;
  const int last = std::min(LastEditable(), nMaxEdit);
  if (*Pos >= last) {
    TypeOut = true;
    return *this;
  }
  auto blankOrFixed = [&](int n) { return !IsEditable(n) || n > static_cast<int>(buf.size()) || buf[n - 1] == ' '; };
  int n = *Pos;
  while (n < last && !blankOrFixed(n)) ++n;
  while (n < last && blankOrFixed(n)) ++n;
  Pos = n;
  return *this;
}

Get& Get::ToDecPos() {
  if (!HasFocus || !Buffer || NormType(Type) != 'N' || !DecPos) return *this;
  TypeOut = Clear = false;
  lEdit = true;
  const Value value = UnTransform();
  Buffer = PutMask(value, false);
  Pos = *DecPos + 1;
  VarPut(value, true);
  return *this;
}

Get& Get::Delete() {
  if (!HasFocus || !Buffer || !Pos) return *this;
  Clear = false;
  lEdit = true;
  std::string& buf = *Buffer;
  const int pos = *Pos;
  if (pos < 1 || pos > nMaxEdit || pos > static_cast<int>(buf.size())) return *this;
  if (NormType(Type) == 'N' && (buf[pos - 1] == '-' || buf[pos - 1] == '(')) Minus = false;
  const int end = lPicComplex ? RunEnd(pos) : nMaxEdit;
  buf.erase(static_cast<std::size_t>(pos - 1), 1);
  buf.insert(static_cast<std::size_t>(end - 1), 1, ' ');
  Changed = true;
  return *this;
}

Get& Get::BackSpace() {
  if (!HasFocus || !Buffer || !Pos) return *this;
  if (*Pos <= FirstEditable()) {
    // An opening parenthesis left of the digits is the only thing before the first position.
    if (NormType(Type) == 'N' && *Pos >= 2 && (*Buffer)[*Pos - 2] == '(') {
      (*Buffer)[*Pos - 2] = ' ';
      Minus = false;
      Changed = true;
    }
    return *this;
  }
  Left();
  Delete();
  return *this;
}

Get& Get::DeleteAll() {
  if (!HasFocus || !Buffer) return *this;
  lEdit = true;
  lUndo = false;
  const char t = NormType(Type);
  Value empty = EmptyOf(t);
  if (t == 'C') empty = Value(std::string(static_cast<std::size_t>(nMaxLen), ' '));
  if (t == 'N') Minus = false;
  const int keepLen = nMaxLen;
  Buffer = PutMask(empty, true);
  if (t == 'C' && !cPicMask.empty()) nMaxLen = nMaxEdit = keepLen;
  Pos = FirstEditable();
  return *this;
}

Value Get::UnTransform() {
  if (!Buffer) return Value();
  std::string buf = *Buffer;
  const char t = NormType(Type);
  if (t == 'C') {
    const std::string& old = xVarGet.AsText();
    if (FuncHas('R') && !cPicMask.empty()) {
      std::string kept;
      for (std::size_t i = 0; i < buf.size(); ++i)
        if (IsEditable(static_cast<int>(i) + 1) || i >= cPicMask.size()) kept += buf[i];
      if (old.size() > kept.size()) kept += old.substr(kept.size());
      return Value(kept);
    }
    if (old.size() > static_cast<std::size_t>(nMaxLen)) buf += old.substr(static_cast<std::size_t>(nMaxLen));
    return Value(buf);
  }
  if (t == 'L') {
    const char yes = Upper(EditSettings().cYes);
    for (char c : buf) {
      const char u = Upper(c);
      if (u == 'T' || u == 'Y' || u == yes) return Value(true);
    }
    return Value(false);
  }
  if (t == 'D') return Value(TextToDate(buf, EffectiveDateFormat(), nullptr, EditSettings().nEpoch));
  if (t != 'N') return Value();

  const int len = static_cast<int>(buf.size());
  auto literal = [&](int i) { return i < static_cast<int>(cPicMask.size()) && cPicMask[i] == buf[i]; };
  if (!Minus) {
    for (int i = 0; i < len; ++i) {
      const char c = buf[i];
      if (IsEditable(i + 1) && IsDigit(c)) break;
      if ((c == '-' || c == '(') && !literal(i)) {
        Minus = true;
        break;
      }
    }
  }
  // The "DB"/"CR" decorations behind the digits carry the sign, so a negative value survives the round trip.
  if (!Minus && (FuncHas('X') || FuncHas('C')) && nMaxEdit < len) {
    const std::string tail = buf.substr(static_cast<std::size_t>(nMaxEdit));
    if (tail.find("DB") != std::string::npos || tail.find("CR") != std::string::npos) Minus = true;
  }
  const char sep = DecimalSeparator();
  if (DecPos && *DecPos >= 1 && *DecPos <= len && buf[*DecPos - 1] == ' ' &&
      cPicture.find(sep) != std::string::npos)
    buf[*DecPos - 1] = sep;
  int first = 0, last = -1;
  for (int i = 0; i < len; ++i)
    if (IsEditable(i + 1)) {
      first = i;
      break;
    }
  for (int i = len - 1; i >= 0; --i)
    if (IsEditable(i + 1)) {
      last = i;
      break;
    }
  for (int i = 0; i < first; ++i) buf[i] = ' ';
  if (last + 1 < len && (last >= 0 || !cPicMask.empty())) buf.erase(static_cast<std::size_t>(last + 1));
  const int n = static_cast<int>(buf.size());
  if (FuncHas('E') || lDecRev) {
    for (int i = first; i < n; ++i) {
      if (buf[i] == '.') buf[i] = ' ';
      else if (buf[i] == ',') buf[i] = '.';
    }
  } else if (FuncHas('R')) {
    for (int i = first; i < n; ++i)
      if (buf[i] == ',') buf[i] = ' ';
  }
  std::string kept;
  for (int i = 0; i < n; ++i)
    if (IsEditable(i + 1) || buf[i] == '.') kept += buf[i];
  std::string digits;
  for (char c : kept)
    if (c != ' ' && c != '$' && c != '*' && c != '-' && c != '(' && c != ')') digits += c;
  if (cOrigPicture.empty() && !digits.empty() &&
      digits.find_first_not_of('.') == std::string::npos)
    digits = "0.";
  const double magnitude = std::strtod(digits.c_str(), nullptr);
  const double v = Minus ? -magnitude : magnitude;
  int decimals = 0;
  if (const auto p = cPicMask.find('.'); p != std::string::npos)
    for (std::size_t i = p + 1; i < cPicMask.size(); ++i)
      decimals += std::string("9#$*").find(cPicMask[i]) != std::string::npos;
  if (decimals > 0) return Value(v, decimals);
  return Value(static_cast<long long>(std::llround(v)));
}

}  // namespace meridan
