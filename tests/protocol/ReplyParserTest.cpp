#include <gtest/gtest.h>

#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/LineReceiver.h"
#include "protocol/ReplyParser.h"

namespace {

TEST(ParseReply, IntegerRepliesInDecimalAndHexadecimal) {
    ParsedReply reply = ParseReply("GA=400\r\n");
    EXPECT_FALSE(reply.error);
    EXPECT_EQ(reply.mnemonic, "GA");
    EXPECT_EQ(reply.separator, "=");
    EXPECT_EQ(reply.valueCount, 1);
    EXPECT_EQ(reply.commandId, CommandTable::IdOf("GA"));
    EXPECT_EQ(reply.value.integer, 400);

    EXPECT_EQ(ParseReply("GA=&h1a").value.integer, 26);  // upper-casing makes the prefix &H
    EXPECT_EQ(ParseReply("BL=&HFF").value.integer, 255);
    EXPECT_EQ(ParseReply("BL=&H").value.integer, 0);
    EXPECT_EQ(ParseReply("BL=-5").value.integer, -5);
    EXPECT_EQ(ParseReply("BL=12abc").value.integer, 12);
    EXPECT_EQ(ParseReply("BL=abc").value.integer, 0);
    EXPECT_EQ(ParseReply("PE=99999999999").value.integer, 2147483647);  // clamped, not wrapped
}

TEST(ParseReply, BlanksAnywhereAreRemovedAndCaseIsIgnored) {
    ParsedReply reply = ParseReply(" g a = 4 0 0 \r");
    EXPECT_FALSE(reply.error);
    EXPECT_EQ(reply.rawLine, "ga=400");
    EXPECT_EQ(reply.mnemonic, "GA");
    EXPECT_EQ(reply.value.integer, 400);
}

TEST(ParseReply, EchoedQueryHasNoValue) {
    ParsedReply reply = ParseReply("GA?");
    EXPECT_FALSE(reply.error);
    EXPECT_EQ(reply.separator, "?");
    EXPECT_EQ(reply.valueCount, 0);
    EXPECT_EQ(reply.value.integer, 0);

    reply = ParseReply("GA?12");
    EXPECT_EQ(reply.valueCount, 1);
    EXPECT_EQ(reply.value.integer, 12);
}

TEST(ParseReply, PairRepliesCarryTwoValues) {
    ParsedReply reply = ParseReply("BL=12,34");
    EXPECT_FALSE(reply.error);
    EXPECT_EQ(reply.valueCount, 2);
    EXPECT_EQ(reply.firstValue, "12");
    EXPECT_EQ(reply.secondValue, "34");
    EXPECT_EQ(reply.pairIndex, 12);
    EXPECT_EQ(reply.value.integer, 12);
}

TEST(ParseReply, TextRepliesAreUpperCasedWithoutBlanks) {
    ParsedReply reply = ParseReply("ID=Cam 01");
    EXPECT_FALSE(reply.error);
    EXPECT_EQ(reply.value.kind, kTextValue);
    EXPECT_EQ(reply.value.text, "CAM01");
    EXPECT_EQ(ParseReply("MD=rv-2410m-tcl").value.text, "RV-2410M-TCL");
    EXPECT_EQ(ParseReply("DV=1.0.2.7").value.text, "1.0.2.7");
}

TEST(ParseReply, LinesThatDoNotParseAreErrors) {
    EXPECT_TRUE(ParseReply("COMPLETE").error);
    EXPECT_TRUE(ParseReply("").error);
    ParsedReply unknown = ParseReply("XY=1");
    EXPECT_TRUE(unknown.error);
    EXPECT_EQ(unknown.commandId, -1);
    EXPECT_EQ(unknown.mnemonic, "XY");
    EXPECT_TRUE(ParseReply("SA0=1").error);
    EXPECT_EQ(ParseReply("SA00=1").commandId, CommandTable::IdOf("SA00"));  // never SA
    EXPECT_EQ(ParseReply("st=1").commandId, 1);
}

TEST(LineReceiver, SplitsLinesAndDropsOnlyACarriageReturnBeforeTheLineFeed) {
    LineReceiver receiver;
    std::string line;
    auto feed = [&](const std::string& bytes) {
        LineReceiver::Result result = LineReceiver::Result::Pending;
        for (char c : bytes) {
            result = receiver.Feed(c, line);
        }
        return result;
    };
    EXPECT_EQ(feed("GA=400\r\n"), LineReceiver::Result::Line);
    EXPECT_EQ(line, "GA=400");
    EXPECT_EQ(feed("GA=401\n"), LineReceiver::Result::Line);
    EXPECT_EQ(line, "GA=401");  // LF alone keeps the last character
    EXPECT_EQ(feed("\n"), LineReceiver::Result::Line);
    EXPECT_EQ(line, "");
    EXPECT_EQ(feed(std::string("AB\0CD\r\n", 7)), LineReceiver::Result::Line);
    EXPECT_EQ(line, "AB");
    std::string longLine(40, 'x');
    EXPECT_EQ(feed(longLine + "\r\n"), LineReceiver::Result::Line);
    EXPECT_EQ(line, longLine);  // long lines arrive whole
}

TEST(LineReceiver, ThousandTwentyFourBytesWithoutLineEndOverflow) {
    LineReceiver receiver;
    std::string line;
    for (int i = 0; i < LineReceiver::kBufferSize - 1; ++i) {
        ASSERT_EQ(receiver.Feed('x', line), LineReceiver::Result::Pending);
    }
    EXPECT_EQ(receiver.Feed('x', line), LineReceiver::Result::Overflow);
    EXPECT_EQ(receiver.WritePosition(), 0);
    EXPECT_EQ(receiver.Feed('\n', line), LineReceiver::Result::Line);
    EXPECT_EQ(line, "");  // the partial line is gone
}

TEST(BuildRequest, FormatsByTheCommandsKind) {
    CommandValue value;
    value.integer = -133;
    EXPECT_EQ(Command::BuildSetRequest(CommandTable::IdOf("BL"), value, kIntegerValue),
              "BL=-133\r\n");
    // A set of a text command with only an integer carries nothing after "=".
    EXPECT_EQ(Command::BuildSetRequest(CommandTable::IdOf("UD"), value, kTextValue), "UD=\r\n");
    value.text = "Line 7, 50% \"x\"";
    EXPECT_EQ(Command::BuildSetRequest(CommandTable::IdOf("UD"), value, kTextValue),
              "UD=Line 7, 50% \"x\"\r\n");
    EXPECT_EQ(Command::BuildQueryRequest(CommandTable::IdOf("GA")), "GA?\r\n");
    EXPECT_EQ(Command::GetMnemonic(89), "PBC00");
    EXPECT_EQ(Command::GetMnemonic(90), "");
}

}  // namespace
