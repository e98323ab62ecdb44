#pragma once
// What the fuzz targets share: a check that stops the run, and the input cut
// into the texts of several boxes.

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace stakora::fuzz {

inline void Check(bool ok) {
  if (!ok) std::abort();
}

// The input split at 0xff bytes, a byte no text of ours needs.
inline std::vector<std::string> Texts(std::string_view in) {
  std::vector<std::string> out(1);
  for (char c : in) static_cast<unsigned char>(c) == 0xff ? out.emplace_back() : out.back() += c;
  return out;
}

}  // namespace stakora::fuzz
