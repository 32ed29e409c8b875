#!/usr/bin/env python3
"""Synthesises the four answer sounds of the game as 16-bit mono wave files.

ja.wav   a bright rising two-note chime (right answer)
no.wav   a dull low buzz (wrong answer)
jaa.wav  a short brass-like arpeggio fanfare (right answer, lively sounds)
noo.wav  a descending "wah-wah" trombone phrase (wrong answer, lively sounds)

Usage: make_sounds.py [output folder]   (default: resources/sounds next to this script's repository)
Only the Python standard library is used, and the result is the same on every run.
"""

import math
import os
import struct
import sys
import wave

RATE = 44100
PEAK = 0.80          # loudest sample as a fraction of full scale (about -2 dBFS)
FADE_IN = 0.004      # seconds, against clicks at the start
FADE_OUT = 0.030     # seconds, against clicks at the end


def note(name_or_freq):
    """Frequency of a note like 'C5' or 'Bb3' (equal temperament, A4 = 440 Hz)."""
    if isinstance(name_or_freq, (int, float)):
        return float(name_or_freq)
    names = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    letter, rest = name_or_freq[0], name_or_freq[1:]
    step = names[letter]
    if rest.startswith("#"):
        step, rest = step + 1, rest[1:]
    elif rest.startswith("b"):
        step, rest = step - 1, rest[1:]
    octave = int(rest)
    return 440.0 * 2 ** ((step + 12 * (octave - 4)) / 12)


def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def mix(target, source, start_seconds):
    start = int(round(start_seconds * RATE))
    needed = start + len(source)
    if needed > len(target):
        target.extend([0.0] * (needed - len(target)))
    for i, value in enumerate(source):
        target[start + i] += value


def bell(freq, seconds, decay):
    """A bell-like tone: a few partials that die away, the higher ones faster."""
    partials = [(1.0, 1.0, 1.0), (2.0, 0.45, 1.8), (3.01, 0.22, 2.6), (4.2, 0.10, 3.5)]
    out = []
    n = int(round(seconds * RATE))
    for i in range(n):
        t = i / RATE
        attack = min(1.0, t / 0.003, (seconds - t) / 0.02)
        value = 0.0
        for ratio, amplitude, speed in partials:
            if freq * ratio < RATE / 2.5:
                value += amplitude * math.exp(-decay * speed * t) * math.sin(2 * math.pi * freq * ratio * t)
        out.append(attack * value)
    return out


def harmonic_tone(freq_at, seconds, weights_at, envelope):
    """A tone built from harmonics; frequency, harmonic weights and loudness may change over time."""
    out = []
    n = int(round(seconds * RATE))
    phase = 0.0
    for i in range(n):
        t = i / RATE
        freq = freq_at(t)
        phase += 2 * math.pi * freq / RATE
        weights = weights_at(t)
        value = 0.0
        for k, weight in enumerate(weights, start=1):
            if weight and freq * k < RATE / 2.5:
                value += weight * math.sin(k * phase)
        out.append(envelope(t) * value)
    return out


def adsr(attack, decay, sustain, release, total):
    def envelope(t):
        if t < attack:
            return t / attack
        if t < attack + decay:
            return 1.0 - (1.0 - sustain) * (t - attack) / decay
        if t > total - release:
            return sustain * max(0.0, (total - t) / release)
        return sustain
    return envelope


def finish(samples):
    """Fades both ends and scales the loudest sample to PEAK."""
    n = len(samples)
    fade_in = int(FADE_IN * RATE)
    fade_out = int(FADE_OUT * RATE)
    for i in range(min(fade_in, n)):
        samples[i] *= i / fade_in
    for i in range(min(fade_out, n)):
        samples[n - 1 - i] *= i / fade_out
    loudest = max(abs(s) for s in samples) or 1.0
    return [s * PEAK / loudest for s in samples]


def write(path, samples):
    frames = b"".join(struct.pack("<h", int(round(max(-1.0, min(1.0, s)) * 32767))) for s in samples)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)
    print(f"{os.path.normpath(path)}  {len(samples) / RATE:.2f} s")


def make_ja():
    """Right answer: G5 then C6, a bright rising chime."""
    out = silence(0.55)
    mix(out, bell(note("G5"), 0.50, 7.0), 0.0)
    mix(out, [0.9 * s for s in bell(note("C6"), 0.45, 6.0)], 0.10)
    return finish(out[: int(0.55 * RATE)])


def make_no():
    """Wrong answer: two slightly out-of-tune low tones, dull and buzzing."""
    seconds = 0.55
    dull = [1.0 / k ** 1.6 if k % 2 else 0.35 / k ** 1.6 for k in range(1, 25)]
    env = adsr(0.015, 0.08, 0.8, 0.12, seconds)
    out = silence(seconds)
    for freq, level in ((98.0, 1.0), (103.8, 0.8)):
        mix(out, [level * s for s in harmonic_tone(lambda t, f=freq: f, seconds, lambda t: dull, env)], 0.0)
    return finish(out)


def brass_weights(brightness):
    return [math.exp(-(k - 1) / brightness) / k ** 0.5 for k in range(1, 13)]


def make_jaa():
    """Right answer, lively: C5 E5 G5 quickly, then a held C6 with a little vibrato."""
    out = silence(0.78)
    steps = [("C5", 0.00, 0.13), ("E5", 0.10, 0.13), ("G5", 0.20, 0.13), ("C6", 0.30, 0.48)]
    for name, start, length in steps:
        freq = note(name)
        held = length > 0.2
        vibrato = (lambda t, f=freq: f * (1 + 0.006 * math.sin(2 * math.pi * 6 * max(0.0, t - 0.12)))) if held \
            else (lambda t, f=freq: f)
        weights = lambda t: brass_weights(1.2 + 2.2 * min(1.0, t / 0.04))
        env = adsr(0.012, 0.05, 0.75, 0.18 if held else 0.04, length)
        mix(out, [0.8 * s for s in harmonic_tone(vibrato, length, weights, env)], start)
    return finish(out[: int(0.78 * RATE)])


def make_noo():
    """Wrong answer, lively: four falling trombone notes, each opening and closing like a mute."""
    out = silence(0.80)
    steps = [("Bb3", 0.00, 0.17), ("A3", 0.16, 0.17), ("Ab3", 0.32, 0.17), ("G3", 0.48, 0.32)]
    for name, start, length in steps:
        freq = note(name)
        last = length > 0.2
        if last:
            pitch = lambda t, f=freq: f * (1 - 0.03 * t) * (1 + 0.012 * math.sin(2 * math.pi * 7 * t))
        else:
            pitch = lambda t, f=freq: f

        def weights(t, length=length, last=last):
            # The "wah": bright in the middle of each note, muted at both ends.
            if last:
                opening = 0.5 + 0.5 * math.sin(2 * math.pi * 5 * t - math.pi / 2)
            else:
                opening = math.sin(math.pi * min(1.0, t / length))
            return brass_weights(0.8 + 3.5 * opening)

        env = adsr(0.02, 0.04, 0.85, 0.10 if last else 0.03, length)
        mix(out, harmonic_tone(pitch, length, weights, env), start)
    return finish(out[: int(0.80 * RATE)])


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "resources", "sounds")
    os.makedirs(folder, exist_ok=True)
    for name, make in (("ja.wav", make_ja), ("no.wav", make_no), ("jaa.wav", make_jaa), ("noo.wav", make_noo)):
        write(os.path.join(folder, name), make())


if __name__ == "__main__":
    main()
