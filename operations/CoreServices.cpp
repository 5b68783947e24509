#include "operations/CoreServices.h"

#include "core/ProcessContext.h"
#include "protocol/Command.h"
#include "protocol/CommandEngine.h"

void ProvideCoreServices(ProcessContext& context) {
    context.ProvideAs<CommandEngine, Command>();
}
