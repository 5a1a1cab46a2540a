// libFuzzer target: arbitrary bytes as the body of a received DCC offer.
// Whatever Parse lets through must be safe to show and to accept: a real
// port, a dotted IPv4 address that reads back as the same number, and a file
// name that stays inside the download folder.
#include "session/DccOffer.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool IsPlainFileName(const std::string &name)
{
    if (name.empty() || name[0] == '.' || name.find('/') != std::string::npos || name.find('\\') != std::string::npos)
        return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F || c == ' ')
            return false;
    return true;
}

void CheckOffer(const DccOffer &offer)
{
    if (offer.port == 0)
        std::abort();
    const uint32_t number = DccOffer::AddressNumber(offer.address);
    if (number == 0 || DccOffer::AddressFromOffer(std::to_string(number)) != offer.address)
        std::abort();
    if (offer.kind == DccOffer::File && !IsPlainFileName(offer.fileName))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string body(reinterpret_cast<const char *>(data), size);
    if (const auto offer = DccOffer::Parse(body))
        CheckOffer(*offer);

    const std::string safe = DccOffer::SafeFileName(body);
    if (!safe.empty() && (!IsPlainFileName(safe) || DccOffer::SafeFileName(safe) != safe))
        std::abort();
    (void)DccOffer::PortFromWord(body);
    return 0;
}
