#include "presenters/ControlBinding.h"

#include <optional>
#include <string>

#include "controls/ControlCatalog.h"
#include "controls/ControlIds.h"
#include "controls/ControlTable.h"
#include "core/LeadingNumber.h"
#include "core/ProcessContext.h"
#include "core/StatusLine.h"
#include "core/WholeNumber.h"
#include "operations/OutcomeText.h"
#include "operations/PageChanges.h"
#include "operations/Parameters.h"
#include "presenters/MainView.h"
#include "presenters/PageRules.h"

namespace {

// The LUT entry edits are sent only by their Read and Write buttons.
bool IsLutEntry(int32_t id) {
    return id == ControlIds::kLutIndex || id == ControlIds::kLutData;
}

Parameters::Result NothingSent() {
    Parameters::Result result;
    result.outcome.kind = RequestOutcome::Kind::NotSent;
    return result;
}

}  // namespace

ControlBinding::ControlBinding(ProcessContext& context, MainView& view)
    : context_(context), view_(view) {}

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
            view_.SelectIndex(id, -1);  // a value no item has is not shown as another item
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
    if (const std::optional<int32_t> value = context_.Get<ControlTable>().KnownValue(id)) {
        ShowControlValue(id, *value);
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

void ControlBinding::ShowResult(int32_t id, int64_t requested, const Parameters::Result& result) {
    ShowTableValue(id);
    for (int32_t readBack : result.readBack) {
        ShowTableValue(readBack);
    }
    context_.Get<StatusLine>().ShowOutcome(OutcomeText::ForChange(id, requested, result));
}

Parameters::Result ControlBinding::Change(int32_t id, int64_t value) {
    if (context_.Get<ControlTable>().KnownValue(id) == value) {
        // Leaving a field or choosing the item the camera holds changes nothing.
        ShowTableValue(id);
        Parameters::Result held;
        held.value = static_cast<int32_t>(value);
        return held;
    }
    const Parameters::Result result = PageChanges::Set(context_, id, value);
    ShowResult(id, value, result);
    if (id == ControlIds::kLineRate) {
        PageRules::ShowLineRateTexts(context_, view_);
    }
    return result;
}

Parameters::Result ControlBinding::OnEditCommit(int32_t editId, const std::string& text) {
    if (IsLutEntry(editId)) {
        return NothingSent();  // the edit keeps what was typed for its buttons
    }
    const std::optional<int64_t> typed = WholeNumber(text);
    if (!typed) {
        // Nothing to send: the edit shows the camera's value again, and says why when the
        // operator typed something that is no number.
        ShowTableValue(editId);
        const std::size_t begin = text.find_first_not_of(" \t");
        if (begin != std::string::npos && text.substr(begin) != kUnknownText) {
            if (const CatalogEntry* entry = ControlCatalog::Find(editId)) {
                context_.Get<StatusLine>().ShowOutcome(ControlCatalog::Mnemonic(*entry) + ": \"" +
                                                       text + "\" is not a whole number");
            }
        }
        return NothingSent();
    }
    return Change(editId, *typed);
}

Parameters::Result ControlBinding::OnSpinStep(int32_t editId, int32_t steps,
                                              const std::string& shownText) {
    ControlTable& table = context_.Get<ControlTable>();
    int32_t minimum = 0;
    int32_t maximum = 0;
    if (!table.HoldsValue(editId) || !table.GetDataRange(editId, minimum, maximum)) {
        return NothingSent();
    }
    const auto clamp = [&](int64_t value) {
        return value < minimum ? minimum : (value > maximum ? maximum : value);
    };
    if (IsLutEntry(editId)) {
        ShowControlValue(
            editId,
            static_cast<int32_t>(clamp(static_cast<int64_t>(LeadingNumber(shownText)) + steps)));
        return NothingSent();
    }
    // A step from a value the camera did not tell would send a guess.
    const std::optional<int32_t> known = table.KnownValue(editId);
    if (!known) {
        return NothingSent();
    }
    return Change(editId, clamp(static_cast<int64_t>(*known) + steps));
}

Parameters::Result ControlBinding::OnListChoice(int32_t listId, int64_t value) {
    return Change(listId, value);
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
