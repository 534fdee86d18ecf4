#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "music/MpegLibrary.h"
#include "music/TimerFactory.h"
#include "platform/LibraryLoader.h"

namespace saver {

// Windows thread priorities, as the MPEG library takes them.
enum class TThreadPriority : int {
    Idle = -15,
    Lowest = -2,
    BelowNormal = -1,
    Normal = 0,
    AboveNormal = 1,
    Highest = 2,
    TimeCritical = 15,
};

enum class TMPEGOutputDevice { wavemapper, pcmfile };

// Plays MPEG audio files through the MPEG audio library. Every failure raises TMPEGError.
class TMPEGPlayer {
  public:
    // The library's file names, tried in each folder in this order: the name savers carry
    // it under, then the name it is installed under.
    static const std::vector<std::string> kLibraryNames;

    TMPEGPlayer(LibraryLoader& loader, TimerFactory create_timer);
    ~TMPEGPlayer();
    TMPEGPlayer(const TMPEGPlayer&) = delete;
    TMPEGPlayer& operator=(const TMPEGPlayer&) = delete;

    // Settings, read when used.
    bool Seekable = false;
    bool FromStream = false;
    TThreadPriority Priority = TThreadPriority::Normal;
    bool UseTimer = true;
    int TimerFreq = 1000;
    bool AutoPlay = false;
    TMPEGOutputDevice OutputDevice = TMPEGOutputDevice::wavemapper;
    std::string OutFilename;
    int StartPos = 0;
    int EndPos = 0;
    // The folder to load the library from; empty: the default folders.
    std::string PathToDLL;
    // The folders tried, in order, when PathToDLL is empty.
    std::vector<std::string> DefaultFolders;
    // The position in milliseconds on each timer tick, 0 when past the length.
    std::function<void(int)> OnPosUpdate;
    std::function<void()> OnPlayEnd;

    // Loads the library, resolves its entry points and initialises it.
    void LoadLibrary();
    bool Loaded() const { return library_ != nullptr; }

    // Names the stream to play, closing the one open.
    void SetStreamName(const std::string& name);
    const std::string& StreamName() const { return stream_name_; }
    void Open();
    void Play();
    // Stops the play and closes the stream.
    void Stop();
    int Mode();
    int Length() const { return length_; }

  private:
    MpegLibrary& Library();
    void EnableTimer(bool enabled);
    void TimerTick();

    LibraryLoader& loader_;
    TimerFactory create_timer_;
    std::unique_ptr<MpegLibrary> library_;
    std::unique_ptr<Timer> timer_;
    std::string stream_name_;
    bool opened_ = false;
    bool played_ = false;
    int length_ = 0;
    // Set by the library's playback thread when the play has reached its end.
    int32_t end_flag_ = 0;
};

}  // namespace saver
