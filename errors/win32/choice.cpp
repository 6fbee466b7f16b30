// The stop box as a message box with the error icon, owned by the active window.
#include "errors/choice.h"

#include <windows.h>

namespace meridan::sys {

void ShowStopBoxDefault(const std::string& title, const std::string& text) {
  MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), MB_OK | MB_ICONSTOP);
}

void PostQuitMessageZero() { PostQuitMessage(0); }

}  // namespace meridan::sys
