#include "Prefault.h"

#include <cstdint>

#include <sys/mman.h>
#include <unistd.h>

void prefault(void *data, std::size_t size)
{
    constexpr std::size_t kWorthIt = std::size_t(1) << 20;
    if (size < kWorthIt)
        return;
    static const auto pageSize = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    const auto begin = (std::uintptr_t(data) + pageSize - 1) & ~(pageSize - 1);
    const auto end = (std::uintptr_t(data) + size) & ~(pageSize - 1);
    // Only an advice: an older kernel that does not know it faults the pages in as before.
    if (end > begin)
        ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_POPULATE_WRITE);
}
