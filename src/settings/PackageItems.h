#pragma once

#include <string>

namespace saver {

// Files carried in the saver's own executable, copied out on demand.
class PackageItems {
  public:
    virtual ~PackageItems() = default;

    // Copies the item `key` out of the executable. A zipped item is unpacked into
    // `target_folder` (the working folder when empty); an item stored as it is lands at
    // `destination`. An item without a valid byte range is silently not extracted:
    // callers test whether the file exists afterwards.
    virtual void ExtractPackageItem(const std::string& key, const std::string& destination,
                                    const std::string& target_folder) = 0;
};

}  // namespace saver
