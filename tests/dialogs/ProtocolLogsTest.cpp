#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/ProcessContext.h"
#include "core/SettingsStore.h"
#include "operations/LogFileSaving.h"
#include "operations/MessageLog.h"
#include "operations/ProtocolLogs.h"
#include "operations/TerminalLog.h"
#include "tests/support/TestContext.h"

#ifndef _WIN32
#include <sys/stat.h>

#include "tests/support/OrdinaryUser.h"
#endif

namespace {

std::vector<std::string> FileLines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The text of a log line after its time stamp ("12:34:05.007  " or "12:34:05:007  ").
std::string AfterStamp(const std::string& line) {
    return line.size() >= 14 ? line.substr(14) : std::string();
}

std::vector<std::string> AfterStamps(const std::vector<std::string>& lines) {
    std::vector<std::string> texts;
    for (const std::string& line : lines) {
        texts.push_back(AfterStamp(line));
    }
    return texts;
}

class ProtocolLogsTest : public testing::Test {
protected:
    ProtocolLogsTest() { ProvideProtocolLogs(test.Context()); }
    MessageLog& Messages() { return test.Context().Get<MessageLog>(); }
    TerminalLog& Terminal() { return test.Context().Get<TerminalLog>(); }

    TestContext test;
    ScriptedFileChooser& chooser = test.Files();
};

TEST_F(ProtocolLogsTest, EachLogKeepsItsNewestLinesFirstAndDropsTheOldestBeyondItsCap) {
    for (int i = 1; i <= 4097; ++i) {
        test.Context().Get<MessageLogSink>().Add(std::to_string(i));
    }
    const LineLog& messages = Messages().Lines();
    ASSERT_EQ(messages.Size(), 4096u);
    EXPECT_EQ(AfterStamp(messages.Line(0)), "4097");
    EXPECT_EQ(AfterStamp(messages.Line(4095)), "2");

    for (int i = 1; i <= 32787; ++i) {
        test.Context().Get<TerminalLogSink>().AddLine("Rx: " + std::to_string(i));
    }
    const LineLog& terminal = Terminal().Lines();
    ASSERT_EQ(terminal.Size(), 32786u) << "the terminal keeps 32786 lines, not 32768";
    EXPECT_EQ(AfterStamp(terminal.Line(0)), "Rx: 32787");
    EXPECT_EQ(AfterStamp(terminal.Line(32785)), "Rx: 2");
}

// A trace read beside other logs is matched to them by the hour too.
TEST_F(ProtocolLogsTest, BothLogsStampTheirLinesWithTheUtcHour) {
    // 2021-03-04 12:34:05.007 UTC
    const std::chrono::system_clock::time_point time{std::chrono::milliseconds(1614861245007)};
    EXPECT_EQ(TerminalLog::TimeStamp(time), "12:34:05:007  ");
    EXPECT_EQ(MessageLog::TimeStamp(time), "12:34:05.007  ");
    // Just before midnight.
    const std::chrono::system_clock::time_point late{std::chrono::milliseconds(1614902399999)};
    EXPECT_EQ(TerminalLog::TimeStamp(late), "23:59:59:999  ");

    const auto before = std::chrono::system_clock::now();
    Messages().Add("GA=400");
    const auto after = std::chrono::system_clock::now();
    const std::string line = Messages().Lines().Line(0);
    EXPECT_TRUE(line == MessageLog::TimeStamp(before) + "GA=400" ||
                line == MessageLog::TimeStamp(after) + "GA=400")
        << line;
}

TEST_F(ProtocolLogsTest, TheMessageLogIsSavedOldestFirstAndTheTerminalNewestFirst) {
    for (const char* line : {"A", "B", "C"}) {
        Messages().Add(line);
        Terminal().AddLine(line);
    }
    const std::string messageFile = test.Folder().File("messages.txt");
    chooser.QueueAnswer(messageFile);
    LogFileSaving::SaveMessageLog(test.Context(), nullptr);
    const std::vector<std::string> messageLines = FileLines(messageFile);
    EXPECT_EQ(AfterStamps(messageLines), (std::vector<std::string>{"A", "B", "C"}));
    ASSERT_EQ(messageLines.size(), 3u);
    EXPECT_EQ(messageLines[0], Messages().Lines().Line(3)) << "each line as the list shows it";
    EXPECT_EQ(AfterStamp(Messages().Lines().Line(0)), "Writing file has been done!");

    const std::string terminalFile = test.Folder().File("terminal.csv");
    chooser.QueueAnswer(terminalFile);
    LogFileSaving::SaveTerminalLog(test.Context(), nullptr);
    const std::vector<std::string> saved = FileLines(terminalFile);
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ(saved[0], Terminal().Lines().Line(1)) << "each line as the list shows it";
    EXPECT_EQ(AfterStamp(saved[0]), "C");
    EXPECT_EQ(AfterStamp(saved[1]), "B");
    EXPECT_EQ(AfterStamp(saved[2]), "A");
    EXPECT_EQ(AfterStamp(Terminal().Lines().Line(0)), "Writing file has been done !");

    // The second dialog proposes the folder the first file was saved in.
    ASSERT_EQ(chooser.Requests().size(), 2u);
    EXPECT_EQ(chooser.Requests()[0].fileName, "*.txt");
    EXPECT_EQ(chooser.Requests()[1].fileName, "*.csv");
    EXPECT_EQ(chooser.Requests()[1].folder, test.Folder().Path());
    EXPECT_TRUE(test.Notifier().Messages().empty());
}

#ifndef _WIN32  // a folder that refuses its owner needs POSIX modes
TEST_F(ProtocolLogsTest, ASaveThatCannotBeWrittenSaysSoAndLeavesTheOldFileAsItWas) {
    const std::string folder = test.Folder().File("locked");
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    const std::string path = folder + "/log.txt";
    std::ofstream(path) << "old contents\n";
    chmod(path.c_str(), 0666);
    chmod(test.Folder().Path().c_str(), 0755);
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    Messages().Add("new line");
    test.Context().Get<SettingsStore>();  // made while the test may still write its file

    chooser.QueueAnswer(path);
    {
        OrdinaryUser user;
        if (user.Failed()) {
            GTEST_SKIP() << "cannot take an ordinary user's rights here";
        }
        LogFileSaving::SaveMessageLog(test.Context(), nullptr);
    }
    chmod(folder.c_str(), 0755);

    EXPECT_EQ(FileLines(path), (std::vector<std::string>{"old contents"}));
    const std::vector<std::string> texts = test.Notifier().Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], path + "\nThis file already exists.\nReplace existing file?");
    EXPECT_EQ(texts[1], "File open error !");
    EXPECT_EQ(test.Notifier().Messages()[1].icon, MessageIcon::Error);
    EXPECT_EQ(AfterStamp(Messages().Lines().Line(0)), "new line") << "no line says it was written";
}
#endif

}  // namespace
