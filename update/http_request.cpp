#include "update/http_request.h"

namespace tessaly {

std::string BuildRequestHead(std::string_view host, std::uint16_t port, std::string_view target,
                             std::string_view cookies) {
    std::string head;
    head.reserve(256);
    head.append("GET ").append(target.empty() ? "/" : target).append(" HTTP/1.1\r\n");
    head.append("Host: ").append(host);
    if (port != 80) head.append(":").append(std::to_string(port));
    head.append("\r\n");
    head.append("Accept: text/html, */*\r\n");
    head.append("Accept-Encoding: identity\r\n");
    head.append("User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n");
    if (!cookies.empty()) head.append("Cookie: ").append(cookies).append("\r\n");
    head.append("\r\n");
    return head;
}

}  // namespace tessaly
