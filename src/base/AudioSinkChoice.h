#pragma once

#include <string>

namespace saver {

// Where the saver's audio goes. The environment variable SAVERHOST_AUDIO_SINK chooses it,
// so that tests and machines without a sound card can play music:
// - unset, empty or "auto": the desktop's own audio output;
// - "null": nowhere, at the pace of playback;
// - an absolute folder path: each play is recorded there as a WAV file of its own,
//   named in the order of playing (see NextRecordingPath).
struct AudioSinkChoice {
    enum class Kind { Device, Null, Folder };
    Kind kind = Kind::Device;
    std::string folder;  // ends with "/" for Kind::Folder
};

AudioSinkChoice AudioSinkFromEnvironment();

// The file for the next recording of `source` (a path or an address) in `folder`:
// "0001-name.wav", "0002-name.wav", ... numbered after the WAV files already there, with
// the last part of the source's name.
std::string NextRecordingPath(const std::string& folder, const std::string& source);

}  // namespace saver
