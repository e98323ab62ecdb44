#pragma once
// Texts a command line prints whatever bytes it was given: JSON strings that
// are valid UTF-8, and table cells with no raw control character.

#include <string>
#include <string_view>

namespace stakora::cli {

// A JSON string literal, quotes included: invalid UTF-8 becomes U+FFFD and
// every control character is escaped.
std::string JsonString(std::string_view s);

// The text with control characters and invalid UTF-8 bytes shown as \xHH, so
// nothing reaches a terminal as a command.
std::string PrintableText(std::string_view s);

// Pads to the width (counting code points) and adds a space when it is full.
std::string Pad(const std::string& s, std::size_t width);

}  // namespace stakora::cli
