// The cookies one version check keeps between its attempts, within limits that a hostile
// server cannot push past: Qt's jar has none, and its look-ups grow with the square of its size.
#pragma once

#include <QUrl>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace tessaly {

// The usual browser minimums, far above what the update host needs.
inline constexpr std::size_t CookieCountLimit = 50;
inline constexpr std::size_t CookieSizeLimit = 4 * 1024;  // name and value together
inline constexpr std::size_t CookieHeaderLimit = 16 * 1024;

class CookieStore {
  public:
    CookieStore();
    ~CookieStore();
    CookieStore(const CookieStore&) = delete;
    CookieStore& operator=(const CookieStore&) = delete;

    // Takes the cookies of an answer to `url`, one Set-Cookie value each. Cookies over the size
    // limit, or whose name or value holds CR, LF or NUL (they would end up in a request head),
    // are dropped. Past the count limit the oldest cookie gives way, so of one answer only its
    // last CookieCountLimit acceptable cookies are even read.
    void Take(const std::vector<std::string>& setCookies, const QUrl& url);
    // The Cookie header's value for a request of `url`, at most CookieHeaderLimit bytes;
    // cookies that do not fit are left out.
    std::string HeaderFor(const QUrl& url) const;

  private:
    class Jar;
    std::unique_ptr<Jar> jar_;
};

}  // namespace tessaly
