#pragma once
// The texts of the About and disclaimer box.

#include <string>

namespace stakora {

struct AboutTexts {
  std::string caption;     // "About Stakora"
  std::string title;       // "Stakora"
  std::string version;     // "Version " and the version
  std::string disclaimer;  // nine lines, each ended by CR LF
  std::string ownership;   // who owns the program, and where to find them
};

AboutTexts frmAbout_Form_Load();

}  // namespace stakora
