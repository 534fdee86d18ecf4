#pragma once

#include "settings/IniFile.h"
#include "settings/PackageItems.h"
#include "settings/TSaverSetting.h"

#include <array>
#include <string>
#include <string_view>

namespace saver {

// The kind prefixes of content items. They count only at the very start of an item and
// written exactly so: in this letter case, with one blank.
inline constexpr std::array<std::string_view, 5> kContentPrefixes = {
    "(URL) ", "(Favorites) ", "(File) ", "(Resource) ", "(External) "};

// What content resolution needs to know of the process.
struct ContentContext {
    bool package_present = false;
    std::string working_folder;     // ends with "/"
    std::string executable_folder;  // ends with "/"
    std::string sample_folder;      // ends with "/"
};

// Builds the content lists from the saver settings file and turns content items
// ("(URL) http://...", "(File) page.htm", "(Resource) logo.png", ...) into addresses or
// full paths, extracting packaged files on first use.
class ContentResolver {
  public:
    ContentResolver(ContentContext context, PackageItems* package_items);

    // Changes `item` into an address or a full path; true when it is available. With a
    // package a bare file name is the packaged copy in the working folder; a relative
    // path counts from the saver file's folder, never from the current folder.
    bool ResolveContentItem(std::string& item) const;

    // The items of `section` that are switched on, in file order. "(Resource) " and
    // "(External) " items are extracted into the working folder instead of listed.
    void BuildContentLists(const IniFile& file, const std::string& section,
                           ContentList& list) const;

    const ContentContext& Context() const { return context_; }

  private:
    // A local path with "/" separators, relative ones taken from the executable's folder.
    std::string FullPath(std::string_view item) const;
    bool PackageLookup(std::string& item, const std::string& lookup_name) const;
    bool ResolveWithoutPackage(std::string& item) const;
    void ExtractResource(const std::string& key) const;

    ContentContext context_;
    PackageItems* package_items_;
};

}  // namespace saver
