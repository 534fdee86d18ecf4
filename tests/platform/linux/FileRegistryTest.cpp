#include "platform/linux/FileRegistry.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

namespace saver {
namespace {

constexpr auto kUser = RegistryHive::CurrentUser;
constexpr auto kMachine = RegistryHive::LocalMachine;
const std::string kSaverKey = "\\Software\\Quillmont\\my.scr";
const std::string kShellFolders =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::set<std::string> FileNames(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename());
    }
    return names;
}

class FileRegistryTest : public testing::Test {
  protected:
    test::TempFolder folder_;
    std::string path_ = folder_ / "user.reg";
};

TEST_F(FileRegistryTest, StoresBothTypesAndTheDefaultValueAsReadableText) {
    FileRegistry registry(path_);
    ASSERT_TRUE(registry.WriteValue(kUser, kSaverKey, "WebInterval", uint32_t{30}));
    ASSERT_TRUE(registry.WriteValue(kUser, kSaverKey, "", std::string("C:\\Saver \"one\"")));
    ASSERT_TRUE(registry.WriteValue(kUser, kSaverKey, "Odd \"name\"=x", std::string("Ünï=")));
    ASSERT_TRUE(registry.WriteValue(kUser, kSaverKey, "Max", uint32_t{0xFFFFFFFF}));

    EXPECT_EQ(test::ReadFile(path_), R"(REGEDIT4

[HKEY_CURRENT_USER\Software\Quillmont\my.scr]
@="C:\\Saver \"one\""
"Max"=dword:ffffffff
"Odd \"name\"=x"="Ünï="
"WebInterval"=dword:0000001e

)");
    FileRegistry reread(path_);
    EXPECT_EQ(reread.ReadValue(kUser, kSaverKey, "WebInterval"), RegistryValue(uint32_t{30}));
    EXPECT_EQ(reread.ReadValue(kUser, kSaverKey, "Max"), RegistryValue(uint32_t{0xFFFFFFFF}));
    EXPECT_EQ(reread.ReadString(kUser, kSaverKey, ""), "C:\\Saver \"one\"");
    EXPECT_EQ(reread.ReadString(kUser, kSaverKey, "Odd \"name\"=x"), "Ünï=");
}

TEST_F(FileRegistryTest, KeysAndValueNamesIgnoreLetterCase) {
    FileRegistry registry(path_);
    ASSERT_TRUE(
        registry.WriteValue(kUser, "\\Software\\Quillmont\\My.SCR", "WebInterval", uint32_t{10}));
    ASSERT_TRUE(
        registry.WriteValue(kUser, "software\\QUILLMONT\\my.scr\\", "WEBINTERVAL", uint32_t{20}));

    EXPECT_EQ(registry.ReadValue(kUser, "\\SOFTWARE\\\\quillmont\\MY.scr", "webinterval"),
              RegistryValue(uint32_t{20}));
    // One value, keeping the spelling it was first written with.
    EXPECT_EQ(test::ReadFile(path_),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Quillmont\\My.SCR]\n"
              "\"WebInterval\"=dword:00000014\n\n");
    for (const char* key : {"", "\\Software", "software\\quillmont", "\\Software\\Quillmont\\"}) {
        EXPECT_TRUE(registry.KeyExists(kUser, key)) << key;
    }
    for (const char* key : {"\\Software\\Quill", "\\Software\\Quillmont\\My.SCR\\Sub", "\\Other"}) {
        EXPECT_FALSE(registry.KeyExists(kUser, key)) << key;
    }
    EXPECT_EQ(registry.ReadValue(kUser, kSaverKey, "Missing"), std::nullopt);
    EXPECT_EQ(registry.ReadValue(kUser, "\\Software\\Missing", "WebInterval"), std::nullopt);
}

TEST_F(FileRegistryTest, MissingFileReadsAsEmptyAndReadingCreatesNothing) {
    std::string nested = folder_ / "config/saverhost/user.reg";
    FileRegistry registry(nested);
    EXPECT_FALSE(registry.KeyExists(kUser, kSaverKey));
    EXPECT_EQ(registry.ReadValue(kUser, kSaverKey, "WebInterval"), std::nullopt);
    EXPECT_TRUE(FileNames(folder_.Path()).empty());
}

