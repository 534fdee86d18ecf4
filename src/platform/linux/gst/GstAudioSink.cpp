#include "platform/linux/gst/GstAudioSink.h"

#include "base/AudioSinkChoice.h"

namespace saver {

namespace {

GstElement* MakePacedFileSink(const std::string& path) {
    GstElement* bin = gst_parse_bin_from_description(
        "audioconvert ! audio/x-raw,format=S16LE ! wavenc ! filesink name=file sync=true", TRUE,
        nullptr);
    if (bin == nullptr) {
        return nullptr;
    }
    GstElement* file = gst_bin_get_by_name(GST_BIN(bin), "file");
    g_object_set(file, "location", path.c_str(), nullptr);
    gst_object_unref(file);
    return bin;
}

}  // namespace

GstElement* MakeAudioSink(const std::string& source) {
    const AudioSinkChoice choice = AudioSinkFromEnvironment();
    switch (choice.kind) {
        case AudioSinkChoice::Kind::Null: {
            GstElement* sink = gst_element_factory_make("fakesink", nullptr);
            g_object_set(sink, "sync", TRUE, nullptr);
            return sink;
        }
        case AudioSinkChoice::Kind::Folder:
            return MakePacedFileSink(NextRecordingPath(choice.folder, source));
        case AudioSinkChoice::Kind::Device:
            break;
    }
    return gst_element_factory_make("autoaudiosink", nullptr);
}

}  // namespace saver
