// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FreedMemory.h"

#include <cstdlib> // defines __GLIBC__ where it applies

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kavri {

void returnFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

void mapLargeBlocksSeparately()
{
#if defined(__GLIBC__)
    // A fixed threshold: glibc would otherwise raise it after the first large free, up to 32 MB.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
}

} // namespace kavri
