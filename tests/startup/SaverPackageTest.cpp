#include "startup/SaverPackage.h"

#include "SaverFileFixture.h"
#include "base/Files.h"
#include "startup/PackageLayout.h"
#include "startup/WorkingFolderCleaner.h"
#include "support/SmallTmpfs.h"

#include <gtest/gtest.h>

#include <fstream>

#include <filesystem>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace saver {
namespace {

namespace fs = std::filesystem;

// Every file below `folder`, by its path relative to it.
std::vector<std::string> FilesBelow(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_directory()) {
            files.push_back(fs::relative(entry.path(), folder).string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

class SaverPackageTest : public ::testing::Test {
  protected:
    void SetUp() override { ForceDirectories(work); }

    test::TempFolder root;
    std::string work = root / "sandbox/work/";
};

TEST_F(SaverPackageTest, NoMarkerMeansNoPackageAndNoFiles) {
    SaverPackage package;
    SaverPackage::Result result = package.ExtractSaverPackage(test::WriteHost(root), work);
    EXPECT_FALSE(result.package_present);
    EXPECT_TRUE(FilesBelow(work).empty());
}

TEST_F(SaverPackageTest, UnpacksThePackageIntoTheWorkingFolder) {
    root.Write("content/page.htm", "<p>hi</p>");
    root.Write("content/deep/pic.png", "PNG");
    std::string saver =
        test::BuildSaverFile(root, "Ocean.scr", "[Set]\nWebInterval=7\n", {}, root / "content");
    SaverPackage package;
    SaverPackage::Result result = package.ExtractSaverPackage(saver, work);
    EXPECT_TRUE(result.package_present);
    EXPECT_FALSE(result.executable_form);
    EXPECT_EQ(result.problem, "");
    EXPECT_EQ(result.settings_file, work + "Saver.ini");
    EXPECT_EQ(IniFile::Load(result.settings_file).ReadInteger("Set", "WebInterval", 0), 7);
    EXPECT_EQ(test::ReadFile(work + "pic.png"), "PNG") << "folders are not kept";
    EXPECT_EQ(FilesBelow(work),
              (std::vector<std::string>{"Saver.ini", "Saver.ini~", "page.htm", "pic.png"}));
}

// For looking at a saver: its entries are listed, only its settings file is unpacked and
// no package item is copied out.
TEST_F(SaverPackageTest, SettingsOnlyListsTheEntriesAndUnpacksNothingElse) {
    root.Write("content/page.htm", "<p>hi</p>");
    const std::string item = root.Write("items/movie.bin", "movie");
    std::string saver =
        test::BuildSaverFile(root, "Ocean.scr", "[Set]\n", {{item, true}}, root / "content");
    SaverPackage package;
    package.UnpackSettingsOnly();
    SaverPackage::Result result = package.ExtractSaverPackage(saver, work);
    EXPECT_EQ(result.problem, "");
    EXPECT_EQ(FilesBelow(work), (std::vector<std::string>{"Saver.ini", "Saver.ini~"}));
    std::vector<std::string> listed;
    for (const ZipEntryInfo& entry : package.ArchiveEntries()) {
        listed.push_back(entry.name + " " + std::to_string(entry.size));
    }
    const std::string ini = "Saver.ini " + std::to_string(fs::file_size(work + "Saver.ini"));
    EXPECT_EQ(listed, (std::vector<std::string>{ini, "page.htm 9"}));
    IniFile settings = IniFile::Load(result.settings_file);
    package.SetSettingsFile(&settings);
    package.ExtractPackageItem("movie.bin", work + "movie.bin", "");
    package.ProvideMpegLibrary(root / "system/");
    EXPECT_EQ(FilesBelow(work), (std::vector<std::string>{"Saver.ini", "Saver.ini~"}));
}

TEST_F(SaverPackageTest, ExecutableFormFollowsTheExtension) {
    std::string saver = test::BuildSaverFile(root, "Ocean.scr", "[Set]\n");
    for (const auto& [name, expected] :
         std::vector<std::pair<std::string, bool>>{{"a.exe", true},
                                                   {"b.EXE", true},
                                                   {"c.Exe", true},
                                                   {"d.scr", false},
                                                   {"e.exe.scr", false}}) {
        fs::copy_file(saver, root / name);
        SaverPackage package;
        EXPECT_EQ(package.ExtractSaverPackage(root / name, work).executable_form, expected) << name;
    }
}

// Damaged packages: the saver still starts, with what could be read.
TEST_F(SaverPackageTest, DamagedPackagesDoNotStopStartUp) {
    const std::string zip = MakeZipArchive({{"Saver.ini", "[Set]\n"}});
    struct Case {
        const char* why;
        std::string tail;
        bool settings_unpacked;
    };
    const Case cases[] = {
        {"truncated archive", PackageMarker() + "Saver.ini**" + zip.substr(0, zip.size() / 2),
         false},
        {"not a ZIP archive", PackageMarker() + "Saver.ini**" + std::string(500, 'z'), false},
        {"no separator", PackageMarker() + "Saver.ini" + zip, false},
        {"empty name", PackageMarker() + "**" + zip, false},
        {"name with folders", PackageMarker() + "../../x/Saver.ini**" + zip, true},
    };
    for (const Case& c : cases) {
        fs::remove_all(root / "sandbox");
        ForceDirectories(work);
        std::string saver = root.Write("damaged.scr", std::string(1000, 'H') + c.tail);
        SaverPackage package;
        SaverPackage::Result result = package.ExtractSaverPackage(saver, work);
        EXPECT_TRUE(result.package_present) << c.why;
        EXPECT_EQ(FileExists(work + "Saver.ini"), c.settings_unpacked) << c.why;
        EXPECT_EQ(result.problem.empty(), c.settings_unpacked) << c.why;
        for (const std::string& file : FilesBelow(root / "sandbox")) {
            EXPECT_TRUE(file.starts_with("work/")) << c.why << ": " << file;
        }
    }
}

TEST_F(SaverPackageTest, ArchiveEntryNamesNeverLeaveTheTargetFolder) {
    const std::string zip = MakeZipArchive({{"Saver.ini", "[Set]\n"},
                                            {"../up.txt", "1"},
                                            {"../../../../../../tmp/abs.txt", "2"},
                                            {"/etc/abs2.txt", "3"},
                                            {"dir/sub/slash.txt", "4"},
                                            {"dir\\back\\slash2.txt", "5"},
                                            {"..", "6"},
                                            {"dir/", ""}});
    std::string saver =
        root.Write("evil.scr", std::string(1000, 'H') + PackageMarker() + "Saver.ini**" + zip);
    // A link planted under an entry's name is replaced, not written through.
    const std::string victim = root.Write("sandbox/victim.txt", "unchanged");
    fs::create_symlink(victim, work + "up.txt");
    SaverPackage package;
    package.ExtractSaverPackage(saver, work);
    EXPECT_EQ(test::ReadFile(victim), "unchanged");
    EXPECT_FALSE(fs::is_symlink(work + "up.txt"));
    fs::remove(victim);
    EXPECT_EQ(FilesBelow(root / "sandbox"),
              (std::vector<std::string>{"work/Saver.ini", "work/Saver.ini~", "work/abs.txt",
                                        "work/abs2.txt", "work/slash.txt", "work/slash2.txt",
                                        "work/up.txt"}));
}

uint32_t Crc32(std::string_view bytes) {
    uint32_t crc = 0xFFFFFFFF;
    for (char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
        }
    }
    return ~crc;
}

// A ZIP archive of stored entries put together byte by byte, each name's bytes as given
// and the UTF-8 flag clear, the way Windows tools write names in code page 437.
std::string Cp437Zip(const std::vector<std::pair<std::string, std::string>>& entries) {
    auto u16 = [](std::string& out, size_t value) {
        out += static_cast<char>(value & 0xFF);
        out += static_cast<char>((value >> 8) & 0xFF);
    };
    auto u32 = [&](std::string& out, size_t value) {
        u16(out, value & 0xFFFF);
        u16(out, value >> 16);
    };
    std::string local;
    std::string central;
    for (const auto& [name, data] : entries) {
        // Flags 0 (no UTF-8 flag), method 0 (stored), time 0, date 1980-01-01.
        std::string common;
        for (size_t field : {0, 0, 0, 0x21}) {
            u16(common, field);
        }
        u32(common, Crc32(data));
        u32(common, data.size());
        u32(common, data.size());
        u16(common, name.size());
        u16(common, 0);
        const size_t offset = local.size();
        u32(local, 0x04034B50);
        u16(local, 20);
        local += common + name + data;
        u32(central, 0x02014B50);
        u16(central, 20);
        u16(central, 20);
        central += common;
        for (size_t field : {0, 0, 0}) {  // comment length, disk, internal attributes
            u16(central, field);
        }
        u32(central, 0);
        u32(central, offset);
        central += name;
    }
    std::string zip = local + central;
    u32(zip, 0x06054B50);
    u32(zip, 0);
    u16(zip, entries.size());
    u16(zip, entries.size());
    u32(zip, central.size());
    u32(zip, local.size());
    u16(zip, 0);
    return zip;
}

// Names as Windows tools write them: the package name in Windows-1252 ("Caf\xE9"), the
// entry names in code page 437 ("Caf\x82"), the settings in UTF-8. All meet as "Café".
TEST_F(SaverPackageTest, NamesFromWindowsToolsUnpackUnderTheirUtf8Names) {
    const std::string zip = Cp437Zip(
        {{"Caf\x82.ini", "[Web]\n(File) Caf\xC3\xA9.htm=1\n"}, {"Caf\x82.htm", "<p>page</p>"}});
    std::string saver =
        root.Write("cp437.scr", std::string(1000, 'H') + PackageMarker() + "Caf\xE9.ini**" + zip);
    SaverPackage package;
    SaverPackage::Result result = package.ExtractSaverPackage(saver, work);
    ASSERT_EQ(result.problem, "");
    EXPECT_EQ(result.settings_file, work + "Caf\xC3\xA9.ini");
    const std::string item = IniFile::Load(result.settings_file).SectionKeys("Web").at(0);
    EXPECT_EQ(test::ReadFile(work + item.substr(std::string("(File) ").size())), "<p>page</p>");
    EXPECT_EQ(FilesBelow(work),
              (std::vector<std::string>{"Caf\xC3\xA9.htm", "Caf\xC3\xA9.ini", "Caf\xC3\xA9.ini~"}));
}

class PackageItemTest : public SaverPackageTest {
  protected:
    // A saver carrying `items`, unpacked, with its settings read for the item ranges.
    SaverPackage& Unpack(const std::string& settings_text,
                         const std::vector<PackageItemSource>& items) {
        saver_path = test::BuildSaverFile(root, "Items.scr", settings_text, items);
        result = package.ExtractSaverPackage(saver_path, work);
        settings = IniFile::Load(result.settings_file);
        package.SetSettingsFile(&settings);
        return package;
    }

    std::string saver_path;
    SaverPackage package;
    SaverPackage::Result result;
    IniFile settings;
};

TEST_F(PackageItemTest, ZippedAndPlainItems) {
    std::string big(300000, 'b');
    std::string zipped = root.Write("items/zipped.bin", big);
    std::string plain = root.Write("items/plain.bin", "as it is");
    Unpack("[Set]\n", {{zipped, false}, {plain, true}});

    package.ExtractPackageItem("plain.bin", work + "copy.bin", "");
    EXPECT_EQ(test::ReadFile(work + "copy.bin"), "as it is")
        << "a plain item lands at its destination";
    ForceDirectories(root / "target");
    package.ExtractPackageItem("zipped.bin", work + "ignored", root / "target/");
    EXPECT_EQ(test::ReadFile(root / "target/zipped.bin"), big)
        << "a zipped item is unpacked into the target folder under its own name";
    EXPECT_FALSE(FileExists(work + "ignored"));
    package.ExtractPackageItem("zipped.bin", work + "ignored", "");
    EXPECT_TRUE(FileExists(work + "zipped.bin")) << "an empty target means the working folder";
}

TEST_F(PackageItemTest, BadRangesExtractNothing) {
    Unpack("[Set]\n", {});
    const uint64_t size = fs::file_size(saver_path);
    struct Case {
        const char* why;
        std::string start;
        std::string end;
    };
    const Case cases[] = {
        {"missing", "", ""},
        {"zero start", "0", "10"},
        {"negative start", "-100", "10"},
        {"negative end", "10", "-1"},
        {"end before start", "200", "100"},
        {"empty range", "100", "100"},
        {"past the end of the file", "100", std::to_string(size + 1)},
        {"larger than memory", "1", "2147483647"},
        {"not numbers", "ten", "twenty"},
    };
    for (const Case& c : cases) {
        settings.WriteString("zippos", "x_1", c.start);
        settings.WriteString("zippos", "x_2", c.end);
        settings.WriteBool("notzip", "x", true);
        package.ExtractPackageItem("x", work + "x.bin", "");
        EXPECT_FALSE(FileExists(work + "x.bin")) << c.why;
        EXPECT_FALSE(FileExists(work + "x.bin~")) << c.why;
    }
    settings.WriteString("zippos", "x_1", "1");
    settings.WriteString("zippos", "x_2", std::to_string(size));
    package.ExtractPackageItem("x", work + "x.bin", "");
    EXPECT_EQ(fs::file_size(work + "x.bin"), size - 1) << "a range up to the last byte works";
}

// The MPEG library item, zipped with more than the library in it: only the library is
// unpacked, and only where code may be placed.
class MpegLibraryTest : public PackageItemTest {
  protected:
    void SetUp() override {
        PackageItemTest::SetUp();
        // Carried as it is, then read as zipped: the archive holds what a hostile author
        // put beside the library.
        const std::string item = root.Write(
            "items/MPEGDLL.DLL",
            MakeZipArchive(
                {{"mpegdll.dll", "library"}, {"libc.so.6", "evil"}, {"libmpegdll.so", "evil"}}));
        Unpack("[Set]\n", {{item, true}});
        settings.WriteBool("notzip", "MPEGDLL.DLL", false);
        ForceDirectories(system);
    }

    std::vector<std::string> SystemFiles() const { return FilesBelow(system); }

    std::string system = root / "system/";
};

TEST_F(MpegLibraryTest, OnlyTheLibraryIsUnpackedAndNeverWhenPresent) {
    package.ProvideMpegLibrary(system);
    const std::string placed = ::geteuid() == 0 ? work : system;
    EXPECT_EQ(test::ReadFile(placed + "MPEGDLL.DLL"), "library");
    for (const char* name : {"libc.so.6", "libmpegdll.so"}) {
        EXPECT_FALSE(FileExists(work + name)) << name;
        EXPECT_FALSE(FileExists(system + name)) << name;
    }
    fs::remove(placed + "MPEGDLL.DLL");
    WriteFile(system + "MPEGDLL.DLL", "present");
    package.ProvideMpegLibrary(system);
    EXPECT_EQ(SystemFiles(), std::vector<std::string>{"MPEGDLL.DLL"});
    EXPECT_EQ(test::ReadFile(system + "MPEGDLL.DLL"), "present");
    EXPECT_FALSE(FileExists(work + "MPEGDLL.DLL")) << "one in the system folder is enough";
}

// Code that root places in the system folder would run for every user of the machine.
TEST_F(MpegLibraryTest, RootNeverWritesIntoTheSystemFolder) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "runs as root only";
    }
    package.ProvideMpegLibrary(system);
    EXPECT_EQ(SystemFiles(), std::vector<std::string>{});
    EXPECT_EQ(test::ReadFile(work + "MPEGDLL.DLL"), "library");
}

