// The check of a saver on any settings text, and the scan of any page or style sheet for
// its references.

#include "PageReferences.h"
#include "SaverCheck.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace saver;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (bool style_sheet : {false, true}) {
        for (const PageReference& reference : FindPageReferences(text, style_sheet)) {
            RelativeFile(reference.target);
        }
    }
    SaverSources sources;
    sources.settings_path = "fuzz.ini";
    sources.settings = IniFile::Parse(text);
    CheckSaver(sources);
    return 0;
}
