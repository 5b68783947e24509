#pragma once

#include <cstdint>
#include <string>

class ProcessContext;

// The connected camera's model, as it last answered the model query.
class CameraModel {
public:
    static constexpr int32_t kUnsupported = 4;

    explicit CameraModel(ProcessContext& context) : context_(context) {}

    // Asks the camera for its model: true when it answered (supported or not). An answer that is
    // none of the four models is reported to the operator.
    bool CheckModel();

    int32_t Index() const { return index_; }
    const std::string& Text() const { return text_; }
    bool IsSupported() const { return index_ >= 0 && index_ < kUnsupported; }
    bool Is4K() const { return index_ == 0 || index_ == 2; }
    bool Is8K() const { return index_ == 1 || index_ == 3; }

    // "RV-2410M-TCL", "RV-4820M-TCL", "RV-2410M-PTCL", "RV-4820M-PTCL" for 0 to 3.
    static const char* ModelName(int32_t index);

private:
    ProcessContext& context_;
    int32_t index_ = kUnsupported;
    std::string text_;
};
