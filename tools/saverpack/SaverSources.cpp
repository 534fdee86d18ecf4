#include "SaverSources.h"

#include "base/Files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace saver {

namespace {

namespace fs = std::filesystem;

// Throws the reason when `path` cannot be opened for reading.
void RequireReadable(const std::string& path, const std::string& what) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    struct stat info {};
    const int error = fd < 0 ? errno : ::fstat(fd, &info) != 0 ? errno : 0;
    if (fd >= 0) {
        ::close(fd);
    }
    if (error != 0 || S_ISDIR(info.st_mode)) {
        throw std::runtime_error(FileError("read the " + what, path, error ? error : EISDIR));
    }
}

bool SameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return fs::equivalent(a, b, error);
}

std::vector<ContentFile> ListContent(const std::string& folder, const std::string& settings_path,
                                     const std::vector<PackageItemSource>& items) {
    if (folder.empty()) {
        return {};
    }
    if (!DirectoryExists(folder)) {
        throw std::runtime_error("the content folder " + folder + " does not exist");
    }
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file()) {
            files.push_back(it->path());
        }
    }
    if (error) {
        throw std::runtime_error("cannot list the content folder " + folder + ": " +
                                 error.message());
    }
    std::sort(files.begin(), files.end());
    std::set<std::string> names{FileNamePart(settings_path)};
    std::vector<ContentFile> content;
    for (const fs::path& file : files) {
        // The settings file travels anyway, and an item travels outside the archive.
        const bool elsewhere = SameFile(file, settings_path) ||
                               std::any_of(items.begin(), items.end(),
                                           [&](auto& i) { return SameFile(file, i.path); });
        if (elsewhere) {
            continue;
        }
        const std::string name = file.filename().string();
        if (!names.insert(name).second) {
            throw std::runtime_error("two files of the package are named " + name +
                                     "; the package keeps no folders, so names must differ");
        }
        content.push_back({name, file.string()});
    }
    return content;
}

}  // namespace

SaverSources GatherSources(const std::string& settings_path, const std::string& content_folder,
                           const std::vector<PackageItemSource>& items) {
    RequireReadable(settings_path, "settings file");
    for (const PackageItemSource& item : items) {
        RequireReadable(item.path, "package item");
    }
    SaverSources sources;
    sources.settings_path = settings_path;
    sources.settings = IniFile::Load(settings_path);
    sources.content = ListContent(content_folder, settings_path, items);
    sources.items = items;
    return sources;
}

std::string FileError(const std::string& what, const std::string& path, int error) {
    std::string reason = std::strerror(error);
    const std::string folder = FolderPart(path);
    if (error == ENOENT && !folder.empty() && !DirectoryExists(folder)) {
        reason = "the folder " + folder + " does not exist";
    }
    return "cannot " + what + " " + path + ": " + reason;
}

std::string PackageItemName(const PackageItemSource& item) {
    return item.name.empty() ? FileNamePart(item.path) : item.name;
}

}  // namespace saver
