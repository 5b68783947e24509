#pragma once

#include <memory>

class ProcessContext;

// Disables every open dialog before a long camera operation and enables them again after it.
class DialogEnabler {
public:
    virtual ~DialogEnabler() = default;
    virtual void EnableAll(bool enable) = 0;
    static std::unique_ptr<DialogEnabler> CreateDefault(ProcessContext& context);
};
