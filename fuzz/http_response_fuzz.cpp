// Any byte stream from a server must end in an outcome without a crash or a runaway buffer.
// The first byte picks how the stream is cut into reads and how it ends, so framing bugs that
// depend on read boundaries are reachable too.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "update/http_response.h"

namespace {

class FuzzSource : public tessaly::ByteSource {
  public:
    FuzzSource(std::string_view data, std::size_t piece, Status end)
        : data_(data), piece_(piece), end_(end) {}

    Status Read(std::string& out, std::size_t max) override {
        if (data_.empty()) return end_;
        const std::size_t take = std::min({piece_, max, data_.size()});
        out.append(data_.substr(0, take));
        data_.remove_prefix(take);
        return Status::Data;
    }

  private:
    std::string_view data_;
    std::size_t piece_;
    Status end_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t control = data[0];
    const std::string_view stream(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t piece = (control & 0x7F) + 1;
    const auto end =
        control & 0x80 ? tessaly::ByteSource::Status::Closed : tessaly::ByteSource::Status::Failed;
    // A small cap makes the over-limit paths easy to reach.
    const std::size_t limit = control & 0x40 ? 64 : tessaly::HttpBodyLimit;
    FuzzSource source(stream, piece, end);
    const tessaly::HttpResponse response = tessaly::ReadHttpResponse(source, limit);
    if (response.body.size() > limit || response.body.size() > stream.size()) __builtin_trap();
    if (response.outcome != tessaly::HttpOutcome::Success && !response.body.empty()) {
        __builtin_trap();
    }
    return 0;
}
