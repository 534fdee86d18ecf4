#include "aatext/text/TickerDesign.h"

#include "aatext/text/TAAScrollText.h"

namespace saver {

namespace {

constexpr int kAreaWidth = 437 - 14;  // the window's default width less the margins
constexpr int kTitleHeight = 63;
constexpr int kListHeight = 289 - 54;

TFont Face(const char* name, int height, bool bold, bool italic, TColor color) {
    TFont font;
    font.Name = name;
    font.Height = height;
    font.Weight = bold ? FW_BOLD : FW_NORMAL;
    font.Italic = italic;
    font.Color = color;
    return font;
}

constexpr TColor Hex(uint32_t rgb) {
    return RgbToColor(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                      static_cast<uint8_t>(rgb));
}

void Shadow(TAAEffect& effect, bool enabled, int blur, int offset_x) {
    TAAShadow& shadow = effect.Shadow();
    shadow.SetEnabled(enabled);
    shadow.SetBlur(blur);
    shadow.SetOffsetX(offset_x);
    shadow.SetOffsetY(1);
}

void TopToBottom(TAAEffect& effect, bool enabled, TColor start, TColor end) {
    TAAGradual& gradual = effect.Gradual();
    gradual.SetEnabled(enabled);
    gradual.SetStyle(gsTopToBottom);
    gradual.SetStartColor(start);
    gradual.SetEndColor(end);
}

void AddTitle1(TFontLabels& fonts, bool title_area) {
    TFontLabel& label = fonts.Add("Title1");
    label.SetFont(Face("Arial", 19, true, false, clWhite));
    TAAEffect& effect = label.Effect();
    Shadow(effect, true, effect.Shadow().Blur(), 1);
    TopToBottom(effect, title_area, clWhite, Hex(0xC6C6C6));
    effect.SetAlpha(80);
    effect.SetBlur(1);
}

void AddText1(TFontLabels& fonts, bool title_area) {
    TFontLabel& label = fonts.Add("Text1");
    label.SetFont(Face(title_area ? "Verdana" : "Arial", 13, false, false, Hex(0xF7F7F7)));
    TAAEffect& effect = label.Effect();
    Shadow(effect, false, 10, 1);
    effect.Shadow().SetAlpha(90);
    effect.Shadow().SetColor(Hex(0x616161));
    TopToBottom(effect, title_area, Hex(0xFAFAFA), Hex(title_area ? 0xADADAD : 0xCACACA));
    effect.Texture().SetMode(tmStretched);
    if (title_area) {
        effect.SetAlpha(95);
    }
}

void AddText2(TFontLabels& fonts, bool title_area) {
    TFontLabel& label = fonts.Add("Text2");
    label.SetFont(Face(title_area ? "MS PGothic" : "Arial", 11, false, true, Hex(0xF3F3F3)));
    label.Effect().Shadow().SetOffsetX(0);
    label.Effect().SetAlpha(90);
}

void AddText3(TFontLabels& fonts, bool title_area) {
    TFontLabel& label = fonts.Add("text3");
    label.SetFont(Face(title_area ? "Verdana" : "Arial", 15, true, false, clWhite));
    Shadow(label.Effect(), true, 60, 1);
    TopToBottom(label.Effect(), true, clWhite, Hex(0xD0D0D0));
}

}  // namespace

void ApplyTickerDesign(TAAScrollText& text, TickerArea area) {
    const bool title_area = area == TickerArea::Title;
    text.BeginUpdate();
    text.SetActive(false);
    text.SetSize(kAreaWidth, title_area ? kTitleHeight : kListHeight);
    text.SetScrollDelay(30);
    text.SetRepeatDelay(10);
    TScrollTextParam& param = text.Text();
    param.SetTailSpace(80);
    param.SetRowPitch(50);
    param.SetAlignment(taLeftJustify);
    param.SetQuality(aqHigh);
    param.SetBackColor(clBlack);
    param.SetFont(Face("Arial", 13, false, false, clWhite));
    text.Labels().AddStandardLabels();
    TFontLabels& fonts = text.Fonts();
    while (fonts.Count() > 0) {
        fonts.Delete(0);
    }
    AddTitle1(fonts, title_area);
    AddText1(fonts, title_area);
    AddText2(fonts, title_area);
    AddText3(fonts, title_area);
    fonts.Add("line").SetFont(Face("Small Fonts", 3, false, false, clWhite));
    text.EndUpdate();
}

}  // namespace saver
