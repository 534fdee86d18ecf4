#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace saver::test {

// A 16-bit PCM WAV file as recorded by the saver's audio sinks, read for checks.
struct WavFile {
    int rate = 0;
    int channels = 0;
    std::vector<int16_t> samples;  // interleaved

    // False when the file is missing or not 16-bit PCM WAV.
    bool Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 ||
            bytes.compare(8, 4, "WAVE") != 0) {
            return false;
        }
        int bits = 0;
        for (size_t at = 12; at + 8 <= bytes.size();) {
            const std::string id = bytes.substr(at, 4);
            uint32_t size = 0;
            std::memcpy(&size, bytes.data() + at + 4, 4);
            const size_t body = at + 8;
            // A recording stopped early may leave the data size unwritten: read to the end.
            const size_t available = bytes.size() - body;
            if (id == "fmt " && available >= 16) {
                uint16_t value = 0;
                std::memcpy(&value, bytes.data() + body + 2, 2);
                channels = value;
                uint32_t sample_rate = 0;
                std::memcpy(&sample_rate, bytes.data() + body + 4, 4);
                rate = static_cast<int>(sample_rate);
                std::memcpy(&value, bytes.data() + body + 14, 2);
                bits = value;
            } else if (id == "data") {
                const size_t length = size == 0 || size > available ? available : size;
                samples.resize(length / 2);
                std::memcpy(samples.data(), bytes.data() + body, samples.size() * 2);
                break;
            }
            at = body + size + (size & 1);
        }
        return bits == 16 && rate > 0 && channels > 0;
    }

    double Seconds() const {
        return rate > 0 && channels > 0 ? double(samples.size()) / channels / rate : 0;
    }
    // Root mean square level, 0 to 1.
    double Level() const {
        double sum = 0;
        for (int16_t sample : samples) {
            sum += double(sample) * sample;
        }
        return samples.empty() ? 0 : std::sqrt(sum / samples.size()) / 32768.0;
    }
    // The pitch of a pure tone in the first channel: rising swings through zero (with a
    // margin, so that the near-silence at either end counts for nothing) over the time
    // between the first and the last.
    double Frequency() const {
        constexpr int kMargin = 1000;
        bool high = false;
        long first = -1;
        long last = -1;
        int rises = 0;
        for (size_t i = 0; i + channels <= samples.size(); i += channels) {
            const long frame = static_cast<long>(i) / channels;
            if (!high && samples[i] > kMargin) {
                high = true;
                first = first < 0 ? frame : first;
                last = frame;
                ++rises;
            } else if (high && samples[i] < -kMargin) {
                high = false;
            }
        }
        return rises > 1 ? (rises - 1) * double(rate) / double(last - first) : 0;
    }
};

}  // namespace saver::test