TEST_F(FileRegistryTest, ReadsTextThatAPersonEdited) {
    test::WriteFile(path_,
                    "\xEF\xBB\xBFREGEDIT4\r\n\r\n; set by hand\r\n"
                    "[hkey_current_user\\Software\\Quillmont\\my.scr]\r\n"
                    "  \"WebInterval\" = DWORD:1E\r\n@ = \"page\"  \r\n"
                    "[HKEY_CURRENT_USER\\Software\\Empty]\r\n");
    FileRegistry registry(path_);
    EXPECT_EQ(registry.ReadValue(kUser, kSaverKey, "WebInterval"), RegistryValue(uint32_t{30}));
    EXPECT_EQ(registry.ReadString(kUser, kSaverKey, ""), "page");
    EXPECT_TRUE(registry.KeyExists(kUser, "\\Software\\Empty"));
}

TEST_F(FileRegistryTest, DamagedTextReadsAsEmptyAndIsLeftAlone) {
    const std::string good =
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Quillmont\\my.scr]\n\"Good\"=dword:1\n";
    struct Case {
        const char* why;
        std::string text;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"binary garbage", std::string("\0\xff\x13REGEDIT4", 11)},
        {"wrong header", "REGEDIT5\n"},
        {"the UTF-16 format of later versions", "Windows Registry Editor Version 5.00\n"},
        {"value outside any key", "REGEDIT4\n\"A\"=dword:1\n"},
        {"another hive", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n"},
        {"hive name with more after it", "REGEDIT4\n[HKEY_CURRENT_USERS\\Software]\n"},
        {"key deletion", "REGEDIT4\n[-HKEY_CURRENT_USER\\Software]\n"},
        {"section without its bracket", good + "[HKEY_CURRENT_USER\\Software\n"},
        {"value deletion", good + "\"A\"=-\n"},
        {"binary value type", good + "\"A\"=hex:01,02\n"},
        {"dword of nine digits", good + "\"A\"=dword:123456789\n"},
        {"dword with a non-hex digit", good + "\"A\"=dword:12g4\n"},
        {"dword without digits", good + "\"A\"=dword:\n"},
        {"unknown escape", good + "\"A\"=\"a\\qb\"\n"},
        {"unterminated string", good + "\"A\"=\"abc\n"},
        {"text after the string", good + "\"A\"=\"a\" b\n"},
        {"name without =", good + "\"A\" dword:1\n"},
        {"unterminated name", good + "\"A=dword:1\n"},
        {"a bare word", good + "junk\n"},
    };
    for (const auto& [why, text] : cases) {
        test::WriteFile(path_, text);
        FileRegistry registry(path_);
        EXPECT_EQ(registry.ReadValue(kUser, kSaverKey, "Good"), std::nullopt) << why;
        EXPECT_FALSE(registry.KeyExists(kUser, "\\Software\\Quillmont")) << why;
        EXPECT_EQ(test::ReadFile(path_), text) << why;
    }
}

TEST_F(FileRegistryTest, WriteKeepsACorruptFileAsideBeforeReplacingIt) {
    FileRegistry registry(path_);
    for (const char* garbage : {"first garbage", "second garbage"}) {
        test::WriteFile(path_, garbage);
        EXPECT_EQ(registry.ReadValue(kUser, kSaverKey, "A"), std::nullopt);
        ASSERT_TRUE(registry.WriteValue(kUser, kSaverKey, "A", uint32_t{1})) << garbage;
        EXPECT_EQ(test::ReadFile(path_),
                  "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Quillmont\\my.scr]\n"
                  "\"A\"=dword:00000001\n\n");
    }
    std::set<std::string> kept;
    for (const auto& name : FileNames(folder_.Path())) {
        if (name != "user.reg") {
            EXPECT_EQ(name.rfind("user.reg.corrupt-", 0), 0u) << name;
            kept.insert(test::ReadFile(folder_ / name));
        }
    }
    EXPECT_EQ(kept, (std::set<std::string>{"first garbage", "second garbage"}));
}

