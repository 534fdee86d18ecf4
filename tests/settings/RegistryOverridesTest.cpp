#include "settings/RegistryOverrides.h"

#include "support/FakePlatform.h"

#include <gtest/gtest.h>

namespace saver {
namespace {

const std::string kKey = UserSettingsKey("ocean.scr");

void Put(test::FakeRegistry& registry, const std::string& name, RegistryValue value) {
    registry.WriteValue(RegistryHive::CurrentUser, kKey, name, value);
}

TEST(RegistryOverridesTest, MissingKeyLeavesTheFilesValues) {
    test::FakeRegistry registry;
    Put(registry, "WebInterval", uint32_t{30});
    TSaverSetting record;
    ApplyRegistryOverrides(registry, UserSettingsKey("other.scr"), record);
    EXPECT_EQ(record.WebInterval, 10) << "another file name has its own key";
}

TEST(RegistryOverridesTest, StoredValuesReplaceTheFilesValues) {
    test::FakeRegistry registry;
    Put(registry, "WebInterval", uint32_t{30});
    Put(registry, "WebSequence", uint32_t{258});
    Put(registry, "MouseMoveExit", uint32_t{1});
    Put(registry, "KeyboardPressExit", uint32_t{0});
    TSaverSetting record;
    ApplyRegistryOverrides(registry, kKey, record);
    EXPECT_EQ(record.WebInterval, 30);
    EXPECT_EQ(record.WebSequence, 2);
    EXPECT_TRUE(record.MouseMove);
    EXPECT_FALSE(record.KeyboardPress);
    EXPECT_TRUE(record.MousePress) << "a missing value keeps the file's value";
}

TEST(RegistryOverridesTest, AValueOfAnotherTypeStopsTheReading) {
    test::FakeRegistry registry;
    Put(registry, "UseFeed", uint32_t{1});
    Put(registry, "RandomFeed", uint32_t{0});
    Put(registry, "BlogInterval", uint32_t{5});
    Put(registry, "HookApplete", uint32_t{1});
    Put(registry, "MouseMoveExit", std::string("1"));
    Put(registry, "WebInterval", uint32_t{30});
    TSaverSetting record;
    ApplyRegistryOverrides(registry, kKey, record);
    EXPECT_TRUE(record.UseFeed);
    EXPECT_FALSE(record.RandomFeed);
    EXPECT_EQ(record.BlogInterval, 5);
    EXPECT_TRUE(record.HookApplete);
    EXPECT_FALSE(record.MouseMove);
    EXPECT_EQ(record.WebInterval, 10);
}

TEST(RegistryOverridesTest, SavesTheDialogsValuesInOrder) {
    test::FakeRegistry registry;
    TSaverSetting record;
    record.WebInterval = 25;
    record.WebOffline = true;
    SaveRegistryOverrides(registry, kKey, record);
    EXPECT_EQ(registry.written,
              (std::vector<std::string>{"MouseMoveExit", "MousePressExit", "KeyboardPressExit",
                                        "ShowCursor", "OnlyEscKeyExit", "WebSequence",
                                        "WebInterval", "WebOffline", "WebHideScrollBar",
                                        "WebShowStatus", "WebLastPage", "PlayMusic", "UseFeed"}));
    EXPECT_EQ(registry.ReadValue(RegistryHive::CurrentUser, kKey, "WebInterval"),
              RegistryValue(uint32_t{25}));
    EXPECT_EQ(registry.ReadValue(RegistryHive::CurrentUser, kKey, "WebOffline"),
              RegistryValue(uint32_t{1}));

    TSaverSetting read_back;
    ApplyRegistryOverrides(registry, kKey, read_back);
    EXPECT_EQ(read_back.WebInterval, 25);
    EXPECT_TRUE(read_back.WebOffline);
}

}  // namespace
}  // namespace saver
