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

const char* PresenceWord(PortPresence presence) {
    switch (presence) {
        case PortPresence::Absent:
            return "absent";
        case PortPresence::Network:
            return "network";
        default:
            return "present";
    }
}

// A COM-category port: the list's label, then the stable name a USB adapter also goes by.
Record ComPortRecord(const PortItem& item) {
    const SerialDeviceInfo none;
    const SerialDeviceInfo& hardware = item.hardware ? *item.hardware : none;
    const bool byIdTold = !hardware.byId.empty() && hardware.byId != item.name;
    Record record(item.Label() + (byIdTold ? "   " + hardware.byId : ""));
    record.Text("port", item.name).Text("presence", PresenceWord(item.presence));
    const std::pair<const char*, const std::string*> fields[] = {
        {"device", &item.device},           {"description", &hardware.description},
        {"maker", &hardware.maker},         {"product", &hardware.product},
        {"serial", &hardware.serialNumber}, {"byId", &hardware.byId},
        {"byPath", &hardware.byPath}};
    for (const auto& [key, value] : fields) {
        if (!value->empty()) {
            record.Text(key, *value);
        }
    }
    return record;
}

// Every port of every category, under the name --port takes, with the device it opens and
// whether it is there, or the name its library gives it.
ExitStatus RunPorts(Camera& camera) {
    CameraPort& port = camera.context.Get<CameraPort>();
    const int32_t stored = port.GetCategory();
    for (int32_t category = kComCategory; category <= kCameraLinkV11Category; ++category) {
        port.SetCategory(category);
        const std::vector<PortItem> items = PortList::Of(port);
        for (std::size_t i = 0; i < items.size(); ++i) {
            const PortItem& item = items[i];
            const PortTarget target{category, static_cast<int32_t>(i), std::string()};
            Record record =
                category == kComCategory
                    ? ComPortRecord(item)
                    : Record(target.Name() + "   " + item.name).Text("port", target.Name());
            record.Number("category", category)
                .Number("index", static_cast<int64_t>(i))
                .Text("name", item.name);
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
         "One line per port: the name --port takes and what it is. COM1 ... COM16 with the\n"
         "device each opens, then the serial devices present that none of them opens, then the\n"
         "names used before (a path, rfc2217://HOST:PORT). A device that is there shows what\n"
         "the system tells of it (a USB adapter's maker, product, serial number and its\n"
         "/dev/serial/by-id name); one that is missing is marked \"(absent)\". Camera Link\n"
         "ports follow as CLc-i (port i of category c) with the name their library gives them.\n"
         "This is what rvctl does without a subcommand.\n",
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