TEST_F(FileRegistryTest, WriteIsRefusedWhenTheDamagedEntryCannotBeKept) {
    // A folder in the file's place can be neither read nor linked aside.
    std::filesystem::create_directory(path_);
    test::WriteFile(path_ + "/inside", "kept");
    FileRegistry registry(path_);
    EXPECT_FALSE(registry.KeyExists(kUser, "\\Software\\Quillmont"));
    EXPECT_FALSE(registry.WriteValue(kUser, kSaverKey, "A", uint32_t{1}));
    EXPECT_EQ(test::ReadFile(path_ + "/inside"), "kept");
}

TEST_F(FileRegistryTest, RefusedWritesChangeNothing) {
    FileRegistry registry(path_);
    ASSERT_TRUE(registry.WriteValue(kUser, kSaverKey, "Kept", uint32_t{1}));
    const std::string before = test::ReadFile(path_);
    struct Case {
        const char* why;
        RegistryHive hive;
        std::string key;
        std::string name;
        RegistryValue value;
    };
    const Case cases[] = {
        {"the machine hive is read-only", kMachine, "\\Software\\X", "A", uint32_t{1}},
        {"line break in a string", kUser, kSaverKey, "A", std::string("two\nlines")},
        {"carriage return in a name", kUser, kSaverKey, "A\rB", uint32_t{1}},
        {"line break in a key", kUser, kSaverKey + "\n[x]", "A", uint32_t{1}},
        {"NUL in a string", kUser, kSaverKey, "A", std::string("a\0b", 3)},
    };
    for (const auto& [why, hive, key, name, value] : cases) {
        EXPECT_FALSE(registry.WriteValue(hive, key, name, value)) << why;
        EXPECT_EQ(test::ReadFile(path_), before) << why;
    }
}

