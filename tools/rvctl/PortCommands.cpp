// ports and detect: where cameras can be, and where they are.
#include <string>
#include <vector>

#include "controls/CameraModel.h"
#include "core/ProcessContext.h"
#include "operations/PortList.h"
#include "tools/rvctl/CameraOutput.h"
#include "tools/rvctl/Subcommands.h"
#include "transport/CameraPort.h"

namespace {

std::string NoOperands(const Options& options, int32_t) {
    return options.operands.empty() ? std::string()
                                    : "no operands are taken: \"" + options.operands[0] + "\"";
}

// Every port of every category, under the name --port takes, with the device it opens or the
// name its library gives it.
ExitStatus RunPorts(Camera& camera) {
    CameraPort& port = camera.context.Get<CameraPort>();
    const int32_t stored = port.GetCategory();
    for (int32_t category = kComCategory; category <= kCameraLinkV11Category; ++category) {
        port.SetCategory(category);
        const std::vector<PortItem> items = PortList::Of(port);
        for (std::size_t i = 0; i < items.size(); ++i) {
            const PortItem& item = items[i];
            const PortTarget target{category, static_cast<int32_t>(i),
                                    category == kComCategory ? item.name : std::string()};
            const std::string where = category == kComCategory ? item.device : item.name;
            Record record(target.Name() + (where.empty() ? "" : "   " + where));
            record.Text("port", target.Name())
                .Number("category", category)
                .Number("index", static_cast<int64_t>(i))
                .Text("name", item.name);
            if (!item.device.empty()) {
                record.Text("device", item.device);
            }
            camera.output.Add(record);
        }
    }
    port.SetCategory(stored);
    return kSuccess;
}

// The search found the camera before this runs: its rate and model.
ExitStatus RunDetect(Camera& camera) {
    const CameraModel& model = camera.context.Get<CameraModel>();
    const int32_t rate = camera.context.Get<CameraPort>().GetBaudRate();
    Record record(std::to_string(rate) + " " + model.Text());
    record.Number("baud", rate).Text("model", model.Text()).Flag("supported", model.IsSupported());
    camera.output.Add(record);
    return kSuccess;
}

}  // namespace

std::vector<Subcommand> PortCommands() {
    return {
        {"ports", "", "every port of every link category, with its device or library",
         "One line per port: the name --port takes (COM1 ... COM16, CLc-i for port i of Camera\n"
         "Link category c) and the device it opens or the name its library gives it. This is\n"
         "what rvctl does without a subcommand.\n",
         Reach::None, Link::Answered, false, NoOperands, RunPorts},
        {"detect", "", "search the ports and rates for cameras: port, rate and model",
         "Tries every port of the link's category (or the ports named) at the rates --baud\n"
         "allows, all at once, and prints the rate and model of each camera that answered, after\n"
         "its port, in the order the ports were named. Without --port or --port-index, ports\n"
         "that do not open or stay silent are passed over quietly (-v shows why) and the exit\n"
         "status is 3 only when no camera answered. With ports named, each one is expected to\n"
         "have a camera: the exit status is 0 when every one has, else 3, and each port without\n"
         "one is named on standard error.\n",
         Reach::EachCamera, Link::Answered, true, NoOperands, RunDetect},
    };
}
