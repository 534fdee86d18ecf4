#pragma once

namespace saver {

// A loadable module carried inside a file of ours: its name in messages and its bytes.
struct EmbeddedModule {
    const char* name;
    const char* start;
    const char* end;
};

// Loads the module through an anonymous in-memory file, so nothing is written to disk
// and nothing can be swapped in under the program, and returns the address of its
// `entry_point`. The module stays loaded for the rest of the process. Throws
// std::runtime_error, saying why, when it cannot be loaded or has no such entry point.
void* LoadEmbeddedModule(const EmbeddedModule& embedded, const char* entry_point);

}  // namespace saver
