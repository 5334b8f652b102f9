#include "gui/win32/web_address.h"

#include <algorithm>

namespace quorell::gui {

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return a == (b >= 'A' && b <= 'Z' ? static_cast<char>(b - 'A' + 'a') : b);
           });
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c) || c == '-' || c == '.';
}

// Printable ASCII without the characters that addresses must escape.
bool IsAddressCharacter(char c) {
    return c > ' ' && c < 0x7F && std::string_view("\"<>\\^`{|}").find(c) == std::string_view::npos;
}

// host[:port], the host a name or a dotted address; an IPv6 address in brackets.
bool IsAuthority(std::string_view authority) {
    std::string_view host = authority;
    std::string_view port;
    if (!authority.empty() && authority.front() == '[') {
        const std::size_t close = authority.find(']');
        if (close == std::string_view::npos || close == 1) {
            return false;
        }
        const std::string_view inside = authority.substr(1, close - 1);
        if (!std::all_of(inside.begin(), inside.end(), [](char c) {
                return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' || c == '.';
            })) {
            return false;
        }
        const std::string_view rest = authority.substr(close + 1);
        if (!rest.empty() && rest.front() != ':') {
            return false;
        }
        port = rest.empty() ? rest : rest.substr(1);
        if (!rest.empty() && port.empty()) {
            return false;
        }
    } else {
        const std::size_t colon = authority.find(':');
        if (colon != std::string_view::npos) {
            host = authority.substr(0, colon);
            port = authority.substr(colon + 1);
            if (port.empty()) {
                return false;
            }
        }
        if (host.empty() || host.front() == '.' || host.front() == '-' ||
            !std::all_of(host.begin(), host.end(), IsHostCharacter)) {
            return false;
        }
    }
    return port.size() <= 5 && std::all_of(port.begin(), port.end(), IsDigit);
}

}  // namespace

bool IsWebAddress(std::string_view address) {
    std::string_view rest;
    if (StartsWithNoCase(address, "http://")) {
        rest = address.substr(7);
    } else if (StartsWithNoCase(address, "https://")) {
        rest = address.substr(8);
    } else {
        return false;
    }
    if (!std::all_of(rest.begin(), rest.end(), IsAddressCharacter)) {
        return false;
    }
    const std::size_t end = rest.find_first_of("/?#");
    return IsAuthority(rest.substr(0, end));
}

}  // namespace quorell::gui
