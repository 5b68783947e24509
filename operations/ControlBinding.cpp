#include "operations/ControlBinding.h"

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>

#include "controls/ControlIds.h"
#include "controls/ControlTable.h"
#include "core/LeadingNumber.h"
#include "core/MainView.h"
#include "core/ProcessContext.h"
#include "core/StatusLine.h"
#include "operations/OutcomeText.h"
#include "operations/PageRules.h"
#include "operations/Parameters.h"

namespace {

// A whole decimal number and nothing else (blanks around it allowed); an empty text is 0.
bool WholeNumber(const std::string& text, int32_t& value) {
    std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) {
        value = 0;
        return true;
    }
    const std::size_t end = text.find_last_not_of(" \t") + 1;
    const std::string trimmed = text.substr(begin, end - begin);
    errno = 0;
    char* stop = nullptr;
    const long long number = std::strtoll(trimmed.c_str(), &stop, 10);
    if (stop == trimmed.c_str() || *stop != '\0' || errno == ERANGE || number < INT32_MIN ||
        number > INT32_MAX) {
        return false;
    }
    value = static_cast<int32_t>(number);
    return true;
}

// The LUT entry edits are sent only by their Read and Write buttons.
bool IsLutEntry(int32_t id) {
    return id == ControlIds::kLutIndex || id == ControlIds::kLutData;
}

}  // namespace

ControlBinding::ControlBinding(ProcessContext& context, MainView& view)
    : context_(context), view_(view) {}

int32_t ControlBinding::ReadControlValue(int32_t id) {
    switch (view_.ClassifyControl(id)) {
        case WidgetClass::Edit:
            return LeadingNumber(view_.ControlText(id));
        case WidgetClass::UpDown:
            return view_.SpinPosition(id);
        case WidgetClass::ComboBox: {
            const int32_t selected = view_.SelectedIndex(id);
            if (selected < 0) {
                return -1;
            }
            const int32_t data = view_.ItemData(id, selected);
            return data != 0 ? data : selected;
        }
        default:
            return -1;
    }
}

bool ControlBinding::ShowControlValue(int32_t id, int32_t value) {
    switch (view_.ClassifyControl(id)) {
        case WidgetClass::Edit:
            view_.SetControlText(id, std::to_string(value));
            return true;
        case WidgetClass::UpDown:
            view_.SetSpinPosition(id, value);
            return true;
        case WidgetClass::ComboBox: {
            const int32_t count = view_.ItemCount(id);
            for (int32_t i = 0; i < count; ++i) {
                if (view_.ItemData(id, i) == value) {
                    view_.SelectIndex(id, i);
                    return true;
                }
            }
            view_.SelectIndex(id, value);
            return true;
        }
        default:
            return false;
    }
}

int ControlBinding::RefreshControl(int32_t id) {
    if (const std::optional<int32_t> value = Parameters::Get(context_, id)) {
        ShowControlValue(id, *value);
    }
    return 1;
}

void ControlBinding::ShowTableValue(int32_t id) {
    ControlTable& table = context_.Get<ControlTable>();
    if (table.IsKnown(id)) {
        ShowControlValue(id, table.GetDataValue(id));
        return;
    }
    // A value the camera did not tell is not shown as if it held it.
    switch (view_.ClassifyControl(id)) {
        case WidgetClass::Edit:
            view_.SetControlText(id, kUnknownText);
            break;
        case WidgetClass::ComboBox:
            view_.SelectIndex(id, -1);
            break;
        default:
            break;
    }
}

void ControlBinding::ShowAllValues() {
    for (const ControlEntry& row : context_.Get<ControlTable>().Entries()) {
        ShowTableValue(row.ctrlId);
    }
}

void ControlBinding::ShowChangedValues() {
    for (const ControlEntry& row : context_.Get<ControlTable>().Entries()) {
        if (row.value != row.prevValue) {
            ShowTableValue(row.ctrlId);
        }
    }
}

void ControlBinding::ShowResult(int32_t id, int32_t requested, const Parameters::Result& result) {
    if (!result.accepted) {
        ShowTableValue(id);
    }
    for (int32_t readBack : result.readBack) {
        ShowTableValue(readBack);
    }
    context_.Get<StatusLine>().ShowOutcome(OutcomeText::ForChange(id, requested, result));
}

