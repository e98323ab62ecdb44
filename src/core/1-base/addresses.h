#pragma once
// The web addresses the program knows. The hosts are placeholders under the
// reserved .example domain until the product has a site of its own.

namespace stakora {

inline constexpr const char* kMakerHomePage = "http://www.stakora.example";
inline constexpr const char* kSignUpPage = "http://signup.stakora.example/get-response-signup.htm/";

}  // namespace stakora
