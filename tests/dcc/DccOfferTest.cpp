#include <gtest/gtest.h>

#include "config/PortRange.h"
#include "dcc/DirectConnect.h"
#include "dcc/OfferAddress.h"
#include "session/DccOffer.h"

namespace {

struct OfferRow
{
    const char *body;
    bool valid;
    const char *fileName;
    const char *address;
    unsigned port;
    uint64_t size;
};

TEST(DccOffer, ParsesOnlySafeOffers)
{
    const OfferRow rows[] = {
        {"DCC CHAT chat 167772161 4000", true, "", "10.0.0.1", 4000, 0},
        {"dcc chat chat 2130706433 1", true, "", "127.0.0.1", 1, 0},
        {"DCC SEND photo.jpg 2130706433 65535 2048", true, "photo.jpg", "127.0.0.1", 65535, 2048},
        {"DCC SEND \"my file.txt\" 2130706433 5000 12", true, "my_file.txt", "127.0.0.1", 5000, 12},
        {"DCC SEND big.iso 2130706433 5000 6000000000", true, "big.iso", "127.0.0.1", 5000, 6000000000ull},
        {"DCC SEND .bashrc 2130706433 5000 12", true, "bashrc", "127.0.0.1", 5000, 12},
        {"DCC SEND ../../x 2130706433 5000 12", true, "x", "127.0.0.1", 5000, 12},
        {"DCC SEND C:\\x\\y.exe 2130706433 5000 12", true, "y.exe", "127.0.0.1", 5000, 12},
        {"DCC SEND f 10.0.0.1 5000 0", true, "f", "10.0.0.1", 5000, 0},
        {"DCC SEND f 2130706433 0 12", false, "", "", 0, 0},
        {"DCC SEND f 2130706433 65536 12", false, "", "", 0, 0},
        {"DCC SEND f 0 5000 12", false, "", "", 0, 0},
        {"DCC SEND f 4294967296 5000 12", false, "", "", 0, 0},
        {"DCC SEND f ::1 5000 12", true, "f", "::1", 5000, 12},
        {"DCC SEND f 2001:DB8::5 5000 12", true, "f", "2001:db8::5", 5000, 12},
        {"DCC SEND f :: 5000 12", false, "", "", 0, 0},
        {"DCC SEND f 2130706433 0 12 77", true, "f", "127.0.0.1", 0, 12},
        {"DCC CHAT chat 2130706433 0 abc", true, "", "127.0.0.1", 0, 0},
        {"DCC SEND f 2130706433 0 12 a;b", false, "", "", 0, 0},
        {"DCC CHAT chat 2130706433 0", false, "", "", 0, 0},
        {"DCC RESUME f 5000 12", true, "f", "", 5000, 12},
        {"DCC ACCEPT \"my f\" 5000 0", true, "my_f", "", 5000, 0},
        {"DCC ACCEPT f 0 12", false, "", "", 0, 0},
        {"DCC SEND f 2130706433 5000 -1", false, "", "", 0, 0},
        {"DCC SEND f 2130706433 5000 1234567890123456789", false, "", "", 0, 0},
        {"DCC SEND \"a\tb\" 2130706433 5000 12", false, "", "", 0, 0},
        {"DCC SEND \"no end 2130706433 5000 12", false, "", "", 0, 0},
        {"DCC SEND .. 2130706433 5000 12", false, "", "", 0, 0},
        {"DCC SEND dir/ 2130706433 5000 12", false, "", "", 0, 0},
        {"DCC RESUME f 2130706433 5000 12", false, "", "", 0, 0},
        {"DCC CHAT chat 2130706433", false, "", "", 0, 0},
    };
    for (const OfferRow &row : rows) {
        SCOPED_TRACE(row.body);
        const std::optional<DccOffer> offer = DccOffer::Parse(row.body);
        ASSERT_EQ(offer.has_value(), row.valid);
        if (!offer)
            continue;
        EXPECT_EQ(offer->fileName, row.fileName);
        EXPECT_EQ(offer->address, row.address);
        EXPECT_EQ(offer->port, row.port);
        EXPECT_EQ(offer->size, row.size);
    }
}

TEST(DccOffer, AddressIsTheUnsigned32BitNumberInNetworkOrder)
{
    EXPECT_EQ(DccOffer::AddressNumber("10.0.0.1"), 167772161u);
    EXPECT_EQ(DccOffer::AddressNumber("192.168.1.200"), 3232235976u);
    EXPECT_EQ(DccOffer::AddressNumber("255.255.255.255"), 4294967295u);
    EXPECT_EQ(DccOffer::AddressNumber("::1"), 0u);
    EXPECT_EQ(DccOffer::AddressFromOffer("3232235976"), "192.168.1.200");
}

TEST(DccOffer, PassiveOffersCarryTheirTokenAndResumesTheirKind)
{
    EXPECT_EQ(DccOffer::Parse("DCC SEND f 2130706433 0 12 77")->token, "77");
    EXPECT_TRUE(DccOffer::Parse("DCC SEND f 2130706433 0 12 77")->IsPassive());
    EXPECT_EQ(DccOffer::Parse("DCC CHAT chat 2130706433 0 abc")->token, "abc");
    // The answer to a passive offer: a port and the token.
    const std::optional<DccOffer> answer = DccOffer::Parse("DCC SEND f 2130706433 5000 12 77");
    ASSERT_TRUE(answer);
    EXPECT_FALSE(answer->IsPassive());
    EXPECT_EQ(answer->token, "77");
    EXPECT_EQ(DccOffer::Parse("DCC RESUME f 5000 12")->kind, DccOffer::Resume);
    EXPECT_EQ(DccOffer::Parse("DCC ACCEPT f 5000 12")->kind, DccOffer::Accept);
}

TEST(DccOffer, AServerConnectionOfEitherFamilyCanOffer)
{
    EXPECT_EQ(DirectConnect::OfferRefusal("10.0.0.1"), std::nullopt);
    EXPECT_EQ(DirectConnect::OfferRefusal("::1"), std::nullopt);
    EXPECT_EQ(DirectConnect::OfferRefusal("").value_or(StrText{}).number, Str::DccNotConnected.number);
    EXPECT_EQ(OfferAddress::OfferWord("127.0.0.1"), "2130706433");
    EXPECT_EQ(OfferAddress::OfferWord("2001:DB8::5"), "2001:db8::5");
    EXPECT_EQ(OfferAddress::OfferWord("bob.example"), "");
}

TEST(DccOffer, OffersAnnounceTheSettingTheLearnedOrTheLocalAddress)
{
    struct Row
    {
        const char *setting, *learned, *local, *announced;
        bool passive;
    };
    const Row rows[] = {
        {"", "", "192.168.1.5", "192.168.1.5", false},             // nothing learned
        {"", "193.87.12.5", "193.87.12.5", "193.87.12.5", false},  // a public address of our own
        {"", "193.87.12.5", "192.168.1.5", "193.87.12.5", true},   // behind a NAT: passive
        {"", "10.0.0.7", "192.168.1.5", "10.0.0.7", false},        // both local: a LAN server
        {"", "2a00:1450::1", "192.168.1.5", "192.168.1.5", false}, // another family
        {"", "not an address", "192.168.1.5", "192.168.1.5", false},
        {"193.87.12.5", "", "192.168.1.5", "193.87.12.5", false}, // the user forwards a port
        {"2a00:1450::7", "", "2a00:1450::1", "2a00:1450::7", false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.setting) + " | " + row.learned + " | " + row.local);
        const OfferAddress choice = OfferAddress::Choose(row.setting, row.learned, row.local);
        EXPECT_EQ(choice.announced, row.announced);
        EXPECT_EQ(choice.passive, row.passive);
    }
}

