#include "AudioOutput.h"

#include <out123.h>

#include "base/AudioSinkChoice.h"

namespace mpegdll {

AudioOutput::AudioOutput(out123_struct* handle, bool keeps_time)
    : handle_(handle), keeps_time_(keeps_time) {}

AudioOutput::~AudioOutput() {
    if (handle_ != nullptr) {
        out123_del(handle_);
    }
}

std::unique_ptr<AudioOutput> AudioOutput::Open(const char* driver, const char* device,
                                               bool keeps_time) {
    out123_handle* handle = out123_new();
    if (handle == nullptr) {
        return nullptr;
    }
    out123_param_int(handle, OUT123_ADD_FLAGS, OUT123_QUIET);
    if (out123_open(handle, driver, device) != OUT123_OK) {
        out123_del(handle);
        return nullptr;
    }
    return std::unique_ptr<AudioOutput>(new AudioOutput(handle, keeps_time));
}

std::unique_ptr<AudioOutput> AudioOutput::OpenDefault(const std::string& source) {
    const saver::AudioSinkChoice choice = saver::AudioSinkFromEnvironment();
    switch (choice.kind) {
        case saver::AudioSinkChoice::Kind::Null:
            return std::unique_ptr<AudioOutput>(new AudioOutput(nullptr, false));
        case saver::AudioSinkChoice::Kind::Folder:
            return OpenWavFile(saver::NextRecordingPath(choice.folder, source));
        case saver::AudioSinkChoice::Kind::Device:
            break;
    }
    return Open(nullptr, nullptr, true);
}

std::unique_ptr<AudioOutput> AudioOutput::OpenWavFile(const std::string& path) {
    return Open("wav", path.c_str(), false);
}

bool AudioOutput::Start(long rate, int channels) {
    return handle_ == nullptr ||
           out123_start(handle_, rate, channels, MPG123_ENC_SIGNED_16) == OUT123_OK;
}

void AudioOutput::Write(const unsigned char* data, size_t bytes) {
    if (handle_ != nullptr) {
        out123_play(handle_, const_cast<unsigned char*>(data), bytes);
    }
}

void AudioOutput::Pause() {
    if (handle_ != nullptr) {
        out123_pause(handle_);
    }
}

void AudioOutput::Continue() {
    if (handle_ != nullptr) {
        out123_continue(handle_);
    }
}

void AudioOutput::Finish() {
    if (handle_ != nullptr) {
        out123_drain(handle_);
        out123_close(handle_);
    }
}

}  // namespace mpegdll
