#pragma once

#include "core/Notifier.h"

// Shows operator messages as modal message boxes over the active window.
class MessageBoxNotifier : public Notifier {
private:
    MessageAnswer Present(const MessageRequest& request) override;
};
