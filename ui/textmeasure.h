// Text widths in pixels, padding to a pixel width, and starting a program.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace meridan {

using TextWidthFn = std::function<int(const std::string&)>;

// Width of `text` in pixels. hdc 0 measures on the active window's device
// context (the system font); a font other than 0 is selected for the
// measurement only. On Linux the system font is stood in for by a fixed
// table: a blank is 5 pixels, every other character 8.
int GetTextWidth(std::intptr_t hdc, const std::string& text, std::intptr_t hFont = 0);

// GetTextWidth(0, text) as a width function.
TextWidthFn SystemTextWidth();

// Fill added on the left (xPadL) or right (xPadR) until the measured width
// reaches `width`; a text already that wide comes back unchanged, and so
// does any text when the fill measures no pixels (it could never get wider).
std::string xPadL(const std::string& text, int width, const std::string& fill = " ",
                  const TextWidthFn& measure = {});
std::string xPadR(const std::string& text, int width, const std::string& fill = " ",
                  const TextWidthFn& measure = {});
// The trimmed text centred in as many fill characters as the missing width
// holds; the trimmed text alone when the text already reaches the width.
std::string xPadC(const std::string& text, int width, const std::string& fill = " ",
                  const TextWidthFn& measure = {});

// Starts the program of a command line without waiting; the result is
// greater than 31 when it started, 2 when not found, 3 path not found,
// 11 not a program, 0 out of resources. On Linux the first word names the
// program and the rest are its arguments; "Notepad.exe" (any case) stands
// for the user's editor ($VISUAL, else $EDITOR, else xdg-open), which gets
// the rest of the line as one file name, blanks included.
int WinExec(const std::string& cmdLine, std::optional<int> show = std::nullopt);

}  // namespace meridan
