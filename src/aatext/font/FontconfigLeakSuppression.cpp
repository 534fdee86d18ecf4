// fontconfig 2.14 loses a few hundred bytes while it parses its configuration files,
// once per process. Programs that use the font engine link this object so that the leak
// checker of sanitizer builds does not report that library's leak as ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
