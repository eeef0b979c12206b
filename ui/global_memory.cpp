#include "ui/global_memory.h"

#include "core/error.h"
#include "ui/files.h"

#include <cstring>

namespace zel {

LockedGlobal::LockedGlobal(HGLOBAL memory) : memory_(memory), data_(::GlobalLock(memory)) {
    if (!data_)
        throw Exception(SystemErrorText(::GetLastError()));
}

UniqueGlobalMemory GlobalCopy(const void* bytes, size_t size) {
    UniqueGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!memory)
        throw Exception(SystemErrorText(::GetLastError()));
    LockedGlobal locked(memory.get());
    std::memcpy(locked.data(), bytes, size);
    return memory;
}

} // namespace zel
