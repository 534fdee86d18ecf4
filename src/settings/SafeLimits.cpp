#include "settings/SafeLimits.h"

#include "settings/SaverSettingKeys.h"

#include <algorithm>

namespace saver {

void ApplySafeLimits(TSaverSetting& record) {
    record.WebInterval = std::max(record.WebInterval, kIntervalRange.low);
    record.BlogInterval = std::max(record.BlogInterval, kIntervalRange.low);
    record.BlogListBlendValue =
        std::clamp(record.BlogListBlendValue, kOpacityRange.low, kOpacityRange.high);
    record.BlogBlendValue =
        std::clamp(record.BlogBlendValue, kOpacityRange.low, kOpacityRange.high);
}

}  // namespace saver
