#include "qt/external_pages.h"

#include <QDesktopServices>
#include <QDir>

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

QString ExternalPages::ShowBrowser(const QString& address) {
  const QUrl url = PageUrl(address);
  if (QDesktopServices::openUrl(url)) return {};
  return "The page could not be opened in your web browser:\n\n" +
         (url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : address);
}

void ExternalPages::OpenExternal(const QString& address) {
  QDesktopServices::openUrl(PageUrl(address));
}

}  // namespace stakora::qt
