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

    VirtualClock clock;
    Random random;
    Engine engine;
};

} // namespace corvane::testing
