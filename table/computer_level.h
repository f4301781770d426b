// How the computer seats and the hint decide ("Computer players:"): the fixed rules (Standard),
// sampling the unseen cards (Expert), or sampling them weighed by the auction and the play
// (Master).
#pragma once

namespace corvane {

enum class ComputerLevel { Standard, Expert, Master };

} // namespace corvane
