#pragma once
// The menu commands and labels that show pages: local pages and the sign-up
// page in the program's browser window, the maker's site in the user's browser.

#include <string>

#include "form1.h"
#include "ui.h"

namespace stakora {

inline constexpr const char* kMsgRegisterQuestion =
    "Please note you will have to be online to register this software, do you wish to continue?";

// "file://" + the pages folder (the program's own, or the installed pages;
// see Platform) + page, by plain concatenation: nothing is escaped, and no
// separator is added or removed.
std::string LocalPageAddress(const Form1& f, const char* page);

void Help_Click(Form1& f, Ui& ui);
void Label9_Click(Form1& f, Ui& ui);
void Updates_Click(Form1& f, Ui& ui);
void EachWayChecke_Click(Form1& f, Ui& ui);
void Register_Click(Form1& f, Ui& ui);
void Label7_Click(Form1& f, Ui& ui);

}  // namespace stakora
