#include "transport/NetworkPortName.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace {

using testing::HasSubstr;

TEST(NetworkPortNameTest, SplitsHostNamesAndAddressesOfBothKindsFromThePort) {
    NetworkPortName parsed;
    std::string error;
    ASSERT_TRUE(NetworkPortName::Parse("rfc2217://server.plant:4001", parsed, error));
    EXPECT_EQ(parsed.kind, NetworkPortName::Kind::Rfc2217);
    EXPECT_EQ(parsed.host, "server.plant");
    EXPECT_EQ(parsed.port, 4001);

    ASSERT_TRUE(NetworkPortName::Parse("socket://192.168.1.20:65535", parsed, error));
    EXPECT_EQ(parsed.kind, NetworkPortName::Kind::Raw);
    EXPECT_EQ(parsed.host, "192.168.1.20");
    EXPECT_EQ(parsed.port, 65535);

    ASSERT_TRUE(NetworkPortName::Parse("socket://[fe80::1]:23", parsed, error));
    EXPECT_EQ(parsed.host, "fe80::1");
    EXPECT_EQ(parsed.Server(), "[fe80::1]:23");

    EXPECT_TRUE(NetworkPortName::Is("RFC2217://x:1"));
    EXPECT_FALSE(NetworkPortName::Is("COM3"));
    EXPECT_FALSE(NetworkPortName::Is("/dev/ttyUSB0"));
}

TEST(NetworkPortNameTest, RefusesAMalformedNameSayingWhatIsWrong) {
    const struct {
        const char* name;
        const char* says;
    } cases[] = {
        {"socket://server", "no port after the host"},
        {"socket://server:", "no port after the host"},
        {"rfc2217://:4001", "no host before the port"},
        {"socket://server:0", "the port must be a number from 1 to 65535, not '0'"},
        {"socket://server:65536", "the port must be a number from 1 to 65535, not '65536'"},
        {"socket://server:40x", "the port must be a number from 1 to 65535, not '40x'"},
        {"socket://fe80::1:23", "an IPv6 address goes in brackets"},
        {"socket://[fe80::1:23", "the IPv6 address has no closing ']'"},
        {"socket://[]:23", "no host before the port"},
    };
    for (const auto& malformed : cases) {
        NetworkPortName parsed;
        std::string error;
        EXPECT_FALSE(NetworkPortName::Parse(malformed.name, parsed, error)) << malformed.name;
        EXPECT_THAT(error, HasSubstr(std::string(malformed.name) + ": " + malformed.says));
    }
}

}  // namespace
