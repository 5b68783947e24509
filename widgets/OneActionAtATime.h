#pragma once

#include <QScopedValueRollback>
#include <QtGlobal>
#include <exception>

// Runs one operator action of a window at a time. An action that arrives while one runs (Qt
// reports an edit losing the focus to a message box, say) is no action of the operator's and
// is dropped; and no exception ever leaves a slot, so one failed action cannot end the program.
// True when the action ran.
template <class Action>
bool RunOneActionAtATime(bool& running, Action&& action) {
    if (running) {
        return false;
    }
    const QScopedValueRollback<bool> guard(running, true);
    try {
        action();
    } catch (const std::exception& error) {
        qWarning("rvtool: %s", error.what());
    } catch (...) {
        qWarning("rvtool: an action failed");
    }
    return true;
}
