#pragma once

#include "core/DocumentOpener.h"

// Opens documents with the desktop's viewer for their kind.
class DesktopDocumentOpener : public DocumentOpener {
public:
    bool Open(const std::string& path) override;
};
