#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>

#include "aatext/bitmap/Bitmap8.h"
#include "aatext/font/TFont.h"

namespace saver {

struct Size {
    int cx = 0;
    int cy = 0;
    bool operator==(const Size&) const = default;
};

// The font engine on FreeType and fontconfig: resolves a font description to an
// installed face, measures strings and draws them without smoothing.
//
// Face names go through fontconfig's substitution, so "Arial" or "MS PGothic" find the
// installed metric-compatible or fallback faces. Bold and italic use the real faces when
// fontconfig has them and are synthesised (emboldened outlines, a slanted outline)
// otherwise. Resolved faces and the advances of the characters measured are kept for the
// engine's lifetime; glyph images are not cached.
// Not thread-safe: one engine serves the user-interface thread.
class FontEngine {
  public:
    FontEngine();
    virtual ~FontEngine();
    FontEngine(const FontEngine&) = delete;
    FontEngine& operator=(const FontEngine&) = delete;

    // The extent of a UTF-8 string along its baseline, ignoring the escapement: the sum
    // of the advances and the cell height (ascent + descent), with the font's height
    // and width multiplied by scale.
    virtual Size Measure(const TFont& font, int scale, std::string_view text);

    // Draws the string in 255 on the surface at scale times the font's size, rotated by
    // the escapement about (x, y), which is the top-left corner of the unrotated text
    // cell. Glyphs are monochrome, so the surface gets only the values already there
    // and 255. Pixels outside the surface are clipped.
    virtual void Draw(const TFont& font, int scale, std::string_view text, Bitmap8& surface, int x,
                      int y);

    // The file of the face that a description resolves to (for diagnostics and tests).
    std::string FaceFile(const TFont& font);

  private:
    struct Face;
    using FaceKey = std::tuple<std::string, bool, bool>;

    Face& Resolve(const TFont& font);
    void SetScaledSize(Face& face, const TFont& font, int scale);

    struct Library;
    std::unique_ptr<Library> library_;
    std::map<FaceKey, std::unique_ptr<Face>> faces_;
};

// The engine that renderers use unless they are given another; created on first use.
FontEngine& SharedFontEngine();

}  // namespace saver
