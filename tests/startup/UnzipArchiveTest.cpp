// ZIP archives made to harm: entries that write more than they declare, too many
// entries, entries too large together. Each is built in the test.
#include "startup/UnzipArchive.h"

#include "ZipWriter.h"
#include "base/Files.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace saver {
namespace {

namespace fs = std::filesystem;

void PutU32(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// `zip` (one entry, as MakeZipArchive makes it) with the entry's uncompressed size
// declared as `size` in its local header and in the central directory.
std::string DeclaringSize(std::string zip, uint32_t size) {
    PutU32(zip, 22, size);
    const size_t central = zip.find(std::string("PK\x01\x02", 4));
    PutU32(zip, central + 24, size);
    return zip;
}

std::vector<ZipEntry> ManyEntries(size_t count, const std::string& bytes) {
    std::vector<ZipEntry> entries;
    for (size_t i = 0; i < count; ++i) {
        entries.push_back({"file" + std::to_string(i) + ".txt", bytes});
    }
    return entries;
}

uint64_t BytesBelow(const std::string& folder) {
    uint64_t total = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        total += entry.is_regular_file() ? entry.file_size() : 0;
    }
    return total;
}

TEST(UnzipArchiveTest, HostileArchivesWriteNoMoreThanAllowed) {
    const std::string sixteen_mib(16u << 20, 'z');
    const UnzipLimits small{10, 1u << 20};
    struct Case {
        const char* why;
        std::string zip;
        std::optional<UnzipLimits> limits;
        uint64_t written;     // bytes in the target folder afterwards
        const char* problem;  // part of the problem reported; "" for none
    };
    const Case cases[] = {
        {"an entry declaring 1000 bytes that inflates to 16 MiB",
         DeclaringSize(MakeZipArchive({{"big.bin", sixteen_mib}}), 1000), std::nullopt, 0,
         "the entry big.bin is damaged"},
        {"an entry declaring 0 bytes with data", DeclaringSize(MakeZipArchive({{"e.txt", "x"}}), 0),
         std::nullopt, 0, "the entry e.txt is damaged"},
        {"an entry declaring more than it holds",
         DeclaringSize(MakeZipArchive({{"short.txt", "abc"}}), 100), std::nullopt, 0,
         "the entry short.txt is damaged"},
        {"one entry more than allowed", MakeZipArchive(ManyEntries(11, "x")), small, 0,
         "11 entries, more than the 10 allowed"},
        {"as many entries as allowed", MakeZipArchive(ManyEntries(10, "x")), small, 10, ""},
        {"entries larger together than allowed",
         MakeZipArchive(ManyEntries(3, std::string(400u << 10, 'a'))), small, 0,
         "more than 1048576 bytes together"},
        {"a declared size beyond the limit, whatever the data",
         DeclaringSize(MakeZipArchive({{"huge.bin", "x"}}), 0xFFFFFFF0u), std::nullopt, 0,
         "the most allowed"},
        {"no ZIP archive at all", std::string(300, 'P'), std::nullopt, 0,
         "no readable ZIP archive"},
    };
    for (const Case& c : cases) {
        test::TempFolder root;
        const std::string target = root / "target/";
        ForceDirectories(target);
        UnzipOptions options;
        options.limits = c.limits;
        const std::string problem = UnzipArchiveBytes(c.zip, target, options);
        EXPECT_EQ(BytesBelow(target), c.written) << c.why;
        if (std::strlen(c.problem) == 0) {
            EXPECT_EQ(problem, "") << c.why;
        } else {
            EXPECT_NE(problem.find(c.problem), std::string::npos) << c.why << ": " << problem;
        }
        // The same from a file, as package items are unpacked.
        fs::remove_all(target);
        ForceDirectories(target);
        WriteFile(root / "archive.zip", c.zip);
        EXPECT_EQ(UnzipArchive(root / "archive.zip", target, options), problem) << c.why;
        EXPECT_EQ(BytesBelow(target), c.written) << c.why;
    }
}

TEST(UnzipArchiveTest, DefaultLimitsGrowWithTheArchiveUpToACap) {
    EXPECT_EQ(LimitsForArchive(0).max_total_bytes, 64u << 20);
    EXPECT_EQ(LimitsForArchive(150000).max_total_bytes, (64u << 20) + 32u * 150000);
    EXPECT_EQ(LimitsForArchive(1ULL << 30).max_total_bytes, 4ULL << 30);
    EXPECT_EQ(LimitsForArchive(~0ULL).max_total_bytes, 4ULL << 30);
    EXPECT_EQ(LimitsForArchive(100).max_entries, 10000u);
}

TEST(UnzipArchiveTest, SelectedEntriesOnlyAndListingWritesNothing) {
    test::TempFolder root;
    const std::string zip =
        MakeZipArchive({{"readme.txt", "read me"}, {"lib/mpegdll.dll", "code"}, {"../x", "up"}});
    const std::optional<std::vector<ZipEntryInfo>> entries = ListZipEntries(zip);
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 3u);
    EXPECT_EQ((*entries)[1].name, "mpegdll.dll");
    EXPECT_EQ((*entries)[1].size, 4u);
    EXPECT_EQ((*entries)[2].name, "x") << "the name it would unpack to";
    EXPECT_FALSE(ListZipEntries("not a zip"));

    UnzipOptions options;
    options.select = [](const std::string& file) {
        return file == "mpegdll.dll" ? std::string("MPEGDLL.DLL") : std::string();
    };
    EXPECT_EQ(UnzipArchiveBytes(zip, root / "", options), "");
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(root.Path())) {
        files.push_back(entry.path().filename());
    }
    EXPECT_EQ(files, std::vector<std::string>{"MPEGDLL.DLL"});
    EXPECT_EQ(test::ReadFile(root / "MPEGDLL.DLL"), "code");
}

}  // namespace
}  // namespace saver
