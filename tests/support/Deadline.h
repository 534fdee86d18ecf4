#pragma once

namespace saver::test {

// How long a wait for something that must come may take. A cold first run on a busy
// machine (WebKit's caches empty, every core taken by other builds) is many times slower
// than a warm one; a wait ends as soon as its event comes, so only a failure waits this
// long.
inline constexpr int kColdStartMs = 60000;

}  // namespace saver::test
