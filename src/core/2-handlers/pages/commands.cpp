#include "commands.h"

#include "addresses.h"

namespace stakora {
namespace {

void ShowPage(Form1& f, Ui& ui, std::string address) {
  f.thisURL = std::move(address);
  ui.ShowBrowser();
}

}  // namespace

std::string LocalPageAddress(const Form1& f, const char* page) {
  return "file://" + f.platform.PagesFolder() + page;
}

void Help_Click(Form1& f, Ui& ui) {
  ShowPage(f, ui, LocalPageAddress(f, "/help.htm"));
}

void Label9_Click(Form1& f, Ui& ui) {
  Help_Click(f, ui);
}

void Updates_Click(Form1& f, Ui& ui) {
  ShowPage(f, ui, LocalPageAddress(f, "/update.txt"));
}

void EachWayChecke_Click(Form1& f, Ui& ui) {
  ShowPage(f, ui, LocalPageAddress(f, "/eachway-odds-checker.htm"));
}

void Register_Click(Form1& f, Ui& ui) {
  if (ui.AskYesNo(kMsgRegisterQuestion)) ShowPage(f, ui, kSignUpPage);
}

void Label7_Click(Form1& /*f*/, Ui& ui) {
  ui.OpenInSystemBrowser(kMakerHomePage);
}

}  // namespace stakora
