// Frames form a linked list through the C++ stack; unwinding by exceptions
// pops them in the right order because each frame is an automatic object.
#include "runtime/callstack.h"

#include <cstring>

namespace meridan {

namespace {
Frame* g_top = nullptr;
}

Frame::Frame(const char* name, const char* file, int line) noexcept
    : name_(name ? name : ""), file_(file ? file : ""), line_(file && *file ? line : 0),
      caller_(g_top) {
  g_top = this;
}

Frame::~Frame() { g_top = caller_; }

Frame& Frame::Add(const char* name, const void* var, Reader read, bool param) noexcept {
  if (count_ < kMaxVariables) slots_[count_++] = Slot{name, var, read, param};
  return *this;
}

std::string Frame::Module() const {
  const char* base = file_;
  for (const char* p = file_; *p; ++p)
    if (*p == '/' || *p == '\\') base = p + 1;
  return base;
}

std::vector<Variable> Frame::Collect(bool params) const {
  std::vector<Variable> out;
  for (std::size_t i = 0; i < count_; ++i)
    if (slots_[i].param == params) out.push_back({slots_[i].name, slots_[i].read(slots_[i].var)});
  return out;
}

std::vector<Variable> Frame::Params() const { return Collect(true); }
std::vector<Variable> Frame::Locals() const { return Collect(false); }

const Frame* StackLevel(std::size_t level) {
  const Frame* f = g_top;
  while (f && level-- > 0) f = f->Caller();
  return f;
}

std::size_t StackDepth() {
  std::size_t n = 0;
  for (const Frame* f = g_top; f; f = f->Caller()) ++n;
  return n;
}

std::optional<LevelInfo> LevelAt(std::size_t level) {
  const Frame* f = StackLevel(level);
  if (!f) return std::nullopt;
  return LevelInfo{f->Module(), f->Name(), f->CurrentLine()};
}

}  // namespace meridan
