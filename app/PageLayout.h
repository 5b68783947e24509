#pragma once

#include <cstdint>
#include <vector>

// What the parameter pages hold, as data: groups in columns, rows of a label and its controls.
// ParameterPage turns each cell into its widget; nothing here knows a widget.

// The kind of one cell of a row.
enum class CellKind {
    List,          // drop-down list
    SpinEdit,      // numeric edit with its spin
    Edit,          // plain edit
    ReadOnlyEdit,  // an edit that only shows a value
    Button,        // push button
    Text,          // static text: a value shown by the program, or a caption without id
    ReadOnlyText,  // a value the operator reads back, framed like a field
};

struct ListItem {
    const char* text;
    int32_t data;  // the value the item stands for; 0 where the list gives none
};

struct PageCell {
    CellKind kind = CellKind::Text;
    int32_t id = 0;      // 0 for a caption without id
    int32_t spinId = 0;  // the spin of a SpinEdit
    const char* text = "";
    std::vector<ListItem> items;
    // The name screen readers and test robots find the control (or the value it shows) by,
    // where the row's label (or the group's title when the row has none) would not tell it
    // apart.
    const char* name = nullptr;
    int maxLength = 0;  // characters an edit takes; 0 for no limit

    PageCell Named(const char* accessibleName) const {
        PageCell cell = *this;
        cell.name = accessibleName;
        return cell;
    }
};

struct PageRow {
    const char* label = nullptr;  // none for a row without label
    int32_t labelId = 0;
    std::vector<PageCell> cells;
    // In the page but never shown: hidden and disabled, its label too.
    bool hidden = false;
};

struct PageGroup {
    const char* title;  // nullptr: no box around the rows; "" an untitled box
    int column;
    std::vector<PageRow> rows;
};

struct PageLayout {
    int templateId;
    const char* title;
    bool factoryOnly;  // the page gets a tab only in factory mode
    std::vector<PageGroup> groups;
};

// The main window's pages, in page order.
const std::vector<PageLayout>& PageLayouts();
