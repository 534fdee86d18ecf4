#include <gtest/gtest.h>

#include "aatext/effects/TAAEffect.h"
#include "settings/IniFile.h"

namespace saver {
namespace {

struct ChangeCounter {
    int count = 0;
    void Watch(TNotifyClass& object) {
        object.OnChange = [this](TNotifyClass*) { ++count; };
    }
};

TEST(EffectChanges, SettersReportOnlyRealChangesAndDisabledPartsStayQuiet) {
    TAAEffect effect;
    ChangeCounter changes;
    changes.Watch(effect);
    effect.SetAlpha(100);  // the default: no change
    EXPECT_EQ(changes.count, 0);
    effect.SetAlpha(50);
    EXPECT_EQ(changes.count, 1);
    effect.Shadow().SetBlur(10);  // shadow disabled: not reported
    EXPECT_EQ(changes.count, 1);
    effect.Shadow().SetEnabled(true);  // switching always reports
    effect.Shadow().SetBlur(20);
    EXPECT_EQ(changes.count, 3);
    effect.Texture().Picture().SetBitmap(Bitmap24(2, 2));  // texture disabled
    EXPECT_EQ(changes.count, 3);
    effect.Gradual().SetEnabled(true);
    effect.Gradual().SetStyle(gsCenterToTB);
    EXPECT_EQ(changes.count, 5);
}

TEST(EffectChanges, ValuesOutsideTheirRangesAreClamped) {
    TAAEffect effect;
    effect.SetAlpha(200);
    effect.SetBlur(-4);
    effect.SetAngle(400);
    effect.SetSpray(101);
    effect.Shadow().SetOffsetX(-50);
    effect.Shadow().SetAlpha(300);
    EXPECT_EQ(effect.Alpha(), 100);
    EXPECT_EQ(effect.Blur(), 0);
    EXPECT_EQ(effect.Angle(), 360);
    EXPECT_EQ(effect.Spray(), 100);
    EXPECT_EQ(effect.Shadow().OffsetX(), -20);
    EXPECT_EQ(effect.Shadow().Alpha(), 100);
}

TEST(EffectAssign, CopiesEverythingAndReportsOnlyThePictureOfAnEnabledTexture) {
    TAAEffect source;
    source.SetAlpha(80);
    source.SetNoise(9);
    source.SetVertMirror(true);
    source.Shadow().SetEnabled(true);
    source.Shadow().SetOffsetY(-5);
    source.Gradual().SetEnabled(true);
    source.Gradual().SetEndColor(0x123456);
    source.Texture().SetMode(tmCenter);
    source.Texture().Picture().SetBitmap(Bitmap24(3, 2));

    TAAEffect copy;
    ChangeCounter changes;
    changes.Watch(copy);
    copy.Assign(source);
    EXPECT_EQ(changes.count, 0) << "texture disabled: its picture change is not passed on";
    EXPECT_EQ(copy.Alpha(), 80);
    EXPECT_EQ(copy.Noise(), 9);
    EXPECT_TRUE(copy.VertMirror());
    EXPECT_TRUE(copy.Shadow().Enabled());
    EXPECT_EQ(copy.Shadow().OffsetY(), -5);
    EXPECT_TRUE(copy.Gradual().Enabled());
    EXPECT_EQ(copy.Gradual().EndColor(), 0x123456u);
    EXPECT_EQ(copy.Texture().Mode(), tmCenter);
    EXPECT_EQ(copy.Texture().Picture().Width(), 3);

    source.Texture().SetEnabled(true);
    TAAEffect second;
    changes.Watch(second);
    second.Assign(source);
    EXPECT_EQ(changes.count, 1);
}

TEST(EffectIni, WritesEveryKeyInOrderAndReadsItBack) {
    TAAEffect effect;
    effect.SetAlpha(80);
    effect.SetAngle(-45);
    effect.SetOutline(true);
    effect.Shadow().SetEnabled(true);
    effect.Shadow().SetColor(0x616161);
    effect.Shadow().SetOffsetX(-3);
    effect.Gradual().SetStyle(gsBottomToTop);
    effect.Texture().SetMode(tmNormal);
    IniFile ini;
    effect.WriteToIni(ini, "Title1");
    EXPECT_EQ(ini.Text(),
              "[Title1]\nAlpha=80\nBlur=0\nNoise=0\nSpray=0\nAngle=-45\nOutline=1\n"
              "HorzMirror=0\nVertMirror=0\nShadow=1\nShadowAlpha=70\nShadowBlur=80\n"
              "ShadowColor=6381921\nShadowOffsetX=-3\nShadowOffsetY=2\nGradual=0\n"
              "GradualStartColor=16777215\nGradualEndColor=0\nGradualStyle=3\nTexture=0\n"
              "TextureMode=3\n\n");
    TAAEffect read;
    read.ReadFromIni(ini, "title1");
    IniFile again;
    read.WriteToIni(again, "Title1");
    EXPECT_EQ(again.Text(), ini.Text());
}

TEST(EffectIni, MissingKeysKeepValuesAndOddValuesAreNarrowed) {
    TAAEffect effect;
    effect.SetBlur(30);
    const IniFile ini = IniFile::Parse(
        "[E]\n"
        "Alpha=300\n"          // low 8 bits: 44
        "Noise=513\n"          // low 8 bits: 1
        "ShadowOffsetX=250\n"  // signed byte: -6
        "Angle=70000\n"        // 16 bits: 4464, then clamped to 360
        "GradualStyle=6\n"     // above the last style: the first
        "TextureMode=2\n");
    effect.Gradual().SetStyle(gsBottomToTop);
    effect.ReadFromIni(ini, "E");
    EXPECT_EQ(effect.Alpha(), 44);
    EXPECT_EQ(effect.Blur(), 30);
    EXPECT_EQ(effect.Noise(), 1);
    EXPECT_EQ(effect.Shadow().OffsetX(), -6);
    EXPECT_EQ(effect.Angle(), 360);
    EXPECT_EQ(effect.Gradual().Style(), gsLeftToRight);
    EXPECT_EQ(effect.Texture().Mode(), tmCenter);
}

}  // namespace
}  // namespace saver
