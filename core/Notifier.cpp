#include "core/Notifier.h"

#include "core/OperationScope.h"

MessageAnswer Notifier::Show(const MessageRequest& request, const std::string& kind) {
    if (operation_ != nullptr && operation_->HoldBack(request, kind)) {
        return MessageAnswer::Ok;
    }
    return Present(request);
}
