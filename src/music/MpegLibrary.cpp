#include "music/MpegLibrary.h"

#include "music/TMPEGError.h"

namespace saver {

namespace {

constexpr size_t kMaxStreamName = 511;
constexpr size_t kMaxOutFileName = 259;

}  // namespace

std::string MpegErrorMessage(int code) {
    switch (code) {
        case kCantLoadCode:
            return "Can't load MPEG library";
        case 0:
            return "MPEG library not loaded";
        case 2:
            return "Incorrect mode";
        case 3:
            return "Input stream error";
        case 4:
            return "Input stream is non-seekable";
        case 5:
            return "Output device failure";
        case kNoStreamCode:
            return "Can't play non-specified stream";
        default:
            return "Internal decoder error";  // 1, and codes the library should not give
    }
}

template <typename Function>
void MpegLibrary::Resolve(Function*& entry, const char* name) {
    entry = reinterpret_cast<Function*>(library_->Symbol(name));
    if (entry == nullptr) {
        library_.reset();
        throw TMPEGError(MpegErrorMessage(0), 0);
    }
}

MpegLibrary::MpegLibrary(LibraryLoader& loader, const std::string& path)
    : library_(loader.Load(path)) {
    if (library_ == nullptr) {
        throw TMPEGError(MpegErrorMessage(kCantLoadCode), kCantLoadCode);
    }
    Resolve(init_, "init");
    Resolve(deinit_, "deinit");
    Resolve(open_, "Open");
    Resolve(pause_, "Pause");
    Resolve(restart_, "Restart");
    Resolve(stop_, "Stop");
    Resolve(set_priority_, "SetPriority");
    Resolve(set_output_device_, "SetOutputDevice");
    Resolve(play_, "Play");
    Resolve(close_, "Close");
    Resolve(get_frequency_, "GetFrequency");
    Resolve(get_bitrate_, "GetBitrate");
    Resolve(get_layer_, "GetLayer");
    Resolve(get_player_mode_, "GetPlayerMode");
    Resolve(get_current_pos_, "GetCurrentPos");
    Resolve(get_length_, "GetLength");
    Resolve(reset_player_mode_, "ResetPlayerMode");
    Resolve(seek_, "Seek");
    Resolve(last_error_, "LastError");
}

MpegLibrary::~MpegLibrary() {
    // The library's playback thread ends before its code is unloaded.
    if (initialised_) {
        deinit_();
    }
}

void MpegLibrary::Check() const {
    const int code = last_error_();
    if (code > 0) {
        throw TMPEGError(MpegErrorMessage(code), code);
    }
}

void MpegLibrary::Init() {
    const bool ready = init_() != 0;
    const int code = last_error_();
    if (!ready || code > 0) {
        throw TMPEGError(MpegErrorMessage(code), code);
    }
    initialised_ = true;
}

void MpegLibrary::Open(const std::string& file_name) {
    open_(file_name.substr(0, kMaxStreamName).c_str(), 0, nullptr, nullptr, nullptr, nullptr,
          nullptr, nullptr, nullptr);
    Check();
}

void MpegLibrary::SetPriority(int priority) {
    set_priority_(priority);
    Check();
}

void MpegLibrary::SetOutputDevice(int device, const std::string& file_name) {
    set_output_device_(device, file_name.substr(0, kMaxOutFileName).c_str());
    Check();
}

void MpegLibrary::Play(int start_ms, int end_ms, int32_t* end_flag) {
    if (play_(start_ms, end_ms, end_flag) != 0) {
        Check();
        throw TMPEGError(MpegErrorMessage(1), 1);  // failed without saying why
    }
    Check();
}

void MpegLibrary::Restart() {
    restart_();
    Check();
}

void MpegLibrary::Stop() {
    stop_();
    Check();
}

void MpegLibrary::Close() {
    close_();
    Check();
}

int MpegLibrary::GetPlayerMode() {
    const int mode = get_player_mode_();
    Check();
    return mode;
}

int MpegLibrary::GetCurrentPos() {
    const int position = get_current_pos_();
    Check();
    return position;
}

int MpegLibrary::GetLength() {
    const int length = get_length_();
    Check();
    return length;
}

}  // namespace saver
