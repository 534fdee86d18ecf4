#include "settings/RegistryOverrides.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <type_traits>
#include <variant>

namespace saver {

namespace {

using S = TSaverSetting;

struct OverrideValue {
    std::string_view name;
    std::variant<bool S::*, int32_t S::*, uint8_t S::*> field;
};

// In reading order; the writing order is kWriteOrder below.
constexpr std::array kValues{
    OverrideValue{"UseFeed", &S::UseFeed},
    OverrideValue{"RandomFeed", &S::RandomFeed},
    OverrideValue{"BlogInterval", &S::BlogInterval},
    OverrideValue{"HookApplete", &S::HookApplete},
    OverrideValue{"MouseMoveExit", &S::MouseMove},
    OverrideValue{"MousePressExit", &S::MousePress},
    OverrideValue{"KeyboardPressExit", &S::KeyboardPress},
    OverrideValue{"ShowCursor", &S::ShowCursor},
    OverrideValue{"OnlyEscKeyExit", &S::OnlyEscKeyExit},
    OverrideValue{"WebSequence", &S::WebSequence},
    OverrideValue{"WebInterval", &S::WebInterval},
    OverrideValue{"WebOffline", &S::WebOffline},
    OverrideValue{"WebOnline", &S::WebOnline},
    OverrideValue{"WebHideScrollBar", &S::WebHideScrollBar},
    OverrideValue{"WebShowStatus", &S::WebShowStatus},
    OverrideValue{"WebLastPage", &S::WebLastPage},
    OverrideValue{"WebLinkExit", &S::WebLinkExit},
    OverrideValue{"WebAutoScroll", &S::WebAutoScroll},
    OverrideValue{"BlogAutoScroll", &S::BlogAutoScroll},
    OverrideValue{"PlayMusic", &S::PlayMusic},
};

constexpr std::array<std::string_view, 13> kWriteOrder{
    "MouseMoveExit", "MousePressExit", "KeyboardPressExit", "ShowCursor",       "OnlyEscKeyExit",
    "WebSequence",   "WebInterval",    "WebOffline",        "WebHideScrollBar", "WebShowStatus",
    "WebLastPage",   "PlayMusic",      "UseFeed",
};

const OverrideValue& FindValue(std::string_view name) {
    for (const OverrideValue& value : kValues) {
        if (value.name == name) {
            return value;
        }
    }
    return kValues.front();
}

}  // namespace

std::string UserSettingsKey(const std::string& executable_file_name) {
    return "\\Software\\Quillmont\\" + executable_file_name;
}

void ApplyRegistryOverrides(const Registry& registry, const std::string& key,
                            TSaverSetting& record) {
    if (!registry.KeyExists(RegistryHive::CurrentUser, key)) {
        return;
    }
    for (const OverrideValue& value : kValues) {
        auto stored = registry.ReadValue(RegistryHive::CurrentUser, key, std::string(value.name));
        if (!stored) {
            continue;
        }
        if (!std::holds_alternative<uint32_t>(*stored)) {
            return;
        }
        auto number = static_cast<int32_t>(std::get<uint32_t>(*stored));
        std::visit(
            [&](auto member) {
                auto& field = record.*member;
                using Field = std::remove_reference_t<decltype(field)>;
                if constexpr (std::is_same_v<Field, bool>) {
                    field = number != 0;
                } else {
                    field = static_cast<Field>(number);
                }
            },
            value.field);
    }
}

bool SaveRegistryOverrides(Registry& registry, const std::string& key,
                           const TSaverSetting& record) {
    for (std::string_view name : kWriteOrder) {
        const OverrideValue& value = FindValue(name);
        auto number = std::visit(
            [&](auto member) {
                return static_cast<uint32_t>(static_cast<int32_t>(record.*member));
            },
            value.field);
        if (!registry.WriteValue(RegistryHive::CurrentUser, key, std::string(name), number)) {
            return false;
        }
    }
    return true;
}

}  // namespace saver
