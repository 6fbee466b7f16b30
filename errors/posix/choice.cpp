// Without a desktop the stop box is a line on standard error.
#include "errors/choice.h"

#include <cstdio>

namespace meridan::sys {

void ShowStopBoxDefault(const std::string& title, const std::string& text) {
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
  std::fflush(stderr);
}

void PostQuitMessageZero() {}

}  // namespace meridan::sys
