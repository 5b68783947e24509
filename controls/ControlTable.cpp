#include "controls/ControlTable.h"

#include <cstdio>
#include <utility>

#include "core/Notifier.h"
#include "core/ProcessContext.h"
#include "protocol/CommandEngine.h"

namespace {
constexpr int kWriteTimeoutMs = 5000;
}

ControlTable::ControlTable(ProcessContext& context) : context_(context) {
    for (int i = 0; i < kRowCount; ++i) {
        const ControlDefinition& d = ControlDefinitions::kRows[i];
        // What is never read back is the program's own value, known from the start.
        rows_[i] = {d.ctrlId,   d.cmdId,     d.kind,         d.spinMode, d.paramClass,
                    d.minValue, d.maxValue,  d.initialValue, 0,          d.inFile,
                    d.readBack, !d.readBack, false};
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

bool ControlTable::SetDataValue(int32_t ctrlId, int32_t value) {
    if (ControlEntry* row = FindByCtrlId(ctrlId)) {
        row->value = value;  // limits act only through the spin controls
        return true;
    }
    Report("Unexpected error occurred in SetDataValue().");
    return false;
}

int32_t ControlTable::GetPrevDataValue(int32_t ctrlId) {
    if (const ControlEntry* row = FindByCtrlId(ctrlId)) {
        return row->prevValue;
    }
    Report("Unexpected error occurred in GetDataValue().");
    return -1;
}

void ControlTable::UpdatePrevDataValues() {
    for (ControlEntry& row : rows_) {
        row.prevValue = row.value;
    }
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
    const ControlEntry* row = FindByCtrlId(ctrlId);
    return row != nullptr && row->known;
}

std::optional<int32_t> ControlTable::KnownValue(int32_t ctrlId) const {
    const ControlEntry* row = FindByCtrlId(ctrlId);
    if (row == nullptr || !row->known) {
        return std::nullopt;
    }
    return row->value;
}

void ControlTable::MarkKnown(int32_t ctrlId, bool known) {
    if (ControlEntry* row = FindByCtrlId(ctrlId)) {
        row->known = known;
    }
}

void ControlTable::MarkReadBackPending(int32_t ctrlId, bool pending) {
    if (ControlEntry* row = FindByCtrlId(ctrlId)) {
        row->readBackPending = pending;
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

bool ControlTable::WriteChangedValues() {
    for (const ControlEntry& row : rows_) {
        if (row.value == row.prevValue || !row.known) {
            continue;
        }
        if (!context_.Get<CommandEngine>().SetValue(row.cmdId, row.value, kWriteTimeoutMs)) {
            return false;
        }
    }
    return true;
}
