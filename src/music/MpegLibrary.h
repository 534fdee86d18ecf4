#pragma once

#include <memory>
#include <string>

#include "mpegdll.h"
#include "platform/LibraryLoader.h"

namespace saver {

// The MPEG audio library loaded and its 19 entry points resolved. Every call checks the
// library's error code afterwards and raises TMPEGError by it.
class MpegLibrary {
  public:
    // Loads the library at `path` and resolves every entry point; raises "Can't load MPEG
    // library" when it cannot be loaded and "MPEG library not loaded" when an entry point
    // is missing (the library is then unloaded again).
    MpegLibrary(LibraryLoader& loader, const std::string& path);
    ~MpegLibrary();
    MpegLibrary(const MpegLibrary&) = delete;
    MpegLibrary& operator=(const MpegLibrary&) = delete;

    void Init();
    void Open(const std::string& file_name);
    void SetPriority(int priority);
    void SetOutputDevice(int device, const std::string& file_name);
    void Play(int start_ms, int end_ms, int32_t* end_flag);
    void Restart();
    void Stop();
    void Close();
    int GetPlayerMode();
    int GetCurrentPos();
    int GetLength();

  private:
    template <typename Function>
    void Resolve(Function*& entry, const char* name);
    // Raises TMPEGError when the last call left an error code.
    void Check() const;

    std::unique_ptr<LoadedLibrary> library_;
    decltype(&::init) init_ = nullptr;
    decltype(&::deinit) deinit_ = nullptr;
    decltype(&::Open) open_ = nullptr;
    decltype(&::Pause) pause_ = nullptr;
    decltype(&::Restart) restart_ = nullptr;
    decltype(&::Stop) stop_ = nullptr;
    decltype(&::SetPriority) set_priority_ = nullptr;
    decltype(&::SetOutputDevice) set_output_device_ = nullptr;
    decltype(&::Play) play_ = nullptr;
    decltype(&::Close) close_ = nullptr;
    decltype(&::GetFrequency) get_frequency_ = nullptr;
    decltype(&::GetBitrate) get_bitrate_ = nullptr;
    decltype(&::GetLayer) get_layer_ = nullptr;
    decltype(&::GetPlayerMode) get_player_mode_ = nullptr;
    decltype(&::GetCurrentPos) get_current_pos_ = nullptr;
    decltype(&::GetLength) get_length_ = nullptr;
    decltype(&::ResetPlayerMode) reset_player_mode_ = nullptr;
    decltype(&::Seek) seek_ = nullptr;
    decltype(&::LastError) last_error_ = nullptr;
    bool initialised_ = false;
};

// The message of a library error code.
std::string MpegErrorMessage(int code);

}  // namespace saver
