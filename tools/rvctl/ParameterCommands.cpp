// list, describe, get and set: the parameters of the pages, one at a time through the same
// flows the window's pages use.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "controls/ControlCatalog.h"
#include "controls/ControlDefinition.h"
#include "controls/ControlTable.h"
#include "core/ProcessContext.h"
#include "core/Version.h"
#include "core/WaitClock.h"
#include "operations/OutcomeText.h"
#include "operations/Parameters.h"
#include "protocol/CommandTable.h"
#include "tools/rvctl/CameraOutput.h"
#include "tools/rvctl/CompletionWords.h"
#include "tools/rvctl/ParameterArguments.h"
#include "tools/rvctl/Readings.h"
#include "tools/rvctl/Subcommands.h"

namespace {

using ControlCatalog::ValueText;
using ParameterArguments::Kind;

JsonValue ItemsJson(const CatalogEntry& entry) {
    JsonValue items = JsonValue::array();
    for (const CatalogItem& item : entry.items) {
        items.push_back(Record("").Number("value", item.value).Text("text", item.text).Fields());
    }
    return items;
}

// The parameter's range or items: "100..1600", "0 Internal, 1 External".
std::string Choices(const CatalogEntry& entry) {
    if (!entry.items.empty()) {
        return ControlCatalog::Choices(entry);
    }
    const ControlDefinition& row = ControlCatalog::Definition(entry);
    return std::to_string(row.minValue) + ".." + std::to_string(row.maxValue);
}

// The kind's fields of a JSON object: the range or the items.
void AddChoices(Record& record, const CatalogEntry& entry) {
    record.Text("kind", Kind(entry));
    if (!entry.items.empty()) {
        record.Value("items", ItemsJson(entry));
    } else if (ControlCatalog::Definition(entry).kind != kButtonControl) {
        const ControlDefinition& row = ControlCatalog::Definition(entry);
        record.Number("min", row.minValue).Number("max", row.maxValue);
    }
}

// "GA=400", "TG=Internal"; the object names the number and, for a list, the item's text.
Record ValueRecord(const CatalogEntry& entry, int32_t value) {
    const std::string mnemonic = ControlCatalog::Mnemonic(entry);
    Record record(mnemonic + "=" + ValueText(entry, value));
    record.Text("mnemonic", mnemonic).Number("value", value);
    if (const CatalogItem* item = ControlCatalog::FindItem(entry, value)) {
        record.Text("text", item->text);
    }
    return record;
}

// The temperature is of the sensor TMPS0 chooses, so the two are told together:
// "TMP0=41 (TMPS0=Sensor)".
std::optional<Record> ReadingRecord(Camera& camera, const Reading& reading) {
    std::optional<Record> sensor;
    if (Readings::IsTemperature(reading)) {
        const CatalogEntry& entry = *ControlCatalog::FindByMnemonic("TMPS0");
        const std::optional<int32_t> chosen = Parameters::Get(camera.context, entry.ctrlId);
        if (!chosen) {
            return std::nullopt;
        }
        sensor = ValueRecord(entry, *chosen);
    }
    const std::optional<int32_t> value = reading.read(camera.context);
    if (!value) {
        return std::nullopt;
    }
    Record record(std::string(reading.mnemonic) + "=" + std::to_string(*value) +
                  (sensor ? " (" + sensor->Line() + ")" : ""));
    record.Text("mnemonic", reading.mnemonic).Number("value", *value);
    if (sensor) {
        record.Value("sensor", sensor->Fields());
    }
    return record;
}

std::string NoOperands(const Options& options, int32_t) {
    return options.operands.empty() ? std::string()
                                    : "list takes no operands: \"" + options.operands[0] + "\"";
}

std::string CheckMnemonics(const Options& options, int32_t controlMode, bool anyRow) {
    if (options.operands.empty()) {
        return "name at least one parameter by its mnemonic; 'rvctl list' shows them all";
    }
    for (const std::string& operand : options.operands) {
        if (!anyRow && Readings::Find(operand) != nullptr) {
            continue;
        }
        std::string error;
        const bool known =
            anyRow ? ControlCatalog::FindByMnemonic(operand) != nullptr
                   : ParameterArguments::Parameter(operand, controlMode, error) != nullptr;
        if (!known) {
            return anyRow ? "unknown parameter \"" + operand + "\"; 'rvctl list' shows them all"
                          : error;
        }
    }
    return std::string();
}

std::string CheckDescribe(const Options& options, int32_t controlMode) {
    return options.operands.empty() ? std::string() : CheckMnemonics(options, controlMode, true);
}

std::string CheckGet(const Options& options, int32_t controlMode) {
    return CheckMnemonics(options, controlMode, false);
}

std::string CheckSet(const Options& options, int32_t controlMode) {
    if (options.operands.empty()) {
        return "name at least one MNEMONIC=VALUE";
    }
    for (const std::string& operand : options.operands) {
        std::string error;
        if (!ParameterArguments::ParseAssignment(operand, controlMode, error)) {
            return error;
        }
    }
    return std::string();
}

// Parameters the window reads back are read from the camera; the others show "-", as they
// are never read unless asked for by name.
ExitStatus RunList(Camera& camera) {
    ExitStatus status = kSuccess;
    for (const CatalogEntry& entry : ControlCatalog::Entries()) {
        if (!ParameterArguments::InMode(entry, camera.controlMode, false)) {
            continue;
        }
        const std::string mnemonic = ControlCatalog::Mnemonic(entry);
        std::optional<int32_t> value;
        if (ControlCatalog::Definition(entry).readBack) {
            value = Parameters::Get(camera.context, entry.ctrlId);
            if (!value) {
                status = kFailed;
            }
        }
        char columns[128];
        std::snprintf(columns, sizeof columns, "%-7s %-36s %-7s", mnemonic.c_str(), entry.name,
                      Kind(entry).c_str());
        Record record(std::string(columns) + Choices(entry) + " = " +
                      (value ? std::to_string(*value) +
                                   (entry.items.empty() ? "" : " " + ValueText(entry, *value))
                             : "-"));
        record.Text("mnemonic", mnemonic).Text("name", entry.name).Text("page", entry.page);
        AddChoices(record, entry);
        if (value) {
            record.Number("value", *value);
            if (const CatalogItem* item = ControlCatalog::FindItem(entry, *value)) {
                record.Text("text", item->text);
            }
        } else {
            record.Null("value");
        }
        camera.output.Add(record);
    }
    return status;
}

// Every field of one parameter's definition.
Record Description(const CatalogEntry& entry) {
    const ControlDefinition& row = ControlCatalog::Definition(entry);
    const std::string mnemonic = ControlCatalog::Mnemonic(entry);
    const char* parameterClass = row.paramClass == kFactoryParam ? "factory"
                                 : row.paramClass == kUserParam  ? "user"
                                                                 : "action";
    std::string text =
        mnemonic + ": " + entry.name + "\n  page: " + entry.page + "\n  kind: " + Kind(entry);
    if (row.kind != kButtonControl) {
        text += std::string(entry.items.empty() ? "\n  range: " : "\n  items: ") + Choices(entry);
    }
    text += std::string("\n  class: ") + parameterClass +
            "\n  in settings files: " + (row.inFile != 0 ? "yes" : "no") +
            "\n  command id: " + std::to_string(row.cmdId) +
            "\n  control id: " + std::to_string(row.ctrlId);
    Record record(text);
    record.Text("mnemonic", mnemonic).Text("name", entry.name).Text("page", entry.page);
    AddChoices(record, entry);
    record.Text("class", parameterClass)
        .Flag("factory", row.paramClass == kFactoryParam)
        .Flag("inSettingsFiles", row.inFile != 0)
        .Number("commandId", row.cmdId)
        .Number("controlId", row.ctrlId);
    return record;
}

// Named parameters one by one; with no names every one of the mode (buttons too), with --json
// as one catalogue that names the program's version, so that a script or a completion can tell
// which tables it read.
ExitStatus RunDescribe(Camera& camera) {
    if (!camera.options.operands.empty()) {
        for (const std::string& operand : camera.options.operands) {
            camera.output.Add(Description(*ControlCatalog::FindByMnemonic(operand)));
        }
        return kSuccess;
    }
    JsonValue objects = JsonValue::array();
    std::string text;
    for (const CatalogEntry& entry : ControlCatalog::Entries()) {
        if (!ParameterArguments::InMode(entry, camera.controlMode, true)) {
            continue;
        }
        const Record description = Description(entry);
        objects.push_back(description.Fields());
        text += (text.empty() ? "" : "\n\n") + description.Line();
    }
    Record catalogue(text);
    catalogue.Text("version", kProgramVersion).Value("parameters", std::move(objects));
    camera.output.Add(catalogue);
    return kSuccess;
}

ExitStatus RunGet(Camera& camera) {
    ExitStatus status = kSuccess;
    for (const std::string& operand : camera.options.operands) {
        if (const Reading* reading = Readings::Find(operand)) {
            if (const std::optional<Record> record = ReadingRecord(camera, *reading)) {
                camera.output.Add(*record);
                continue;
            }
            camera.output.Error(std::string(reading->mnemonic) + ": the camera told no value",
                                Record("").Text("mnemonic", reading->mnemonic));
            status = kFailed;
            continue;
        }
        const CatalogEntry& entry = *ControlCatalog::FindByMnemonic(operand);
        if (const std::optional<int32_t> value = Parameters::Get(camera.context, entry.ctrlId)) {
            camera.output.Add(ValueRecord(entry, *value));
        } else {
            const std::string mnemonic = ControlCatalog::Mnemonic(entry);
            camera.output.Error(mnemonic + ": the camera told no value",
                                Record("").Text("mnemonic", mnemonic));
            status = kFailed;
        }
    }
    return status;
}

// Each value in turn; the first that does not go through ends the run.
ExitStatus RunSet(Camera& camera) {
    for (const std::string& operand : camera.options.operands) {
        std::string error;
        const ParameterArguments::Assignment assignment =
            *ParameterArguments::ParseAssignment(operand, camera.controlMode, error);
        const CatalogEntry& entry = *assignment.entry;
        Parameters::Result result = Parameters::Set(camera.context, entry.ctrlId, assignment.value);
        if (result.outcome.kind == RequestOutcome::Kind::NoAnswer) {
            // The camera may have taken it all the same: what it holds decides.
            Parameters::ReadBackPending(camera.context);
            result.value = camera.context.Get<ControlTable>().KnownValue(entry.ctrlId);
            // The text names the time it was given, which --timeout may have changed.
            result.outcome.timeoutMs =
                static_cast<int>(camera.context.Get<WaitClock>()
                                     .Timeout(std::chrono::milliseconds(result.outcome.timeoutMs))
                                     .count());
        }
        if (result.value != assignment.value) {
            std::string text = OutcomeText::ForChange(entry.ctrlId, assignment.value, result);
            if (result.value) {
                text += "; the camera holds " + ControlCatalog::Mnemonic(entry) + "=" +
                        ValueText(entry, *result.value);
            }
            if (&operand != &camera.options.operands.back()) {
                text += "; what follows it was not sent";
            }
            Record refused = result.value
                                 ? ValueRecord(entry, *result.value)
                                 : Record("").Text("mnemonic", ControlCatalog::Mnemonic(entry));
            refused.Flag("accepted", false).Number("requested", assignment.value);
            camera.output.Error(text, refused);
            return kFailed;
        }
        camera.output.Add(ValueRecord(entry, *result.value).Flag("accepted", true));
    }
    return kSuccess;
}

}  // namespace

