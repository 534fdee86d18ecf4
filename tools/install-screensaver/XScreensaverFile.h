#pragma once

#include <string>
#include <vector>

namespace saver {

// The user's xscreensaver settings (~/.xscreensaver), edited as text so that nothing
// the user or xscreensaver-settings wrote is lost: the file is a list of settings
// ("key: value", continued onto the next line after a final backslash), comments ("#"
// or "!") and blank lines, and an edit rewrites only the settings it changes.
//
// `programs` is one setting whose value lists the display modes, one a line, each
// ended by the two characters "\n"; the index of one in that list is what "selected"
// names when "mode" is "one".
class XScreensaverFile {
  public:
    // Reads the text of a settings file. Throws std::runtime_error, saying which line
    // and why, when it is not one (a line that is neither a setting nor a comment, a
    // NUL byte, a second programs list).
    static XScreensaverFile Parse(const std::string& text);
    // A new file whose programs are those of xscreensaver's system-wide defaults (the
    // text of its app-defaults file, whose settings start with "*"; empty for none).
    static XScreensaverFile FromDefaults(const std::string& app_defaults);

    std::vector<std::string> Programs() const;
    // The index of the first program whose line holds `command`, enabled when it was
    // disabled ("-"); when none does, `line` is added at the end and its index given.
    size_t AddProgram(const std::string& line, const std::string& command);
    // Sets a one-line setting, in its place when present, else at the end.
    void Set(const std::string& key, const std::string& value);
    std::string Text() const;

  private:
    // A setting with the lines it spans as they were read, or a comment or blank line
    // (empty key).
    struct Entry {
        std::string key;
        std::string lines;
    };

    Entry* Find(const std::string& key);
    const Entry* Find(const std::string& key) const;

    std::vector<Entry> entries_;
};

// `text` quoted for the sh command lines of the programs list.
std::string ShellQuote(const std::string& text);

}  // namespace saver
