#pragma once

#include <QPointer>
#include <memory>
#include <string>

#include "app/StatusLineBar.h"
#include "core/StatusLine.h"

class ProcessContext;

// rvtool's status line: shows the texts rvcore gives in the main window's status line bar. It
// keeps the latest of each, since rvcore may report before the window has its bar.
class WindowStatusLine : public StatusLine {
public:
    // Hides the interface's quiet default, which the process context would otherwise use to
    // make this class.
    static std::unique_ptr<WindowStatusLine> CreateDefault(ProcessContext& context);

    // The bar that shows the texts from now on; it shows the latest ones at once.
    void Attach(StatusLineBar* bar);

    void ShowOutcome(const std::string& text) override;
    void ShowLink(const std::string& text) override;
    void ShowStorage(const std::string& text) override;

private:
    QPointer<StatusLineBar> bar_;
    std::string outcome_;
    std::string link_;
    std::string storage_;
};
