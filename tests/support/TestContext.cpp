#include "tests/support/TestContext.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "operations/CoreServices.h"
#include "tests/support/ScopedEnvironment.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/RegistrySettingsKey.h"
#endif

namespace {

// Every test starts on a first run: no stored settings. On Windows they are in the machine's
// registry, so the tests run only where that registry is theirs (a private Wine prefix).
void ForgetStoredSettings() {
#ifdef _WIN32
    if (std::getenv("RVTEST_PRIVATE_REGISTRY") == nullptr) {
        std::fprintf(stderr,
                     "These tests replace the tool's settings in the registry. Run them "
                     "in a private Wine prefix (scripts/test-windows), which sets "
                     "RVTEST_PRIVATE_REGISTRY.\n");
        std::abort();
    }
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kRegistrySettingsKey);
#endif
}

}  // namespace

TemporaryFolder::TemporaryFolder() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate = base / ("rvtest-" + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            path_ = candidate.generic_string();
            return;
        }
    }
    std::abort();
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

TestContext::TestContext(std::function<void(ProcessContext&)> prepare)
    : prepare_(std::move(prepare)), settingsPath_(folder_.File("settings.ini")) {
    SetEnvironment("RVTOOL_SETTINGS", settingsPath_);
    ForgetStoredSettings();
    Prepare();
}

TestContext::~TestContext() {
    context_.reset();
    UnsetEnvironment("RVTOOL_SETTINGS");
    ForgetStoredSettings();
}

void TestContext::Prepare() {
    context_ = std::make_unique<ProcessContext>();
    ProvideCoreServices(*context_);
    if (prepare_) {
        prepare_(*context_);
    }
    context_->ProvideExternal<::Notifier>(notifier_);
    context_->ProvideExternal<FileChooser>(files_);
}

void TestContext::Restart() {
    context_.reset();
    Prepare();
}
