#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ControlDefinition;

// One item of a drop-down list: the text it shows and the value the camera gets for it.
struct CatalogItem {
    const char* text;
    int32_t value;
};

// How the operator knows a control-table row: the name it has on its page, the page, and for a
// list its items. The pages, rvctl, rvsim and the tests all read the items from here.
struct CatalogEntry {
    int32_t ctrlId;
    // The name the control has on its page, for screen readers too: the row's label (else the
    // group's title, a button's text), or a name of its own where that alone is ambiguous.
    const char* name;
    const char* page;  // "User A", "User B" or "Factory A"
    // False where the page sends an item's position; each item's value is then its position.
    bool explicitValues;
    std::vector<CatalogItem> items;  // none for numbers and buttons
};

namespace ControlCatalog {

inline constexpr const char* kUserPageA = "User A";
inline constexpr const char* kUserPageB = "User B";
inline constexpr const char* kFactoryPage = "Factory A";

// Every control-table row, in table order.
const std::vector<CatalogEntry>& Entries();

// Nothing (nullptr) when no row has the id.
const CatalogEntry* Find(int32_t ctrlId);
// The row of the command with this mnemonic, in any letter case; nullptr when no row shows it.
const CatalogEntry* FindByMnemonic(std::string_view mnemonic);
// The item whose text matches in any letter case, or the item of the value; nullptr for none.
const CatalogItem* FindItem(const CatalogEntry& entry, std::string_view text);
const CatalogItem* FindItem(const CatalogEntry& entry, int32_t value);

// The row's fixed definition and its command's mnemonic.
const ControlDefinition& Definition(const CatalogEntry& entry);
std::string Mnemonic(const CatalogEntry& entry);

}  // namespace ControlCatalog
