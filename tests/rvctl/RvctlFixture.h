#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/rvctl/ToolProcess.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestContext.h"

// rvctl as a user runs it, on simulated cameras bound to COM ports, with settings of its own.
class RvctlFixture : public testing::Test {
protected:
    RvctlFixture() : settings_("RVTOOL_SETTINGS", folder.File("settings.ini")) {}

    // A camera on COM<number> that answers at once; its transcript is kept.
    std::string Camera(int number, std::vector<std::string> options = {}) {
        const std::string transcript = folder.File("camera" + std::to_string(number) + ".txt");
        options.insert(options.end(), {"--no-pacing", "--transcript", transcript});
        cameras_.push_back(std::make_unique<SimProcess>());
        EXPECT_TRUE(cameras_.back()->Start(options));
        bindings_.push_back(std::make_unique<ScopedEnvironment>(
            "RVTOOL_COM" + std::to_string(number), cameras_.back()->DevicePath()));
        return transcript;
    }

    static ToolRun Rvctl(const std::vector<std::string>& args, const std::string& input = "") {
        return RunTool(RVCTL_EXECUTABLE, args, input);
    }

    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::istringstream stream(text);
        for (std::string line; std::getline(stream, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    static std::string Contents(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    TemporaryFolder folder;

private:
    ScopedEnvironment settings_;
    std::vector<std::unique_ptr<SimProcess>> cameras_;
    std::vector<std::unique_ptr<ScopedEnvironment>> bindings_;
};
