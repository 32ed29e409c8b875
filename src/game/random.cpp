#include "game/random.h"

#include <QTime>

#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

// The constants of the step, each computed the way the game defines it.
const double kE = std::exp(1.0);
const double kSqrt2 = std::sqrt(2.0);
const double kE3 = std::exp(3.0);

constexpr std::uint64_t kTenTo15 = 1'000'000'000'000'000ULL;

} // namespace

Random::Random(Clock secondsSinceMidnight)
    : m_clock(std::move(secondsSinceMidnight))
{
}

double Random::localSecondsSinceMidnight()
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

double Random::fractionRoundedTo15Decimals(double x)
{
    // x = m · 2^-shift exactly; its fractional part is the low `shift` bits of m over 2^shift. Times
    // 10^15 that is exact in 128 bits (below 2^53 · 2^50), and adding half of 2^shift before shifting
    // rounds half up, which for x ≥ 0 is half away from zero. No floor() and no text: the step stays
    // short, since every draw waits for the one before.
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const int biasedExponent = int(bits >> 52) & 0x7ff;
    const int shift = 1075 - biasedExponent;
    if (shift <= 0)
        return 0.0; // a whole number
    if (shift >= 128)
        return 0.0; // zero, or below 2^-75: far below half of 10^-15
    const std::uint64_t mantissa = (bits & ((std::uint64_t(1) << 52) - 1)) | (std::uint64_t(1) << 52);
    const std::uint64_t fraction = shift >= 64 ? mantissa : mantissa & ((std::uint64_t(1) << shift) - 1);
    using Wide = unsigned __int128;
    const auto k = static_cast<std::uint64_t>((Wide(fraction) * kTenTo15 + (Wide(1) << (shift - 1))) >> shift);
    // k ≤ 10^15 and 10^15 are exact doubles and the division rounds correctly: the same double as
    // reading the decimal text of k · 10^-15.
    return static_cast<double>(k) / static_cast<double>(kTenTo15);
}

int Random::random(int n)
{
    ++m_calls;
    if (!m_seeded) [[unlikely]] {
        m_seed = m_clock() / kE;
        m_seeded = true;
    }
    m_seed = fractionRoundedTo15Decimals(std::log(m_seed + kSqrt2) * kE3);
    return static_cast<int>(std::round(n * m_seed));
}