TEST_F(MpegLibraryTest, ALibraryThatCannotBePlacedIsUnpackedIntoTheWorkingFolder) {
    package.ProvideMpegLibrary(root / "no-such-system-folder/");
    EXPECT_EQ(test::ReadFile(work + "MPEGDLL.DLL"), "library");
    EXPECT_FALSE(FileExists(work + "libc.so.6"));
}

// A user who may write the system folder (SAVERHOST_SYSTEM_DIR) gets the library there.
TEST_F(MpegLibraryTest, AUserWhoMayWriteTheSystemFolderGetsTheLibraryThere) {
    if (::geteuid() != 0) {
        package.ProvideMpegLibrary(system);
        EXPECT_EQ(SystemFiles(), std::vector<std::string>{"MPEGDLL.DLL"});
        return;
    }
    // As root the same runs as another user, in a child.
    constexpr uid_t kNobody = 65534;
    ::chmod(root.Path().c_str(), 0755);
    for (const std::string& folder : {std::string(root / "sandbox"), work, system}) {
        ASSERT_EQ(::chown(folder.c_str(), kNobody, kNobody), 0) << folder;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
        if (dropped) {
            package.ProvideMpegLibrary(system);
        }
        ::_exit(dropped && FileExists(system + "MPEGDLL.DLL") && !FileExists(work + "MPEGDLL.DLL")
                    ? 0
                    : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(SystemFiles(), std::vector<std::string>{"MPEGDLL.DLL"});
}

// A library loaded from the working folder is such a file: writing through it would
// change the code of the running program.
TEST_F(PackageItemTest, AFileInUseIsReplacedNotWrittenThrough) {
    std::string file = root.Write("items/lib.so", "new");
    Unpack("[Set]\n", {{file, true}});
    WriteFile(work + "lib.so", "old");
    std::ifstream in_use(work + "lib.so");
    package.ExtractPackageItem("lib.so", work + "lib.so", "");
    EXPECT_EQ(test::ReadFile(work + "lib.so"), "new");
    std::string seen;
    std::getline(in_use, seen);
    EXPECT_EQ(seen, "old");
}

TEST_F(PackageItemTest, ReadOnlyFilesAreReplaced) {
    std::string file = root.Write("items/ro.txt", "v1");
    Unpack("[Set]\n", {{file, false}});
    package.ExtractPackageItem("ro.txt", work + "ro.txt", "");
    ::chmod((work + "ro.txt").c_str(), 0444);
    package.ExtractPackageItem("ro.txt", work + "ro.txt", "");
    EXPECT_EQ(test::ReadFile(work + "ro.txt"), "v1");
}

// A file of `size` bytes that ends with `tail`, made without writing its zeros.
std::string SparseFile(const std::string& path, uint64_t size, const std::string& tail) {
    ForceDirectories(FolderPart(path));
    WriteFile(path, "");
    fs::resize_file(path, size - tail.size());
    FILE* file = std::fopen(path.c_str(), "ab");
    std::fwrite(tail.data(), 1, tail.size(), file);
    std::fclose(file);
    return path;
}

// Items larger than the runtime folder's small file system: they are unpacked into the
// disk folder and reached through the working folder; small ones stay in it.
TEST_F(PackageItemTest, LargeItemsGoToTheDiskFolder) {
    test::SmallTmpfs runtime(root / "sandbox/run", 16);
    if (!runtime.Refused().empty()) {
        GTEST_SKIP() << "a tmpfs cannot be mounted here (" << runtime.Refused() << ")";
    }
    constexpr uint64_t kBig = 24u << 20;  // beyond the 16 MiB of the runtime folder
    const std::string plain = SparseFile(root / "items/movie.bin", kBig, "end of the movie");
    const std::string zipped = SparseFile(root / "items/song.bin", kBig, "end of the song");
    const std::string small = root.Write("items/small.bin", "small");
    work = root / "sandbox/run/Orvane/";
    ForceDirectories(work);
    const std::string disk = root / "disk/Orvane/";
    saver_path = test::BuildSaverFile(root, "Items.scr", "[Set]\n",
                                      {{plain, true}, {zipped, false}, {small, true}});
    result = package.ExtractSaverPackage(saver_path, work, disk);
    settings = IniFile::Load(result.settings_file);
    package.SetSettingsFile(&settings);

    package.ExtractPackageItem("movie.bin", work + "movie.bin", "");
    package.ExtractPackageItem("song.bin", work + "song.bin", "");
    package.ExtractPackageItem("small.bin", work + "small.bin", "");
    for (const char* name : {"movie.bin", "song.bin"}) {
        EXPECT_TRUE(fs::is_symlink(work + name)) << name;
        EXPECT_EQ(fs::file_size(work + name), kBig) << name;
    }
    EXPECT_TRUE(test::ReadFile(work + "movie.bin").ends_with("end of the movie"));
    EXPECT_EQ(test::ReadFile(work + "small.bin"), "small");
    EXPECT_FALSE(fs::is_symlink(work + "small.bin"));
    EXPECT_LT(runtime.UsedBytes(), 4u << 20);

    ClearWorkingFolder(work, disk);
    EXPECT_EQ(FilesBelow(work), std::vector<std::string>{});
    EXPECT_EQ(FilesBelow(disk), std::vector<std::string>{});
}

}  // namespace
}  // namespace saver
