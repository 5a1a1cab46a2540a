#include <gtest/gtest.h>

#include "session/AddressScope.h"

namespace {

struct ScopeRow
{
    const char *address;
    AddressScope::Kind kind;
};

TEST(AddressScope, ClassifiesIpv4AndIpv6Addresses)
{
    const ScopeRow rows[] = {
        {"8.8.4.4", AddressScope::Public},
        {"193.87.12.5", AddressScope::Public},
        {"172.32.0.1", AddressScope::Public}, // just past the private 172.16/12
        {"127.0.0.1", AddressScope::Loopback},
        {"127.255.0.9", AddressScope::Loopback},
        {"10.1.2.3", AddressScope::Private},
        {"172.16.0.1", AddressScope::Private},
        {"172.31.255.254", AddressScope::Private},
        {"192.168.1.10", AddressScope::Private},
        {"100.64.0.1", AddressScope::Private},
        {"169.254.7.7", AddressScope::LinkLocal},
        {"224.0.0.1", AddressScope::Multicast},
        {"239.255.255.250", AddressScope::Multicast},
        {"255.255.255.255", AddressScope::Broadcast},
        {"0.0.0.0", AddressScope::Reserved},
        {"240.0.0.1", AddressScope::Reserved},
        {"192.0.2.1", AddressScope::Reserved},
        {"203.0.113.5", AddressScope::Reserved},
        {"2a00:1450:4001::1", AddressScope::Public},
        {"::1", AddressScope::Loopback},
        {"::", AddressScope::Reserved},
        {"fd12:3456::1", AddressScope::Private},
        {"fe80::1", AddressScope::LinkLocal},
        {"ff02::1", AddressScope::Multicast},
        {"2001:db8::5", AddressScope::Reserved},
        {"::ffff:192.168.0.1", AddressScope::Private}, // IPv4 in IPv6 counts as IPv4
        {"::ffff:8.8.8.8", AddressScope::Public},
        {"4000::1", AddressScope::Reserved}, // outside what is handed out
        {"not an address", AddressScope::Reserved},
        {"", AddressScope::Reserved},
    };
    for (const ScopeRow &row : rows)
        EXPECT_EQ(AddressScope::Of(row.address), row.kind) << row.address;
}

TEST(AddressScope, WarnsOnlyWhenTheServerIsPublicAndTheTargetIsNot)
{
    // A server in the public network: an offer into a local network is suspicious.
    EXPECT_TRUE(AddressScope::NeedsWarning("192.168.1.10", "193.87.12.5"));
    EXPECT_TRUE(AddressScope::NeedsWarning("127.0.0.1", "193.87.12.5"));
    EXPECT_TRUE(AddressScope::NeedsWarning("fe80::1", "2a00:1450:4001::1"));
    EXPECT_TRUE(AddressScope::NeedsWarning("224.0.0.1", "8.8.4.4"));
    EXPECT_FALSE(AddressScope::NeedsWarning("8.8.4.4", "193.87.12.5"));
    // A server on the local network (or this machine): local peers are expected.
    EXPECT_FALSE(AddressScope::NeedsWarning("192.168.1.10", "192.168.1.1"));
    EXPECT_FALSE(AddressScope::NeedsWarning("127.0.0.1", "127.0.0.1"));
    EXPECT_FALSE(AddressScope::NeedsWarning("10.0.0.2", "::1"));
    // Not connected: nothing to compare with.
    EXPECT_FALSE(AddressScope::NeedsWarning("10.0.0.2", ""));
}

TEST(AddressScope, NamesAddressesWithTheirPort)
{
    EXPECT_EQ(AddressScope::WithPort("203.0.113.5", 5000), "203.0.113.5:5000");
    EXPECT_EQ(AddressScope::WithPort("2001:db8::5", 5000), "[2001:db8::5]:5000");
}

} // namespace
