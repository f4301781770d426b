// A standalone table under a virtual clock, with helpers that lay out exact hands.
#pragma once

#include "flow/engine.h"
#include "tests/support/cards.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace corvane::testing {

class EngineFixture : public ::testing::Test {
protected:
    EngineFixture() : random(7), engine(clock, random) { engine.startUp(); }

    Table& t() { return engine.table(); }

    // Puts the named cards on pictures first, first+1, ... in state `state`, visible.
    void place(int first, std::string_view names, TagState state = TagState::Up) {
        int i = first;
        for (Card c : cards(names)) {
            auto& p = t().picCard[static_cast<size_t>(i)];
            p.card = c;
            p.state = state;
            p.visible = true;
            ++i;
        }
    }

    // The state letters of pictures 0-22, a space between seats: "UUUUU DXXXX ... DXD".
    std::string states() {
        std::string out;
        for (int i = 0; i <= 22; ++i)
            out +=
                std::string(i > 0 && i % 5 == 0 ? " " : "") + static_cast<char>(t().CardState(i));
        return out;
    }

    // Acknowledges every message the table waits on, running the clock in between.
    void settle() {
        for (int guard = 0; guard < 1000; ++guard) {
            clock.runUntilIdle();
            if (!t().buttonMenu.visible || t().buttonMenu.modeX != ButtonMode::Message)
                return;
            engine.clickButton(1);
        }
        FAIL() << "messages never stop";
    }

    VirtualClock clock;
    Random random;
    Engine engine;
};

} // namespace corvane::testing
