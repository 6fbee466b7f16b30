// The message box of an unrecoverable error: the error icon in the Windows
// build, nothing elsewhere (standard error already has the text).
#pragma once

#include <string>

namespace meridan {

void ShowFatalBox(const std::string& caption, const std::string& text);

}  // namespace meridan
