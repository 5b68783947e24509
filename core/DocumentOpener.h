#pragma once

#include <memory>
#include <string>

class ProcessContext;

// Opens a document (a help file) with the desktop's viewer for its kind. The default opens
// nothing.
class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    // True when the viewer was started.
    virtual bool Open(const std::string& path) = 0;
    static std::unique_ptr<DocumentOpener> CreateDefault(ProcessContext& context);
};
