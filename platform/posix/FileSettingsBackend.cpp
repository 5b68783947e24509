#include "platform/posix/FileSettingsBackend.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

const char kSection[] = "[Software\\Varnel\\RV-2410-TCL Control Tool]";

std::string Quote(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') {
            quoted += '\\';
        }
        quoted += c;
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

std::vector<std::string> SplitLines(const std::string& content) {
    std::vector<std::string> lines;
    std::istringstream stream(content);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
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

bool FileSettingsBackend::Load(std::string& content) {
    std::ifstream file(path_, std::ios::binary);
    if (!file) {
        // A missing store is created, as a missing registry key is.
        content = std::string(kSection) + "\n";
        return Store(content);
    }
    std::ostringstream buffer;
    buffer << file.rdbuf();
    content = buffer.str();
    return true;
}

std::optional<StoredValue> FileSettingsBackend::Read(const std::string& name) {
    std::string content;
    if (!Load(content)) {
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
    std::string content;
    if (!Load(content)) {
        return false;
    }
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
    return Store(result);
}

bool FileSettingsBackend::Store(const std::string& content) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target(path_);
    if (target.has_parent_path()) {
        fs::create_directories(target.parent_path(), error);
    }
    std::string temporary = path_ + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        return false;
    }
    bool ok = true;
    std::size_t written = 0;
    while (ok && written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        ok = n > 0;
        written += ok ? static_cast<std::size_t>(n) : 0;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && std::rename(temporary.c_str(), path_.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
    }
    return ok;
}
