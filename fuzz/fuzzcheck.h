#pragma once

#include <cstdio>
#include <cstdlib>

// A property the fuzz target insists on. It aborts, so libFuzzer saves the
// input and the replay test fails, in every build type (assert would vanish
// under NDEBUG).
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
