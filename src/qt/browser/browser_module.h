#pragma once
// The browser window lives in a module of its own, loaded the first time a
// page is shown, so the web engine costs nothing at start-up.

class QString;
class QWidget;

// Creates form_browser, a top-level window that deletes itself when closed,
// and has it load the address; returns it unshown.
using CreateFormBrowserFn = QWidget* (*)(const QString& address);
inline constexpr const char* kCreateFormBrowserSymbol = "stakora_create_form_browser";
