#include "settings/dialog/ReadmeText.h"

#include "base/AuthorText.h"
#include "base/TextEncoding.h"

#include <fstream>

namespace saver {

namespace {

bool IsUtf16(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

}  // namespace

std::string ReadmeText(std::string_view bytes, bool cut) {
    if (!cut) {
        return AuthorText(bytes);
    }
    // UTF-16 decodes a character cut in half to one replacement mark; UTF-8 needs help.
    if (!IsUtf16(bytes)) {
        const std::string_view whole = WithoutCutUtf8Character(bytes);
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
