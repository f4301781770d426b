#include "flow/trace_writer.h"

#include <cerrno>

namespace corvane {

namespace {
template <typename Range> std::string list(const Range& values) {
    std::string text = "[";
    bool first = true;
    for (int v : values) {
        if (!first)
            text += ',';
        text += std::to_string(v);
        first = false;
    }
    return text + "]";
}
} // namespace

std::string jsonString(const std::string& text) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            if (byte < 0x20) {
                out += "\\u00";
                out += Hex[byte >> 4];
                out += Hex[byte & 15];
            } else {
                out += c; // UTF-8 passes as it is
            }
        }
    }
    return out + "\"";
}

void TraceWriter::line(const std::string& text) {
    if (m_error != 0)
        return;
    if (!m_out) {
        m_sink(text);
        return;
    }
    if (std::fputs(text.c_str(), m_out) == EOF || std::fputc('\n', m_out) == EOF)
        m_error = errno != 0 ? errno : EIO;
}

void TraceWriter::gameStarted(int game, std::uint64_t seed) {
    line("{\"ev\":\"game\",\"game\":" + std::to_string(game) + ",\"seed\":" + std::to_string(seed) +
         "}");
}

void TraceWriter::onDeal(int dealer, const std::array<int, 52>& deck) {
    line("{\"ev\":\"deal\",\"hand\":" + std::to_string(++m_hand) +
         ",\"dealer\":" + std::to_string(dealer) + ",\"deck\":" + list(deck) + "}");
}

void TraceWriter::onBid(int seat, Bid bid, int suit) {
    const int named = seat == 0 ? m_seat0Suit() : suit;
    line("{\"ev\":\"bid\",\"seat\":" + std::to_string(seat) + ",\"bid\":" + jsonString(bid.word()) +
         ",\"suit\":" + std::to_string(named) + "}");
}

void TraceWriter::onMisdeal(int dealer) {
    line("{\"ev\":\"misdeal\",\"dealer\":" + std::to_string(dealer) + "}");
}

void TraceWriter::onTrump(int bidder, int suit, int bid) {
    line("{\"ev\":\"trump\",\"bidder\":" + std::to_string(bidder) +
         ",\"suit\":" + std::to_string(suit) + ",\"bid\":" + std::to_string(bid) + "}");
}

void TraceWriter::onDiscard(int seat, const std::vector<int>& pictures) {
    line("{\"ev\":\"discard\",\"seat\":" + std::to_string(seat) +
         ",\"pictures\":" + list(pictures) + "}");
}

void TraceWriter::onKitty(const std::vector<int>& thrown,
                          const std::vector<std::pair<int, int>>& moved) {
    std::string pairs = "[";
    for (size_t k = 0; k < moved.size(); ++k) {
        if (k)
            pairs += ',';
        pairs += "[" + std::to_string(moved[k].first) + "," + std::to_string(moved[k].second) + "]";
    }
    line("{\"ev\":\"kitty\",\"thrown\":" + list(thrown) + ",\"moved\":" + pairs + "]}");
}

void TraceWriter::onDraw(int picture, Card card) {
    line("{\"ev\":\"draw\",\"picture\":" + std::to_string(picture) +
         ",\"card\":" + std::to_string(card.number()) + "}");
}

void TraceWriter::onPlay(int seat, int picture, Card card) {
    line("{\"ev\":\"play\",\"seat\":" + std::to_string(seat) + ",\"picture\":" +
         std::to_string(picture) + ",\"card\":" + std::to_string(card.number()) + "}");
}

void TraceWriter::onTrick(int winner, int units) {
    line("{\"ev\":\"trick\",\"winner\":" + std::to_string(winner) +
         ",\"units\":" + std::to_string(units) + "}");
}

void TraceWriter::onHand(const HandResult& r) {
    line("{\"ev\":\"hand\",\"bidder\":" + std::to_string(r.bidder) +
         ",\"bid\":" + std::to_string(r.bid) + ",\"counted\":" + std::to_string(r.counted) +
         ",\"made\":" + (r.made ? "true" : "false") + ",\"scores\":[" +
         std::to_string(r.scores[0]) + "," + std::to_string(r.scores[1]) +
         "],\"message\":" + jsonString(r.message) + "}");
}

void TraceWriter::onGameEnd(int winner, std::array<int, 2> scores) {
    line("{\"ev\":\"end\",\"winner\":" + std::to_string(winner) + ",\"scores\":[" +
         std::to_string(scores[0]) + "," + std::to_string(scores[1]) + "]}");
}

} // namespace corvane
