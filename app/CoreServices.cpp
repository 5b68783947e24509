#include "app/CoreServices.h"

#include "app/ProcessContext.h"
#include "protocol/Command.h"
#include "protocol/CommandEngine.h"

void ProvideCoreServices(ProcessContext& context) {
    context.ProvideAs<CommandEngine, Command>();
}
