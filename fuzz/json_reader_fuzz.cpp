// Any reply text must parse or fail without a crash, a leak or a runaway recursion.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "update/json_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto value = tessaly::ParseJson(text);
    const std::string version = tessaly::ReadJsonString(text, "version");
    // A found member implies the text parsed as an object.
    if (!version.empty() &&
        (!value || !std::holds_alternative<tessaly::JsonObject>(value->content))) {
        __builtin_trap();
    }
    return 0;
}
