// Recycles the memory of finished coroutine frames. A hand creates and finishes dozens of small
// flow frames; reusing their blocks keeps the allocator out of the simulator's hot path.
#pragma once

#include <cstddef>

namespace corvane::detail {

void* allocateFrame(std::size_t size);
void freeFrame(void* frame, std::size_t size) noexcept;

} // namespace corvane::detail
