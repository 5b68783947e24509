#include "tools/rvctl/CompletionWords.h"

#include <algorithm>

#include "controls/ControlCatalog.h"
#include "operations/FlashAreas.h"
#include "tools/rvctl/ParameterArguments.h"
#include "tools/rvctl/Readings.h"

namespace CompletionWords {

namespace {

constexpr int32_t kFactoryMode = 1;
constexpr int32_t kFactoryArea = 0;
constexpr int32_t kAreaCount = 4;

std::vector<std::string> Mnemonics(int32_t controlMode, bool buttons, const char* suffix) {
    std::vector<std::string> words;
    for (const CatalogEntry& entry : ControlCatalog::Entries()) {
        if (!ParameterArguments::InMode(entry, controlMode, buttons)) {
            continue;
        }
        words.push_back(ControlCatalog::Mnemonic(entry) + suffix);
    }
    return words;
}

// "User 1" is typed "User1", so that it is one word to the shell.
std::vector<std::string> Areas(bool factory) {
    std::vector<std::string> words;
    for (int32_t area = factory ? kFactoryArea : kFactoryArea + 1; area < kAreaCount; ++area) {
        std::string name = FlashAreas::AreaName(area);
        name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
        words.push_back(name);
    }
    return words;
}

}  // namespace

std::vector<std::string> For(const std::string& command, int32_t controlMode) {
    if (command == "get" || command == "watch") {
        std::vector<std::string> words = Mnemonics(controlMode, false, "");
        for (const Reading& reading : Readings::All()) {
            words.emplace_back(reading.mnemonic);
        }
        return words;
    }
    if (command == "set") {
        return Mnemonics(controlMode, false, "=");
    }
    if (command == "describe") {
        return Mnemonics(controlMode, true, "");
    }
    if (command == "store") {
        // The factory area is stored only in factory mode.
        return Areas(controlMode == kFactoryMode);
    }
    if (command == "restore") {
        return Areas(true);
    }
    return {};
}

}  // namespace CompletionWords
