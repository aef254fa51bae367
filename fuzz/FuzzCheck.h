#pragma once
// What every fuzz target shares: a broken promise stops the run with the
// reason (libFuzzer keeps the input), and the input as Qt bytes.

#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace tw::fuzz {

// A promise of the reader under test; abort() so libFuzzer saves the input.
inline void require(bool holds, const char* promise) {
    if (!holds) {
        std::fprintf(stderr, "broken promise: %s\n", promise);
        std::abort();
    }
}

// The input without a copy; valid while the call lasts.
inline QByteArray inputBytes(const uint8_t* data, size_t size) {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                   static_cast<qsizetype>(size));
}

}  // namespace tw::fuzz
