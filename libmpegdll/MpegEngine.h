#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "AudioOutput.h"
#include "mpegdll.h"

struct mpg123_handle_struct;

namespace mpegdll {

// Error codes of the library, as LastError reports them.
enum ErrorCode : int32_t {
    kNoError = 0,
    kDecoderError = 1,
    kIncorrectMode = 2,
    kInputStreamError = 3,
    kNotSeekable = 4,
    kOutputDeviceFailure = 5,
};

// The one player behind the library's entry points: an open MPEG audio stream, played on
// a thread of its own. Every method but those of the playback thread runs on the
// caller's thread; each sets the error code (0 when it succeeds).
class MpegEngine {
  public:
    ~MpegEngine();

    bool Init();
    void Deinit();
    void Open(const char* file_name);
    void Close();
    void SetPriority(int32_t windows_priority);
    void SetOutputDevice(int32_t device, const char* file_name);
    bool Play(int32_t start_ms, int32_t end_ms, int32_t* end_flag);
    void Pause();
    void Restart();
    void Stop();
    void Seek(int32_t position_ms);
    void ResetPlayerMode();

    int32_t Mode() const { return mode_.load(); }
    int32_t CurrentPosition() const;
    int32_t Length() const;
    int32_t Frequency() const;
    int32_t Bitrate() const;
    int32_t Layer() const;
    int32_t LastError() const { return last_error_; }
    void SetError(ErrorCode code) { last_error_ = code; }

  private:
    bool StartPlayback();
    void JoinPlayback();
    void RunPlayback();
    // Waits until the wall clock has caught up with what was written; false on a stop.
    bool KeepPace(std::chrono::steady_clock::time_point start, int64_t samples);
    int32_t SamplesToMs(int64_t samples) const;
    int64_t MsToSamples(int32_t ms) const;

    bool ready_ = false;
    int32_t last_error_ = kNoError;
    mpg123_handle_struct* decoder_ = nullptr;  // the open stream, or null
    std::string stream_name_;
    long rate_ = 0;
    int channels_ = 0;
    int64_t length_samples_ = 0;

    int32_t device_ = 0;
    std::string out_file_;
    int nice_ = 0;
    int64_t start_sample_ = 0;
    int64_t end_sample_ = 0;  // 0: the stream's end
    int32_t* end_flag_ = nullptr;

    std::atomic<int32_t> mode_{0};
    std::atomic<int64_t> played_samples_{0};
    std::thread playback_;
    std::unique_ptr<AudioOutput> output_;
    std::mutex mutex_;  // guards the three below and the decoder while playing
    std::condition_variable wake_;
    bool stop_requested_ = false;
    bool paused_ = false;
    int64_t seek_to_ = -1;
};

}  // namespace mpegdll
