// SPDX-FileCopyrightText: 2026 The Kavri developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kavri {

// Hands memory that has been freed back to the system. A capture allocates and frees tens of
// megabytes across several threads, and the C library keeps what each thread freed for that
// thread's next allocation, so a tray application would otherwise stay at its largest size.
void returnFreedMemory();

// Has large blocks (images, recognition buffers) mapped on their own, so that freeing one hands
// it straight back instead of leaving a hole in a thread's heap. Call once, at start.
void mapLargeBlocksSeparately();

} // namespace kavri
