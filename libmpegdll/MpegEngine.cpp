#include "MpegEngine.h"

#include <mpg123.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace mpegdll {

namespace {

constexpr size_t kMaxFileName = 511;
constexpr size_t kMaxOutFileName = 259;
constexpr int64_t kChunkSamples = 32768;  // 0.74 s at 44.1 kHz: few wake-ups

// The nice value for a Windows thread priority; -1 for a value that is none.
int NiceOfPriority(int32_t windows_priority) {
    switch (windows_priority) {
        case -15:
            return 19;  // Idle
        case -2:
            return 10;  // Lowest
        case -1:
            return 5;  // BelowNormal
        case 0:
            return 0;  // Normal
        case 1:
            return -5;  // AboveNormal
        case 2:
            return -10;  // Highest
        case 15:
            return -20;  // TimeCritical
        default:
            return -1;
    }
}

// The decoder reads through stdio's buffer: libmpg123's own reader asks the system for
// every frame header and body apart, twice per frame with the length scan.
ssize_t ReadFile(void* file, void* buffer, size_t bytes) {
    const size_t got = std::fread(buffer, 1, bytes, static_cast<FILE*>(file));
    return got == 0 && std::ferror(static_cast<FILE*>(file)) ? -1 : static_cast<ssize_t>(got);
}

off_t SeekFile(void* file, off_t offset, int whence) {
    return fseeko(static_cast<FILE*>(file), offset, whence) == 0 ? ftello(static_cast<FILE*>(file))
                                                                 : -1;
}

void CloseFile(void* file) {
    std::fclose(static_cast<FILE*>(file));
}

// Opens `name` for the decoder; false when it cannot be read.
bool OpenBuffered(mpg123_handle* decoder, const char* name) {
    FILE* file = std::fopen(name, "rbe");
    if (file == nullptr) {
        return false;
    }
    if (mpg123_replace_reader_handle(decoder, ReadFile, SeekFile, CloseFile) != MPG123_OK ||
        mpg123_open_handle(decoder, file) != MPG123_OK) {
        std::fclose(file);
        return false;
    }
    return true;
}

bool ValidName(const char* name, size_t max_length) {
    return name != nullptr && name[0] != '\0' && std::strlen(name) <= max_length;
}

}  // namespace

MpegEngine::~MpegEngine() {
    Deinit();
}

bool MpegEngine::Init() {
    last_error_ = kNoError;
    ready_ = true;
    return true;
}

void MpegEngine::Deinit() {
    if (decoder_ != nullptr) {
        Close();
    }
    ready_ = false;
    last_error_ = kNoError;
}

