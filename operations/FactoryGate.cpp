#include "operations/FactoryGate.h"

#include "core/ControlMode.h"
#include "core/Notifier.h"
#include "core/ProcessContext.h"

namespace FactoryGate {

std::string RefusalText(const std::string& what) {
    return what + " is a factory function: switch to factory mode first. Nothing was sent.";
}

bool Allows(ProcessContext& context, const std::string& what) {
    if (context.Get<ControlMode>().IsFactory()) {
        return true;
    }
    context.Get<Notifier>().Tell(RefusalText(what), MessageIcon::Warning);
    return false;
}

}  // namespace FactoryGate
