#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "controls/ControlDefinition.h"

class ProcessContext;

// A control-table row: the fixed definition plus the two cached values.
struct ControlEntry {
    int32_t ctrlId;
    int32_t cmdId;
    int32_t kind;
    int32_t spinMode;
    int32_t paramClass;
    int32_t minValue;
    int32_t maxValue;
    int32_t value;      // shown now
    int32_t prevValue;  // last synchronised with the camera
    int32_t inFile;
    bool readBack;
    // The camera told this value, or took it from the program. A row read back from the camera
    // is unknown until it has been read; an unknown value is never sent by WriteChangedValues
    // and never saved.
    bool known;
    // A set of this row got no answer: the camera may have applied it, so it is read back at
    // the next exchange that gets one.
    bool readBackPending;
};

// Ties every page control to its camera command and caches its values. Lookups scan from
// the first row; an unregistered id is reported to the operator and gives the failure value.
class ControlTable {
public:
    static constexpr int kRowCount = ControlDefinitions::kRowCount;
    using Rows = std::array<ControlEntry, kRowCount>;

    explicit ControlTable(ProcessContext& context);

    int32_t GetDataValue(int32_t ctrlId);
    bool SetDataValue(int32_t ctrlId, int32_t value);
    int32_t GetPrevDataValue(int32_t ctrlId);
    void UpdatePrevDataValues();
    int32_t ToCmdId(int32_t ctrlId);
    int32_t ToCtrlId(int32_t cmdId);
    // The control of a command, quietly: nothing for a command no row has.
    std::optional<int32_t> FindCtrlId(int32_t cmdId) const;
    int32_t CtrlId2TblIndex(int32_t ctrlId);
    int32_t GetSpinMode(int32_t ctrlId);
    bool GetDataRange(int32_t ctrlId, int32_t& minValue, int32_t& maxValue);
    bool IsFactoryParam(int32_t ctrlId);
    bool IsInFile(int32_t ctrlId) const;
    bool HasValue(int rowIndex) const;
    // A row of that id that holds a value (no button); false for an id no row has, quietly.
    bool HoldsValue(int32_t ctrlId) const;
    bool IsKnown(int32_t ctrlId) const;
    // The value the camera told for the row; nothing while it has not, or for an id no row has.
    std::optional<int32_t> KnownValue(int32_t ctrlId) const;
    void MarkKnown(int32_t ctrlId, bool known);
    void MarkReadBackPending(int32_t ctrlId, bool pending);
    int CountValueControls();
    int CountUserValueControls();

    // Sends every known row whose value differs from its previous value, in table order, and
    // stops at the first refusal. Does not touch the previous values.
    bool WriteChangedValues();

    const Rows& Entries() const { return rows_; }

private:
    const ControlEntry* FindByCtrlId(int32_t ctrlId) const;
    ControlEntry* FindByCtrlId(int32_t ctrlId);
    void Report(const char* text);

    ProcessContext& context_;
    Rows rows_;
    int valueControlCount_ = -1;
    int userValueControlCount_ = -1;
};
