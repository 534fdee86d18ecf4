#pragma once

#include <cstdint>
#include <string>

#include "aatext/effects/TAAGradual.h"
#include "aatext/effects/TAAShadow.h"
#include "aatext/effects/TAATexture.h"
#include "aatext/effects/TNotifyClass.h"
#include "settings/IniFile.h"

namespace saver {

// The effect settings of drawn text: transparency, blur, rotation, noise, spray, outline,
// mirroring, and the owned shadow, gradient and texture, whose changes are reported as
// changes of the effect.
class TAAEffect : public TNotifyClass {
  public:
    explicit TAAEffect(TNotifyClass* owner = nullptr);

    uint8_t Alpha() const { return alpha_; }
    uint8_t Blur() const { return blur_; }
    int16_t Angle() const { return angle_; }
    uint8_t Noise() const { return noise_; }
    uint8_t Spray() const { return spray_; }
    bool Outline() const { return outline_; }
    bool HorzMirror() const { return horz_mirror_; }
    bool VertMirror() const { return vert_mirror_; }
    TAAShadow& Shadow() { return shadow_; }
    const TAAShadow& Shadow() const { return shadow_; }
    TAAGradual& Gradual() { return gradual_; }
    const TAAGradual& Gradual() const { return gradual_; }
    TAATexture& Texture() { return texture_; }
    const TAATexture& Texture() const { return texture_; }

    // Values outside a property's range (Alpha, Blur, Spray 0..100, Angle -360..360,
    // Noise 0..255) are clamped into it, so no later arithmetic can overflow.
    void SetAlpha(int value);
    void SetBlur(int value);
    void SetAngle(int value);
    void SetNoise(int value);
    void SetSpray(int value);
    void SetOutline(bool value);
    void SetHorzMirror(bool value);
    void SetVertMirror(bool value);

    // Copies every property of other, the shadow's, gradient's and texture's included.
    void Assign(const TAAEffect& other);

    // Reads the keys of one section, each with the current value as its default.
    virtual void ReadFromIni(const IniFile& ini, const std::string& section);
    virtual void WriteToIni(IniFile& ini, const std::string& section) const;

  private:
    void ReadShadow(const IniFile& ini, const std::string& section);
    void ReadGradualAndTexture(const IniFile& ini, const std::string& section);

    uint8_t alpha_ = 100;
    uint8_t blur_ = 0;
    int16_t angle_ = 0;
    uint8_t noise_ = 0;
    uint8_t spray_ = 0;
    bool outline_ = false;
    bool horz_mirror_ = false;
    bool vert_mirror_ = false;
    TAAShadow shadow_;
    TAAGradual gradual_;
    TAATexture texture_;
};

}  // namespace saver