void ControlBinding::OnEditCommit(int32_t editId) {
    const int32_t spinId = view_.SpinOf(editId);
    if (editId == -1 || spinId == 0 || view_.ClassifyControl(editId) != WidgetClass::Edit ||
        view_.ClassifyControl(spinId) != WidgetClass::UpDown) {
        return;
    }
    // The spin takes the typed text only when it is a number inside its range, so that nothing
    // but the last accepted value can be sent.
    int32_t minimum = 0;
    int32_t maximum = 0;
    view_.GetSpinRange(spinId, minimum, maximum);
    int32_t value = view_.SpinPosition(spinId);
    int32_t typed = 0;
    ControlTable& table = context_.Get<ControlTable>();
    if (WholeNumber(view_.ControlText(editId), typed) && typed >= minimum && typed <= maximum) {
        value = typed;
    } else if (!table.IsKnown(editId) && !IsLutEntry(editId)) {
        // Nothing typed, and no value of the camera's to fall back on: nothing is sent.
        ShowTableValue(editId);
        return;
    }
    if (table.GetSpinMode(editId) == 1) {
        if (value <= minimum) {
            value = minimum + 1;
        } else if (value >= maximum) {
            value = maximum - 1;
        }
    }
    view_.SetSpinPosition(spinId, value);
    view_.SetControlText(editId, std::to_string(value));
    if (IsLutEntry(editId)) {
        return;
    }
    ShowResult(editId, value, Parameters::Set(context_, editId, value));
    if (editId == ControlIds::kLineRate) {
        PageRules::ShowLineRateTexts(context_, view_);
    }
}

void ControlBinding::OnSpinDelta(int32_t spinId, int32_t delta) {
    if (view_.ClassifyControl(spinId) != WidgetClass::UpDown) {
        return;
    }
    int32_t minimum = 0;
    int32_t maximum = 0;
    view_.GetSpinRange(spinId, minimum, maximum);
    const long long stepped = static_cast<long long>(view_.SpinPosition(spinId)) + delta;
    const int32_t value =
        static_cast<int32_t>(stepped < minimum ? minimum : (stepped > maximum ? maximum : stepped));
    const int32_t target = view_.BuddyOf(spinId);
    if (IsLutEntry(target)) {
        view_.SetSpinPosition(spinId, value);
        return;
    }
    // A step from a value the camera did not tell would send a guess.
    if (target == 0 || !context_.Get<ControlTable>().IsKnown(target)) {
        return;
    }
    const Parameters::Result result = Parameters::Set(context_, target, value);
    if (result.accepted) {
        view_.SetSpinPosition(spinId, value);
    } else {
        // The spin stays where it was.
        view_.SetSpinPosition(spinId, result.value);
    }
    ShowResult(target, value, result);
    if (target == ControlIds::kLineRate) {
        PageRules::ShowLineRateTexts(context_, view_);
    }
}

bool ControlBinding::ListUnchanged(int32_t listId) {
    ControlTable& table = context_.Get<ControlTable>();
    return table.IsKnown(listId) && ReadControlValue(listId) == table.GetDataValue(listId);
}

void ControlBinding::CommitListSelection(int32_t listId) {
    if (ListUnchanged(listId)) {
        return;  // the item the camera holds already: nothing to send
    }
    const int32_t value = ReadControlValue(listId);
    ShowResult(listId, value, Parameters::Set(context_, listId, value));
}

void ControlBinding::SetSpinRanges() {
    ControlTable& table = context_.Get<ControlTable>();
    for (const ControlEntry& row : table.Entries()) {
        if (row.kind != kSpinEditControl) {
            continue;
        }
        const int32_t spinId = view_.SpinOf(row.ctrlId);
        int32_t minimum = 0;
        int32_t maximum = 0;
        if (view_.ClassifyControl(row.ctrlId) == WidgetClass::None || spinId == 0 ||
            view_.ClassifyControl(spinId) == WidgetClass::None ||
            !table.GetDataRange(row.ctrlId, minimum, maximum)) {
            continue;
        }
        if (table.GetSpinMode(row.ctrlId) == 1) {
            --minimum;
            ++maximum;
        }
        view_.SetSpinRange(spinId, minimum, maximum);
    }
}
