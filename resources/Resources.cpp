#include "resources/Resources.h"

#include <QtGlobal>

// Outside any namespace: the macro declares the generated registration function, which lives
// in the global one.
static bool RegisterResources() {
    Q_INIT_RESOURCE(resources);
    return true;
}

void InitialiseResources() {
    static const bool registered = RegisterResources();
    (void)registered;
}
