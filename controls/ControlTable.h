#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "controls/ControlDefinition.h"

class ProcessContext;

// What the program knows of a parameter's value in the camera.
enum class ValueState {
    Unknown,     // not read, or the read got no answer
    Told,        // the camera told the value, or took it from the program
    Unanswered,  // a set got no answer: the camera may hold it, so it is read back at the next
                 // exchange that gets one, and never sent again by itself
};

// A control-table row: the fixed definition, the value the camera told and what is known of it.
struct ControlEntry {
    int32_t ctrlId;
    int32_t cmdId;
    int32_t kind;
    int32_t spinMode;
    int32_t paramClass;
    int32_t minValue;
    int32_t maxValue;
    int32_t value;  // the camera's, while the state is Told
    int32_t inFile;
    bool readBack;
    ValueState state;
};

// Ties every page control to its camera command and owns what the program knows of each value:
// it changes only through the named transitions below, which the parameter flows call when the
// camera answered. Lookups scan from the first row; an unregistered id is reported to the
// operator and gives the failure value.
class ControlTable {
public:
    static constexpr int kRowCount = ControlDefinitions::kRowCount;
    using Rows = std::array<ControlEntry, kRowCount>;

    explicit ControlTable(ProcessContext& context);

    int32_t GetDataValue(int32_t ctrlId);
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
    ValueState State(int32_t ctrlId) const;
    // The rows whose set got no answer, in table order.
    std::vector<int32_t> UnansweredRows() const;
    int CountValueControls();
    int CountUserValueControls();

    // The transitions. The camera told value (a read, or a set it took).
    void Told(int32_t ctrlId, int32_t value);
    // A set of the row got no answer.
    void Unanswered(int32_t ctrlId);
    // A read of the row got no answer: nothing is known of it.
    void Forget(int32_t ctrlId);

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
