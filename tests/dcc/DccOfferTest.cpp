#include <gtest/gtest.h>

#include "dcc/DirectConnect.h"
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
        {"DCC SEND f ::1 5000 12", false, "", "", 0, 0},
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

TEST(DccOffer, OnlyAnIpv4ServerConnectionCanOffer)
{
    EXPECT_EQ(DirectConnect::OfferRefusal("10.0.0.1"), std::nullopt);
    EXPECT_EQ(DirectConnect::OfferRefusal("::1").value_or(StrText{}).number, Str::DccNoIpv6Offer.number);
    EXPECT_EQ(DirectConnect::OfferRefusal("2001:db8::5").value_or(StrText{}).number, Str::DccNoIpv6Offer.number);
    EXPECT_EQ(DirectConnect::OfferRefusal("").value_or(StrText{}).number, Str::DccNotConnected.number);
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
