// xxHash through the library's fastest code for the processor at hand: on
// x86-64 it picks SSE2, AVX2 or AVX-512 when first called. The hashes are the
// same whichever it picks, so kept entries and keys stay valid.
#pragma once

#if defined(__x86_64__)
#include <xxh_x86dispatch.h>
#else
#include <xxhash.h>
#endif
