#pragma once

#include <stdlib.h>

#include <optional>
#include <string>

namespace saver::test {

// Sets (or, with nullopt, removes) an environment variable and restores it at the end.
class ScopedEnvironment {
  public:
    ScopedEnvironment(std::string name, const std::optional<std::string>& value)
        : name_(std::move(name)) {
        if (const char* old = getenv(name_.c_str())) {
            old_ = old;
        }
        Apply(value);
    }
    ~ScopedEnvironment() { Apply(old_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    void Apply(const std::optional<std::string>& value) {
        if (value) {
            setenv(name_.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name_.c_str());
        }
    }

    std::string name_;
    std::optional<std::string> old_;
};

}  // namespace saver::test
