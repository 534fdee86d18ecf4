#include "base/JsonWriter.h"

#include "base/TextEncoding.h"

#include <cstdio>

namespace saver {

namespace {

void AppendEscaped(std::string& out, std::string_view text) {
    out += '"';
    while (!text.empty()) {
        size_t length = ValidUtf8Length(text);
        unsigned char c = static_cast<unsigned char>(text[0]);
        if (length == 0) {
            out += "\\ufffd";
            length = 1;
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    out += '"';
}

}  // namespace

void JsonWriter::BeforeValue() {
    if (after_key_) {
        after_key_ = false;
        return;
    }
    if (!has_member_.empty()) {
        if (has_member_.back()) {
            text_ += ',';
        }
        has_member_.back() = true;
    }
}

JsonWriter& JsonWriter::BeginObject() {
    BeforeValue();
    text_ += '{';
    has_member_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    text_ += '}';
    has_member_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    BeforeValue();
    text_ += '[';
    has_member_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    text_ += ']';
    has_member_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view name) {
    BeforeValue();
    AppendEscaped(text_, name);
    text_ += ':';
    after_key_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view text) {
    BeforeValue();
    AppendEscaped(text_, text);
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    BeforeValue();
    text_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Int(int64_t value) {
    BeforeValue();
    text_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::Null() {
    BeforeValue();
    text_ += "null";
    return *this;
}

}  // namespace saver
