#include "core/Notifier.h"

#include "core/MessageGathering.h"
#include "core/OperationScope.h"

MessageAnswer Notifier::Show(const MessageRequest& request, const std::string& kind) {
    if (gathering_ != nullptr && request.buttons == MessageButtons::Ok) {
        gathering_->Keep(request);
        return MessageAnswer::Ok;
    }
    if (operation_ != nullptr && operation_->HoldBack(request, kind)) {
        return MessageAnswer::Ok;
    }
    return Present(request);
}
