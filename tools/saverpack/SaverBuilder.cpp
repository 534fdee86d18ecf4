#include "SaverBuilder.h"

#include "ZipWriter.h"
#include "base/Files.h"
#include "settings/IniFile.h"
#include "startup/PackageLayout.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <set>
#include <stdexcept>

#include <sys/stat.h>
#include <unistd.h>

namespace saver {

namespace {

namespace fs = std::filesystem;

std::string ReadWholeFile(const std::string& path, const char* what) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error(std::string("cannot read the ") + what + " " + path);
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The output under construction: a temporary file beside the target, renamed into
// place only when everything was written.
class SaverFileWriter {
  public:
    explicit SaverFileWriter(const std::string& output)
        : output_(output), temporary_(output + ".saverpack-XXXXXX") {
        int fd = ::mkstemp(temporary_.data());
        if (fd < 0) {
            throw std::runtime_error("cannot create " + temporary_ + " beside the output");
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
            throw std::runtime_error("cannot write " + output_);
        }
    }

    void Commit() {
        out_.close();
        if (!out_ || ::chmod(temporary_.c_str(), 0755) != 0 ||
            ::rename(temporary_.c_str(), output_.c_str()) != 0) {
            throw std::runtime_error("cannot write " + output_);
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
        throw std::runtime_error("cannot read the package item " + path);
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
    const std::string key = FileNamePart(item.path);
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

// The files of the content folder, by their plain names (the package has no folders).
void AddContent(const std::string& folder, std::vector<ZipEntry>& entries) {
    if (folder.empty()) {
        return;
    }
    if (!DirectoryExists(folder)) {
        throw std::runtime_error("the content folder " + folder + " does not exist");
    }
    std::set<std::string> names;
    for (const ZipEntry& entry : entries) {
        names.insert(entry.name);
    }
    std::vector<fs::path> files;
    for (const auto& file : fs::recursive_directory_iterator(folder)) {
        if (file.is_regular_file()) {
            files.push_back(file.path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::string name = file.filename().string();
        if (!names.insert(name).second) {
            throw std::runtime_error("two files of the package are named " + name +
                                     "; the package keeps no folders, so names must differ");
        }
        const bool read_only =
            (fs::status(file).permissions() & fs::perms::owner_write) == fs::perms::none;
        entries.push_back({name, ReadWholeFile(file.string(), "content file"), read_only});
    }
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

void BuildSaver(const BuildRequest& request, const ProgressReport& progress,
                const WarningReport& warn) {
    const std::string host = ReadWholeFile(request.host, "host program");
    if (!FileExists(request.settings)) {
        throw std::runtime_error("cannot read the settings file " + request.settings);
    }
    IniFile settings = IniFile::Load(request.settings);
    const TextEncoding encoding = settings.Encoding();
    if (encoding != TextEncoding::Utf8 && encoding != TextEncoding::Utf8WithMark) {
        warn("the settings file " + request.settings + " is not UTF-8; read it as " +
             std::string(EncodingName(encoding)) + " (the saver reads it so too)");
    }
    const std::string package_name = FileNamePart(request.settings);

    SaverFileWriter writer(request.output);
    writer.Write(host);
    for (const PackageItemSource& item : request.items) {
        WriteItem(writer, item, settings, progress);
    }

    std::vector<ZipEntry> entries{{package_name, settings.Bytes()}};
    AddContent(request.content_folder, entries);
    const std::string archive = MakeZipArchive(entries);
    const std::string header = PackageMarker() + package_name + std::string(kPackageSeparator);
    const size_t tail = header.size() + archive.size();
    if (tail > kPackageTailSize) {
        throw std::runtime_error(
            "the package archive is " + std::to_string(tail - kPackageTailSize) +
            " bytes too large: the marker, the name and the archive must fit into the last " +
            std::to_string(kPackageTailSize) +
            " bytes of the saver. Carry the largest content files as package items instead "
            "(--item FILE), and list them in the settings as \"(File) NAME\" or "
            "\"(Resource) NAME\".");
    }
    RefuseMarkerIn(writer.LastBytes(kPackageTailSize - tail));
    writer.Write(header);
    writer.Write(archive);
    writer.Commit();
}

}  // namespace saver
