// Scroll bars whose thumb stands out from the text beside it, whatever style Qt draws them in.
#pragma once

namespace corvane::ui {

// Once the application exists; again is harmless.
void makeScrollThumbsVisible();

} // namespace corvane::ui
