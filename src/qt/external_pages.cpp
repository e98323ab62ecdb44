#include "qt/external_pages.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>

#ifdef _WIN32
#include <windows.h>

#include <shlwapi.h>  // after windows.h, which it builds on
#endif

namespace stakora::qt {

namespace {
constexpr QLatin1StringView kFileScheme("file://");
}

QUrl PageUrl(const QString& address) {
  if (!address.startsWith(kFileScheme)) return QUrl(address);
  // The pages folder is a path of this system, "C:\Stakora" on Windows: the
  // text after the scheme is not yet a URL.
  return QUrl::fromLocalFile(QDir::fromNativeSeparators(address.mid(kFileScheme.size())));
}

QString DefaultBrowser() {
#ifdef _WIN32
  wchar_t program[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (FAILED(AssocQueryStringW(0, ASSOCSTR_EXECUTABLE, L"http", L"open", program, &size)))
    return {};
  QString browser = QString::fromWCharArray(program);
  // Older Edge registers a launcher that takes no address.
  if (browser.contains("LaunchWinApp.exe", Qt::CaseInsensitive)) browser = "msedge.exe";
  return browser;
#else
  return {};
#endif
}

QString ExternalPages::ShowBrowser(const QString& address) {
  const QUrl url = PageUrl(address);
  // The browser itself, so that the release notes open there and not in the
  // program their file type belongs to; started, not waited for.
  if (!browser_.isEmpty() && QProcess::startDetached(browser_, {url.toString(QUrl::FullyEncoded)}))
    return {};
  if (QDesktopServices::openUrl(url)) return {};
  return "The page could not be opened in your web browser:\n\n" +
         (url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : address);
}

void ExternalPages::OpenExternal(const QString& address) {
  QDesktopServices::openUrl(PageUrl(address));
}

}  // namespace stakora::qt
