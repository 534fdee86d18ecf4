#include "aatext/text/TextRows.h"

#include <algorithm>
#include <cstring>

#include "aatext/text/Utf8.h"

namespace saver {

namespace {

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsBreakChar(char c) {
    return c != '\0' && std::strchr("\t !,-.:;?", c) != nullptr;
}
bool IsQuoteChar(char c) {
    return c == '"' || c == '\'';
}

// The state of WrapLine; positions are 1-based byte positions into the line.
class LineWrapper {
  public:
    LineWrapper(const std::string& line, int max_column)
        : line_(line), max_column_(std::max(max_column, 2)) {}

    std::string Run() {
        while (position_ <= Length()) {
            Step();
        }
        result_.append(line_, row_start_ - 1);
        return result_;
    }

  private:
    long Length() const { return static_cast<long>(line_.size()); }
    char At(long p) const { return line_[p - 1]; }

    void Step() {
        const char ch = At(position_);
        const int length = Utf8SequenceLength(static_cast<unsigned char>(ch));
        if (length > 1) {
            // A wide character is the analogue of a double-byte character: it may be
            // broken before once the row is nearly full. It takes two columns.
            if (IsWideCharAt(line_, position_ - 1)) {
                if (column_ >= max_column_ - 1 && position_ - 1 >= row_start_) {
                    forced_break_ = true;
                    break_position_ = position_ - 1;
                }
                ++column_;
            }
            position_ += std::min<long>(length, Length() - position_ + 1) - 1;
        } else if (ch == '\r') {
            if (quote_ == 0) {
                existing_break_ = line_.compare(position_ - 1, 2, "\r\n") == 0;
                if (existing_break_) {
                    ++position_;
                    break_position_ = position_;
                }
            }
        } else if (IsBreakChar(ch)) {
            if (quote_ == 0) {
                break_position_ = position_;
            }
        } else if (IsQuoteChar(ch)) {
            if (ch == quote_) {
                quote_ = 0;
            } else if (quote_ == 0) {
                quote_ = ch;
            }
        }
        ++position_;
        ++column_;
        if ((quote_ == 0 &&
             (existing_break_ || (column_ > max_column_ && break_position_ > row_start_))) ||
            forced_break_) {
            BreakRow(ch);
        }
    }

    void BreakRow(char ch) {
        // Columns of what follows the break: one per character, two per wide one.
        column_ = 1 + static_cast<long>(Utf8Columns(std::string_view(line_).substr(
                          break_position_, position_ - 1 - break_position_)));
        result_.append(line_, row_start_ - 1, break_position_ - row_start_ + 1);
        if (!IsQuoteChar(ch)) {
            while (position_ <= Length() &&
                   (IsBreakChar(At(position_)) || At(position_) == '\r' || At(position_) == '\n')) {
                ++position_;
            }
        }
        if (!existing_break_ && position_ < Length()) {
            result_ += "\r\n";
        }
        row_start_ = break_position_ + 1;
        existing_break_ = false;
        forced_break_ = false;
    }

    const std::string& line_;
    const long max_column_;
    long column_ = 1;
    long position_ = 1;
    long row_start_ = 1;
    long break_position_ = 0;
    char quote_ = 0;
    bool existing_break_ = false;
    bool forced_break_ = false;
    std::string result_;
};

}  // namespace

size_t FindTag(std::string_view line, std::string_view name) {
    const size_t tag_length = name.size() + 2;
    if (line.size() < tag_length) {
        return std::string_view::npos;
    }
    for (size_t pos = 0; pos + tag_length <= line.size(); ++pos) {
        if (line[pos] != '<' || line[pos + tag_length - 1] != '>') {
            continue;
        }
        if (std::equal(name.begin(), name.end(), line.begin() + pos + 1,
                       [](char a, char b) { return AsciiUpper(a) == AsciiUpper(b); })) {
            return pos;
        }
    }
    return std::string_view::npos;
}

std::vector<std::string> SplitRows(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> rows;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            rows.emplace_back(text.substr(start));
            break;
        }
        rows.emplace_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return rows;
}

std::string WrapLine(const std::string& line, int max_column) {
    return LineWrapper(line, max_column).Run();
}

int PitchedHeight(int row_pitch, int height) {
    const long long n = static_cast<long long>(100 + row_pitch) * height;
    const long long q = n / 100;
    const long long r = n % 100;
    return static_cast<int>(r > 50 || (r == 50 && q % 2 != 0) ? q + 1 : q);
}

}  // namespace saver
