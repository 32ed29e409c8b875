// Cost of one random number, against the bare logarithm step on the same seeds.
// Prints one figure per line:
//   random_ns_per_call           random(24) along one sequence
//   bare_step_ns_per_call        log(x + sqrt(2)) * exp(3) over the same seeds, each independent of the last
//   ratio                        the first over the second
//   chained_step_ns_per_call     the bare step where each x is the fraction of the step before, as in
//                                the game, where every draw waits for the previous seed
//   ratio_to_chained             random over the chained step
//   text_round_trip_ns_per_call  the whole draw with the seed rounded through 17-character text
#include "game/random.h"

#include <QString>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kCalls = 2'000'000;
constexpr int kRepeats = 7;

volatile double sink;

template <typename F>
double bestNanosecondsPerCall(F&& run)
{
    double best = 1e300;
    for (int r = 0; r < kRepeats; ++r) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const auto end = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::nano>(end - start).count() / kCalls);
    }
    return best;
}

} // namespace

int main()
{
    const double clock = 45678.901;

    // The seeds the sequence passes through, fed to the bare step below.
    std::vector<double> seeds;
    seeds.reserve(kCalls);
    {
        Random random([clock] { return clock; });
        for (int i = 0; i < kCalls; ++i) {
            random.random(24);
            seeds.push_back(random.seed());
        }
    }

    const double perCall = bestNanosecondsPerCall([&] {
        Random random([clock] { return clock; });
        long sum = 0;
        for (int i = 0; i < kCalls; ++i)
            sum += random.random(24);
        sink = double(sum);
    });

    const double perStep = bestNanosecondsPerCall([&] {
        double sum = 0;
        for (const double x : seeds)
            sum += std::log(x + std::sqrt(2.0)) * std::exp(3.0);
        sink = sum;
    });

    const double perChainedStep = bestNanosecondsPerCall([&] {
        double x = seeds.front();
        for (int i = 0; i < kCalls; ++i) {
            const double product = std::log(x + std::sqrt(2.0)) * std::exp(3.0);
            x = product - std::floor(product);
        }
        sink = x;
    });

    // The same sequence with the seed rounded through 17-character text.
    const double perTextCall = bestNanosecondsPerCall([&] {
        double seed = clock / std::exp(1.0);
        long sum = 0;
        for (int i = 0; i < kCalls; ++i) {
            const double product = std::log(seed + std::sqrt(2.0)) * std::exp(3.0);
            seed = QString::asprintf("%17.15f", product - std::floor(product)).toDouble();
            sum += long(std::round(24 * seed));
        }
        sink = double(sum);
    });

    std::printf("random_ns_per_call %.2f\n", perCall);
    std::printf("bare_step_ns_per_call %.2f\n", perStep);
    std::printf("ratio %.2f\n", perCall / perStep);
    std::printf("chained_step_ns_per_call %.2f\n", perChainedStep);
    std::printf("ratio_to_chained %.2f\n", perCall / perChainedStep);
    std::printf("text_round_trip_ns_per_call %.2f\n", perTextCall);
    return 0;
}
