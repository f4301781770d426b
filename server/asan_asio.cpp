// Built into the programs and tests on Asio only under AddressSanitizer (make sanitize).
// Asio's coroutine frames come from its recycling allocator and go back through
// asio::detail::aligned_delete, a pair of Asio's own that ASan takes for an alloc-dealloc
// mismatch; GCC 12's ASan cannot suppress that report by function, so these programs alone
// leave the check out. Every other check stays on, and every other program keeps this one.
extern "C" const char* __asan_default_options() {
    return "alloc_dealloc_mismatch=0";
}
