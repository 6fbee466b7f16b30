// Pixel padding on top of the platform's text measuring.
#include "ui/textmeasure.h"

#include "runtime/format.h"

namespace meridan {

TextWidthFn SystemTextWidth() {
  return [](const std::string& s) { return GetTextWidth(0, s); };
}

namespace {

int Measure(const TextWidthFn& measure, const std::string& s) {
  return measure ? measure(s) : GetTextWidth(0, s);
}

std::string Pad(const std::string& text, int width, const std::string& fill,
                const TextWidthFn& measure, bool left) {
  if (Measure(measure, fill) <= 0) return text;
  std::string out = text;
  while (Measure(measure, out) < width) out = left ? fill + out : out + fill;
  return out;
}

}  // namespace

std::string xPadL(const std::string& text, int width, const std::string& fill,
                  const TextWidthFn& measure) {
  return Pad(text, width, fill, measure, true);
}

std::string xPadR(const std::string& text, int width, const std::string& fill,
                  const TextWidthFn& measure) {
  return Pad(text, width, fill, measure, false);
}

std::string xPadC(const std::string& text, int width, const std::string& fill,
                  const TextWidthFn& measure) {
  std::string core = AllTrim(text);
  int measured = Measure(measure, text);
  int fillWidth = Measure(measure, fill.empty() ? std::string(" ") : fill);
  if (width <= measured || fillWidth <= 0) return core;
  std::size_t field = text.size() + static_cast<std::size_t>((width - measured) / fillWidth);
  if (field <= core.size()) return core;
  std::size_t total = field - core.size();
  std::size_t leftCount = total / 2;
  std::string f = fill.empty() ? std::string(" ") : fill;
  std::string out;
  for (std::size_t i = 0; i < leftCount; ++i) out += f;
  out += core;
  for (std::size_t i = 0; i < total - leftCount; ++i) out += f;
  return out;
}

}  // namespace meridan
