// The index check shared by the kernel's lists: one error text for every list.
#pragma once

#include "geometry/errors.h"

#include <cstddef>
#include <string>

[[noreturn]] inline void ListIndexError(long long Index) {
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

inline void CheckListIndex(long long Index, std::size_t Count) {
    if (Index < 0 || static_cast<std::size_t>(Index) >= Count) ListIndexError(Index);
}
