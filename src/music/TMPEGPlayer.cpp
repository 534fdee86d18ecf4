#include "music/TMPEGPlayer.h"

#include "music/TMPEGError.h"

namespace saver {

namespace {

constexpr int kModePlaying = MPEGDLL_MODE_PLAYING;

std::atomic_ref<int32_t> Flag(int32_t& flag) {
    return std::atomic_ref<int32_t>(flag);
}

}  // namespace

const std::vector<std::string> TMPEGPlayer::kLibraryNames = {"MPEGDLL.DLL", "libmpegdll.so"};

TMPEGPlayer::TMPEGPlayer(LibraryLoader& loader, TimerFactory create_timer)
    : loader_(loader), create_timer_(std::move(create_timer)) {}

TMPEGPlayer::~TMPEGPlayer() {
    timer_.reset();
    library_.reset();  // stops a play still running before the end flag goes away
}

void TMPEGPlayer::LoadLibrary() {
    if (library_ != nullptr) {
        return;
    }
    const std::vector<std::string> folders =
        PathToDLL.empty() ? DefaultFolders : std::vector<std::string>{PathToDLL + "/"};
    for (const std::string& folder : folders) {
        for (const std::string& name : kLibraryNames) {
            try {
                library_ = std::make_unique<MpegLibrary>(loader_, folder + name);
            } catch (const TMPEGError& error) {
                if (error.Code() != kCantLoadCode) {
                    throw;
                }
                continue;
            }
            try {
                library_->Init();
            } catch (...) {
                library_.reset();
                throw;
            }
            return;
        }
    }
    throw TMPEGError(MpegErrorMessage(kCantLoadCode), kCantLoadCode);
}

MpegLibrary& TMPEGPlayer::Library() {
    if (library_ == nullptr) {
        throw TMPEGError(MpegErrorMessage(0), 0);
    }
    return *library_;
}

void TMPEGPlayer::SetStreamName(const std::string& name) {
    if (opened_) {
        EnableTimer(false);
        opened_ = false;
        Library().Close();
    }
    stream_name_ = name;
}

void TMPEGPlayer::Open() {
    MpegLibrary& library = Library();
    if (stream_name_.empty()) {
        throw TMPEGError(MpegErrorMessage(kNoStreamCode), kNoStreamCode);
    }
    library.Open(stream_name_);
    opened_ = true;
    played_ = false;
    length_ = library.GetLength();
}

void TMPEGPlayer::Play() {
    MpegLibrary& library = Library();
    if (!opened_) {
        Open();
    }
    Flag(end_flag_).store(0);
    if (played_) {
        library.Restart();
    } else {
        library.SetPriority(static_cast<int>(Priority));
        const bool to_file = OutputDevice == TMPEGOutputDevice::pcmfile && !OutFilename.empty();
        library.SetOutputDevice(to_file ? MPEGDLL_DEVICE_PCMFILE : MPEGDLL_DEVICE_DEFAULT,
                                OutFilename);
        library.Play(StartPos, EndPos, &end_flag_);
        played_ = true;
    }
    EnableTimer(UseTimer);
}

void TMPEGPlayer::Stop() {
    MpegLibrary& library = Library();
    EnableTimer(false);
    library.Stop();
    opened_ = false;
    library.Close();
}

int TMPEGPlayer::Mode() {
    return Library().GetPlayerMode();
}

void TMPEGPlayer::EnableTimer(bool enabled) {
    if (enabled && timer_ == nullptr) {
        timer_ = create_timer_(TimerFreq, [this] { TimerTick(); });
    }
    if (timer_ != nullptr) {
        timer_->SetEnabled(enabled);
    }
}

void TMPEGPlayer::TimerTick() {
    try {
        MpegLibrary& library = Library();
        const int position = library.GetCurrentPos();
        if (OnPosUpdate) {
            OnPosUpdate(position > length_ ? 0 : position);
        }
        if (Flag(end_flag_).load() == 0) {
            return;
        }
        EnableTimer(false);
        if (library.GetPlayerMode() == kModePlaying) {
            library.Stop();
        }
    } catch (const TMPEGError&) {
        EnableTimer(false);  // a library that fails stops being watched
        return;
    }
    if (OnPlayEnd) {
        OnPlayEnd();
    }
}

}  // namespace saver
