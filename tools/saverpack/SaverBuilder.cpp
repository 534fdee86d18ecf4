#include "SaverBuilder.h"

#include "ZipWriter.h"
#include "base/Files.h"
#include "settings/IniFile.h"
#include "startup/PackageLayout.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <stdexcept>

#include <sys/stat.h>
#include <unistd.h>

namespace saver {

namespace {

namespace fs = std::filesystem;

std::string ReadWholeFile(const std::string& path, const std::string& what) {
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    if (!in && !in.eof()) {
        throw std::runtime_error(FileError("read the " + what, path, errno ? errno : EIO));
    }
    return bytes;
}

// The output under construction: a temporary file beside the target, renamed into
// place only when everything was written.
class SaverFileWriter {
  public:
    explicit SaverFileWriter(const std::string& output)
        : output_(output), temporary_(output + ".saverpack-XXXXXX") {
        int fd = ::mkstemp(temporary_.data());
        if (fd < 0) {
            throw std::runtime_error(FileError("write", output_, errno));
        }
        ::close(fd);
        out_.open(temporary_, std::ios::binary | std::ios::trunc);
    }
    ~SaverFileWriter() {
        if (!committed_) {
            ::unlink(temporary_.c_str());
        }
    }

    uint64_t Position() const { return position_; }

    // The last `count` bytes written so far.
    std::string LastBytes(uint64_t count) {
        out_.flush();
        count = std::min(count, position_);
        std::ifstream in(temporary_, std::ios::binary);
        in.seekg(static_cast<std::streamoff>(position_ - count));
        std::string bytes(count, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(count));
        return bytes;
    }

    void Write(std::string_view bytes) {
        out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        position_ += bytes.size();
        if (!out_) {
            throw std::runtime_error(FileError("write", output_, errno ? errno : EIO));
        }
    }

    void Commit() {
        out_.close();
        if (!out_ || ::chmod(temporary_.c_str(), 0755) != 0 ||
            ::rename(temporary_.c_str(), output_.c_str()) != 0) {
            throw std::runtime_error(FileError("write", output_, errno ? errno : EIO));
        }
        committed_ = true;
    }

  private:
    std::string output_;
    std::string temporary_;
    std::ofstream out_;
    uint64_t position_ = 0;
    bool committed_ = false;
};

void CopyFileInto(SaverFileWriter& writer, const std::string& path,
                  const ProgressReport& progress) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error(FileError("read the package item", path, errno ? errno : EIO));
    }
    const uint64_t size = fs::file_size(path);
    const bool report = size >= kProgressItemSize;
    std::string buffer(1 << 20, '\0');
    uint64_t done = 0;
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        writer.Write(std::string_view(buffer.data(), static_cast<size_t>(in.gcount())));
        done += static_cast<uint64_t>(in.gcount());
        if (report) {
            progress(FileNamePart(path), static_cast<int>(done * 100 / size));
        }
    }
}

void WriteItem(SaverFileWriter& writer, const PackageItemSource& item, IniFile& settings,
               const ProgressReport& progress) {
    const std::string key = PackageItemName(item);
    const uint64_t start = writer.Position();
    if (item.not_zip) {
        CopyFileInto(writer, item.path, progress);
    } else {
        writer.Write(MakeZipArchive({{key, ReadWholeFile(item.path, "package item")}}));
    }
    const uint64_t end = writer.Position();
    if (end > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) {
        throw std::runtime_error("the package item " + item.path +
                                 " ends past 2 GiB into the saver, where its position "
                                 "can no longer be recorded");
    }
    settings.WriteString("zippos", key + "_1", std::to_string(start));
    settings.WriteString("zippos", key + "_2", std::to_string(end));
    settings.WriteBool("notzip", key, item.not_zip);
}

// The content files, by their plain names (the package has no folders), and the largest
// of them for the message about a package that does not fit.
std::string AddContent(const std::vector<ContentFile>& content, std::vector<ZipEntry>& entries) {
    std::vector<std::pair<uint64_t, std::string>> sizes;
    for (const ContentFile& file : content) {
        const bool read_only =
            (fs::status(file.path).permissions() & fs::perms::owner_write) == fs::perms::none;
        entries.push_back({file.name, ReadWholeFile(file.path, "content file"), read_only});
        sizes.emplace_back(entries.back().bytes.size(), file.path);
    }
    std::sort(sizes.rbegin(), sizes.rend());
    std::string largest;
    for (size_t i = 0; i < std::min<size_t>(3, sizes.size()); ++i) {
        largest +=
            (i ? ", " : "") + sizes[i].second + " (" + std::to_string(sizes[i].first) + " bytes)";
    }
    return largest;
}

// Start-up takes the first marker in the saver's last bytes, so the bytes before the
// package there (the end of the host or of the last item) must not hold one.
void RefuseMarkerIn(std::string_view bytes) {
    if (bytes.find(PackageMarker()) != std::string_view::npos) {
        throw std::runtime_error(
            "the bytes before the package already hold the package marker, so start-up would "
            "take them for the package (is the host already a saver, or does the last package "
            "item hold the marker?)");
    }
}

}  // namespace

void BuildSaver(const BuildRequest& request, const ProgressReport& progress) {
    const SaverSources sources =
        GatherSources(request.settings, request.content_folder, request.items);
    const std::string host = ReadWholeFile(request.host, "host program");
    if (host.find(HostMark()) == std::string::npos) {
        throw std::runtime_error(request.host + " is not a saverhost program");
    }
    IniFile settings = sources.settings;
    const std::string package_name = FileNamePart(request.settings);

    SaverFileWriter writer(request.output);
    writer.Write(host);
    for (const PackageItemSource& item : request.items) {
        WriteItem(writer, item, settings, progress);
    }

    std::vector<ZipEntry> entries{{package_name, settings.Bytes()}};
    const std::string largest = AddContent(sources.content, entries);
    const std::string archive = MakeZipArchive(entries);
    const std::string header = PackageMarker() + package_name + std::string(kPackageSeparator);
    const size_t tail = header.size() + archive.size();
    if (tail > kPackageTailSize) {
        throw std::runtime_error(
            "the package archive is " + std::to_string(tail - kPackageTailSize) +
            " bytes too large: the marker, the name and the archive must fit into the last " +
            std::to_string(kPackageTailSize) +
            " bytes of the saver. The largest files: " + largest +
            ". Carry the largest content files as package items instead (--item FILE; a file "
            "given so leaves the package even where it lies in the content folder), and list "
            "them in the settings as \"(File) NAME\" or \"(Resource) NAME\".");
    }
    RefuseMarkerIn(writer.LastBytes(kPackageTailSize - tail));
    writer.Write(header);
    writer.Write(archive);
    writer.Commit();
}

}  // namespace saver
