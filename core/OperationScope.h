#pragma once

#include <string>
#include <vector>

#include "core/Notifier.h"

class ProcessContext;

// One long operation as the operator sees it: the start-up connection, a settings file load, a
// LUT read or write, Store All, a calibration. While it runs, each message (text and caption)
// is shown once; every repeat of it goes to the message log instead, and when the operation
// ends one closing message counts the repeats:
//   The message "..." came 36 more times; see the message log.
// Messages of one kind (see Notifier::Show), such as the engine's garbled replies, count as one
// and close with: Messages like "..." came 36 more times; see the message log.
// A line that fails at every request then costs the operator one message box, not one per
// request. Questions are always asked.
//
// A flow opens its operation with one line at its top, before its first request, so that the
// closing message comes after everything the flow shows:
//
//     const OperationScope operation(context);
//
// Operations nest: one opened while another runs joins it, and only the outer one closes.
class OperationScope {
public:
    explicit OperationScope(ProcessContext& context);
    ~OperationScope();
    OperationScope(const OperationScope&) = delete;
    OperationScope& operator=(const OperationScope&) = delete;

    // Whether an operation runs now: work of the program's own (a periodic reading) waits then.
    static bool Running(ProcessContext& context);

private:
    friend class Notifier;

    // A message of this operation and how often it came after it was shown.
    struct Shown {
        std::string caption;
        std::string kind;  // its text unless it named a kind
        std::string text;  // as it was shown
        int repeats = 0;
        bool varied = false;  // a repeat of its kind had another text
    };

    // True when the message was shown already in this operation: it is logged and counted
    // instead of being shown again.
    bool HoldBack(const MessageRequest& request, const std::string& kind);
    // The closing message, empty when nothing came twice.
    std::string ClosingText(std::string& caption) const;

    ProcessContext& context_;
    Notifier& notifier_;
    bool outermost_;
    std::vector<Shown> shown_;
};