void MpegEngine::Open(const char* file_name) {
    last_error_ = kNoError;
    if (!ready_ || decoder_ != nullptr) {
        last_error_ = kIncorrectMode;
        return;
    }
    if (!ValidName(file_name, kMaxFileName)) {
        last_error_ = kInputStreamError;
        return;
    }
    mpg123_handle* decoder = mpg123_new(nullptr, nullptr);
    if (decoder == nullptr) {
        last_error_ = kDecoderError;
        return;
    }
    // One output encoding, signed 16 bit, at whatever rate and channel count the stream has.
    mpg123_param(decoder, MPG123_ADD_FLAGS, MPG123_QUIET, 0.);
    mpg123_format_none(decoder);
    const long* rates = nullptr;
    size_t rate_count = 0;
    mpg123_rates(&rates, &rate_count);
    for (size_t i = 0; i < rate_count; ++i) {
        mpg123_format(decoder, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    }
    int encoding = 0;
    // A file that holds no MPEG audio frame (empty, text, garbage) has no format.
    if (!OpenBuffered(decoder, file_name) || mpg123_scan(decoder) != MPG123_OK ||
        mpg123_getformat(decoder, &rate_, &channels_, &encoding) != MPG123_OK || rate_ <= 0 ||
        channels_ <= 0) {
        mpg123_delete(decoder);
        last_error_ = kInputStreamError;
        return;
    }
    decoder_ = decoder;
    stream_name_ = file_name;
    const off_t length = mpg123_length(decoder);
    length_samples_ = length > 0 ? length : 0;
    played_samples_ = 0;
    mode_ = MPEGDLL_MODE_STOPPED;
}

void MpegEngine::Close() {
    last_error_ = kNoError;
    if (decoder_ == nullptr) {
        last_error_ = kIncorrectMode;
        return;
    }
    if (Mode() >= MPEGDLL_MODE_PAUSED) {
        Stop();
    }
    JoinPlayback();
    output_.reset();
    mpg123_delete(decoder_);
    decoder_ = nullptr;
    stream_name_.clear();
    end_flag_ = nullptr;
    mode_ = MPEGDLL_MODE_CLOSED;
    last_error_ = kNoError;
}

void MpegEngine::SetPriority(int32_t windows_priority) {
    const int nice = NiceOfPriority(windows_priority);
    last_error_ = nice == -1 ? kIncorrectMode : kNoError;
    if (nice != -1) {
        nice_ = nice;
    }
}

void MpegEngine::SetOutputDevice(int32_t device, const char* file_name) {
    last_error_ = kNoError;
    if (device == MPEGDLL_DEVICE_DEFAULT) {
        device_ = device;
    } else if (device == MPEGDLL_DEVICE_PCMFILE && ValidName(file_name, kMaxOutFileName)) {
        device_ = device;
        out_file_ = file_name;
    } else {
        last_error_ = kOutputDeviceFailure;
    }
}

bool MpegEngine::Play(int32_t start_ms, int32_t end_ms, int32_t* end_flag) {
    last_error_ = kNoError;
    if (Mode() != MPEGDLL_MODE_STOPPED || start_ms < 0 || end_ms < 0) {
        last_error_ = kIncorrectMode;
        return false;
    }
    start_sample_ = MsToSamples(start_ms);
    end_sample_ = MsToSamples(end_ms);
    end_flag_ = end_flag;
    return StartPlayback();
}

void MpegEngine::Restart() {
    last_error_ = kNoError;
    if (Mode() == MPEGDLL_MODE_PAUSED) {
        {
            std::lock_guard lock(mutex_);
            paused_ = false;
        }
        wake_.notify_all();
        mode_ = MPEGDLL_MODE_PLAYING;
    } else if (Mode() != MPEGDLL_MODE_STOPPED || !StartPlayback()) {
        last_error_ = last_error_ == kNoError ? kIncorrectMode : last_error_;
    }
}

void MpegEngine::Pause() {
    last_error_ = kNoError;
    if (Mode() != MPEGDLL_MODE_PLAYING) {
        last_error_ = kIncorrectMode;
        return;
    }
    {
        std::lock_guard lock(mutex_);
        paused_ = true;
    }
    mode_ = MPEGDLL_MODE_PAUSED;
}

void MpegEngine::Stop() {
    last_error_ = kNoError;
    if (Mode() < MPEGDLL_MODE_PAUSED) {
        last_error_ = kIncorrectMode;
        return;
    }
    {
        std::lock_guard lock(mutex_);
        stop_requested_ = true;
    }
    wake_.notify_all();
    JoinPlayback();
    output_.reset();
    mpg123_seek(decoder_, 0, SEEK_SET);
    played_samples_ = 0;
    mode_ = MPEGDLL_MODE_STOPPED;
}

void MpegEngine::Seek(int32_t position_ms) {
    last_error_ = kNoError;
    if (decoder_ == nullptr || position_ms < 0) {
        last_error_ = kIncorrectMode;
        return;
    }
    const int64_t sample = MsToSamples(position_ms);
    std::lock_guard lock(mutex_);
    if (Mode() >= MPEGDLL_MODE_PAUSED) {
        seek_to_ = sample;
    } else if (mpg123_seek(decoder_, sample, SEEK_SET) < 0) {
        last_error_ = kNotSeekable;
    } else {
        played_samples_ = sample;
    }
}

void MpegEngine::ResetPlayerMode() {
    if (Mode() == MPEGDLL_MODE_PAUSED) {
        Stop();
    }
    mode_ = decoder_ != nullptr ? MPEGDLL_MODE_STOPPED : MPEGDLL_MODE_CLOSED;
    last_error_ = kNoError;
}

int32_t MpegEngine::CurrentPosition() const {
    return SamplesToMs(played_samples_.load());
}

int32_t MpegEngine::Length() const {
    return SamplesToMs(length_samples_);
}

int32_t MpegEngine::Frequency() const {
    return static_cast<int32_t>(rate_);
}

int32_t MpegEngine::Bitrate() const {
    mpg123_frameinfo2 info{};
    std::lock_guard lock(const_cast<std::mutex&>(mutex_));
    return decoder_ != nullptr && mpg123_info2(decoder_, &info) == MPG123_OK ? info.bitrate : 0;
}

int32_t MpegEngine::Layer() const {
    mpg123_frameinfo2 info{};
    std::lock_guard lock(const_cast<std::mutex&>(mutex_));
    return decoder_ != nullptr && mpg123_info2(decoder_, &info) == MPG123_OK ? info.layer : 0;
}

int32_t MpegEngine::SamplesToMs(int64_t samples) const {
    return rate_ > 0 ? static_cast<int32_t>(samples * 1000 / rate_) : 0;
}

int64_t MpegEngine::MsToSamples(int32_t ms) const {
    return static_cast<int64_t>(ms) * rate_ / 1000;
}

bool MpegEngine::StartPlayback() {
    JoinPlayback();
    output_ = device_ == MPEGDLL_DEVICE_PCMFILE ? AudioOutput::OpenWavFile(out_file_)
                                                : AudioOutput::OpenDefault(stream_name_);
    if (output_ == nullptr || !output_->Start(rate_, channels_)) {
        output_.reset();
        last_error_ = kOutputDeviceFailure;
        return false;
    }
    if (mpg123_seek(decoder_, start_sample_, SEEK_SET) < 0) {
        output_.reset();
        last_error_ = kNotSeekable;
        return false;
    }
    played_samples_ = start_sample_;
    stop_requested_ = false;
    paused_ = false;
    seek_to_ = -1;
    mode_ = MPEGDLL_MODE_PLAYING;
    playback_ = std::thread([this] { RunPlayback(); });
    return true;
}

void MpegEngine::JoinPlayback() {
    if (playback_.joinable()) {
        playback_.join();
    }
}

bool MpegEngine::KeepPace(std::chrono::steady_clock::time_point start, int64_t samples) {
    const auto due = start + std::chrono::microseconds(samples * 1000000 / rate_);
    std::unique_lock lock(mutex_);
    wake_.wait_until(lock, due, [this] { return stop_requested_ || paused_; });
    return !stop_requested_;
}

void MpegEngine::RunPlayback() {
    if (nice_ != 0) {
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), nice_);  // may be refused
    }
    const int64_t frame_bytes = static_cast<int64_t>(channels_) * 2;
    auto pace_start = std::chrono::steady_clock::now();
    int64_t paced_samples = 0;
    int64_t unpaced_samples = 0;  // decoded since the last wait for the clock
    bool reached_end = false;
    for (;;) {
        std::unique_lock lock(mutex_);
        if (paused_ && !stop_requested_) {
            output_->Pause();
            const auto paused_at = std::chrono::steady_clock::now();
            wake_.wait(lock, [this] { return !paused_ || stop_requested_; });
            output_->Continue();
            pace_start += std::chrono::steady_clock::now() - paused_at;
        }
        if (stop_requested_) {
            break;
        }
        if (seek_to_ >= 0) {
            mpg123_seek(decoder_, seek_to_, SEEK_SET);
            played_samples_ = seek_to_;
            seek_to_ = -1;
            pace_start = std::chrono::steady_clock::now();
            paced_samples = 0;
            unpaced_samples = 0;
        }
        const int64_t played = played_samples_.load();
        if (end_sample_ > 0 && played >= end_sample_) {
            reached_end = true;
            break;
        }
        // The decoder hands out its own buffer of one frame: no copy. Only this thread
        // decodes, so the buffer stays as it is until the next call here.
        unsigned char* audio = nullptr;
        size_t bytes = 0;  // stays 0 at the end and at a change of format
        const int result = mpg123_decode_frame(decoder_, nullptr, &audio, &bytes);
        lock.unlock();
        if (end_sample_ > 0) {
            bytes = std::min<int64_t>(bytes, (end_sample_ - played) * frame_bytes);
        }
        if (bytes > 0) {
            output_->Write(audio, bytes);
        }
        const int64_t samples = static_cast<int64_t>(bytes) / frame_bytes;
        played_samples_ += samples;
        paced_samples += samples;
        unpaced_samples += samples;
        // The stream's end, and damage the decoder cannot get past, both end the play.
        const bool stream_ended = result != MPG123_OK && result != MPG123_NEW_FORMAT;
        const bool last = stream_ended || (end_sample_ > 0 && played_samples_ >= end_sample_);
        // Waiting once per chunk rather than per frame keeps the thread's wake-ups few;
        // the last wait lets the end come when the music's last sample is due.
        if (!output_->KeepsTime() && (last || unpaced_samples >= kChunkSamples)) {
            unpaced_samples = 0;
            if (!KeepPace(pace_start, paced_samples)) {
                break;
            }
        }
        if (stream_ended) {
            reached_end = true;
            break;
        }
    }
    if (reached_end) {
        output_->Finish();
        mode_ = MPEGDLL_MODE_STOPPED;
        if (end_flag_ != nullptr) {
            __atomic_store_n(end_flag_, 1, __ATOMIC_RELEASE);
        }
    }
}

}  // namespace mpegdll
