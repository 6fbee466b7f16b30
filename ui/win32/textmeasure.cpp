// Text measuring with GDI and program start with the Windows WinExec.
#include "ui/textmeasure.h"

#include <windows.h>

namespace meridan {

int GetTextWidth(std::intptr_t hdc, const std::string& text, std::intptr_t hFont) {
  HWND owner = nullptr;
  HDC dc = reinterpret_cast<HDC>(hdc);
  if (!dc) {
    owner = GetActiveWindow();
    dc = GetDC(owner);
    if (!dc) return 0;
  }
  HGDIOBJ old = hFont ? SelectObject(dc, reinterpret_cast<HGDIOBJ>(hFont)) : nullptr;
  SIZE size{0, 0};
  // A text Windows cannot measure counts as 0 pixels wide.
  if (!GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size)) size.cx = 0;
  if (hFont) SelectObject(dc, old);
  if (!hdc) ReleaseDC(owner, dc);
  return size.cx;
}

int WinExec(const std::string& cmdLine, std::optional<int> show) {
  UINT mode = static_cast<UINT>(static_cast<std::uint16_t>(show.value_or(SW_SHOWNORMAL)));
  return static_cast<int>(::WinExec(cmdLine.c_str(), mode));
}

}  // namespace meridan
