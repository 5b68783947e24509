#include "operations/NotAvailable.h"

#include "core/Notifier.h"
#include "core/ProcessContext.h"

void ReportNotAvailable(ProcessContext& context, const std::string& what) {
    context.Get<Notifier>().Show({"\"" + what + "\" is not available in this version yet.",
                                  kApplicationCaption, MessageIcon::Information,
                                  MessageButtons::Ok});
}
