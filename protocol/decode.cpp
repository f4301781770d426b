// The grammars of the five directions of the lobby protocol, on top of FieldReader.
#include "protocol/decode.h"

#include "protocol/wire_fields.h"

#include <optional>

namespace corvane::protocol {

namespace {

std::string describe(char code) {
    if (code >= 0x21 && code <= 0x7e) {
        return std::string("'") + code + "'";
    }
    static constexpr char kHex[] = "0123456789abcdef";
    const auto byte = static_cast<unsigned char>(code);
    return std::string("byte 0x") + kHex[byte >> 4] + kHex[byte & 0xf];
}

// Turns the reader's state after a parse into a result.
template <class Message, class Body>
ParseResult<Message> finish(FieldReader& reader, char code, Body&& body) {
    ParseResult<Message> result;
    const bool incomplete = reader.state() == FieldReader::State::Incomplete;
    if (incomplete && !reader.outOfRange()) {
        result.status = ParseStatus::Incomplete;
    } else if (reader.state() == FieldReader::State::Bad || reader.outOfRange()) {
        result.status = ParseStatus::Malformed;
        result.error = "malformed field in " + describe(code) + " message";
        result.framed = reader.ok();
        result.framePending = incomplete;
        result.length = reader.ok() ? reader.consumed() : 0;
    } else {
        result.status = ParseStatus::Complete;
        result.message = std::forward<Body>(body);
        result.length = reader.consumed();
    }
    return result;
}

template <class Message> ParseResult<Message> unknownCode(char code) {
    ParseResult<Message> result;
    result.status = ParseStatus::Malformed;
    result.error = "unexpected code " + describe(code);
    return result;
}

// The seated player's messages: the same fields whether the player sends them or the host
// receives them, apart from "s".
template <class Message> std::optional<Message> playerMove(char code, FieldReader& reader) {
    switch (code) {
    case 'c': {
        ChatLine m;
        m.seat = reader.seat();
        m.text = reader.text2();
        return Message{m};
    }
    case 'b': {
        PlayerBid m;
        m.seat = reader.seat();
        m.bid = reader.bid();
        return Message{m};
    }
    case 't':
        return Message{NameTrump{reader.digitInRange(0, 3)}};
    case 'r': {
        Discards m;
        m.seat = reader.seat();
        m.pictures = reader.pairs(2, kMaxPicture);
        return Message{m};
    }
    case 'i':
        return Message{NextHand{}};
    case 'p':
        return Message{PlayCard{reader.twoDigitsAtMost(kMaxPicture)}};
    default:
        return std::nullopt;
    }
}

std::optional<PlayerDownMessage> hostMove(char code, FieldReader& reader) {
    switch (code) {
    case 'P': {
        SeatName m;
        m.seat = reader.seat();
        m.name = reader.text2();
        return m;
    }
    case 'C':
        return Cards{reader.pairs(3, kMaxDeckValue)};
    case 'I':
        return WaitNextHand{};
    case 'B': {
        YourBid m;
        m.dealer = reader.seat();
        m.highBid = reader.digits(2);
        return m;
    }
    case 'S': {
        BidMade m;
        m.seat = reader.seat();
        m.bid = reader.bid();
        return m;
    }
    case 'T':
        return ChooseTrump{};
    case 'D': {
        DiscardPhase m;
        m.pictures = reader.pairs(2, kMaxPicture);
        m.trump = reader.digitInRange(0, 3);
        m.highBid = reader.digits(2);
        m.bidder = reader.seat();
        return m;
    }
    case 'R':
        return Draw{};
    case 'W':
        return YourTurn{reader.seat()};
    case 'F':
        return CardPlayed{reader.twoDigitsAtMost(kMaxPicture)};
    case 'X':
        return TrickWon{reader.seat()};
    case 'E': {
        HandEnd m;
        const std::string_view sign = reader.fixed(1);
        if (!sign.empty() && sign[0] != '+' && sign[0] != '-') {
            reader.markBad();
        }
        m.made = sign == "+";
        m.points = reader.digits(2);
        for (int* score : {&m.score0, &m.score1}) {
            const int signDigit = reader.digitInRange(0, 2);
            *score = (signDigit - 1) * reader.digits(3);
        }
        return m;
    }
    case 'M':
        return ChatShow{std::string(reader.text2())};
    case 'N':
        return Misdeal{};
    case 'Y':
        return JoinAccepted{};
    case 'K':
        return HostGone{};
    default:
        return std::nullopt;
    }
}

// The key is eight characters on the wire, but a client that sends a shorter key whole
// leaves fewer. When the eight-character reading is malformed, the shorter readings are tried
// in turn; the first that parses whole wins.
template <class Message, class Parse>
ParseResult<Message> withShortKeyFallback(std::string_view input, Parse parse) {
    ParseResult<Message> full = parse(input, kKeyWidth);
    if (full.status != ParseStatus::Malformed) {
        return full;
    }
    for (int width = kKeyWidth - 1; width >= 0; --width) {
        ParseResult<Message> shorter = parse(input, width);
        if (shorter.status == ParseStatus::Complete) {
            return shorter;
        }
    }
    return full;
}

// Padding spaces are not part of the key.
std::string keyText(std::string_view field) {
    const std::size_t end = field.find_last_not_of(' ');
    return std::string(end == std::string_view::npos ? std::string_view{}
                                                     : field.substr(0, end + 1));
}

template <class Message> ParseResult<Message> parseCreate(std::string_view input, int keyWidth) {
    FieldReader reader(input);
    reader.code();
    CreateTable m;
    m.key = keyText(reader.fixed(static_cast<std::size_t>(keyWidth)));
    const std::string_view combined = reader.text2();
    const std::size_t slash = combined.rfind('/');
    if (slash == std::string_view::npos) {
        m.tableName = combined;
    } else {
        m.tableName = combined.substr(0, slash);
        m.address = combined.substr(slash + 1);
    }
    m.userName = reader.text2();
    return finish<Message>(reader, 'H', m);
}

template <class Message> ParseResult<Message> parseJoin(std::string_view input, int keyWidth) {
    FieldReader reader(input);
    reader.code();
    JoinTable m;
    m.key = keyText(reader.fixed(static_cast<std::size_t>(keyWidth)));
    m.row = reader.digits(2);
    m.seat = reader.seat();
    m.userName = reader.text2();
    return finish<Message>(reader, 'L', m);
}

} // namespace

ParseResult<ListUpMessage> parseMessage(std::string_view input, std::type_identity<ListUpMessage>) {
    if (input.empty()) {
        return {};
    }
    if (input[0] != 'Q') {
        return unknownCode<ListUpMessage>(input[0]);
    }
    return {ParseStatus::Complete, ListRequest{}, 1, {}};
}

ParseResult<HostUpMessage> parseMessage(std::string_view input, std::type_identity<HostUpMessage>) {
    if (input.empty()) {
        return {};
    }
    const char code = input[0];
    if (code == 'H') {
        return withShortKeyFallback<HostUpMessage>(input, [](std::string_view in, int width) {
            return parseCreate<HostUpMessage>(in, width);
        });
    }
    FieldReader reader(input);
    if (code == 'P') {
        reader.code();
        SeatName m;
        m.seat = reader.seat();
        m.name = reader.text2();
        return finish<HostUpMessage>(reader, code, m);
    }
    if (code >= '0' && code <= '3') {
        Addressed m;
        m.seat = reader.seat();
        if (reader.remaining() == 0) {
            return {};
        }
        const char inner = reader.code();
        std::optional<PlayerDownMessage> message = hostMove(inner, reader);
        if (!message) {
            return unknownCode<HostUpMessage>(inner);
        }
        m.message = std::move(*message);
        return finish<HostUpMessage>(reader, inner, m);
    }
    return unknownCode<HostUpMessage>(code);
}

ParseResult<PlayerUpMessage> parseMessage(std::string_view input,
                                          std::type_identity<PlayerUpMessage>) {
    if (input.empty()) {
        return {};
    }
    const char code = input[0];
    if (code == 'L') {
        return withShortKeyFallback<PlayerUpMessage>(input, [](std::string_view in, int width) {
            return parseJoin<PlayerUpMessage>(in, width);
        });
    }
    FieldReader reader(input);
    reader.code();
    if (code == 'Z') {
        return finish<PlayerUpMessage>(reader, code, HostSeatOpen{});
    }
    if (code == 's') {
        TakeSeat m;
        m.seat = reader.seat();
        m.name = reader.text2();
        return finish<PlayerUpMessage>(reader, code, m);
    }
    std::optional<PlayerUpMessage> message = playerMove<PlayerUpMessage>(code, reader);
    if (!message) {
        return unknownCode<PlayerUpMessage>(code);
    }
    return finish<PlayerUpMessage>(reader, code, std::move(*message));
}

ParseResult<HostDownMessage> parseMessage(std::string_view input,
                                          std::type_identity<HostDownMessage>) {
    if (input.empty()) {
        return {};
    }
    const char code = input[0];
    FieldReader reader(input);
    reader.code();
    switch (code) {
    case 'G': {
        TableEntry m;
        m.name = reader.text2();
        m.id = reader.text2();
        for (std::string& occupant : m.occupants) {
            occupant = reader.text2();
        }
        return finish<HostDownMessage>(reader, code, m);
    }
    case 'H':
        return finish<HostDownMessage>(reader, code, TableCreated{});
    case 'N':
        return finish<HostDownMessage>(reader, code, KeyRefused{});
    case 'U':
        return finish<HostDownMessage>(reader, code, Notice{});
    case 'q':
        return finish<HostDownMessage>(reader, code, SeatListRequest{});
    case 'k':
        return finish<HostDownMessage>(reader, code, SeatLost{reader.seat()});
    case 's': {
        TakeSeatWithId m;
        m.seat = reader.seat();
        m.name = reader.text2();
        m.playerId = reader.text2();
        return finish<HostDownMessage>(reader, code, m);
    }
    default:
        break;
    }
    std::optional<HostDownMessage> message = playerMove<HostDownMessage>(code, reader);
    if (!message) {
        return unknownCode<HostDownMessage>(code);
    }
    return finish<HostDownMessage>(reader, code, std::move(*message));
}

ParseResult<PlayerDownMessage> parseMessage(std::string_view input,
                                            std::type_identity<PlayerDownMessage>) {
    if (input.empty()) {
        return {};
    }
    FieldReader reader(input);
    const char code = reader.code();
    std::optional<PlayerDownMessage> message = hostMove(code, reader);
    if (!message) {
        return unknownCode<PlayerDownMessage>(code);
    }
    return finish<PlayerDownMessage>(reader, code, std::move(*message));
}

} // namespace corvane::protocol
