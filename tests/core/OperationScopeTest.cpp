#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Notifier.h"
#include "core/OperationScope.h"
#include "tests/support/RecordingServices.h"
#include "tests/support/TestContext.h"

namespace {

using Lines = std::vector<std::string>;

TEST(OperationScope, AnOperationShowsEachMessageOnceAsksEveryQuestionAndClosesOnceWhenOutermost) {
    TestContext test;
    RecordingServices services(test.Context());
    Notifier& notifier = test.Context().Get<Notifier>();
    {
        const OperationScope operation(test.Context());
        notifier.Warn("No answer", "Communication Error");
        notifier.Warn("No answer");  // another caption: another message
        {
            const OperationScope inner(test.Context());  // joins the running operation
            notifier.Warn("No answer", "Communication Error");
            EXPECT_TRUE(notifier.AskYesNo("Go on?", "Question"));
            EXPECT_TRUE(notifier.AskYesNo("Go on?", "Question"));
        }
        notifier.Warn("No answer\nat all");
        notifier.Warn("No answer", "Communication Error");
        notifier.Warn("No answer");
    }
    notifier.Warn("No answer");  // after the operation: shown again
    EXPECT_EQ(test.Notifier().Texts(),
              (Lines{"No answer", "No answer", "Go on?", "Go on?", "No answer\nat all",
                     "The message \"No answer\" came 2 more times; see the message log.\n"
                     "The message \"No answer\" came 1 more time; see the message log.",
                     "No answer"}));
    EXPECT_EQ(test.Notifier().Messages()[5].caption, kApplicationCaption)
        << "the closing message of repeats under several captions";
    EXPECT_EQ(services.messageLog.lines,
              (Lines{"Communication Error: No answer", "Communication Error: No answer",
                     std::string(kApplicationCaption) + ": No answer"}));
}

// Replies garbled into other bytes each time are one message, under the kind that names them.
TEST(OperationScope, MessagesOfOneKindCountAsOneWhateverTheirTexts) {
    TestContext test;
    RecordingServices services(test.Context());
    Notifier& notifier = test.Context().Get<Notifier>();
    {
        const OperationScope operation(test.Context());
        for (const char* reply : {"x#1", "%%", "x#1", "\x7f"}) {
            notifier.Show({reply, "Communication Error", MessageIcon::Warning, MessageButtons::Ok},
                          "unexpected line");
        }
    }
    ASSERT_EQ(test.Notifier().Texts(),
              (Lines{"x#1", "Messages like \"x#1\" came 3 more times; see the message log."}));
    EXPECT_EQ(test.Notifier().Messages()[1].caption, "Communication Error");
    EXPECT_EQ(services.messageLog.lines.size(), 3u);
}

}  // namespace
