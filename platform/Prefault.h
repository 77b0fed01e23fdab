#pragma once

#include <cstddef>

// Maps the pages of a large block about to be filled in one go: page by page, the faults of a
// list of a million entries cost more than filling it.
void prefault(void *data, std::size_t size);
