// The GET request head sent to the update host.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly {

// The whole head, ending in the empty line, as it goes on the wire in one write. `target` is
// the path and query; `cookies` the value of the Cookie header, left out when empty.
std::string BuildRequestHead(std::string_view host, std::uint16_t port, std::string_view target,
                             std::string_view cookies);

}  // namespace tessaly
