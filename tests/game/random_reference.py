#!/usr/bin/env python3
"""Reference for the game's random numbers, written apart from the C++ code.

The floating-point steps use Python floats (IEEE doubles, the same libm), every rounding is done
exactly on the binary value with the decimal module, rounding half away from zero.

No fraction can round up to exactly 1: seed + sqrt(2) > sqrt(2), so the product is at least 6.96, and
the fraction of a double of that size is a multiple of 2^-50; the largest, 1 - 2^-50 = 0.99999999999999911,
rounds to 0.999999999999999. A seed of exactly 1 only comes from the clock: e seconds after midnight.

Usage: random_reference.py CLOCK N [N ...]
       random_reference.py --find-tie
  CLOCK  seconds since midnight, a decimal number (17 significant digits give the exact double)
  N      upper bounds of the successive draws; "24*100" means 100 draws with 24
Prints one line per draw: the result, then the new seed as a 64-bit pattern in hex and as text.
"""
import decimal
import math
import struct
import sys

decimal.getcontext().prec = 200
QUANTUM_15 = decimal.Decimal(1).scaleb(-15)


def bits(x):
    return struct.unpack('<Q', struct.pack('<d', x))[0]


def round_half_away(value, quantum):
    # value is a float; Decimal(float) is its exact binary value
    return decimal.Decimal(value).quantize(quantum, rounding=decimal.ROUND_HALF_UP)


def step(seed):
    product = math.log(seed + math.sqrt(2.0)) * math.exp(3.0)
    fraction = product - math.floor(product)          # exact for doubles of this size
    text = '%17s' % round_half_away(fraction, QUANTUM_15)
    return float(text)                                 # correctly rounded read-back


def draw(seed, n):
    return int(round_half_away(float(n) * seed, decimal.Decimal(1)))


def find_tie_clock():
    """A clock value whose first fraction is 8 + 2^-16 - 8 = 0.0000152587890625, a tie at the 16th
    decimal: invert the step near the target and try the neighbouring doubles."""
    target = 8 + 2.0 ** -16
    guess = (math.exp(target / math.exp(3.0)) - math.sqrt(2.0)) * math.exp(1.0)
    for k in range(-64, 65):
        clock = guess + k * math.ulp(guess)
        if math.log(clock / math.exp(1.0) + math.sqrt(2.0)) * math.exp(3.0) == target:
            return clock
    raise SystemExit('no clock value found')


def main(argv):
    if argv[1] == '--find-tie':
        print(repr(find_tie_clock()))
        return
    clock = float(argv[1])
    bounds = []
    for item in argv[2:]:
        if '*' in item:
            n, count = item.split('*')
            bounds.extend([int(n)] * int(count))
        else:
            bounds.append(int(item))
    seed = clock / math.exp(1.0)
    out = []
    for n in bounds:
        seed = step(seed)
        out.append('%d %016x %.15f' % (draw(seed, n), bits(seed), seed))
    sys.stdout.write('\n'.join(out) + '\n')


if __name__ == '__main__':
    main(sys.argv)
