// The publisher's web site, named by the about box and the window's link label.
#pragma once

namespace tessaly {

inline constexpr char PublisherSite[] = "www.tessaly.invalid";
inline constexpr char PublisherAddress[] = "https://www.tessaly.invalid/";

}  // namespace tessaly
