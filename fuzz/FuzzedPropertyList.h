#pragma once

#include "platform/ns/Value.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <limits>

// Property-list values made from fuzz input, for targets whose parser reads
// values rather than bytes: every type, the numbers that catch range checks
// out (extremes, NaN, infinities), and nested containers a few levels deep.
inline ns::Value consumeValue(FuzzedDataProvider& in, int depth = 2)
{
    static constexpr double kSpecial[] = {std::numeric_limits<double>::quiet_NaN(),
                                          std::numeric_limits<double>::infinity(),
                                          -std::numeric_limits<double>::infinity(),
                                          -0.0,
                                          std::numeric_limits<double>::max(),
                                          std::numeric_limits<double>::denorm_min(),
                                          4294967299.0};
    static constexpr long long kEdges[] = {0,
                                           -1,
                                           std::numeric_limits<int>::max(),
                                           std::numeric_limits<int>::min(),
                                           4294967299LL,
                                           std::numeric_limits<long long>::max(),
                                           std::numeric_limits<long long>::min()};
    switch (in.ConsumeIntegralInRange(0, depth > 0 ? 9 : 7)) {
    case 0:
        return in.ConsumeBool();
    case 1:
        return in.ConsumeIntegralInRange<long long>(-8, 8);
    case 2:
        return in.ConsumeIntegral<long long>();
    case 3:
        return kEdges[in.ConsumeIntegralInRange<size_t>(0, std::size(kEdges) - 1)];
    case 4:
        return in.ConsumeFloatingPoint<double>();
    case 5:
        return kSpecial[in.ConsumeIntegralInRange<size_t>(0, std::size(kSpecial) - 1)];
    case 6:
        return QString::fromUtf8(in.ConsumeRandomLengthString(80));
    case 7: {
        const std::string bytes = in.ConsumeRandomLengthString(64);
        return QByteArray(bytes.data(), qsizetype(bytes.size()));
    }
    case 8: {
        ns::Array array;
        for (int n = in.ConsumeIntegralInRange(0, 4); n > 0; --n)
            array.append(consumeValue(in, depth - 1));
        return array;
    }
    default: {
        ns::Dictionary dictionary;
        for (int n = in.ConsumeIntegralInRange(0, 4); n > 0; --n)
            dictionary.setValue(QString::fromUtf8(in.ConsumeRandomLengthString(16)),
                                consumeValue(in, depth - 1));
        return dictionary;
    }
    }
}
