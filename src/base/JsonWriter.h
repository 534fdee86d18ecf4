#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace saver {

// Writes JSON text for the tools' reports. Commas are placed by the writer; strings are
// escaped (bytes that are not valid UTF-8 become U+FFFD, so the output is always valid).
class JsonWriter {
  public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view name);
    JsonWriter& String(std::string_view text);
    JsonWriter& Bool(bool value);
    JsonWriter& Int(int64_t value);
    JsonWriter& Null();

    const std::string& Text() const { return text_; }

  private:
    void BeforeValue();

    std::string text_;
    // One entry per open object or array: whether it has a member yet.
    std::vector<bool> has_member_;
    bool after_key_ = false;
};

}  // namespace saver
