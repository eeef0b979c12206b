#pragma once
// Movable global memory, the currency of the clipboard and of OLE data transfers.
#include "ui/unique_handle.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace zel {

// GlobalLock/GlobalUnlock as a pair; fails with the system's text.
class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL memory);
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    ~LockedGlobal() { ::GlobalUnlock(memory_); }
    void* data() const noexcept { return data_; }

private:
    HGLOBAL memory_;
    void* data_;
};

// A new movable block holding a copy of the bytes; fails with the system's text.
UniqueGlobalMemory GlobalCopy(const void* bytes, size_t size);

// The zero-terminated text a block holds (all of the block when no zero ends it earlier).
template <class Char>
std::basic_string<Char> GlobalText(HGLOBAL memory) {
    LockedGlobal locked(memory);
    const auto* units = static_cast<const Char*>(locked.data());
    const size_t capacity = ::GlobalSize(memory) / sizeof(Char);
    return std::basic_string<Char>(units, std::find(units, units + capacity, Char(0)));
}

} // namespace zel
