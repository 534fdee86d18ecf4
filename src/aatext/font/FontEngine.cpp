#include "aatext/font/FontEngine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <unordered_map>

#include "aatext/text/Utf8.h"

namespace saver {

namespace {

constexpr FT_Int32 kLoadFlags = FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;
// The slant of a synthesised italic: x moves by this much of y.
constexpr double kSyntheticSlant = 0.2;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

FT_Fixed ToFixed(double v) {
    return static_cast<FT_Fixed>(std::lround(v * 65536.0));
}

// Sets every pixel of the monochrome glyph bitmap that is on to 255 at (left, top),
// clipped to the surface. Empty bytes (eight pixels off) are skipped whole.
void BlitMono(const FT_Bitmap& glyph, Bitmap8& surface, int left, int top) {
    const int first_col = std::max(0, -left);
    const int last_col = std::min(static_cast<int>(glyph.width), surface.Width() - left);
    const int first_row = std::max(0, -top);
    const int last_row = std::min(static_cast<int>(glyph.rows), surface.Height() - top);
    for (int row = first_row; row < last_row; ++row) {
        const unsigned char* bits = glyph.buffer + static_cast<ptrdiff_t>(row) * glyph.pitch;
        uint8_t* dest = surface.Row(top + row) + left;
        for (int col = first_col; col < last_col; ++col) {
            const unsigned char byte = bits[col >> 3];
            if (byte == 0) {
                col |= 7;  // the loop's increment moves to the next byte
                continue;
            }
            if (byte & (0x80 >> (col & 7))) {
                dest[col] = 255;
            }
        }
    }
}

}  // namespace

struct FontEngine::Library {
    FT_Library ft = nullptr;
    Library() {
        if (FT_Init_FreeType(&ft) != 0) {
            throw std::runtime_error("FreeType could not be initialised");
        }
        FcInit();
    }
    ~Library() { FT_Done_FreeType(ft); }
};

struct FontEngine::Face {
    FT_Face ft = nullptr;
    std::string file;
    bool synthetic_bold = false;
    bool synthetic_italic = false;
    // Linear advances (16.16 pixels) by size and character; -1 for a character the face
    // cannot load. Layout measures every line several times, so this saves most loads.
    std::unordered_map<uint64_t, FT_Fixed> advances;

