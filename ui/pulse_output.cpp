#include <pulse/error.h>
#include <pulse/simple.h>

#include "ui/audio_output.h"

namespace tessaly {

namespace {

class PulseOutput : public AudioOutput {
  public:
    explicit PulseOutput(pa_simple* stream) : stream_(stream) {}
    ~PulseOutput() override { pa_simple_free(stream_); }
    PulseOutput(const PulseOutput&) = delete;
    PulseOutput& operator=(const PulseOutput&) = delete;

    bool Write(const int16_t* samples, std::size_t frames) override {
        int error = 0;
        return pa_simple_write(stream_, samples, frames * AudioChannels * sizeof(int16_t),
                               &error) == 0;
    }
    void Flush() override {
        int error = 0;
        pa_simple_flush(stream_, &error);
    }

  private:
    pa_simple* stream_;
};

uint32_t BytesFor(int milliseconds) {
    return static_cast<uint32_t>(AudioRate * milliseconds / 1000 * AudioChannels *
                                 static_cast<int>(sizeof(int16_t)));
}

}  // namespace

std::unique_ptr<AudioOutput> OpenPulseOutput(const std::string& streamName, int latencyMs,
                                             std::string& error) {
    const pa_sample_spec format{PA_SAMPLE_S16LE, AudioRate, AudioChannels};
    // A short target buffer keeps the start of a sound and a cut close to the call; playback
    // begins as soon as one write of about 10 ms has arrived.
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.tlength = BytesFor(latencyMs);
    attr.prebuf = BytesFor(10);
    attr.minreq = static_cast<uint32_t>(-1);
    attr.fragsize = static_cast<uint32_t>(-1);
    int code = 0;
    pa_simple* stream = pa_simple_new(nullptr, "Tessaly", PA_STREAM_PLAYBACK, nullptr,
                                      streamName.c_str(), &format, nullptr, &attr, &code);
    if (stream == nullptr) {
        error = pa_strerror(code);
        return nullptr;
    }
    return std::make_unique<PulseOutput>(stream);
}

}  // namespace tessaly
