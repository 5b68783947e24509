#pragma once

// The key under HKEY_LOCAL_MACHINE that holds the tool's settings.
constexpr char kRegistrySettingsKey[] = "Software\\Varnel\\RV-2410-TCL Control Tool";
