#pragma once

#include <gst/gst.h>

#include <string>

namespace saver {

// The audio sink for a play of `source`, as AudioSinkChoice says: the desktop's own
// output (autoaudiosink), a fake sink that keeps the pace of playback, or a WAV file in
// the recording folder, also written at the pace of playback. A floating reference.
GstElement* MakeAudioSink(const std::string& source);

}  // namespace saver
