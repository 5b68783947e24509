#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/WidgetServices.h"
#include "dialogs/LogView.h"
#include "dialogs/TerminalDialog.h"
#include "tests/dialogs/OpenTerminal.h"
#include "tests/support/ScopedComPort.h"
#include "tests/support/SimProcess.h"
#include "tests/support/SimTranscript.h"
#include "tests/support/TestContext.h"
#include "transport/CameraPort.h"

namespace {

// The terminal on the simulated camera behind COM1: under Wine through the Win32 port driver.
class TerminalCameraTest : public testing::Test {
protected:
    void SetUp() override {
        transcript = test.Folder().File("transcript");
        ASSERT_TRUE(camera.Start({"--no-pacing", "--transcript", transcript}));
        com1 = std::make_unique<ScopedComPort>(1, camera.DevicePath());
        window = std::make_unique<MainWindow>(test.Context());
        ASSERT_NO_FATAL_FAILURE(OpenTerminal(*window, test.Context(), terminal));
    }
    void Type(const QString& line) {
        QLineEdit* edit = terminal->CommandEdit();
        edit->clear();
        QTest::keyClicks(edit, line);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    // Waits until the newest line shown ends with the text.
    bool Shows(const QString& text) {
        LogListModel* model = terminal->Log()->LogModel();
        return QTest::qWaitFor([&] {
            return model->rowCount() > 0 && model->index(0).data().toString().endsWith(text);
        });
    }

    TestContext test{ProvideWidgetServices};
    SimProcess camera;
    std::string transcript;
    std::unique_ptr<ScopedComPort> com1;
    std::unique_ptr<MainWindow> window;
    TerminalDialog* terminal = nullptr;
};

TEST_F(TerminalCameraTest, ATypedSetAndQueryReachTheCameraAndItsAnswerIsShown) {
    Type("GA=400");
    Type("GA?");
    EXPECT_TRUE(Shows("Rx: GA=400"));
    EXPECT_EQ(ReceivedLines(transcript), (std::vector<std::string>{"GA=400", "GA?"}));
}

}  // namespace
