// The visitor that takes one lambda per message type, for std::visit over a message variant.
#pragma once

namespace corvane::online {

template <class... F> struct Overloaded : F... { using F::operator()...; };
template <class... F> Overloaded(F...) -> Overloaded<F...>;

} // namespace corvane::online
