// libFuzzer target for the protocol decoders. The input is fed to one direction's decoder in
// pieces whose sizes come from the input itself; every message that comes out must rebuild to
// bytes that decode and rebuild the same, and the decoder must never hold more than its cap.
#include "protocol/decoder.h"
#include "protocol/encode.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace corvane::protocol;

int g_direction = -1;

void check(bool condition) {
    if (!condition)
        std::abort();
}

template <class Message> void run(std::string_view input) {
    Decoder<Message> decoder;
    // The first byte gives the size of each arrival, so splits vary with the input.
    const std::size_t step = input.empty() ? 1 : static_cast<unsigned char>(input[0]) % 64 + 1;
    input.remove_prefix(input.empty() ? 0 : 1);
    while (!input.empty()) {
        const std::string_view piece = input.substr(0, step);
        input.remove_prefix(piece.size());
        if (!decoder.feed(piece))
            break;
        while (auto decoded = decoder.next()) {
            check(!decoded->raw.empty());
            const std::string again = encode(decoded->message);
            Decoder<Message> second;
            second.feed(again);
            auto reparsed = second.next();
            check(reparsed.has_value());
            check(second.buffered() == 0);
            // Building is a fixed point after one round, and a message that arrived in the
            // built form comes back as the same message. (A lenient reading, such as a key
            // sent short or a name without its address, is rebuilt in the full form.)
            check(encode(reparsed->message) == again);
            if (again == decoded->raw)
                check(reparsed->message == decoded->message);
        }
        check(decoder.buffered() <= Decoder<Message>::kMaxBuffered);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const char* direction = std::getenv("CORVANE_FUZZ_DIRECTION"))
        g_direction = std::atoi(direction);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    int direction = g_direction;
    if (direction < 0) {
        direction = input.empty() ? 0 : static_cast<unsigned char>(input[0]) % 5;
        input.remove_prefix(input.empty() ? 0 : 1);
    }
    static void (*const runs[])(std::string_view) = {run<ListUpMessage>, run<HostUpMessage>,
                                                     run<PlayerUpMessage>, run<HostDownMessage>,
                                                     run<PlayerDownMessage>};
    runs[std::clamp(direction, 0, 4)](input);
    return 0;
}
