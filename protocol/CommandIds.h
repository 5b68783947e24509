#pragma once

#include "protocol/CommandTable.h"

// Ids of the commands that operations send by name, resolved from the table at compile time.
namespace CommandIds {

constexpr int Of(std::string_view mnemonic) {
    return CommandTable::IdOf(mnemonic);
}

inline constexpr int kMD = Of("MD");
inline constexpr int kEA = Of("EA");
inline constexpr int kCBDRT = Of("CBDRT");
inline constexpr int kSS = Of("SS");
inline constexpr int kAR = Of("AR");
inline constexpr int kARMIN = Of("ARMIN");
inline constexpr int kPEMAX = Of("PEMAX");
inline constexpr int kPEMIN = Of("PEMIN");
inline constexpr int kTMP0 = Of("TMP0");
inline constexpr int kLUTI = Of("LUTI");
inline constexpr int kLUTD = Of("LUTD");
inline constexpr int kSA00 = Of("SA00");
inline constexpr int kSA = Of("SA");
inline constexpr int kLD = Of("LD");
inline constexpr int kMD00 = Of("MD00");
inline constexpr int kXMLVR = Of("XMLVR");
inline constexpr int kCRS00 = Of("CRS00");
inline constexpr int kVN = Of("VN");
inline constexpr int kPV = Of("PV");
inline constexpr int kID = Of("ID");
inline constexpr int kUD = Of("UD");
inline constexpr int kDV = Of("DV");
inline constexpr int kDV00 = Of("DV00");
inline constexpr int kULCK = Of("ULCK");
inline constexpr int kID00 = Of("ID00");

static_assert(kMD == 8 && kEA == 65, "command table and its named ids disagree");

}  // namespace CommandIds
