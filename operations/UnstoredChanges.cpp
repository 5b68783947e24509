#include "operations/UnstoredChanges.h"

#include "controls/ControlTable.h"
#include "core/ProcessContext.h"
#include "core/StatusLine.h"
#include "protocol/Command.h"

void UnstoredChanges::Note(int32_t ctrlId, std::optional<int32_t> before, int32_t after) {
    const auto found = stored_.find(ctrlId);
    const std::optional<int32_t> stored = found != stored_.end() ? found->second : before;
    if (stored && *stored == after) {
        stored_.erase(ctrlId);
    } else {
        stored_[ctrlId] = stored;
    }
    Show();
}

void UnstoredChanges::Clear() {
    stored_.clear();
    Show();
}

std::string UnstoredChanges::Sentence() const {
    const int count = Count();
    if (count == 0) {
        return std::string();
    }
    return count == 1 ? "1 parameter changed since the last store is not stored to flash."
                      : std::to_string(count) +
                            " parameters changed since the last store are not stored to flash.";
}

std::string UnstoredChanges::Names() const {
    std::string names;
    for (const ControlEntry& row : context_.Get<ControlTable>().Entries()) {
        if (stored_.count(row.ctrlId) != 0) {
            names += (names.empty() ? "" : ", ") + Command::GetMnemonic(row.cmdId);
        }
    }
    return names;
}

void UnstoredChanges::Show() {
    context_.Get<StatusLine>().ShowStorage(stored_.empty() ? std::string() : kMark);
}
