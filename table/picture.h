// What the window shows besides the card pictures: the labels (names, bids, scores, tricks,
// contract, time-out), the button window and the dialogs. The presenter derives it from the
// table's model; nothing reads it back to learn a fact of the game.
#pragma once

#include "table/table.h"

#include <array>
#include <string>

namespace corvane {

enum class LabelColor { Black, Red, White };

// A caption that is a word of the program rather than a name or a number: the window shows it
// in the player's language, the caption in English.
enum class LabelWord { None, You, We, They, Pass };

struct Label {
    std::string caption;
    LabelWord word = LabelWord::None;
    bool visible = true;
    bool underline = false;
    LabelColor color = LabelColor::Black;
};

// The small button window: "&Auto-Discard" and "&Deal", or a one-line message.
struct ButtonMenu {
    bool visible = false;
    ButtonMode modeX = ButtonMode::Hidden;
    bool autoDiscardEnabled = false;
};

struct BidDialog {
    bool visible = false;
    std::array<bool, 4> enabled{true, true, true, true}; // Pass, 20, 25, 30
};

// The labels are in the window's numbering: 0 the local player, then round the table.
struct Picture {
    std::array<Label, 6> lblPlayerName{}; // 0-3 seats, 4 "We", 5 "They"
    std::array<Label, 5> lblBid{};        // 0-3 seats, 4 the contract
    std::array<std::string, 2> lblScore{};
    std::array<std::string, 2> lblTricks{};
    bool imgTrumpVisible = false;
    Label lblTimeout;
    ButtonMenu buttonMenu;
    Saying buttonMessage; // the message button's, worded by the window
    BidDialog bidDialog;
    bool trumpDialogVisible = false;
};

} // namespace corvane
