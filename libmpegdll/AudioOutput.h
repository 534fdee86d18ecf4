#pragma once

#include <cstddef>
#include <memory>
#include <string>

struct out123_struct;

namespace mpegdll {

// Where decoded samples (signed 16-bit, interleaved) go: an audio device or a WAV file
// through libout123, or nowhere. Only a device keeps time by itself; the player paces
// the others so that a play lasts as long as the music.
class AudioOutput {
  public:
    // The desktop's audio output, or what SAVERHOST_AUDIO_SINK chooses in its place;
    // `source` names the recording when that is a folder. nullptr when it cannot be opened.
    static std::unique_ptr<AudioOutput> OpenDefault(const std::string& source);
    // A WAV file. nullptr when it cannot be created.
    static std::unique_ptr<AudioOutput> OpenWavFile(const std::string& path);

    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    bool KeepsTime() const { return keeps_time_; }
    bool Start(long rate, int channels);
    void Write(const unsigned char* data, size_t bytes);
    void Pause();
    void Continue();
    // Lets what is queued play out, then closes the output.
    void Finish();

  private:
    AudioOutput(out123_struct* handle, bool keeps_time);
    static std::unique_ptr<AudioOutput> Open(const char* driver, const char* device,
                                             bool keeps_time);

    out123_struct* handle_;  // null for no output
    bool keeps_time_;
};

}  // namespace mpegdll
