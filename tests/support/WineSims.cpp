#include "tests/support/WineSims.h"

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

bool AskWineSims(const std::vector<std::string>& request, int timeoutMs,
                 std::vector<std::string>& answer, std::string& error) {
    const char* folderName = std::getenv("RVTEST_WINE_SIMS");
    if (folderName == nullptr || *folderName == '\0') {
        error = "RVTEST_WINE_SIMS is not set: run the test through scripts/test-windows";
        return false;
    }
    static int counter = 0;
    const std::filesystem::path folder(folderName);
    const std::string id = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    const std::filesystem::path draft = folder / ("draft-" + id);
    const std::filesystem::path reply = folder / ("reply-" + id);
    {
        std::ofstream file(draft, std::ios::binary);
        for (const std::string& word : request) {
            file << word << '\n';
        }
        if (!file.flush()) {
            error = "cannot write " + draft.string();
            return false;
        }
    }
    // Renamed only when complete, so that wine-run never reads half a request.
    std::error_code renameError;
    std::filesystem::rename(draft, folder / ("request-" + id), renameError);
    if (renameError) {
        error = "cannot hand over " + draft.string() + ": " + renameError.message();
        return false;
    }

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!std::filesystem::exists(reply)) {
        if (std::chrono::steady_clock::now() > deadline) {
            error = "no answer from scripts/wine-run to \"" + request.front() + "\"";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::ifstream file(reply, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    file.close();
    std::error_code removeError;
    std::filesystem::remove(reply, removeError);

    std::istringstream words(text);
    std::string status;
    words >> status;
    answer.clear();
    for (std::string word; words >> word;) {
        answer.push_back(word);
    }
    if (status != "ok") {
        error = text;
        return false;
    }
    return true;
}
