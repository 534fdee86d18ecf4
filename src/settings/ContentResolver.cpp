#include "settings/ContentResolver.h"

#include "base/Files.h"
#include "base/Text.h"

namespace saver {

namespace {

constexpr std::string_view kUrl = kContentPrefixes[0];
constexpr std::string_view kFavorites = kContentPrefixes[1];
constexpr std::string_view kFile = kContentPrefixes[2];
constexpr std::string_view kResource = kContentPrefixes[3];
constexpr std::string_view kExternal = kContentPrefixes[4];

bool IsResource(std::string_view item) {
    return item.starts_with(kResource) || item.starts_with(kExternal);
}

// Items written on Windows use "\" between folders; here both separators work.
std::string LocalPath(std::string_view item) {
    return ReplaceAll(item, "\\", "/");
}

bool IsFullPath(std::string_view item) {
    return item.starts_with('/') || item.find(':') != std::string_view::npos;
}

bool HasFolderPart(std::string_view item) {
    return item.find_first_of("/\\:") != std::string_view::npos;
}

}  // namespace

ContentResolver::ContentResolver(ContentContext context, PackageItems* package_items)
    : context_(std::move(context)), package_items_(package_items) {}

bool ContentResolver::ResolveContentItem(std::string& item) const {
    const std::string lookup_name = FileNamePart(item);
    item = ReplaceAll(item, "**", "=");
    if (item.empty()) {
        return false;
    }
    if (item.find("://") != std::string::npos) {
        RemovePrefix(item, kUrl);
        return true;
    }
    if (item.ends_with('\\') || item.ends_with('/')) {
        item = LocalPath(item);
        if (DirectoryExists(item)) {
            return true;
        }
        RemovePrefix(item, kFavorites);
        return DirectoryExists(item);
    }
    if (RemovePrefix(item, kUrl)) {
        item = FullPath(item);
        return FileExists(item);
    }
    if (RemovePrefix(item, kFile)) {
        if (context_.package_present) {
            return PackageLookup(item, lookup_name);
        }
        item = FullPath(item);
        return FileExists(item);
    }
    if (IsResource(item)) {
        const std::string name = item.substr(item.find(") ") + 2);
        return FileExists(context_.package_present && !HasFolderPart(name)
                              ? context_.working_folder + name
                              : FullPath(name));
    }
    if (context_.package_present) {
        return PackageLookup(item, lookup_name);
    }
    return ResolveWithoutPackage(item);
}

std::string ContentResolver::FullPath(std::string_view item) const {
    std::string path = LocalPath(item);
    return IsFullPath(path) ? path : context_.executable_folder + path;
}

bool ContentResolver::PackageLookup(std::string& item, const std::string& lookup_name) const {
    // A bare name is the packaged file; only a path with a folder may name a file of the
    // user's own, and a relative one counts from the saver file's folder.
    if (HasFolderPart(item) && FileExists(FullPath(item))) {
        item = FullPath(item);
        return true;
    }
    const std::string name = SafeFileName(item);
    if (name.empty()) {
        return false;
    }
    item = context_.working_folder + name;
    if (!FileExists(item) && package_items_ != nullptr) {
        package_items_->ExtractPackageItem(lookup_name, item, context_.working_folder);
        // The lookup name of "(File) NAME" keeps its prefix, but package items are
        // recorded under their plain file names: look there too.
        if (!FileExists(item) && lookup_name != name) {
            package_items_->ExtractPackageItem(name, item, context_.working_folder);
        }
    }
    if (!FileExists(item)) {
        return false;
    }
    ClearFileAttributes(item);
    return true;
}

bool ContentResolver::ResolveWithoutPackage(std::string& item) const {
    item = LocalPath(item);
    if (!IsFullPath(item)) {
        item = context_.executable_folder + "sample/" + item;
    }
    if (FileExists(item)) {
        return true;
    }
    const std::string name = FileNamePart(item);
    for (const std::string& candidate :
         {context_.sample_folder + name, context_.sample_folder + "sample/" + name,
          context_.executable_folder + name}) {
        if (FileExists(candidate)) {
            item = candidate;
            return true;
        }
    }
    return false;
}

void ContentResolver::BuildContentLists(const IniFile& file, const std::string& section,
                                        ContentList& list) const {
    list.clear();
    for (const std::string& key : file.SectionKeys(section)) {
        if (!file.ReadBool(section, key, true)) {
            continue;
        }
        if (IsResource(key)) {
            ExtractResource(key);
        } else {
            list.push_back(key);
        }
    }
}

void ContentResolver::ExtractResource(const std::string& key) const {
    if (!context_.package_present || package_items_ == nullptr) {
        return;
    }
    std::string name = key;
    std::string body = ReplaceAll(key, "**", "=");
    for (std::string_view prefix : {kResource, kExternal}) {
        RemovePrefix(name, prefix);
        RemovePrefix(body, prefix);
    }
    // The body names one file of the working folder; folder parts and ".." are dropped so
    // that nothing lands outside it.
    const std::string file_name = SafeFileName(body);
    if (file_name.empty()) {
        return;
    }
    package_items_->ExtractPackageItem(name, context_.working_folder + file_name,
                                       context_.working_folder);
}

}  // namespace saver
