// A small shared library for the library loader's tests. It uses the C library, so the
// C library is loaded as its dependency and its symbols are reachable through its handle.
#include <cstring>

extern "C" int SaverTestLibraryAnswer() {
    return 42;
}

extern "C" size_t SaverTestLibraryLength(const char* text) {
    return std::strlen(text);
}
