#include "operations/CameraSearch.h"

#include "controls/CameraModel.h"
#include "core/CancelToken.h"
#include "core/ProcessContext.h"
#include "operations/CameraConnection.h"
#include "transport/CameraPort.h"

namespace CameraSearch {

std::optional<Found> Search(ProcessContext& context, const std::vector<int32_t>& portIndices,
                            int32_t baudRate, Rates rates, std::vector<Attempt>* attempts,
                            const std::function<void(int32_t, std::size_t)>& trying) {
    CameraPort& port = context.Get<CameraPort>();
    const CancelToken& cancel = context.Get<CancelToken>();
    std::size_t tried = 0;
    for (const int32_t index : portIndices) {
        if (cancel.Requested()) {
            break;
        }
        if (trying) {
            trying(index, tried++);
        }
        const bool opened = port.Open(port.GetCategory(), baudRate, index);
        if (attempts != nullptr) {
            attempts->push_back({index, opened});
        }
        if (!opened) {
            continue;
        }
        if (rates != Rates::Search && context.Get<CameraModel>().CheckModel()) {
            return Found{index, port.GetBaudRate()};
        }
        if (rates != Rates::Given && CameraConnection::SearchBaudRate(context, nullptr)) {
            return Found{index, port.GetBaudRate()};
        }
    }
    return std::nullopt;
}

}  // namespace CameraSearch
