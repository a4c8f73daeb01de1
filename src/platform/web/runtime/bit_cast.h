// Emscripten 3.1.6's C++ library comes without std::bit_cast, which its
// compiler can do (__builtin_bit_cast). Put before every C++ source of the
// browser build (-include), so the game's source stays the same; a library
// that has it is left alone.
#pragma once

#include <version>

#if !defined(__cpp_lib_bit_cast)
namespace std {

template <class To, class From>
constexpr To bit_cast(const From& from) noexcept {
    static_assert(sizeof(To) == sizeof(From), "bit_cast needs types of one size");
    return __builtin_bit_cast(To, from);
}

}  // namespace std
#endif
