#include "tools/rvctl/Subcommands.h"

namespace {

std::vector<Subcommand> AllGroups() {
    std::vector<Subcommand> all;
    for (const auto& group :
         {PortCommands(), IdentityCommands(), ParameterCommands(), WatchCommands(), FileCommands(),
          AreaCommands(), CalibrationCommands(), LutCommands(), TerminalCommands()}) {
        all.insert(all.end(), group.begin(), group.end());
    }
    return all;
}

}  // namespace

const std::vector<Subcommand>& Subcommands() {
    static const std::vector<Subcommand> all = AllGroups();
    return all;
}

const Subcommand* FindSubcommand(const std::string& name) {
    for (const Subcommand& subcommand : Subcommands()) {
        if (name == subcommand.name) {
            return &subcommand;
        }
    }
    return nullptr;
}