std::vector<Subcommand> ParameterCommands() {
    return {
        {"list", "", "every parameter of the mode: kind, range or items, value",
         "One line per parameter: mnemonic, name on the page, kind, range or items (value and\n"
         "text), and after \"=\" the camera's value. Factory parameters only with factory mode.\n"
         "Parameters the window never reads back (the LUT index, the hidden automatic modes)\n"
         "show \"-\"; 'get' asks the camera for them.\n",
         Reach::EachCamera, Link::Answered, false, NoOperands, RunList},
        {"describe", "[MNEMONIC...]", "the whole definition of parameters (no camera needed)",
         "Name, page, kind, range or items, class (user, factory or action), whether settings\n"
         "files hold it, command id and control id. Buttons are described too. Without a\n"
         "mnemonic, every parameter of the mode (factory ones with --factory); with --json\n"
         "that is one object: {\"version\": rvctl's version, \"parameters\": [...]}, each\n"
         "parameter an object with mnemonic, name, page, kind, min and max or items (value\n"
         "and text), class, factory, inSettingsFiles, commandId and controlId.\n",
         Reach::None, Link::Answered, false, CheckDescribe, RunDescribe},
        {"get", "MNEMONIC...", "the camera's values of parameters and its readings",
         "Prints MNEMONIC=VALUE for each, a list's value as its item's text (\"TG=Internal\");\n"
         "with --json the number and the text. Mnemonics in any letter case. The readings the\n"
         "pages' Read and Get buttons ask for are read too: TMP0 the temperature, told with\n"
         "the sensor it is of (\"TMP0=41 (TMPS0=Sensor)\"; with --json a \"sensor\" object),\n"
         "PEMAX and PEMIN the exposure limits, ARMIN the line rate's lower limit.\n",
         Reach::EachCamera, Link::Answered, false, CheckGet, RunGet},
        {"set", "MNEMONIC=VALUE...", "send values; a list takes an item's text or its value",
         "Sends each value in turn, as the window's page does when the operator changes it, and\n"
         "prints what the camera holds then. A list takes its item's text in any letter case or\n"
         "its value (set TG=Internal or set TG=0); a number must lie within its range. Every\n"
         "value is checked before anything is sent; the first one the camera does not take ends\n"
         "the run, and the rest are not sent. When the camera's answer is lost or garbled, the\n"
         "value is read back: what the camera holds decides.\n",
         Reach::EachCamera, Link::Answered, false, CheckSet, RunSet},
    };
}
