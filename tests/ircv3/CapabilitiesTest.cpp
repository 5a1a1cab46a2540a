// What the client asks for from an offer, and what it keeps of it.
#include <gtest/gtest.h>

#include "session/Capabilities.h"

namespace {

TEST(Capabilities, RequestsTheUnderstoodOfferedOnesOnce)
{
    Capabilities caps;
    caps.Reset();
    EXPECT_TRUE(caps.IsNegotiating());
    caps.AddOffered("account-notify away-notify cap-notify chghost echo-message extended-join "
                    "inspircd.org/poison message-tags multi-prefix sasl=EXTERNAL,PLAIN server-time userhost-in-names");
    EXPECT_EQ(caps.Request(false),
              "account-notify away-notify cap-notify chghost echo-message extended-join "
              "message-tags multi-prefix server-time userhost-in-names");
    EXPECT_EQ(caps.Request(true).substr(caps.Request(true).rfind(' ') + 1), "sasl");
    EXPECT_EQ(caps.OfferedValue("sasl"), "EXTERNAL,PLAIN");
    EXPECT_FALSE(caps.IsOffered("inspircd.org/poison"));

    caps.Acknowledge("multi-prefix server-time unknown");
    EXPECT_TRUE(caps.IsEnabled("multi-prefix"));
    EXPECT_FALSE(caps.IsEnabled("unknown"));
    EXPECT_EQ(caps.Request(false).find("multi-prefix"), std::string::npos);
    caps.Acknowledge("-server-time");
    EXPECT_FALSE(caps.IsEnabled("server-time"));
}

TEST(Capabilities, ABouncersOfferIsTakenWholeAndItsOlderTimeOnlyWithoutTheStandardOne)
{
    // What ZNC 1.8 offers.
    const std::string bouncer = "batch cap-notify server-time echo-message away-notify account-notify extended-join "
                                "multi-prefix userhost-in-names chghost znc.in/self-message znc.in/server-time-iso "
                                "znc.in/batch";
    Capabilities caps;
    caps.Reset();
    caps.AddOffered(bouncer);
    EXPECT_EQ(caps.Request(false),
              "account-notify away-notify batch cap-notify chghost echo-message extended-join "
              "multi-prefix server-time userhost-in-names znc.in/self-message");

    Capabilities older;
    older.Reset();
    older.AddOffered("znc.in/server-time-iso znc.in/self-message");
    EXPECT_EQ(older.Request(false), "znc.in/self-message znc.in/server-time-iso");
}

TEST(Capabilities, NewAndDelChangeTheOfferAndTheEnabledSet)
{
    Capabilities caps;
    caps.Reset();
    caps.AddOffered("echo-message");
    caps.Acknowledge("echo-message");
    caps.Remove("echo-message");
    EXPECT_FALSE(caps.IsEnabled("echo-message"));
    EXPECT_EQ(caps.Request(false), "");
    caps.AddOffered("echo-message");
    EXPECT_EQ(caps.Request(false), "echo-message");
}

TEST(Capabilities, HugeOffersCostOnlyWhatIsUnderstood)
{
    Capabilities caps;
    caps.Reset();
    std::string list;
    for (int i = 0; i < 1000; ++i)
        list += "vendor.example/cap" + std::to_string(i) + "=" + std::string(10, 'v') + " ";
    caps.AddOffered(list + "sasl=" + std::string(10000, 'P') + " " + list);
    EXPECT_EQ(caps.Request(true), "sasl");
    EXPECT_EQ(caps.OfferedValue("sasl").size(), Capabilities::MaxValue);
    for (int i = 0; i < Capabilities::MaxListLines; ++i)
        EXPECT_TRUE(caps.CountListLine());
    EXPECT_FALSE(caps.CountListLine());
}

} // namespace
