#pragma once

#include <gst/gst.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/MediaPlayer.h"

namespace saver {

// A media player on a GStreamer playbin: audio only (no video is decoded), to the sink
// that AudioSinkChoice names. Each Play builds a new pipeline; the bus is watched on the
// thread-default main context of the thread that calls Play, the user-interface thread.
class GstMediaPlayer : public MediaPlayer {
  public:
    explicit GstMediaPlayer(std::function<void()> on_end);
    ~GstMediaPlayer() override;
    GstMediaPlayer(const GstMediaPlayer&) = delete;
    GstMediaPlayer& operator=(const GstMediaPlayer&) = delete;

    void Play(const std::string& file_or_address) override;
    void Stop() override;
    MediaPlayState State() const override { return state_; }
    int64_t Position() const override;
    int64_t Length() const override;

  private:
    static gboolean OnBusMessage(GstBus* bus, GstMessage* message, gpointer self);
    void HandleMessage(GstMessage* message);
    void Finish(MediaPlayState state);
    void PostFailure();
    void ReleasePipeline();

    std::function<void()> on_end_;
    GstElement* pipeline_ = nullptr;
    guint bus_watch_ = 0;
    MediaPlayState state_ = MediaPlayState::Idle;
    int64_t final_length_ = 0;  // the length seen at the end
};

// Initialises GStreamer: its plug-in registry is read, and made first when there is none
// yet (a first start, which scans every plug-in and can take long). Safe on any thread
// and to call again; a call waits for one under way on another thread. Throws
// std::runtime_error, saying why, when GStreamer cannot be started.
void InitialiseGstreamer();

// Creates GStreamer media players. Initialises GStreamer once; throws std::runtime_error
// when it cannot.
class GstMediaPlayers : public MediaPlayers {
  public:
    GstMediaPlayers();
    std::unique_ptr<MediaPlayer> CreatePlayer(std::function<void()> on_end) override;
};

}  // namespace saver
