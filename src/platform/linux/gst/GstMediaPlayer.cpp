#include "platform/linux/gst/GstMediaPlayer.h"

#include <algorithm>
#include <stdexcept>

#include "platform/linux/gst/GstAudioSink.h"

namespace saver {

namespace {

constexpr guint kPlayAudioOnly = 0x2;  // playbin's GST_PLAY_FLAG_AUDIO

// A full path becomes a file URI; an address stays as it is.
std::string UriOf(const std::string& file_or_address) {
    if (file_or_address.find("://") != std::string::npos) {
        return file_or_address;
    }
    gchar* uri = gst_filename_to_uri(file_or_address.c_str(), nullptr);
    std::string result = uri != nullptr ? uri : "";
    g_free(uri);
    return result;
}

int64_t QueryMs(GstElement* pipeline, bool duration) {
    gint64 value = 0;
    const gboolean known = duration ? gst_element_query_duration(pipeline, GST_FORMAT_TIME, &value)
                                    : gst_element_query_position(pipeline, GST_FORMAT_TIME, &value);
    return known && value > 0 ? value / GST_MSECOND : 0;
}

}  // namespace

GstMediaPlayer::GstMediaPlayer(std::function<void()> on_end) : on_end_(std::move(on_end)) {}

GstMediaPlayer::~GstMediaPlayer() {
    ReleasePipeline();
}

void GstMediaPlayer::ReleasePipeline() {
    if (bus_watch_ != 0) {
        g_source_remove(bus_watch_);
        bus_watch_ = 0;
    }
    if (pipeline_ != nullptr) {
        gst_element_set_state(pipeline_, GST_STATE_NULL);
        gst_object_unref(pipeline_);
        pipeline_ = nullptr;
    }
}

void GstMediaPlayer::Play(const std::string& file_or_address) {
    ReleasePipeline();
    final_length_ = 0;
    state_ = MediaPlayState::Opening;
    pipeline_ = gst_element_factory_make("playbin", nullptr);
    GstBus* bus = gst_element_get_bus(pipeline_);
    bus_watch_ = gst_bus_add_watch(bus, OnBusMessage, this);
    gst_object_unref(bus);
    GstElement* audio_sink = MakeAudioSink(file_or_address);
    const std::string uri = UriOf(file_or_address);
    if (audio_sink == nullptr || uri.empty()) {
        if (audio_sink != nullptr) {
            gst_object_unref(gst_object_ref_sink(audio_sink));
        }
        PostFailure();
        return;
    }
    g_object_set(pipeline_, "uri", uri.c_str(), "flags", kPlayAudioOnly, "audio-sink", audio_sink,
                 "video-sink", gst_element_factory_make("fakesink", nullptr), nullptr);
    if (gst_element_set_state(pipeline_, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        PostFailure();
    }
}

void GstMediaPlayer::PostFailure() {
    // Reported from the message loop like every other failure, never from inside Play.
    gst_element_post_message(
        pipeline_,
        gst_message_new_application(GST_OBJECT(pipeline_), gst_structure_new_empty("failed")));
}

void GstMediaPlayer::Stop() {
    ReleasePipeline();
    state_ = MediaPlayState::Idle;
}

int64_t GstMediaPlayer::Length() const {
    if (state_ == MediaPlayState::Ended || pipeline_ == nullptr) {
        return final_length_;
    }
    return QueryMs(pipeline_, true);
}

int64_t GstMediaPlayer::Position() const {
    if (state_ == MediaPlayState::Ended || pipeline_ == nullptr) {
        return final_length_;
    }
    const int64_t position = QueryMs(pipeline_, false);
    const int64_t length = QueryMs(pipeline_, true);
    // The last buffer may be out before the end is notified; the end is told by the
    // notification, never by the position first.
    return length > 0 ? std::min(position, std::max<int64_t>(length - 2, 0)) : position;
}

gboolean GstMediaPlayer::OnBusMessage(GstBus* /*bus*/, GstMessage* message, gpointer self) {
    static_cast<GstMediaPlayer*>(self)->HandleMessage(message);
    return G_SOURCE_CONTINUE;
}

void GstMediaPlayer::HandleMessage(GstMessage* message) {
    switch (GST_MESSAGE_TYPE(message)) {
        case GST_MESSAGE_STATE_CHANGED:
            if (GST_MESSAGE_SRC(message) == GST_OBJECT(pipeline_) &&
                state_ == MediaPlayState::Opening) {
                GstState new_state = GST_STATE_NULL;
                gst_message_parse_state_changed(message, nullptr, &new_state, nullptr);
                if (new_state == GST_STATE_PLAYING) {
                    state_ = MediaPlayState::Playing;
                }
            }
            break;
        case GST_MESSAGE_EOS:
            Finish(MediaPlayState::Ended);
            break;
        case GST_MESSAGE_ERROR:
        case GST_MESSAGE_APPLICATION:
            Finish(MediaPlayState::Failed);
            break;
        default:
            break;
    }
}

void GstMediaPlayer::Finish(MediaPlayState state) {
    if (state_ != MediaPlayState::Opening && state_ != MediaPlayState::Playing) {
        return;
    }
    if (state == MediaPlayState::Ended) {
        final_length_ = std::max(QueryMs(pipeline_, true), QueryMs(pipeline_, false));
    }
    // Nothing more comes of this pipeline; it is stopped now, so that a failed stream
    // holds no connection, and freed with the player or the next play.
    gst_element_set_state(pipeline_, GST_STATE_NULL);
    state_ = state;
    // The handler may destroy this player: it runs from a copy, and nothing of the
    // player is touched after it.
    const std::function<void()> on_end = on_end_;
    on_end();
}

void InitialiseGstreamer() {
    GError* error = nullptr;
    if (!gst_init_check(nullptr, nullptr, &error)) {
        const std::string why = error != nullptr ? error->message : "unknown reason";
        g_clear_error(&error);
        throw std::runtime_error("GStreamer could not be initialised: " + why);
    }
}

GstMediaPlayers::GstMediaPlayers() {
    InitialiseGstreamer();
    GstElementFactory* playbin = gst_element_factory_find("playbin");
    if (playbin == nullptr) {
        throw std::runtime_error("GStreamer has no playbin (gstreamer1.0-plugins-base)");
    }
    gst_object_unref(playbin);
}

std::unique_ptr<MediaPlayer> GstMediaPlayers::CreatePlayer(std::function<void()> on_end) {
    return std::make_unique<GstMediaPlayer>(std::move(on_end));
}

}  // namespace saver
