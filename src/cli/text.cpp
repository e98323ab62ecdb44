#include "cli/text.h"

#include <cstdint>
#include <cstdio>

namespace stakora::cli {
namespace {

// The code point of the UTF-8 sequence at s[i] and its length; length 0 for
// a byte that starts no valid sequence (overlong forms and surrogates included).
struct Decoded {
  char32_t cp = 0;
  std::size_t len = 0;
};

Decoded Decode(std::string_view s, std::size_t i) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
  const unsigned char c = b(0);
  if (c < 0x80) return {c, 1};
  std::size_t len = 0;
  char32_t cp = 0, min = 0;
  if ((c & 0xe0) == 0xc0) {
    len = 2, cp = c & 0x1fu, min = 0x80;
  } else if ((c & 0xf0) == 0xe0) {
    len = 3, cp = c & 0x0fu, min = 0x800;
  } else if ((c & 0xf8) == 0xf0) {
    len = 4, cp = c & 0x07u, min = 0x10000;
  } else {
    return {};
  }
  if (i + len > s.size()) return {};
  for (std::size_t k = 1; k < len; ++k) {
    if ((b(k) & 0xc0) != 0x80) return {};
    cp = (cp << 6) | (b(k) & 0x3fu);
  }
  if (cp < min || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff)) return {};
  return {cp, len};
}

bool IsControl(char32_t cp) {
  return cp < 0x20 || (cp >= 0x7f && cp <= 0x9f);
}

std::string Hex(const char* format, unsigned value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

}  // namespace

std::string JsonString(std::string_view s) {
  std::string out = "\"";
  for (std::size_t i = 0; i < s.size();) {
    const Decoded d = Decode(s, i);
    if (d.len == 0) {
      out += "\xef\xbf\xbd";  // U+FFFD for a byte that is not UTF-8
      ++i;
      continue;
    }
    switch (d.cp) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (IsControl(d.cp)) {
          out += Hex("\\u%04x", static_cast<unsigned>(d.cp));
        } else {
          out.append(s.substr(i, d.len));
        }
    }
    i += d.len;
  }
  return out + "\"";
}

std::string PrintableText(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size();) {
    const Decoded d = Decode(s, i);
    if (d.len == 0 || IsControl(d.cp)) {
      for (std::size_t k = 0; k < (d.len ? d.len : 1); ++k)
        out += Hex("\\x%02x", static_cast<unsigned char>(s[i + k]));
      i += d.len ? d.len : 1;
    } else {
      out.append(s.substr(i, d.len));
      i += d.len;
    }
  }
  return out;
}

std::string Pad(const std::string& s, std::size_t width) {
  std::size_t points = 0;
  for (char c : s) points += (static_cast<unsigned char>(c) & 0xc0) != 0x80;
  return points >= width ? s + " " : s + std::string(width - points, ' ');
}

}  // namespace stakora::cli
