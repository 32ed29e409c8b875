#pragma once

#include <functional>

// The game's only source of chance: a small generator of its own, seeded once from the clock at the
// first draw. Each draw maps the seed through a logarithm, keeps the fractional part rounded to 15
// decimals and scales it to the requested upper bound.
class Random
{
public:
    // Seconds since local midnight, with the fractional part the clock gives.
    using Clock = std::function<double()>;

    explicit Random(Clock secondsSinceMidnight = localSecondsSinceMidnight);

    // A whole number from 0 to n inclusive (0 for n = 0): n times the new seed, rounded half away
    // from zero. The first call reads the clock; later calls never do.
    int random(int n);

    // The seed after the last draw; only meaningful once random() has been called.
    double seed() const { return m_seed; }
    bool isSeeded() const { return m_seeded; }
    // How many numbers were drawn so far.
    long long calls() const { return m_calls; }

    // The fractional part of x (0 ≤ x < 2^52) rounded to 15 decimals, half away from zero, as the
    // nearest double: the same number that writing the fraction as 17-character text with 15 decimals
    // and reading it back gives, without the text. Exact, with integer arithmetic on the binary value.
    static double fractionRoundedTo15Decimals(double x);

    // The real clock: local time of day with millisecond resolution.
    static double localSecondsSinceMidnight();

private:
    Clock m_clock;
    double m_seed = 0.0;
    bool m_seeded = false;
    long long m_calls = 0;
};
