#include "settings/ContentResolver.h"

#include "base/Files.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include <unistd.h>

namespace saver {
namespace {

// Package items that "extract" by writing the destination of the keys it carries.
class FakePackageItems : public PackageItems {
  public:
    std::map<std::string, std::string> carried;  // key -> bytes
    std::vector<std::string> calls;              // "key -> destination"

    void ExtractPackageItem(const std::string& key, const std::string& destination,
                            const std::string&) override {
        calls.push_back(key + " -> " + destination);
        auto found = carried.find(key);
        if (found != carried.end()) {
            WriteFile(destination, found->second);
        }
    }
};

class ContentResolverTest : public ::testing::Test {
  protected:
    test::TempFolder root;
    FakePackageItems items;

    ContentResolver WithPackage() {
        ForceDirectories(root / "work");
        return ContentResolver({true, root / "work/", root / "exe/", root / "sample/"}, &items);
    }
    ContentResolver WithoutPackage() {
        return ContentResolver({false, root / "work/", root / "exe/", root / "sample/"}, &items);
    }
    static std::pair<std::string, bool> Resolve(const ContentResolver& resolver, std::string item) {
        bool available = resolver.ResolveContentItem(item);
        return {item, available};
    }
};

TEST_F(ContentResolverTest, AddressesResolveWithoutAnyFile) {
    ContentResolver resolver = WithoutPackage();
    using R = std::pair<std::string, bool>;
    EXPECT_EQ(Resolve(resolver, "(URL) http://a.test/q?x**1&y**2"),
              R("http://a.test/q?x=1&y=2", true));
    EXPECT_EQ(Resolve(resolver, "https://a.test/"), R("https://a.test/", true));
    EXPECT_EQ(Resolve(resolver, ""), R("", false));
}

TEST_F(ContentResolverTest, FoldersAndLocalFiles) {
    ContentResolver resolver = WithoutPackage();
    root.Write("fav/x.url", "");
    std::string page = root.Write("pages/p.htm", "");
    using R = std::pair<std::string, bool>;
    EXPECT_EQ(Resolve(resolver, "(Favorites) " + root.Path() + "fav/"), R(root / "fav/", true));
    EXPECT_EQ(Resolve(resolver, "(Favorites) " + root.Path() + "none/"), R(root / "none/", false));
    EXPECT_EQ(Resolve(resolver, "(URL) " + page), R(page, true));
    EXPECT_EQ(Resolve(resolver, "(File) " + page), R(page, true));
    EXPECT_EQ(Resolve(resolver, "(File) " + root.Path() + "pages\\p.htm"), R(page, true))
        << "a backslash works as a folder separator";
}

TEST_F(ContentResolverTest, WithoutPackageLooksBesideTheExecutableAndInTheSampleFolder) {
    ContentResolver resolver = WithoutPackage();
    using R = std::pair<std::string, bool>;
    std::string in_exe_sample = root.Write("exe/sample/a.htm", "");
    EXPECT_EQ(Resolve(resolver, "a.htm"), R(in_exe_sample, true));
    std::string in_sample = root.Write("sample/b.htm", "");
    EXPECT_EQ(Resolve(resolver, "b.htm"), R(in_sample, true));
    std::string in_sample_sample = root.Write("sample/sample/c.htm", "");
    EXPECT_EQ(Resolve(resolver, "c.htm"), R(in_sample_sample, true));
    std::string beside = root.Write("exe/d.htm", "");
    EXPECT_EQ(Resolve(resolver, "d.htm"), R(beside, true));
    EXPECT_EQ(Resolve(resolver, "none.htm"), R(root / "exe/sample/none.htm", false));
    EXPECT_TRUE(items.calls.empty()) << "nothing is extracted without a package";
}

TEST_F(ContentResolverTest, PackageFilesAreExtractedOnFirstUseAndAgainWhenDeleted) {
    ContentResolver resolver = WithPackage();
    items.carried["page.htm"] = "<p>";
    using R = std::pair<std::string, bool>;
    EXPECT_EQ(Resolve(resolver, "(File) C:\\Saver\\page.htm"), R(root / "work/page.htm", true));
    EXPECT_EQ(Resolve(resolver, "page.htm"), R(root / "work/page.htm", true));
    EXPECT_EQ(items.calls.size(), 1u) << "a file already present is used as it is";
    std::filesystem::remove(root / "work/page.htm");
    EXPECT_EQ(Resolve(resolver, "page.htm"), R(root / "work/page.htm", true));
    EXPECT_EQ(items.calls.size(), 2u);
    EXPECT_EQ(Resolve(resolver, "missing.htm"), R(root / "work/missing.htm", false));

    // "(File) NAME" looks under its whole text first, then under the plain name.
    items.carried["big.jpg"] = "jpg";
    items.calls.clear();
    EXPECT_EQ(Resolve(resolver, "(File) big.jpg"), R(root / "work/big.jpg", true));
    EXPECT_EQ(items.calls, (std::vector<std::string>{"(File) big.jpg -> " + root / "work/big.jpg",
                                                     "big.jpg -> " + root / "work/big.jpg"}));
}

// The saver may be started from any folder: what happens to lie there never replaces a
// packaged file, and every local path comes out absolute.
TEST_F(ContentResolverTest, TheCurrentFolderPlaysNoPart) {
    const std::filesystem::path started_in = std::filesystem::current_path();
    root.Write("cwd/b.htm", "another page");
    root.Write("cwd/pages/p.htm", "");
    std::filesystem::current_path(root / "cwd");
    items.carried["b.htm"] = "<p>packaged";
    const std::string in_exe = root.Write("exe/pages/p.htm", "");
    using R = std::pair<std::string, bool>;
    const ContentResolver packaged = WithPackage();
    EXPECT_EQ(Resolve(packaged, "b.htm"), R(root / "work/b.htm", true));
    EXPECT_EQ(Resolve(packaged, "(File) b.htm"), R(root / "work/b.htm", true));
    EXPECT_EQ(test::ReadFile(root / "work/b.htm"), "<p>packaged");
    EXPECT_EQ(Resolve(packaged, "pages\\p.htm"), R(in_exe, true));
    const ContentResolver unpackaged = WithoutPackage();
    EXPECT_EQ(Resolve(unpackaged, "(URL) pages/p.htm"), R(in_exe, true));
    EXPECT_EQ(Resolve(unpackaged, "(File) pages/p.htm"), R(in_exe, true));
    EXPECT_EQ(Resolve(unpackaged, "(File) b.htm"), R(root / "exe/b.htm", false));
    EXPECT_FALSE(Resolve(unpackaged, "(Resource) b.htm").second);
    std::filesystem::current_path(started_in);
}

TEST_F(ContentResolverTest, PackageNamesNeverLeaveTheWorkingFolder) {
    ContentResolver resolver = WithPackage();
    const char* unsafe[] = {"(File) ..", "..", "(File) /etc/..", "(File) a/.."};
    for (const char* item : unsafe) {
        EXPECT_FALSE(Resolve(resolver, item).second) << item;
    }
    EXPECT_TRUE(items.calls.empty());
}

TEST_F(ContentResolverTest, BuildsListsAndExtractsResources) {
    ContentResolver resolver = WithPackage();
    IniFile file = IniFile::Parse(
        "[Web]\n"
        "(URL) http://a.test/?q**1=1\n"
        "off.htm=0\n"
        "(Resource) logo.png=1\n"
        "(Resource) (External) both.css=1\n"
        "(Resource) ../../escape.txt=1\n"
        "(Resource) sub\\inner.js=1\n"
        "(Resource) /abs/path.js=1\n"
        "(Resource) a**b.txt=1\n"
        "page.htm=1\n");
    ContentList list{"stale"};
    resolver.BuildContentLists(file, "Web", list);
    EXPECT_EQ(list, (ContentList{"(URL) http://a.test/?q**1", "page.htm"}));
    const std::string work = root / "work/";
    EXPECT_EQ(items.calls, (std::vector<std::string>{
                               "logo.png -> " + work + "logo.png",
                               "both.css -> " + work + "both.css",
                               "../../escape.txt -> " + work + "escape.txt",
                               "sub\\inner.js -> " + work + "inner.js",
                               "/abs/path.js -> " + work + "path.js",
                               "a**b.txt -> " + work + "a=b.txt",
                           }));
    ContentList missing{"stale"};
    resolver.BuildContentLists(file, "Music", missing);
    EXPECT_TRUE(missing.empty());
}

TEST_F(ContentResolverTest, ResourceItemsResolveByTheirFile) {
    ContentResolver resolver = WithoutPackage();
    std::string file = root.Write("r.txt", "");
    using R = std::pair<std::string, bool>;
    EXPECT_EQ(Resolve(resolver, "(Resource) " + file), R("(Resource) " + file, true));
    EXPECT_EQ(Resolve(resolver, "(External) /no/such"), R("(External) /no/such", false));
}

}  // namespace
}  // namespace saver
