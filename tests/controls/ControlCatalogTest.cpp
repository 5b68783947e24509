#include <gtest/gtest.h>

#include <set>
#include <string>

#include "controls/ControlCatalog.h"
#include "controls/ControlDefinition.h"
#include "controls/ControlIds.h"

namespace {

using namespace ControlIds;

TEST(ControlCatalogTest, FollowsTheControlTableRowByRowWithItemsExactlyForLists) {
    const std::vector<CatalogEntry>& entries = ControlCatalog::Entries();
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(ControlDefinitions::kRowCount));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ControlDefinition& row = ControlDefinitions::kRows[i];
        SCOPED_TRACE(row.ctrlId);
        EXPECT_EQ(entries[i].ctrlId, row.ctrlId);
        EXPECT_EQ(&ControlCatalog::Definition(entries[i]), &row);
        if (row.paramClass != kActionParam) {
            EXPECT_EQ(std::string(entries[i].page) == ControlCatalog::kFactoryPage,
                      row.paramClass == kFactoryParam);
        }
        EXPECT_EQ(row.kind == kListControl, !entries[i].items.empty());
        std::set<std::string> texts;
        std::set<int32_t> values;
        for (const CatalogItem& item : entries[i].items) {
            EXPECT_TRUE(texts.insert(item.text).second) << item.text;
            EXPECT_TRUE(values.insert(item.value).second) << item.text;
        }
    }
}

TEST(ControlCatalogTest, FindsRowsByMnemonicAndItemsByTextOrValueInAnyLetterCase) {
    const CatalogEntry* binning = ControlCatalog::FindByMnemonic("hb");
    ASSERT_NE(binning, nullptr);
    EXPECT_EQ(binning->ctrlId, kBinningH);
    EXPECT_EQ(ControlCatalog::Mnemonic(*binning), "HB");
    const CatalogItem* on = ControlCatalog::FindItem(*binning, "BINNING on");
    ASSERT_NE(on, nullptr);
    EXPECT_EQ(on->value, 2) << "the page's own value, not the position";
    EXPECT_EQ(ControlCatalog::FindItem(*binning, 2), on);
    EXPECT_EQ(ControlCatalog::FindItem(*binning, 0), nullptr);
    EXPECT_EQ(ControlCatalog::FindItem(*binning, "Binning"), nullptr);

    EXPECT_EQ(ControlCatalog::FindByMnemonic("GA4A00")->ctrlId, kFactoryGain4KA);
    EXPECT_EQ(ControlCatalog::FindByMnemonic("ST"), nullptr) << "a command no control shows";
    EXPECT_EQ(ControlCatalog::FindByMnemonic("GAX"), nullptr);
    EXPECT_EQ(ControlCatalog::FindByMnemonic(""), nullptr);
    EXPECT_EQ(ControlCatalog::Find(kCameraModelList), nullptr) << "not a control-table row";
}

TEST(ControlCatalogTest, ToolTipsNameTheMnemonicWithTheRangeOrTheItemsAndTheUnit) {
    EXPECT_EQ(ControlCatalog::ToolTip(kGainLevel), "GA: 100 to 1600");
    EXPECT_EQ(ControlCatalog::ToolTip(kBlackLevel), "BL: -133 to 255");
    EXPECT_EQ(ControlCatalog::ToolTip(kTriggerOrigin), "TG: 0 Internal, 1 External");
    // Items that send values of their own name those values.
    EXPECT_EQ(ControlCatalog::ToolTip(kPixelGainMode), "PGC: 1 Factory Area, 2 User Area");
    EXPECT_EQ(ControlCatalog::ToolTip(kLineRate), "LR: 0 to 2147483647, in units of 10 ns");
    EXPECT_EQ(ControlCatalog::ToolTip(kOnePush), "AR");
    EXPECT_EQ(ControlCatalog::ToolTip(kTemperatureText), "TMP0: temperature in C");
    EXPECT_EQ(ControlCatalog::ToolTip(kCameraModelList),
              "MD00: RV-2410M-TCL, RV-4820M-TCL, RV-2410M-PTCL, RV-4820M-PTCL");
    EXPECT_EQ(ControlCatalog::ToolTip(kTerminal), "");
}

}  // namespace
