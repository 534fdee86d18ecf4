#include "settings/dialog/ReadmeText.h"

#include "base/AuthorText.h"
#include "base/TextEncoding.h"

#include <fstream>

namespace saver {

namespace {

bool IsUtf16(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

// Drops the start of a UTF-8 character that the cut left without its last bytes, so
// that a UTF-8 readme stays valid UTF-8 and is not taken for Windows-1252.
std::string_view WithoutCutCharacter(std::string_view bytes) {
    for (size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) == 0x80) {
            continue;  // a continuation byte: look further back for the lead byte
        }
        const size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? bytes.substr(0, bytes.size() - back) : bytes;
    }
    return bytes;
}

}  // namespace

std::string ReadmeText(std::string_view bytes, bool cut) {
    if (!cut) {
        return AuthorText(bytes);
    }
    // UTF-16 decodes a character cut in half to one replacement mark; UTF-8 needs help.
    if (!IsUtf16(bytes)) {
        const std::string_view whole = WithoutCutCharacter(bytes);
        if (IsValidUtf8(whole)) {
            bytes = whole;
        }
    }
    std::string text = AuthorText(bytes);
    text += text.ends_with('\n') ? "\n" : "\n\n";
    text += kReadmeCutLine;
    return text;
}

std::string ReadReadme(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return {};
    }
    // One byte more than the limit tells whether the file goes on.
    std::string bytes(kReadmeLimit + 1, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(file.gcount()));
    const bool cut = bytes.size() > kReadmeLimit;
    if (cut) {
        bytes.resize(kReadmeLimit);
    }
    return ReadmeText(bytes, cut);
}

}  // namespace saver