TEST_F(FileRegistryTest, FailedWriteLeavesTheOldFileWholeAndNoTemporaryFile) {
    FileRegistry registry(path_);
    ASSERT_TRUE(registry.WriteValue(kUser, kSaverKey, "Kept", uint32_t{1}));
    const std::string before = test::ReadFile(path_);
    // Root passes any file mode, so the write is made to fail halfway through with a file
    // size limit, in a child process.
    pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{before.size() + 16, before.size() + 16};
        setrlimit(RLIMIT_FSIZE, &limit);
        bool written = registry.WriteValue(kUser, kSaverKey, "Big", std::string(4096, 'x'));
        _exit(written ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write reported success";
    EXPECT_EQ(test::ReadFile(path_), before);
    EXPECT_EQ(FileNames(folder_.Path()), std::set<std::string>{"user.reg"});
    EXPECT_EQ(registry.ReadValue(kUser, kSaverKey, "Big"), std::nullopt);
}

TEST_F(FileRegistryTest, SeesChangesMadeByOthers) {
    FileRegistry reader(path_);
    FileRegistry writer(path_);
    EXPECT_EQ(reader.ReadValue(kUser, kSaverKey, "A"), std::nullopt);
    ASSERT_TRUE(writer.WriteValue(kUser, kSaverKey, "A", uint32_t{1}));
    EXPECT_EQ(reader.ReadValue(kUser, kSaverKey, "A"), RegistryValue(uint32_t{1}));
    test::WriteFile(path_,
                    "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Quillmont\\my.scr]\n\"A\"=\"b\"\n");
    EXPECT_EQ(reader.ReadString(kUser, kSaverKey, "A"), "b");
    // A writer that read the file before the edit keeps the edited value too.
    ASSERT_TRUE(writer.WriteValue(kUser, kSaverKey, "C", uint32_t{3}));
    EXPECT_EQ(reader.ReadString(kUser, kSaverKey, "A"), "b");
}

TEST_F(FileRegistryTest, ProcessesWritingAtOnceLoseNoValue) {
    constexpr int kValuesEach = 20;
    pid_t children[2];
    for (int process = 0; process < 2; ++process) {
        children[process] = fork();
        if (children[process] == 0) {
            FileRegistry registry(path_);
            bool all = true;
            for (int i = 0; i < kValuesEach; ++i) {
                all = registry.WriteValue(kUser, kSaverKey,
                                          "P" + std::to_string(process) + "-" + std::to_string(i),
                                          uint32_t(i)) &&
                      all;
            }
            _exit(all ? 0 : 1);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    FileRegistry registry(path_);
    for (int process = 0; process < 2; ++process) {
        for (int i = 0; i < kValuesEach; ++i) {
            std::string name = "P" + std::to_string(process) + "-" + std::to_string(i);
            EXPECT_EQ(registry.ReadValue(kUser, kSaverKey, name), RegistryValue(uint32_t(i)))
                << name;
        }
    }
}

TEST(FileRegistryUserFile, LivesInTheXdgConfigHomeWithPrivateModes) {
    test::TempFolder folder;
    test::ScopedEnvironment config("XDG_CONFIG_HOME", folder / "config");
    FileRegistry registry;
    ASSERT_TRUE(registry.WriteValue(kUser, kSaverKey, "A", uint32_t{1}));
    struct stat info {};
    for (const char* name : {"config", "config/saverhost"}) {
        ASSERT_EQ(stat((folder / name).c_str(), &info), 0) << name;
        EXPECT_EQ(info.st_mode & 07777, 0700u) << name;
    }
    ASSERT_EQ(stat((folder / "config/saverhost/user.reg").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
}

// The full name of the passwd entry, as RegisteredOwner should give it.
std::string PasswdFullName() {
    const passwd* entry = getpwuid(getuid());
    std::string gecos = entry && entry->pw_gecos ? entry->pw_gecos : "";
    return gecos.substr(0, gecos.find(','));
}

TEST(FileRegistryAnsweredValues, MachineHiveAnswersFromLinux) {
    test::TempFolder folder;
    FileRegistry registry(folder / "user.reg");
    EXPECT_EQ(registry.ReadString(kMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion",
                                  "ProgramFilesDir"),
              "/opt");
    for (const char* key : {"\\Software\\Microsoft\\Windows NT\\CurrentVersion",
                            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion"}) {
        EXPECT_TRUE(registry.KeyExists(kMachine, key)) << key;
        EXPECT_EQ(registry.ReadString(kMachine, key, "RegisteredOwner"), PasswdFullName()) << key;
        EXPECT_EQ(registry.ReadString(kMachine, key, "registeredorganization"), "") << key;
    }
    EXPECT_FALSE(registry.KeyExists(kMachine, "\\Software\\Quillmont"));
    EXPECT_EQ(registry.ReadValue(kMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion", "X"),
              std::nullopt);
    // The user hive does not see machine values.
    EXPECT_FALSE(registry.KeyExists(kUser, "\\Software\\Microsoft\\Windows NT"));
}

TEST(FileRegistryAnsweredValues, AppDataIsTheXdgDataHomeUnlessTheUserSetIt) {
    test::TempFolder folder;
    test::ScopedEnvironment home("HOME", folder.Path());
    struct Case {
        const char* why;
        std::optional<std::string> data_home;
        std::string expected;
    };
    const Case cases[] = {
        {"set", folder / "data", folder / "data"},
        {"unset", std::nullopt, folder / ".local/share"},
        {"relative, which the XDG rules ignore", "data", folder / ".local/share"},
    };
    for (const auto& [why, data_home, expected] : cases) {
        test::ScopedEnvironment data("XDG_DATA_HOME", data_home);
        FileRegistry registry(folder / "user.reg");
        EXPECT_TRUE(registry.KeyExists(kUser, kShellFolders)) << why;
        EXPECT_EQ(registry.ReadString(kUser, kShellFolders, "AppData"), expected) << why;
    }
    FileRegistry registry(folder / "user.reg");
    ASSERT_TRUE(registry.WriteValue(kUser, kShellFolders, "APPDATA", std::string("/custom")));
    EXPECT_EQ(registry.ReadString(kUser, kShellFolders, "AppData"), "/custom");
}

}  // namespace
}  // namespace saver
