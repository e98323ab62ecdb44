#include "about.h"

#include "addresses.h"
#include "app_identity.h"

namespace stakora {

AboutTexts frmAbout_Form_Load() {
  AboutTexts t;
  t.caption = std::string("About ") + kAppTitle;
  t.version = std::string("Version ") + kVersionText;
  t.title = kAppTitle;
  // The trailing blanks are part of the text.
  for (const char* line :
       {"This program is provided as is without any guarantees or ", "warranty. ",
        "Although the author has attempted to find and correct any ",
        "bugs in this software program, the author is not responsible ",
        "for any damage or losses of any kind caused by the use or ", "misuse of the program. ",
        "The author is under no obligation to provide support, ",
        "service, corrections, or upgrades to the software programs.",
        "Clicking the OK button means you have read and agree with this "
        "statement"})
    (t.disclaimer += line) += "\r\n";
  t.ownership =
      std::string("Warning: Stakora belongs to its author and Stakora Software. ") + kMakerHomePage;
  return t;
}

}  // namespace stakora
