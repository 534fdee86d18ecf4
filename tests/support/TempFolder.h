#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace saver::test {

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh folder for one test, removed with everything in it afterwards. Its path ends
// with "/".
class TempFolder {
  public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "saver-test-XXXXXX").string();
        path_ = std::string(::mkdtemp(pattern.data())) + "/";
    }
    ~TempFolder() {
        std::error_code error;
        // Read-only files and folders must not keep the folder alive.
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

    // Writes `bytes` into the file `name` of this folder (making its folders) and returns
    // its full path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::filesystem::path file = path_ + name;
        std::filesystem::create_directories(file.parent_path());
        WriteFile(file.string(), bytes);
        return file.string();
    }

  private:
    std::string path_;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace saver::test
