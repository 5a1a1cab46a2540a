#include "config/ServerPort.h"

ServerPort ServerPort::Parse(std::string_view word)
{
    ServerPort result;
    if (!word.empty() && word.front() == '+') {
        result.tls = true;
        word.remove_prefix(1);
    }
    bool anyDigit = false;
    for (char c : word) {
        if (c < '0' || c > '9')
            break;
        anyDigit = true;
        result.port = result.port * 10 + static_cast<unsigned>(c - '0');
        if (result.port > kHighestPort) {
            result.port = kHighestPort + 1;
            break;
        }
    }
    if (result.tls && !anyDigit)
        result.port = kDefaultTlsPort;
    return result;
}

std::string ServerPort::Text() const
{
    return (tls ? "+" : "") + std::to_string(port);
}
