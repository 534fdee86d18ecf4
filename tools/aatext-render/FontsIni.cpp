#include "FontsIni.h"

#include "aatext/text/TAAScrollText.h"

namespace saver {

namespace {

TFont ReadFont(const IniFile& ini, const std::string& section, TFont font) {
    font.Name = ini.ReadString(section, "FontName", font.Name);
    font.Height = ini.ReadInteger(section, "FontHeight", font.Height);
    font.Weight = ini.ReadBool(section, "FontBold", font.Bold()) ? FW_BOLD : FW_NORMAL;
    font.Italic = ini.ReadBool(section, "FontItalic", font.Italic);
    font.Color = static_cast<TColor>(
        ini.ReadInteger(section, "FontColor", static_cast<int32_t>(font.Color)));
    return font;
}

}  // namespace

void ApplyFontsIni(const IniFile& ini, TAAScrollText& text) {
    for (const IniFile::Section& entry : ini.Sections()) {
        const std::string& section = entry.name;
        if (SameName(section, "Default")) {
            text.Text().SetFont(ReadFont(ini, section, text.Text().Font()));
            text.Text().FontEffect().ReadFromIni(ini, section);
            continue;
        }
        const int index = text.Fonts().IndexOfName(section);
        TFontLabel& label = index >= 0 ? text.Fonts()[index] : text.Fonts().Add(section);
        label.SetFont(ReadFont(ini, section, label.Font()));
        label.Effect().ReadFromIni(ini, section);
    }
}

}  // namespace saver
