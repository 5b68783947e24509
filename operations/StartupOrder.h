#pragma once

class ProcessContext;

// Creates the window's process-wide objects in the order the program's exit depends on. They
// are destroyed in reverse order of creation, and their exit-time saves follow: the link
// settings, then the control mode, and last of all the store's mark that the run ended
// normally. A link left by a run that did not end normally is not trusted.
void CreateProcessObjectsInOrder(ProcessContext& context);
