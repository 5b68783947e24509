#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/SettingsStore.h"
#include "tests/support/TestContext.h"

namespace {

// Read straight from the registry, not through the tool, so that a wrong key shows.
const char kToolKey[] = "Software\\Varnel\\RV-2410-TCL Control Tool";

// Every value under the tool's key: name and registry type.
std::map<std::string, DWORD> StoredTypes() {
    std::map<std::string, DWORD> types;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kToolKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return types;
    }
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameSize = sizeof name;
        DWORD type = 0;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        types[name] = type;
    }
    RegCloseKey(key);
    return types;
}

TEST(RegistrySettings, TheValuesOutliveTheRunUnderTheToolsKeyWithTheirTypes) {
    TestContext test;
    TemporaryFolder cameras;
    TemporaryFolder logs;
    {
        SettingsStore& store = test.Context().Get<SettingsStore>();
        EXPECT_FALSE(store.PreviousShutdownNormal());
        EXPECT_TRUE(store.WriteDword(kCommunicationMode, 1));
        EXPECT_TRUE(store.WriteDword(kBaudrate, 38400));
        EXPECT_TRUE(store.WriteDword(kComPortNo, 15));
        EXPECT_TRUE(store.WriteDword(kCameralink2000DllIndex, 2));
        EXPECT_TRUE(store.WriteDword(kCameralink2001DllIndex, 1));
        EXPECT_TRUE(store.WriteDword(kCameralinkVer11DllIndex, 3));
        EXPECT_TRUE(store.WriteDword(kControlModeValue, 1));
        EXPECT_TRUE(store.WritePath(kCameraFilePath, cameras.Path()));
        EXPECT_TRUE(store.WritePath(kCommandLogFilePath, logs.Path()));
        EXPECT_TRUE(store.WriteText(kComPortName, "COM42"));
        EXPECT_TRUE(store.WriteText(kMainWindowPlace, "10,20,640,480,0"));
        EXPECT_TRUE(store.WriteText(kCommunicationDialogPlace, "700,20,400,300,0"));
        for (int i = 0; i < kRecentFileCount; ++i) {
            EXPECT_TRUE(store.WriteText(kRecentFile1 + i, cameras.File("day.cam")));
        }
    }
    test.Restart();

    SettingsStore& store = test.Context().Get<SettingsStore>();
    EXPECT_TRUE(store.PreviousShutdownNormal());
    const std::map<int, int32_t> numbers = {
        {kCommunicationMode, 1},      {kBaudrate, 38400},           {kComPortNo, 15},
        {kCameralink2000DllIndex, 2}, {kCameralink2001DllIndex, 1}, {kCameralinkVer11DllIndex, 3},
        {kControlModeValue, 1}};
    for (const auto& [index, expected] : numbers) {
        int32_t value = -5;
        EXPECT_TRUE(store.ReadDword(index, value, -5)) << SettingsStore::ValueName(index);
        EXPECT_EQ(value, expected) << SettingsStore::ValueName(index);
    }
    std::string path;
    EXPECT_TRUE(store.ReadPath(kCameraFilePath, path));
    EXPECT_EQ(path, cameras.Path());
    EXPECT_TRUE(store.ReadPath(kCommandLogFilePath, path));
    EXPECT_EQ(path, logs.Path());
    EXPECT_TRUE(store.ReadText(kComPortName, path));
    EXPECT_EQ(path, "COM42");
    EXPECT_TRUE(store.ReadText(kMainWindowPlace, path));
    EXPECT_EQ(path, "10,20,640,480,0");

    std::map<std::string, DWORD> expectedTypes;
    for (int index = 0; index < kSettingCount; ++index) {
        const bool text = index == kCameraFilePath || index == kCommandLogFilePath ||
                          index == kComPortName || index == kMainWindowPlace ||
                          index == kCommunicationDialogPlace ||
                          (index >= kRecentFile1 && index < kRecentFile1 + kRecentFileCount);
        expectedTypes[SettingsStore::ValueName(index)] = text ? REG_SZ : REG_DWORD;
    }
    EXPECT_EQ(StoredTypes(), expectedTypes);
}

// Another tool, or a hand edit, may leave a number as text; it counts by its leading digits.
TEST(RegistrySettings, ANumberStoredAsTextCountsByItsLeadingDigits) {
    TestContext test;
    test.Context().Get<SettingsStore>();  // creates the key
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kToolKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    const char text[] = "12abc";
    ASSERT_EQ(RegSetValueExA(key, "Com Port No", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                             sizeof text),
              ERROR_SUCCESS);
    RegCloseKey(key);

    int32_t value = 0;
    EXPECT_TRUE(test.Context().Get<SettingsStore>().ReadDword(kComPortNo, value, 0));
    EXPECT_EQ(value, 12);
}

}  // namespace
