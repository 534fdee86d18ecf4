#include "aatext/effects/TAAEffect.h"

#include "aatext/effects/SetProperty.h"

namespace saver {

namespace {

// Values are kept in the width of their field, as the stored integers are read.
int Low8(int32_t value) {
    return static_cast<uint8_t>(value);
}
int Signed8(int32_t value) {
    return static_cast<int8_t>(value);
}
int Signed16(int32_t value) {
    return static_cast<int16_t>(value);
}
// An enumeration stored as an integer; a value above its last one reads as the first.
template <typename Enum>
Enum EnumOrFirst(int32_t value, int last) {
    const int low = Low8(value);
    return static_cast<Enum>(low > last ? 0 : low);
}

}  // namespace

TAAEffect::TAAEffect(TNotifyClass* owner)
    : TNotifyClass(owner), shadow_(this), gradual_(this), texture_(this) {
    Adopt(shadow_);
    Adopt(gradual_);
    Adopt(texture_);
}

void TAAEffect::SetAlpha(int value) {
    SetRangedProperty(*this, alpha_, value, 0, 100);
}
void TAAEffect::SetBlur(int value) {
    SetRangedProperty(*this, blur_, value, 0, 100);
}
void TAAEffect::SetAngle(int value) {
    SetRangedProperty(*this, angle_, value, -360, 360);
}
void TAAEffect::SetNoise(int value) {
    SetRangedProperty(*this, noise_, value, 0, 255);
}
void TAAEffect::SetSpray(int value) {
    SetRangedProperty(*this, spray_, value, 0, 100);
}
void TAAEffect::SetOutline(bool value) {
    SetProperty(*this, outline_, value);
}
void TAAEffect::SetHorzMirror(bool value) {
    SetProperty(*this, horz_mirror_, value);
}
void TAAEffect::SetVertMirror(bool value) {
    SetProperty(*this, vert_mirror_, value);
}

void TAAEffect::Assign(const TAAEffect& other) {
    alpha_ = other.alpha_;
    blur_ = other.blur_;
    angle_ = other.angle_;
    noise_ = other.noise_;
    spray_ = other.spray_;
    outline_ = other.outline_;
    horz_mirror_ = other.horz_mirror_;
    vert_mirror_ = other.vert_mirror_;
    shadow_.Assign(other.shadow_);
    gradual_.Assign(other.gradual_);
    texture_.Assign(other.texture_);
}

void TAAEffect::ReadFromIni(const IniFile& ini, const std::string& section) {
    SetAlpha(Low8(ini.ReadInteger(section, "Alpha", alpha_)));
    SetBlur(Low8(ini.ReadInteger(section, "Blur", blur_)));
    SetNoise(Low8(ini.ReadInteger(section, "Noise", noise_)));
    SetSpray(Low8(ini.ReadInteger(section, "Spray", spray_)));
    SetAngle(Signed16(ini.ReadInteger(section, "Angle", angle_)));
    SetOutline(ini.ReadBool(section, "Outline", outline_));
    SetHorzMirror(ini.ReadBool(section, "HorzMirror", horz_mirror_));
    SetVertMirror(ini.ReadBool(section, "VertMirror", vert_mirror_));
    ReadShadow(ini, section);
    ReadGradualAndTexture(ini, section);
}

void TAAEffect::ReadShadow(const IniFile& ini, const std::string& section) {
    shadow_.SetEnabled(ini.ReadBool(section, "Shadow", shadow_.Enabled()));
    shadow_.SetAlpha(Low8(ini.ReadInteger(section, "ShadowAlpha", shadow_.Alpha())));
    shadow_.SetBlur(Low8(ini.ReadInteger(section, "ShadowBlur", shadow_.Blur())));
    shadow_.SetColor(static_cast<TColor>(
        ini.ReadInteger(section, "ShadowColor", static_cast<int32_t>(shadow_.Color()))));
    shadow_.SetOffsetX(Signed8(ini.ReadInteger(section, "ShadowOffsetX", shadow_.OffsetX())));
    shadow_.SetOffsetY(Signed8(ini.ReadInteger(section, "ShadowOffsetY", shadow_.OffsetY())));
}

void TAAEffect::ReadGradualAndTexture(const IniFile& ini, const std::string& section) {
    gradual_.SetEnabled(ini.ReadBool(section, "Gradual", gradual_.Enabled()));
    gradual_.SetStartColor(static_cast<TColor>(ini.ReadInteger(
        section, "GradualStartColor", static_cast<int32_t>(gradual_.StartColor()))));
    gradual_.SetEndColor(static_cast<TColor>(
        ini.ReadInteger(section, "GradualEndColor", static_cast<int32_t>(gradual_.EndColor()))));
    gradual_.SetStyle(
        EnumOrFirst<TGradualStyle>(ini.ReadInteger(section, "GradualStyle", gradual_.Style()), 5));
    texture_.SetEnabled(ini.ReadBool(section, "Texture", texture_.Enabled()));
    texture_.SetMode(
        EnumOrFirst<TTextureMode>(ini.ReadInteger(section, "TextureMode", texture_.Mode()), 3));
}

void TAAEffect::WriteToIni(IniFile& ini, const std::string& section) const {
    ini.WriteInteger(section, "Alpha", alpha_);
    ini.WriteInteger(section, "Blur", blur_);
    ini.WriteInteger(section, "Noise", noise_);
    ini.WriteInteger(section, "Spray", spray_);
    ini.WriteInteger(section, "Angle", angle_);
    ini.WriteBool(section, "Outline", outline_);
    ini.WriteBool(section, "HorzMirror", horz_mirror_);
    ini.WriteBool(section, "VertMirror", vert_mirror_);
    ini.WriteBool(section, "Shadow", shadow_.Enabled());
    ini.WriteInteger(section, "ShadowAlpha", shadow_.Alpha());
    ini.WriteInteger(section, "ShadowBlur", shadow_.Blur());
    ini.WriteInteger(section, "ShadowColor", static_cast<int32_t>(shadow_.Color()));
    ini.WriteInteger(section, "ShadowOffsetX", shadow_.OffsetX());
    ini.WriteInteger(section, "ShadowOffsetY", shadow_.OffsetY());
    ini.WriteBool(section, "Gradual", gradual_.Enabled());
    ini.WriteInteger(section, "GradualStartColor", static_cast<int32_t>(gradual_.StartColor()));
    ini.WriteInteger(section, "GradualEndColor", static_cast<int32_t>(gradual_.EndColor()));
    ini.WriteInteger(section, "GradualStyle", gradual_.Style());
    ini.WriteBool(section, "Texture", texture_.Enabled());
    ini.WriteInteger(section, "TextureMode", texture_.Mode());
}

}  // namespace saver
