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
              "message-tags multi-prefix server-time");
    EXPECT_EQ(caps.Request(true).substr(caps.Request(true).rfind(' ') + 1), "sasl");
    EXPECT_EQ(caps.OfferedValue("sasl"), "EXTERNAL,PLAIN");
    EXPECT_FALSE(caps.IsOffered("userhost-in-names"));

    caps.Acknowledge("multi-prefix server-time unknown");
    EXPECT_TRUE(caps.IsEnabled("multi-prefix"));
    EXPECT_FALSE(caps.IsEnabled("unknown"));
    EXPECT_EQ(caps.Request(false).find("multi-prefix"), std::string::npos);
    caps.Acknowledge("-server-time");
    EXPECT_FALSE(caps.IsEnabled("server-time"));
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
