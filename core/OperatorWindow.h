#pragma once

// A window the operator sees, as the code below the widgets names it: the owner of a progress
// window, for one. rvtool's windows derive from it; code without windows passes none.
class OperatorWindow {
public:
    virtual ~OperatorWindow() = default;
};