TEST(PortRange, ReadsTheRangeOfTheSetting)
{
    EXPECT_EQ(PortRange::Parse(""), (PortRange{1024, 2000}));
    EXPECT_EQ(PortRange::Parse("5000-5010"), (PortRange{5000, 5010}));
    EXPECT_EQ(PortRange::Parse(" 5000 - 5010 "), (PortRange{5000, 5010}));
    EXPECT_EQ(PortRange::Parse("6000"), (PortRange{6000, 6000}));
    EXPECT_EQ(PortRange::Parse("5010-5000"), std::nullopt);
    EXPECT_EQ(PortRange::Parse("0-10"), std::nullopt);
    EXPECT_EQ(PortRange::Parse("1-65536"), std::nullopt);
    EXPECT_EQ(PortRange::Parse("a-b"), std::nullopt);
    EXPECT_EQ(PortRange::Parse("5000-"), std::nullopt);
    EXPECT_EQ((PortRange{5000, 5010}).Text(), "5000-5010");
}

TEST(DccOffer, AcknowledgementsCarryTheLow32BitsOfA64BitCount)
{
    constexpr uint64_t k4G = 0x100000000ull;
    EXPECT_EQ(DirectConnect::WidenAcknowledgement(1000, 5000), 1000u);
    EXPECT_EQ(DirectConnect::WidenAcknowledgement(0, 0), 0u);
    // Past 4 GiB the acknowledgement wraps; the count it stands for does not.
    EXPECT_EQ(DirectConnect::WidenAcknowledgement(5, k4G + 10), k4G + 5);
    EXPECT_EQ(DirectConnect::WidenAcknowledgement(0xFFFFFFF0u, k4G + 10), k4G - 16);
    EXPECT_EQ(DirectConnect::WidenAcknowledgement(0, 2 * k4G), 2 * k4G);
    EXPECT_EQ(DirectConnect::WidenAcknowledgement(0xFFFFFFFFu, 3 * k4G), 3 * k4G - 1);
}

} // namespace
