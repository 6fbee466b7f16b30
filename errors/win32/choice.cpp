// The quit message that ends the main window's message loop.
#include "errors/choice.h"

#include <windows.h>

namespace meridan::sys {

void PostQuitMessageZero() { PostQuitMessage(0); }

}  // namespace meridan::sys
