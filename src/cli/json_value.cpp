#include "cli/json_value.h"

#include <cstdint>

namespace stakora::cli {
namespace {

constexpr int kMostDepth = 64;

class Reader {
 public:
  explicit Reader(std::string_view text) : s_(text) {}

  Result<Json, std::string> Document() {
    Json value;
    if (!Value(value, 0)) return Problem();
    Blanks();
    if (at_ != s_.size()) {
      why_ = "text after the value";
      return Problem();
    }
    return value;
  }

 private:
  std::string Problem() const {
    return "not a plan in JSON: " + why_ + " at byte " + std::to_string(at_ + 1);
  }

  bool Fail(const char* why) {
    why_ = why;
    return false;
  }

  void Blanks() {
    while (at_ < s_.size() &&
           (s_[at_] == ' ' || s_[at_] == '\t' || s_[at_] == '\n' || s_[at_] == '\r'))
      ++at_;
  }

  bool Word(std::string_view w) {
    if (s_.substr(at_, w.size()) != w) return Fail("an unknown word");
    at_ += w.size();
    return true;
  }

  bool Value(Json& v, int depth) {
    if (depth > kMostDepth) return Fail("values nested too deep");
    Blanks();
    if (at_ >= s_.size()) return Fail("the text ends where a value should be");
    switch (s_[at_]) {
      case '{':
        return Object(v, depth);
      case '[':
        return Array(v, depth);
      case '"':
        v.type = Json::Type::String;
        return String(v.text);
      case 't':
        v.type = Json::Type::Bool;
        v.boolean = true;
        return Word("true");
      case 'f':
        v.type = Json::Type::Bool;
        return Word("false");
      case 'n':
        return Word("null");
      default:
        v.type = Json::Type::Number;
        return Number(v.text);
    }
  }

  // Past an object's or array's opening mark: whether `close` follows at
  // once, taken.
  bool OpensEmpty(Json& v, Json::Type type, char close) {
    v.type = type;
    ++at_;
    Blanks();
    return at_ < s_.size() && s_[at_] == close && (++at_, true);
  }

  bool Object(Json& v, int depth) {
    if (OpensEmpty(v, Json::Type::Object, '}')) return true;
    for (;;) {
      Blanks();
      std::string key;
      if (at_ >= s_.size() || s_[at_] != '"') return Fail("a member without a name");
      if (!String(key)) return false;
      Blanks();
      if (at_ >= s_.size() || s_[at_] != ':') return Fail("a name without a ':'");
      ++at_;
      Json member;
      if (!Value(member, depth + 1)) return false;
      v.names.push_back(std::move(key));
      v.items.push_back(std::move(member));
      if (!Next('}')) return false;
      if (s_[at_ - 1] == '}') return true;
    }
  }

  bool Array(Json& v, int depth) {
    if (OpensEmpty(v, Json::Type::Array, ']')) return true;
    for (;;) {
      Json item;
      if (!Value(item, depth + 1)) return false;
      v.items.push_back(std::move(item));
      if (!Next(']')) return false;
      if (s_[at_ - 1] == ']') return true;
    }
  }

  // After a member or item: "," or the closing mark, taken.
  bool Next(char close) {
    Blanks();
    if (at_ < s_.size() && (s_[at_] == ',' || s_[at_] == close)) return ++at_, true;
    return Fail("a missing ',' or closing bracket");
  }

  bool Number(std::string& out) {
    const std::size_t from = at_;
    auto digits = [&] {
      const std::size_t start = at_;
      while (at_ < s_.size() && s_[at_] >= '0' && s_[at_] <= '9') ++at_;
      return at_ > start;
    };
    if (at_ < s_.size() && s_[at_] == '-') ++at_;
    if (at_ < s_.size() && s_[at_] == '0') {
      ++at_;
    } else if (!digits()) {
      return Fail("an unknown value");
    }
    if (at_ < s_.size() && s_[at_] == '.' && (++at_, !digits())) return Fail("a broken number");
    if (at_ < s_.size() && (s_[at_] == 'e' || s_[at_] == 'E')) {
      ++at_;
      if (at_ < s_.size() && (s_[at_] == '+' || s_[at_] == '-')) ++at_;
      if (!digits()) return Fail("a broken number");
    }
    out = std::string(s_.substr(from, at_ - from));
    return true;
  }

  static void Append(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xc0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3f));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xe0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3f));
      out += static_cast<char>(0x80 | (cp & 0x3f));
    } else {
      out += static_cast<char>(0xf0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3f));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3f));
      out += static_cast<char>(0x80 | (cp & 0x3f));
    }
  }

  bool Hex4(std::uint32_t& cp) {
    if (at_ + 4 > s_.size()) return Fail("a broken \\u escape");
    cp = 0;
    for (int k = 0; k < 4; ++k) {
      const char c = s_[at_++];
      const int d = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
      if (d < 0) return Fail("a broken \\u escape");
      cp = cp * 16 + static_cast<std::uint32_t>(d);
    }
    return true;
  }

  bool String(std::string& out) {
    ++at_;
    for (;;) {
      if (at_ >= s_.size()) return Fail("a string without its closing quote");
      const char c = s_[at_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return Fail("a control character in a string");
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= s_.size()) return Fail("a string without its closing quote");
      const char e = s_[at_++];
      const std::string_view plain = "\"\\/bfnrt", meant = "\"\\/\b\f\n\r\t";
      if (const auto k = plain.find(e); k != std::string_view::npos) {
        out += meant[k];
        continue;
      }
      if (e != 'u') return Fail("an unknown escape");
      std::uint32_t cp = 0;
      if (!Hex4(cp)) return false;
      if (cp >= 0xd800 && cp < 0xdc00) {
        std::uint32_t low = 0;
        if (s_.substr(at_, 2) != "\\u") return Fail("half a surrogate pair");
        at_ += 2;
        if (!Hex4(low)) return false;
        if (low < 0xdc00 || low > 0xdfff) return Fail("half a surrogate pair");
        cp = 0x10000 + ((cp - 0xd800) << 10) + (low - 0xdc00);
      } else if (cp >= 0xdc00 && cp <= 0xdfff) {
        return Fail("half a surrogate pair");
      }
      Append(out, cp);
    }
  }

  std::string_view s_;
  std::size_t at_ = 0;
  std::string why_;
};

}  // namespace

const Json* Json::Find(std::string_view key) const {
  if (type != Type::Object) return nullptr;
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == key) return &items[i];
  return nullptr;
}

Result<Json, std::string> ParseJson(std::string_view text) {
  return Reader(text).Document();
}

}  // namespace stakora::cli
