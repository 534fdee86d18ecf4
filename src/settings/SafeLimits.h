#pragma once

#include "settings/TSaverSetting.h"

namespace saver {

// Keeps the values that set how fast things change on screen within safe limits,
// whatever the settings file or the user's registry values say. Full-screen pages that
// change several times a second are a seizure risk, so the page and feed item intervals
// are at least one second (0 or less counts as 1). The feed windows fade to an opacity
// between 0 and 255, so that every fade reaches its target and stops.
void ApplySafeLimits(TSaverSetting& record);

}  // namespace saver
