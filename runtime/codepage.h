// Conversion between the program's Windows-1252 text and UTF-8, for the places
// where text meets a Linux file system or terminal.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace meridan {

// A byte the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) becomes
// `replacement`; without one the whole conversion fails.
std::optional<std::string> Utf8From1252(std::string_view text, std::optional<char> replacement = std::nullopt);

// A character without a Windows-1252 byte becomes `replacement`, and so does
// each byte that starts no well-formed sequence, so nothing is swallowed;
// without a replacement the whole conversion fails.
std::optional<std::string> Cp1252FromUtf8(std::string_view text, std::optional<char> replacement = std::nullopt);

}  // namespace meridan
