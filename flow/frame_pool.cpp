#include "flow/frame_pool.h"

#include <array>
#include <new>

namespace corvane::detail {

namespace {

constexpr std::size_t Granule = 64;
constexpr std::size_t Classes = 32; // frames up to 2 KiB are pooled
constexpr std::size_t KeepPerClass = 64;

// A finished frame's block holds the link to the next free block of its size.
struct FreeBlock {
    FreeBlock* next;
};

struct Pool {
    std::array<FreeBlock*, Classes> head{};
    std::array<std::size_t, Classes> count{};
    ~Pool() {
        for (FreeBlock* block : head) {
            while (block) {
                FreeBlock* next = block->next;
                ::operator delete(block);
                block = next;
            }
        }
    }
};

Pool& pool() {
    thread_local Pool instance;
    return instance;
}

std::size_t sizeClass(std::size_t size) {
    return (size + Granule - 1) / Granule;
}

} // namespace

void* allocateFrame(std::size_t size) {
    const std::size_t cls = sizeClass(size);
    if (cls >= Classes)
        return ::operator new(size);
    Pool& p = pool();
    if (FreeBlock* block = p.head[cls]) {
        p.head[cls] = block->next;
        --p.count[cls];
        return block;
    }
    return ::operator new(cls* Granule);
}

void freeFrame(void* frame, std::size_t size) noexcept {
    const std::size_t cls = sizeClass(size);
    if (cls < Classes) {
        Pool& p = pool();
        if (p.count[cls] < KeepPerClass) {
            p.head[cls] = new (frame) FreeBlock{p.head[cls]};
            ++p.count[cls];
            return;
        }
    }
    ::operator delete(frame);
}

} // namespace corvane::detail
