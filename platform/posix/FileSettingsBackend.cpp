#include "platform/posix/FileSettingsBackend.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <thread>
#include <vector>

#include "platform/FileReplacement.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const char kSection[] = "[Software\\Varnel\\RV-2410-TCL Control Tool]";

// A copy holds the lock only from its read to its rename. One that waits longer than this has
// met a stuck copy, and its write fails (as a failed registry write would) instead of hanging.
constexpr std::chrono::seconds kLockPatience{5};
constexpr std::chrono::microseconds kLockRetry{200};

// Backslash and quote are escaped as in a registry export; line breaks would end the line, so
// they travel as \n and \r.
std::string Quote(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        switch (c) {
            case '\\':
            case '"':
                quoted += '\\';
                quoted += c;
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\r':
                quoted += "\\r";
                break;
            default:
                quoted += c;
                break;
        }
    }
    return quoted + "\"";
}

// Reads a quoted text starting at line[pos] == '"'; pos ends after the closing quote.
bool Unquote(const std::string& line, std::size_t& pos, std::string& text) {
    if (pos >= line.size() || line[pos] != '"') {
        return false;
    }
    text.clear();
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\' && pos + 1 < line.size()) {
            c = line[++pos];
            c = c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        }
        text += c;
    }
    return false;
}

bool ParseName(const std::string& line, std::string& name, std::size_t& valueStart) {
    std::size_t pos = 0;
    if (!Unquote(line, pos, name) || pos >= line.size() || line[pos] != '=') {
        return false;
    }
    valueStart = pos + 1;
    return true;
}

// Lines without their ends. A file that went through other hands may end its lines in several
// CRs before the LF; all of them belong to the line end.
std::vector<std::string> SplitLines(const std::string& content) {
    std::vector<std::string> lines;
    std::istringstream stream(content);
    for (std::string line; std::getline(stream, line);) {
        while (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

// The content with the named value's line replaced (or added), every other line kept.
std::string Rewrite(const std::string& content, const std::string& name,
                    const std::string& newLine) {
    std::string result;
    bool replaced = false;
    bool hasSection = false;
    for (const std::string& line : SplitLines(content)) {
        std::string lineName;
        std::size_t pos = 0;
        hasSection = hasSection || line == kSection;
        if (ParseName(line, lineName, pos) && lineName == name) {
            if (!replaced) {
                result += newLine + "\n";
                replaced = true;
            }
            continue;
        }
        result += line + "\n";
    }
    if (!hasSection) {
        result = std::string(kSection) + "\n" + result;
    }
    if (!replaced) {
        result += newLine + "\n";
    }
    return result;
}

// A missing store is created, as a missing registry key is: only where no file is, so that a
// copy that created it first keeps what it has written since.
bool CreateMissing(const std::string& target) {
    std::error_code error;
    const fs::path parent = fs::path(target).parent_path();
    if (!parent.empty()) {
        fs::create_directories(parent, error);
    }
    const int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return errno == EEXIST;
    }
    // Should this write fail, the empty file is still a store, one without values.
    const std::string section = std::string(kSection) + "\n";
    const ssize_t written = write(fd, section.data(), section.size());
    static_cast<void>(written);
    close(fd);
    return true;
}

// Waits for the advisory lock on the open file, at most until the deadline. A file system
// that has no locks is written without one, as before there were locks.
bool LockFile(int fd, Clock::time_point deadline) {
    for (;;) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            return true;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return errno == ENOLCK || errno == EINVAL || errno == EOPNOTSUPP;
        }
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kLockRetry);
    }
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

std::unique_ptr<SettingsBackend> SettingsBackend::CreateDefault(ProcessContext&) {
    return std::make_unique<FileSettingsBackend>(FileSettingsBackend::DefaultPath());
}

FileSettingsBackend::FileSettingsBackend(std::string path) : path_(std::move(path)) {}

std::string FileSettingsBackend::DefaultPath() {
    if (const char* explicitPath = std::getenv("RVTOOL_SETTINGS"); explicitPath && *explicitPath) {
        return explicitPath;
    }
    std::string base;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
        base = config;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::string(home) + "/.config";
    } else {
        base = ".";
    }
    return base + "/rvtool/settings.ini";
}

void FileSettingsBackend::GiveUp(int error) {
    if (unreadable_) {
        return;
    }
    unreadable_ = true;
    std::fprintf(stderr,
                 "Settings file %s cannot be read (%s): this run uses the defaults and leaves the "
                 "file as it is\n",
                 path_.c_str(), std::strerror(error));
}

FileSettingsBackend::Load FileSettingsBackend::LoadFrom(int fd, std::string& content) {
    content.clear();
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            content.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0) {
            return Load::Done;
        } else if (errno != EINTR) {
            GiveUp(errno);
            return Load::Failed;
        }
    }
}

std::optional<StoredValue> FileSettingsBackend::Read(const std::string& name) {
    if (unreadable_) {
        return std::nullopt;
    }
    const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            CreateMissing(FollowLinks(path_));
        } else {
            GiveUp(errno);
        }
        return std::nullopt;
    }
    // Writers replace the file whole, so a read needs no lock.
    std::string content;
    const Load load = LoadFrom(fd, content);
    close(fd);
    if (load != Load::Done) {
        return std::nullopt;
    }
    for (const std::string& line : SplitLines(content)) {
        std::string lineName;
        std::size_t pos = 0;
        if (!ParseName(line, lineName, pos) || lineName != name) {
            continue;
        }
        StoredValue value;
        if (line.compare(pos, 6, "dword:") == 0) {
            const std::string digits = line.substr(pos + 6);
            char* end = nullptr;
            errno = 0;
            const unsigned long number = std::strtoul(digits.c_str(), &end, 16);
            if (digits.empty() || *end != '\0' || errno != 0 || number > 0xFFFFFFFFul) {
                return std::nullopt;  // unreadable: the caller takes its default
            }
            value.isDword = true;
            value.dword = static_cast<uint32_t>(number);
            return value;
        }
        if (Unquote(line, pos, value.text)) {
            return value;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

bool FileSettingsBackend::WriteDword(const std::string& name, uint32_t value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(value));
    return Replace(name, Quote(name) + "=dword:" + digits);
}

bool FileSettingsBackend::WriteText(const std::string& name, const std::string& text) {
    return Replace(name, Quote(name) + "=" + Quote(text));
}

bool FileSettingsBackend::Replace(const std::string& name, const std::string& newLine) {
    if (unreadable_) {
        return false;
    }
    const std::string target = FollowLinks(path_);
    const Clock::time_point deadline = Clock::now() + kLockPatience;
    while (Clock::now() < deadline) {
        const int fd = open(target.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            if (errno != ENOENT) {
                GiveUp(errno);
                return false;
            }
            if (!CreateMissing(target)) {
                return false;
            }
            continue;
        }
        struct stat held {};
        struct stat named {};
        if (!LockFile(fd, deadline) || fstat(fd, &held) != 0) {
            close(fd);
            return false;
        }
        if (stat(target.c_str(), &named) != 0 || !SameFile(held, named)) {
            // Another copy replaced the file while this one waited: lock the new one.
            close(fd);
            continue;
        }
        std::string content;
        const bool ok = LoadFrom(fd, content) == Load::Done &&
                        ReplaceFileContents(target, Rewrite(content, name, newLine));
        close(fd);  // releases the lock, now that the new file is in place
        return ok;
    }
    return false;
}