    FT_Fixed Advance(char32_t c) {
        const FT_Size_Metrics& m = ft->size->metrics;
        const uint64_t key = uint64_t{m.x_ppem} << 48 | uint64_t{m.y_ppem} << 32 | c;
        const auto found = advances.find(key);
        if (found != advances.end()) {
            return found->second;
        }
        const FT_Fixed advance =
            FT_Load_Char(ft, c, kLoadFlags) == 0 ? ft->glyph->linearHoriAdvance : -1;
        advances.emplace(key, advance);
        return advance;
    }
    ~Face() {
        if (ft != nullptr) {
            FT_Done_Face(ft);
        }
    }
};

FontEngine::FontEngine() : library_(std::make_unique<Library>()) {}

FontEngine::~FontEngine() {
    faces_.clear();
    library_.reset();
}

FontEngine::Face& FontEngine::Resolve(const TFont& font) {
    FaceKey key{Lower(font.Name), font.Bold(), font.Italic};
    auto found = faces_.find(key);
    if (found != faces_.end()) {
        return *found->second;
    }
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(font.Name.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, font.Bold() ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, font.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) {
        throw std::runtime_error("no font matches \"" + font.Name + "\"");
    }
    auto face = std::make_unique<Face>();
    FcChar8* file = nullptr;
    int index = 0;
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    FcPatternGetString(match, FC_FILE, 0, &file);
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    face->file = file != nullptr ? reinterpret_cast<const char*>(file) : "";
    FcPatternDestroy(match);
    if (FT_New_Face(library_->ft, face->file.c_str(), index, &face->ft) != 0) {
        face->ft = nullptr;
        throw std::runtime_error("font file cannot be opened: " + face->file);
    }
    FT_Select_Charmap(face->ft, FT_ENCODING_UNICODE);
    face->synthetic_bold = font.Bold() && weight < FC_WEIGHT_DEMIBOLD;
    face->synthetic_italic = font.Italic && slant == FC_SLANT_ROMAN;
    return *faces_.emplace(std::move(key), std::move(face)).first->second;
}

void FontEngine::SetScaledSize(Face& face, const TFont& font, int scale) {
    const FT_UInt height = static_cast<FT_UInt>(std::max(1, std::abs(font.Height)) * scale);
    const FT_UInt width = static_cast<FT_UInt>(std::abs(font.Width) * scale);
    FT_Set_Pixel_Sizes(face.ft, width, height);
}

namespace {

// Extra advance of a synthesised bold glyph, in 26.6 units.
FT_Pos BoldStrength(FT_Face face) {
    return face->size->metrics.y_ppem * 64 / 24;
}

}  // namespace

Size FontEngine::Measure(const TFont& font, int scale, std::string_view text) {
    Face& face = Resolve(font);
    SetScaledSize(face, font, scale);
    FT_Set_Transform(face.ft, nullptr, nullptr);
    const FT_Size_Metrics& metrics = face.ft->size->metrics;
    const FT_Fixed bold = face.synthetic_bold ? BoldStrength(face.ft) * 1024 : 0;
    FT_Fixed advance = 0;  // 16.16 pixels
    for (char32_t c : Utf8Decode(text)) {
        const FT_Fixed glyph_advance = face.Advance(c);
        if (glyph_advance >= 0) {
            advance += glyph_advance + bold;
        }
    }
    const int height = static_cast<int>((metrics.ascender - metrics.descender + 63) / 64);
    return Size{static_cast<int>((advance + 65535) / 65536), height};
}

void FontEngine::Draw(const TFont& font, int scale, std::string_view text, Bitmap8& surface, int x,
                      int y) {
    Face& face = Resolve(font);
    SetScaledSize(face, font, scale);
    const double theta = font.Escapement * std::numbers::pi / 1800.0;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const double slant = face.synthetic_italic ? kSyntheticSlant : 0.0;
    // Rotation after the slant, in FreeType's y-up coordinates.
    FT_Matrix matrix{ToFixed(c), ToFixed(c * slant - s), ToFixed(s), ToFixed(s * slant + c)};
    const double ascent = face.ft->size->metrics.ascender / 64.0;
    const FT_Pos bold = face.synthetic_bold ? BoldStrength(face.ft) : 0;
    double pen = 0;  // along the baseline, pixels
    for (char32_t ch : Utf8Decode(text)) {
        // Screen position of the pen: the baseline lies `ascent` below the cell's top.
        const double px = x + pen * c + ascent * s;
        const double py = y - pen * s + ascent * c;
        const double fx = std::floor(px);
        const double fy = std::floor(py);
        FT_Vector delta{static_cast<FT_Pos>(std::lround((px - fx) * 64)),
                        static_cast<FT_Pos>(std::lround((fy - py) * 64))};
        FT_Set_Transform(face.ft, &matrix, &delta);
        if (FT_Load_Char(face.ft, ch, kLoadFlags) != 0) {
            continue;
        }
        FT_GlyphSlot slot = face.ft->glyph;
        if (bold != 0 && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            FT_Outline_Embolden(&slot->outline, bold);
        }
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) == 0) {
            BlitMono(slot->bitmap, surface, static_cast<int>(fx) + slot->bitmap_left,
                     static_cast<int>(fy) - slot->bitmap_top);
        }
        // The advance without the transform, so the pen moves exactly as Measure counts.
        pen += (slot->linearHoriAdvance / 65536.0) + bold / 64.0;
    }
}

std::string FontEngine::FaceFile(const TFont& font) {
    return Resolve(font).file;
}

FontEngine& SharedFontEngine() {
    static FontEngine engine;
    return engine;
}

}  // namespace saver
