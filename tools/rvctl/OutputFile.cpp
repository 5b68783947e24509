#include "tools/rvctl/OutputFile.h"

#include "tools/rvctl/CameraOutput.h"
#include "tools/rvctl/Options.h"
#include "tools/rvctl/Subcommand.h"

namespace OutputFile {

namespace {

const char kStandardOutput[] = "-";

}  // namespace

std::string CheckPattern(const std::optional<std::string>& pattern, const Options& options) {
    const std::size_t cameras = std::max(options.ports.size(), options.portIndices.size());
    if (pattern && pattern->empty()) {
        return "-o needs a file name";
    }
    if (pattern && *pattern != kStandardOutput && cameras > 1 &&
        pattern->find("{port}") == std::string::npos) {
        return "with several cameras, -o needs {port} in the file name, so that each camera "
               "writes a file of its own (-o backup/{port}.cam)";
    }
    return std::string();
}

std::optional<std::string> PathFor(const Camera& camera,
                                   const std::optional<std::string>& pattern) {
    if (!pattern || *pattern == kStandardOutput) {
        return std::nullopt;
    }
    return camera.PathFor(*pattern);
}

void WriteToOutput(Camera& camera, const std::string& text) {
    // The output adds the line break that ends the text.
    const bool endsInLineBreak = !text.empty() && text.back() == '\n';
    camera.output.Add(
        Record(endsInLineBreak ? text.substr(0, text.size() - 1) : text).Text("text", text));
}

}  // namespace OutputFile
