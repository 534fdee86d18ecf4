#pragma once

namespace saver {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Whether a tag's font, effect and alignment hold for one line or until the next tag.
enum TLabelEffect { leOnlyALine, leUntilNextLabel };

enum TBackGroundMode { bmTiled, bmStretched, bmCenter, bmNormal };

enum TLabelStyle {
    lsLeftJustify,
    lsCenter,
    lsRightJustify,
    lsRegOwner,
    lsRegOrganization,
    lsAppTitle,
    lsDate,
    lsTime,
    lsCustom
};

}  // namespace saver
