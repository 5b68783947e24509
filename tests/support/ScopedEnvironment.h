#pragma once

#include <cstdlib>
#include <string>

// Sets or removes an environment variable of this process.
inline void SetEnvironment(const std::string& name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name.c_str(), value.c_str());
#else
    setenv(name.c_str(), value.c_str(), 1);
#endif
}

inline void UnsetEnvironment(const std::string& name) {
#ifdef _WIN32
    _putenv_s(name.c_str(), "");  // an empty value removes the variable there
#else
    unsetenv(name.c_str());
#endif
}

// Sets an environment variable for one scope and puts back what was there before.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::string& value) : name_(std::move(name)) {
        const char* previous = std::getenv(name_.c_str());
        hadValue_ = previous != nullptr;
        if (hadValue_) {
            previous_ = previous;
        }
        SetEnvironment(name_, value);
    }
    ~ScopedEnvironment() {
        if (hadValue_) {
            SetEnvironment(name_, previous_);
        } else {
            UnsetEnvironment(name_);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::string previous_;
    bool hadValue_ = false;
};
