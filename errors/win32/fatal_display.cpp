// The box is task-modal and owned by no window: the program's dialogs may be
// half torn down when an unrecoverable error strikes.
#include "errors/fatal_display.h"

#include <windows.h>

namespace meridan {

void ShowFatalBox(const std::string& caption, const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace meridan
