#include "feeds/model/TLanguages.h"

#include <array>
#include <string>

namespace saver {
namespace {

constexpr std::array<std::string_view, 97> kLanguageNames = {
    "langAF",    "langSQ",    "langEU",    "langBE",    "langBG",    "langCA",    "langZH_CN",
    "langZH_TW", "langHR",    "langCS",    "langDA",    "langNL",    "langNL_BE", "langNL_NL",
    "langEN",    "langEN_AU", "langEN_BZ", "langEN_CA", "langEN_IE", "langEN_JM", "langEN_NZ",
    "langEN_PH", "langEN_ZA", "langEN_TT", "langEN_GB", "langEN_US", "langEN_ZW", "langET",
    "langFO",    "langFI",    "langFR",    "langFR_BE", "langFR_CA", "langFR_FR", "langFR_LU",
    "langFR_MC", "langFR_CH", "langGL",    "langGD",    "langDE",    "langDE_AT", "langDE_DE",
    "langDE_LI", "langDE_LU", "langDE_CH", "langEL",    "langHAW",   "langHU",    "langIS",
    "langIN",    "langGA",    "langIT",    "langIT_IT", "langIT_CH", "langJA",    "langKO",
    "langMK",    "langNO",    "langPL",    "langPT",    "langPT_BR", "langPT_PT", "langRO",
    "langRO_MO", "langRO_RP", "langRU",    "langRU_MO", "langRU_RU", "langSR",    "langSK",
    "langSL",    "langES",    "langES_AR", "langES_BO", "langES_CL", "langES_CO", "langES_CR",
    "langES_DO", "langES_EC", "langES_SV", "langES_GT", "langES_HN", "langES_MX", "langES_NI",
    "langES_PA", "langES_PY", "langES_PE", "langES_PR", "langES_ES", "langES_UY", "langES_VE",
    "langSV",    "langSV_FI", "langSV_SE", "langTR",    "langUK",    "langX"};

std::string CodeOf(std::string_view name) {
    std::string code(name.substr(4));
    for (char& c : code) {
        c = c == '_' ? '-' : static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return code;
}

// Codes of the 96 named languages, index for index with the enumeration.
const std::array<std::string, 96>& LanguageCodes() {
    static const std::array<std::string, 96> codes = [] {
        std::array<std::string, 96> made;
        for (size_t i = 0; i < made.size(); ++i) {
            made[i] = CodeOf(kLanguageNames[i]);
        }
        return made;
    }();
    return codes;
}

}  // namespace

TLanguages LanguageFromCode(std::string_view code) {
    const std::array<std::string, 96>& codes = LanguageCodes();
    for (size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] == code) {
            return static_cast<TLanguages>(i);
        }
    }
    return TLanguages::langX;
}

std::string_view LanguageName(TLanguages language) {
    return kLanguageNames.at(static_cast<size_t>(language));
}

}  // namespace saver
