// What Debian's emscripten (its libc++ of LLVM 14) lacks of the C++20 library
// the core uses, given to every file of the page's build (-include), so that
// the core compiles for the page as it is.
#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>

#if !defined(__cpp_lib_smart_ptr_for_overwrite)
namespace std {
template <typename T>
    requires is_unbounded_array_v<T>
unique_ptr<T> make_unique_for_overwrite(size_t size)
{
    return unique_ptr<T>(new remove_extent_t<T>[size]);
}
}  // namespace std
#endif
