#include "platform/FileReplacement.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/Notifier.h"
#include "platform/FileAccess.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkHops = 40;

fs::path PathOf(const std::string& text) {
    return fs::u8path(text);
}

// A name in the folder of the target that no file has yet.
fs::path TemporaryPathBeside(const fs::path& target) {
    fs::path folder = target.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::string base = "." + target.filename().u8string() + ".";
    for (int attempt = 0;; ++attempt) {
        fs::path candidate = folder / PathOf(base + std::to_string(stamp + attempt) + ".tmp");
        std::error_code error;
        if (!fs::exists(candidate, error) || attempt == 100) {
            return candidate;
        }
    }
}

// A device or a FIFO takes the text as "cp" and a shell redirection write it: into itself.
// Renaming a new file into its place would destroy the node (a root job writing to
// /dev/null would replace it), and it cannot be half written the way a file can.
bool WriteIntoNode(const fs::path& target, const std::string& text) {
    std::FILE* file = FileAccess::Open(target.u8string(), "w");
    if (file == nullptr) {
        return false;
    }
    const bool written =
        std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
    return std::fclose(file) == 0 && written;
}

bool IsNode(const fs::file_status& status) {
    return fs::is_character_file(status) || fs::is_block_file(status) || fs::is_fifo(status) ||
           fs::is_socket(status);
}

}  // namespace

std::string FollowLinks(const std::string& path) {
    fs::path current = PathOf(path);
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(current, error))) {
            break;
        }
        const fs::path target = fs::read_symlink(current, error);
        if (error) {
            break;
        }
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return current.u8string();
}

bool ReplaceFileContents(const std::string& path, const std::string& text) {
    // Renaming over a link would put a plain file in its place.
    const fs::path target = PathOf(FollowLinks(path));
    std::error_code statusError;
    if (IsNode(fs::status(target, statusError))) {
        return WriteIntoNode(target, text);
    }
    const fs::path temporary = TemporaryPathBeside(target);
    std::FILE* file = FileAccess::Open(temporary.u8string(), "w");
    if (file == nullptr) {
        return false;
    }
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    // The bytes are on the disk before the file takes the place of the old one.
    written = written && std::fflush(file) == 0 && FileAccess::SyncToDisk(file);
    written = std::fclose(file) == 0 && written;

    std::error_code error;
    if (written) {
        const fs::file_status old = fs::status(target, error);
        if (!error && fs::exists(old)) {
            fs::permissions(temporary, old.permissions(), error);
        }
        fs::rename(temporary, target, error);
        written = !error;
    }
    if (!written) {
        fs::remove(temporary, error);
    }
    return written;
}

std::string FolderOfPath(const std::string& path) {
    const std::size_t last = FileAccess::LastSeparator(path);
    if (last == std::string::npos) {
        return std::string();
    }
    return path.substr(0, last == 0 ? 1 : last);
}

bool MayReplaceFile(Notifier& notifier, const std::string& path) {
    std::error_code error;
    return !std::filesystem::exists(std::filesystem::u8path(path), error) ||
           notifier.AskYesNo(path + "\nThis file already exists." + "\nReplace existing file?",
                             kApplicationCaption);
}
