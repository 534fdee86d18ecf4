// The library's 19 entry points, each a thin call into the one player.

#include "MpegEngine.h"
#include "mpegdll.h"

#define MPEGDLL_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

mpegdll::MpegEngine& Engine() {
    // Destroyed when the library is unloaded, which stops a play still running.
    static mpegdll::MpegEngine engine;
    return engine;
}

int32_t Result(int32_t value) {
    return Engine().LastError() == mpegdll::kNoError ? value : 1;
}

}  // namespace

MPEGDLL_EXPORT int32_t init(void) {
    return Engine().Init() ? 1 : 0;
}

MPEGDLL_EXPORT void deinit(void) {
    Engine().Deinit();
}

MPEGDLL_EXPORT int32_t Open(const char* file_name, int32_t /*flags*/, MpegCallback, MpegCallback,
                            MpegCallback, MpegCallback, MpegCallback, MpegCallback,
                            void* /*user*/) {
    Engine().Open(file_name);
    return Result(0);
}

MPEGDLL_EXPORT int32_t Pause(void) {
    Engine().Pause();
    return Result(0);
}

MPEGDLL_EXPORT int32_t Restart(void) {
    Engine().Restart();
    return Result(0);
}

MPEGDLL_EXPORT int32_t Stop(void) {
    Engine().Stop();
    return Result(0);
}

MPEGDLL_EXPORT int32_t SetPriority(int32_t priority) {
    Engine().SetPriority(priority);
    return Result(0);
}

MPEGDLL_EXPORT int32_t SetOutputDevice(int32_t device, const char* file_name) {
    Engine().SetOutputDevice(device, file_name);
    return Result(0);
}

MPEGDLL_EXPORT int32_t Play(int32_t start_ms, int32_t end_ms, int32_t* end_flag) {
    return Engine().Play(start_ms, end_ms, end_flag) ? 0 : 1;
}

MPEGDLL_EXPORT int32_t Close(void) {
    Engine().Close();
    return Result(0);
}

MPEGDLL_EXPORT int32_t GetFrequency(void) {
    Engine().SetError(mpegdll::kNoError);
    return Engine().Frequency();
}

MPEGDLL_EXPORT int32_t GetBitrate(void) {
    Engine().SetError(mpegdll::kNoError);
    return Engine().Bitrate();
}

MPEGDLL_EXPORT int32_t GetLayer(void) {
    Engine().SetError(mpegdll::kNoError);
    return Engine().Layer();
}

MPEGDLL_EXPORT int32_t GetPlayerMode(void) {
    Engine().SetError(mpegdll::kNoError);
    return Engine().Mode();
}

MPEGDLL_EXPORT int32_t GetCurrentPos(void) {
    Engine().SetError(mpegdll::kNoError);
    return Engine().CurrentPosition();
}

MPEGDLL_EXPORT int32_t GetLength(void) {
    Engine().SetError(mpegdll::kNoError);
    return Engine().Length();
}

MPEGDLL_EXPORT int32_t ResetPlayerMode(void) {
    Engine().ResetPlayerMode();
    return 0;
}

MPEGDLL_EXPORT int32_t Seek(int32_t position_ms) {
    Engine().Seek(position_ms);
    return Result(0);
}

MPEGDLL_EXPORT int32_t LastError(void) {
    return Engine().LastError();
}
