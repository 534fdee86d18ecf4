#pragma once

#include "settings/IniFile.h"

namespace saver {

class TAAScrollText;

// Applies a fonts INI file to a control: every section but "Default" becomes (or
// updates) the font label of its name, "Default" sets the text's own font and effect.
// Keys: FontName, FontHeight (character height in pixels), FontBold, FontItalic,
// FontColor (0x00BBGGRR) and the effect keys; a missing key keeps the current value.
void ApplyFontsIni(const IniFile& ini, TAAScrollText& text);

}  // namespace saver
