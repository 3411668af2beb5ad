#include "platform/RandomSource.h"

#include <chrono>
#include <cmath>

int RandomSource::below(int k)
{
    return static_cast<int>(std::floor(next() * k));
}

ClockRandom::ClockRandom()
    : engine_(static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()))
{
}

double ClockRandom::next()
{
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}
