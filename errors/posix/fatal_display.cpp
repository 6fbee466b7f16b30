// Without a desktop the text on standard error is all the user gets.
#include "errors/fatal_display.h"

namespace meridan {

void ShowFatalBox(const std::string&, const std::string&) {}

}  // namespace meridan
