#pragma once

// The entry point libFuzzer calls, and how a broken property becomes a crash
// that it keeps as an input to report.

#include "FuzzChecks.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace menugeral::fuzz {

inline int abortWhenBroken(QStringList (*check)(QByteArrayView), const std::uint8_t *data, std::size_t size)
{
    const QStringList broken = check(QByteArrayView(data, static_cast<qsizetype>(size)));
    for (const QString &property : broken)
        std::fprintf(stderr, "broken: %s\n", property.toLocal8Bit().constData());
    if (!broken.isEmpty())
        std::abort();
    return 0;
}

} // namespace menugeral::fuzz
