#include "tools/rvctl/Subcommand.h"

std::string Camera::PathFor(const std::string& pattern) const {
    static const std::string kPortField = "{port}";
    std::string path = pattern;
    const std::string port = target.FileNamePart();
    for (std::size_t at = path.find(kPortField); at != std::string::npos;
         at = path.find(kPortField, at + port.size())) {
        path.replace(at, kPortField.size(), port);
    }
    return path;
}
