#include "operations/ChangeHistory.h"

#include <iterator>
#include <utility>

void ChangeHistory::Record(const Change& change) {
    changes_.erase(changes_.begin() + static_cast<std::ptrdiff_t>(done_), changes_.end());
    changes_.push_back(change);
    if (changes_.size() > kDepth) {
        changes_.erase(changes_.begin());
    }
    done_ = changes_.size();
}

std::optional<ChangeHistory::Change> ChangeHistory::NextUndo() const {
    if (done_ == 0) {
        return std::nullopt;
    }
    return changes_[done_ - 1];
}

std::optional<ChangeHistory::Change> ChangeHistory::NextRedo() const {
    if (done_ == changes_.size()) {
        return std::nullopt;
    }
    return changes_[done_];
}

void ChangeHistory::StepBack() {
    if (done_ > 0) {
        --done_;
    }
}

void ChangeHistory::StepForward() {
    if (done_ < changes_.size()) {
        ++done_;
    }
}

void ChangeHistory::Forget(const std::function<bool(int32_t ctrlId)>& gone) {
    std::vector<Change> kept;
    std::size_t keptDone = 0;
    for (std::size_t i = 0; i < changes_.size(); ++i) {
        if (!gone(changes_[i].ctrlId)) {
            kept.push_back(changes_[i]);
            keptDone += i < done_ ? 1 : 0;
        }
    }
    changes_ = std::move(kept);
    done_ = keptDone;
}

void ChangeHistory::Clear() {
    changes_.clear();
    done_ = 0;
}
