#pragma once

#include <string>

class ProcessContext;

// Factory functions answer only in factory mode, whichever front end, button or script asks:
// hiding a widget is no lock.
namespace FactoryGate {

// True in factory mode. In user mode the operator is told that what (a function's name, as
// "Store All") is a factory function, and false is returned: the caller sends nothing.
bool Allows(ProcessContext& context, const std::string& what);

// The words of that refusal, for front ends that report it their own way.
std::string RefusalText(const std::string& what);

}  // namespace FactoryGate
