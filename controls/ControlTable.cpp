#include "controls/ControlTable.h"

#include <cstdio>
#include <utility>

#include "core/Notifier.h"
#include "core/ProcessContext.h"

ControlTable::ControlTable(ProcessContext& context) : context_(context) {
    for (int i = 0; i < kRowCount; ++i) {
        const ControlDefinition& d = ControlDefinitions::kRows[i];
        // What is never read back is the program's own value, known from the start.
        rows_[i] = {d.ctrlId,
                    d.cmdId,
                    d.kind,
                    d.spinMode,
                    d.paramClass,
                    d.minValue,
                    d.maxValue,
                    d.initialValue,
                    d.inFile,
                    d.readBack,
                    d.readBack ? ValueState::Unknown : ValueState::Told};
    }
}

const ControlEntry* ControlTable::FindByCtrlId(int32_t ctrlId) const {
    for (const ControlEntry& row : rows_) {
        if (row.ctrlId == ctrlId) {
            return &row;
        }
    }
    return nullptr;
}

ControlEntry* ControlTable::FindByCtrlId(int32_t ctrlId) {
    return const_cast<ControlEntry*>(std::as_const(*this).FindByCtrlId(ctrlId));
}

void ControlTable::Report(const char* text) {
    context_.Get<Notifier>().Warn(text);
}

int32_t ControlTable::GetDataValue(int32_t ctrlId) {
    if (const ControlEntry* row = FindByCtrlId(ctrlId)) {
        return row->value;
    }
    Report("Unexpected error occurred in GetDataValue().");
    return -1;
}

int32_t ControlTable::ToCmdId(int32_t ctrlId) {
    if (const ControlEntry* row = FindByCtrlId(ctrlId)) {
        return row->cmdId;
    }
    Report("Unexpected error occurred in ToCmdId().");
    return -1;
}

int32_t ControlTable::ToCtrlId(int32_t cmdId) {
    if (const std::optional<int32_t> ctrlId = FindCtrlId(cmdId)) {
        return *ctrlId;
    }
    char text[96];
    std::snprintf(text, sizeof text, "Unexpected error occurred in ToCtrlId(): Command id is %d",
                  cmdId);
    Report(text);
    return -1;
}

std::optional<int32_t> ControlTable::FindCtrlId(int32_t cmdId) const {
    for (const ControlEntry& row : rows_) {
        if (row.cmdId == cmdId) {
            return row.ctrlId;
        }
    }
    return std::nullopt;
}

int32_t ControlTable::CtrlId2TblIndex(int32_t ctrlId) {
    if (const ControlEntry* row = FindByCtrlId(ctrlId)) {
        return static_cast<int32_t>(row - rows_.data());
    }
    Report("Unexpected error occurred in CtrlId2TblIndex().");
    return -1;
}

int32_t ControlTable::GetSpinMode(int32_t ctrlId) {
    const int32_t index = CtrlId2TblIndex(ctrlId);
    return index < 0 ? -1 : rows_[index].spinMode;
}

bool ControlTable::GetDataRange(int32_t ctrlId, int32_t& minValue, int32_t& maxValue) {
    const int32_t index = CtrlId2TblIndex(ctrlId);
    if (index < 0) {
        return false;
    }
    minValue = rows_[index].minValue;
    maxValue = rows_[index].maxValue;
    return true;
}

bool ControlTable::IsFactoryParam(int32_t ctrlId) {
    if (const ControlEntry* row = FindByCtrlId(ctrlId)) {
        return row->paramClass == kFactoryParam;
    }
    char text[128];
    std::snprintf(text, sizeof text,
                  "ERROR: IsFactoryParam(): Control id \"%d: 0x%x\" is not registered in database "
                  "table",
                  ctrlId, static_cast<unsigned>(ctrlId));
    Report(text);
    return false;
}

bool ControlTable::IsInFile(int32_t ctrlId) const {
    const ControlEntry* row = FindByCtrlId(ctrlId);
    return row != nullptr && row->inFile != 0;
}

bool ControlTable::HoldsValue(int32_t ctrlId) const {
    const ControlEntry* row = FindByCtrlId(ctrlId);
    return row != nullptr && row->kind != kButtonControl;
}

bool ControlTable::IsKnown(int32_t ctrlId) const {
    return State(ctrlId) == ValueState::Told;
}

std::optional<int32_t> ControlTable::KnownValue(int32_t ctrlId) const {
    const ControlEntry* row = FindByCtrlId(ctrlId);
    if (row == nullptr || row->state != ValueState::Told) {
        return std::nullopt;
    }
    return row->value;
}

ValueState ControlTable::State(int32_t ctrlId) const {
    const ControlEntry* row = FindByCtrlId(ctrlId);
    return row == nullptr ? ValueState::Unknown : row->state;
}

std::vector<int32_t> ControlTable::UnansweredRows() const {
    std::vector<int32_t> rows;
    for (const ControlEntry& row : rows_) {
        if (row.state == ValueState::Unanswered) {
            rows.push_back(row.ctrlId);
        }
    }
    return rows;
}

void ControlTable::Told(int32_t ctrlId, int32_t value) {
    if (ControlEntry* row = FindByCtrlId(ctrlId)) {
        row->value = value;
        row->state = ValueState::Told;
    }
}

void ControlTable::Unanswered(int32_t ctrlId) {
    if (ControlEntry* row = FindByCtrlId(ctrlId)) {
        row->state = ValueState::Unanswered;
    }
}

void ControlTable::Forget(int32_t ctrlId) {
    if (ControlEntry* row = FindByCtrlId(ctrlId)) {
        row->state = ValueState::Unknown;
    }
}

bool ControlTable::HasValue(int rowIndex) const {
    return rows_[rowIndex].kind != kButtonControl;
}

int ControlTable::CountValueControls() {
    if (valueControlCount_ < 0) {
        valueControlCount_ = 0;
        for (int i = 0; i < kRowCount; ++i) {
            valueControlCount_ += HasValue(i) ? 1 : 0;
        }
    }
    return valueControlCount_;
}

int ControlTable::CountUserValueControls() {
    if (userValueControlCount_ < 0) {
        userValueControlCount_ = 0;
        for (int i = 0; i < kRowCount; ++i) {
            userValueControlCount_ += HasValue(i) && rows_[i].paramClass == kUserParam ? 1 : 0;
        }
    }
    return userValueControlCount_;
}
