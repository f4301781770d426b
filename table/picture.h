// What the window shows besides the card pictures: the labels (names, bids, scores, tricks,
// contract, time-out), the button window and the dialogs. The presenter derives it from the
// table's model; nothing reads it back to learn a fact of the game.
#pragma once

#include "table/table.h"

#include <array>
#include <string>

namespace corvane {

enum class LabelColor { Black, Red, White };

struct Label {
    std::string caption;
    bool visible = true;
    bool underline = false;
    LabelColor color = LabelColor::Black;
};

// The small button window: "&Auto-Discard" and "&Deal", or a one-line message.
struct ButtonMenu {
    bool visible = false;
    ButtonMode modeX = ButtonMode::Hidden;
    bool autoDiscardEnabled = false;
    std::string dealCaption = "&Deal";
    int fontSize = 10; // 8 for a message longer than 20 characters
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
    std::string buttonMessage; // the caption of the message button
    BidDialog bidDialog;
    bool trumpDialogVisible = false;
};

} // namespace corvane
