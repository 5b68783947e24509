#pragma once

#include <string>

class ProcessContext;

// Tells the operator that a menu item or button does not work in this version yet, instead of
// doing nothing.
void ReportNotAvailable(ProcessContext& context, const std::string& what);
