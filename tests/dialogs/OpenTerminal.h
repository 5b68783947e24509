#pragma once

#include <gtest/gtest.h>

#include <QTest>

#include "app/MainWindow.h"
#include "core/ProcessContext.h"
#include "dialogs/TerminalDialog.h"
#include "transport/CameraPort.h"

// The main window shown on the context's port, and its terminal opened from it as the operator
// opens it. Call it inside ASSERT_NO_FATAL_FAILURE.
inline void OpenTerminal(MainWindow& window, ProcessContext& context, TerminalDialog*& terminal) {
    window.Initialise();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(context.Get<CameraPort>().Reopen());
    window.ShowTerminal();
    terminal = window.Terminal();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(terminal));
}
