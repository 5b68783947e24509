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

// A value as the operator knows it: a list item's text, else the number's digits.
std::string ValueText(const CatalogEntry& entry, int32_t value);
// What the operator may give a row: its range ("100 to 1600") or its items with the values they
// send ("0 Internal, 1 External"); empty for a button.
std::string Choices(const CatalogEntry& entry);
// The hint a page control shows, so that what the window shows maps onto settings files and the
// command line: the mnemonic, then the range or the items, and the unit where the camera has
// one ("GA: 100 to 1600", "TG: 0 Internal, 1 External", "LR: 0 to 2147483647, in units of
// 10 ns"). Also for the page's controls outside the table that show a command (the camera
// model, the XML version digits, the temperature); empty for any other id.
std::string ToolTip(int32_t ctrlId);

}  // namespace ControlCatalog
