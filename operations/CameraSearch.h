#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class ProcessContext;

// Looking for a camera on the ports of the link's category: each port is opened in turn and the
// camera asked for its model. The communication dialog's "Auto" and rvctl's detect search so.
namespace CameraSearch {

// The rates tried on each port.
enum class Rates {
    Given,            // only the rate given
    GivenThenSearch,  // the rate given, then 115200, 57600, 38400, 19200 and 9600 bit/s in turn,
                      // as the program's start-up does
    Search,           // only 115200, 57600, 38400, 19200 and 9600 bit/s in turn
};

// Where a camera answered the model query; CameraModel holds what it answered.
struct Found {
    int32_t portIndex = -1;
    int32_t baudRate = 0;
};

// One port the search tried: whether it opened (a port that opened had no camera answering).
struct Attempt {
    int32_t portIndex = -1;
    bool opened = false;
};

// Opens the ports in the order given, each at baudRate first, and stops at the first port where
// a camera answers at one of the rates, or when the operator cancels. A port that does not open
// is passed over (its driver tells the operator why). Without an answer the link stays on the
// last port and rate tried. attempts, when given, is told every port tried; trying, when given,
// each port before it is opened, with the number of ports tried before it.
std::optional<Found> Search(
    ProcessContext& context, const std::vector<int32_t>& portIndices, int32_t baudRate, Rates rates,
    std::vector<Attempt>* attempts = nullptr,
    const std::function<void(int32_t portIndex, std::size_t tried)>& trying = {});

}  // namespace CameraSearch
