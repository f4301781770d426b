// An --address option's text as an address: a numeric address as it is, or the first
// address a host name resolves to.
#pragma once

#include <asio.hpp>
#include <stdexcept>
#include <string>

namespace corvane::lobby {

inline asio::ip::address resolveAddress(asio::io_context& io, const std::string& name) {
    asio::error_code ec;
    const asio::ip::address numeric = asio::ip::make_address(name, ec);
    if (!ec) {
        return numeric;
    }
    asio::ip::tcp::resolver resolver(io);
    const auto results = resolver.resolve(name, "", ec);
    if (ec || results.empty()) {
        throw std::runtime_error("cannot resolve --address " + name + ": " +
                                 (ec ? ec.message() : std::string("no address")));
    }
    return results.begin()->endpoint().address();
}

} // namespace corvane::lobby
