#include "tests/support/TestContext.h"

#include <cstdlib>
#include <filesystem>

#include "operations/CoreServices.h"

TemporaryFolder::TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "rvtest-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

TestContext::TestContext(std::function<void(ProcessContext&)> prepare)
    : prepare_(std::move(prepare)), settingsPath_(folder_.File("settings.ini")) {
    setenv("RVTOOL_SETTINGS", settingsPath_.c_str(), 1);
    Prepare();
}

TestContext::~TestContext() {
    context_.reset();
    unsetenv("RVTOOL_SETTINGS");
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
