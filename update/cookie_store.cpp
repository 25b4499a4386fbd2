#include "update/cookie_store.h"

#include <QByteArray>
#include <QNetworkCookie>
#include <QNetworkCookieJar>

namespace tessaly {

// Qt matches domains and paths; this only keeps the count down.
class CookieStore::Jar : public QNetworkCookieJar {
  public:
    bool insertCookie(const QNetworkCookie& cookie) override {
        const bool kept = QNetworkCookieJar::insertCookie(cookie);
        if (allCookies().size() > static_cast<qsizetype>(CookieCountLimit)) {
            // Replacements are removed and appended again, so the front is the oldest.
            QList<QNetworkCookie> cookies = allCookies();
            cookies.erase(cookies.begin(),
                          cookies.end() - static_cast<qsizetype>(CookieCountLimit));
            setAllCookies(cookies);
        }
        return kept;
    }
};

namespace {

bool Acceptable(const QNetworkCookie& cookie) {
    const auto unsafe = [](const QByteArray& text) {
        return text.contains('\r') || text.contains('\n') || text.contains('\0');
    };
    return static_cast<std::size_t>(cookie.name().size() + cookie.value().size()) <=
               CookieSizeLimit &&
           !unsafe(cookie.name()) && !unsafe(cookie.value());
}

}  // namespace

CookieStore::CookieStore() : jar_(std::make_unique<Jar>()) {}
CookieStore::~CookieStore() = default;

void CookieStore::Take(const std::vector<std::string>& setCookies, const QUrl& url) {
    QList<QNetworkCookie> latest;
    for (auto line = setCookies.rbegin();
         line != setCookies.rend() && latest.size() < static_cast<qsizetype>(CookieCountLimit);
         ++line) {
        QList<QNetworkCookie> cookies =
            QNetworkCookie::parseCookies(QByteArray::fromStdString(*line));
        cookies.removeIf([](const QNetworkCookie& cookie) { return !Acceptable(cookie); });
        latest = cookies + latest;
    }
    jar_->setCookiesFromUrl(latest, url);
}

std::string CookieStore::HeaderFor(const QUrl& url) const {
    std::string header;
    for (const QNetworkCookie& cookie : jar_->cookiesForUrl(url)) {
        const QByteArray pair = cookie.toRawForm(QNetworkCookie::NameAndValueOnly);
        const std::size_t separator = header.empty() ? 0 : 2;
        if (header.size() + separator + static_cast<std::size_t>(pair.size()) > CookieHeaderLimit) {
            continue;
        }
        if (separator) header += "; ";
        header.append(pair.constData(), static_cast<std::size_t>(pair.size()));
    }
    return header;
}

}  // namespace tessaly
