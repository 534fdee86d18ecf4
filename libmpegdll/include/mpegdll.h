/* libmpegdll: the saver's MPEG audio library. It decodes MPEG audio files (MP3) with
 * libmpg123 and plays them with libout123, one stream at a time, on a playback thread of
 * its own. The saver loads it by file name and resolves these 19 entry points.
 *
 * Rules for callers:
 * - Every entry point but LastError sets the error code that LastError then returns:
 *   0 none, 1 internal decoder error, 2 incorrect mode, 3 input stream error,
 *   4 input stream is non-seekable, 5 output device failure.
 * - Call from one thread. Playback runs on the library's own thread; the end flag given
 *   to Play is the only thing that thread writes for the caller (1 when playback has
 *   reached its end by itself; a Stop does not set it). It must stay valid until Stop,
 *   Close or deinit.
 * - Positions and lengths are in milliseconds.
 * - Player modes: 0 no stream open, 1 open and stopped, 2 paused, 3 playing.
 */
#ifndef SAVER_MPEGDLL_H
#define SAVER_MPEGDLL_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Output devices for SetOutputDevice. */
#define MPEGDLL_DEVICE_DEFAULT 0 /* the desktop's audio output (see SAVERHOST_AUDIO_SINK) */
#define MPEGDLL_DEVICE_PCMFILE 2 /* a WAV file of the given name */

#define MPEGDLL_MODE_CLOSED 0
#define MPEGDLL_MODE_STOPPED 1
#define MPEGDLL_MODE_PAUSED 2
#define MPEGDLL_MODE_PLAYING 3

/* A callback slot of Open; the library keeps none and calls none. */
typedef void (*MpegCallback)(void);

/* 1 when the library is ready, 0 when not. */
int32_t init(void);
/* Stops and closes everything; init may be called again. */
void deinit(void);
/* Opens `file_name` (at most 511 characters) for playing. `flags`, the callbacks and
 * `user` are accepted for compatibility and must be 0 and null. Returns 0 on success. */
int32_t Open(const char* file_name, int32_t flags, MpegCallback on_open, MpegCallback on_play,
             MpegCallback on_stop, MpegCallback on_pause, MpegCallback on_end,
             MpegCallback on_error, void* user);
int32_t Pause(void);
/* Resumes a paused stream, or plays a stopped one again from its start position. */
int32_t Restart(void);
int32_t Stop(void);
/* The playback thread's priority, as a Windows thread priority (-15, -2, -1, 0, 1, 2, 15). */
int32_t SetPriority(int32_t priority);
/* MPEGDLL_DEVICE_DEFAULT, or MPEGDLL_DEVICE_PCMFILE with `file_name` (at most 259
 * characters). Takes effect at the next Play. */
int32_t SetOutputDevice(int32_t device, const char* file_name);
/* Plays the open stream from `start_ms` to `end_ms` (0: to its end). Non-zero on failure. */
int32_t Play(int32_t start_ms, int32_t end_ms, int32_t* end_flag);
int32_t Close(void);
int32_t GetFrequency(void);
int32_t GetBitrate(void);
int32_t GetLayer(void);
int32_t GetPlayerMode(void);
int32_t GetCurrentPos(void);
int32_t GetLength(void);
/* Clears the error code and brings a stream that is not playing back to the stopped mode. */
int32_t ResetPlayerMode(void);
int32_t Seek(int32_t position_ms);
int32_t LastError(void);

#ifdef __cplusplus
}
#endif

#endif
