#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <string>

#include "tests/support/TestContext.h"
#include "tools/rvsim/StateFile.h"

namespace {

int CountFiles(const std::string& folder) {
    int count = 0;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            count += entry->d_name[0] != '.';
        }
        closedir(dir);
    }
    return count;
}

CameraMemory UsedCamera() {
    CameraMemory memory = CameraMemory::FactoryNew("RV-4820M-PTCL", 1);
    memory.areas[2].values[CommandTable::IdOf("GA")] = 1234;
    memory.areas[2].values[CommandTable::IdOf("CBDRT")] = 16;
    memory.areas[3].values[CommandTable::IdOf("BL")] = -133;
    memory.areas[1].lut[17] = 4000;
    memory.bootArea = 1;
    memory.cameraId = "CAM 01";
    memory.userId = "back\\slash=\xe9";
    memory.deviceVersion = "2.0.0.1";
    memory.xmlVersion = 321;
    return memory;
}

TEST(StateFile, EverythingInFlashSurvivesARoundTrip) {
    TemporaryFolder folder;
    const std::string path = folder.File("state");
    const CameraMemory memory = UsedCamera();
    std::string error;
    ASSERT_TRUE(StateFile::Save(path, memory, error)) << error;

    CameraMemory loaded = CameraMemory::FactoryNew("RV-2410M-TCL", 1);
    ASSERT_EQ(StateFile::Load(path, loaded, error), StateLoad::kLoaded) << error;
    EXPECT_EQ(loaded.areas, memory.areas);
    EXPECT_EQ(loaded.bootArea, 1);
    EXPECT_EQ(loaded.model, "RV-4820M-PTCL");
    EXPECT_EQ(loaded.cameraId, "CAM 01");
    EXPECT_EQ(loaded.userId, "back\\slash=\xe9");
    EXPECT_EQ(loaded.deviceVersion, "2.0.0.1");
    EXPECT_EQ(loaded.xmlVersion, 321);
}

TEST(StateFile, MissingFileLeavesTheCameraFactoryNew) {
    TemporaryFolder folder;
    CameraMemory memory = CameraMemory::FactoryNew("RV-2410M-TCL", 1);
    std::string error;
    EXPECT_EQ(StateFile::Load(folder.File("none"), memory, error), StateLoad::kMissing);
    EXPECT_EQ(memory.model, "RV-2410M-TCL");
}

TEST(StateFile, MalformedLineIsNamedAndNothingIsTaken) {
    TemporaryFolder folder;
    const std::string path = folder.File("state");
    std::ofstream(path) << "model=Edited\narea1.GA=5000\n";
    CameraMemory memory = CameraMemory::FactoryNew("RV-2410M-TCL", 1);
    std::string error;
    EXPECT_EQ(StateFile::Load(path, memory, error), StateLoad::kFailed);
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    EXPECT_EQ(memory.model, "RV-2410M-TCL");

    std::ofstream(path) << "area1.LUT=1 2 3\n";
    EXPECT_EQ(StateFile::Load(path, memory, error), StateLoad::kFailed);
    std::ofstream(path) << "area7.GA=100\n";
    EXPECT_EQ(StateFile::Load(path, memory, error), StateLoad::kFailed);
    std::ofstream(path) << "colour=blue\n";
    EXPECT_EQ(StateFile::Load(path, memory, error), StateLoad::kFailed);
}

TEST(StateFile, SaveReplacesTheWholeFileAndLeavesNoTemporaryBehind) {
    TemporaryFolder folder;
    const std::string path = folder.File("state");
    std::ofstream(path) << std::string(100000, 'z') << '\n';
    std::string error;
    ASSERT_TRUE(StateFile::Save(path, UsedCamera(), error)) << error;
    CameraMemory loaded = CameraMemory::FactoryNew("RV-2410M-TCL", 1);
    EXPECT_EQ(StateFile::Load(path, loaded, error), StateLoad::kLoaded) << error;
    EXPECT_EQ(CountFiles(folder.Path()), 1);
}

TEST(StateFile, SaveIntoAFolderThatIsNotThereFailsWithAMessage) {
    TemporaryFolder folder;
    std::string error;
    EXPECT_FALSE(StateFile::Save(folder.File("gone/state"), UsedCamera(), error));
    EXPECT_NE(error.find("gone/state"), std::string::npos) << error;
    EXPECT_EQ(CountFiles(folder.Path()), 0);
}

}  // namespace
