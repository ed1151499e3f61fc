#!/usr/bin/python3
# Regenerates the launcher's sounds, all synthesized here:
#   resources/sounds/snd4.wav               launch theme "radio": 32 kHz stereo, 15.2 s
#   resources/sounds/snd5.wav               launch theme "warm":  32 kHz stereo, 14.5 s
#   resources/sounds/sndchangepriority.wav  two-note chime:       22.05 kHz stereo, 0.4 s
#
# Run by hand from anywhere: python3 tools/sounds/make_sounds.py
# Standard library only, fixed seeds: a rerun writes the same bytes, so the files only
# change when this script does. The build never runs it; it uses the committed files.

import math
import os
import random
import struct
import wave

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OUT_DIR = os.path.join(ROOT, "resources", "sounds")

TABLE_BITS = 12
TABLE_SIZE = 1 << TABLE_BITS
TWO_PI = 2.0 * math.pi


def midi_hz(note):
    return 440.0 * 2.0 ** ((note - 69) / 12.0)


def wavetable(partials):
    """One cycle from (harmonic, amplitude) pairs, peak-normalised. Band-limited by
    construction, so the pads do not alias the way a naive saw would."""
    t = [sum(a * math.sin(TWO_PI * h * i / TABLE_SIZE) for h, a in partials) for i in range(TABLE_SIZE)]
    peak = max(abs(v) for v in t) or 1.0
    return [v / peak for v in t] + [t[0] / peak]  # guard sample for interpolation


SINE = wavetable([(1, 1.0)])
# Soft saw: the harmonics of a saw rolled off early, so the pad stays mellow.
SOFT_SAW = wavetable([(h, 1.0 / h * math.exp(-h / 7.0)) for h in range(1, 16)])
# Hollow square: odd harmonics only, for the radio arpeggio.
HOLLOW = wavetable([(h, 1.0 / h) for h in (1, 3, 5, 7, 9)])
# Organ-like warmth for the second theme's pad.
WARM = wavetable([(1, 1.0), (2, 0.45), (3, 0.18), (4, 0.08), (6, 0.03)])


class Mix:
    def __init__(self, rate, seconds):
        self.rate = rate
        self.frames = int(round(rate * seconds))
        self.left = [0.0] * self.frames
        self.right = [0.0] * self.frames

    def add(self, other, gain=1.0):
        for i in range(self.frames):
            self.left[i] += other.left[i] * gain
            self.right[i] += other.right[i] * gain


def pan_gains(pan):
    """Equal-power pan, -1 left .. +1 right."""
    a = (pan + 1.0) * math.pi / 4.0
    return math.cos(a), math.sin(a)


def voice(mix, table, freq, start, length, amp, pan, attack, release, wobble=None, decay=None, phase=0.0):
    """Adds one note: table oscillator, linear attack, optional exponential decay,
    cosine release at the end of length."""
    rate = mix.rate
    i0 = int(start * rate)
    n = min(int((length + release) * rate), mix.frames - i0)
    if n <= 0:
        return
    gl, gr = pan_gains(pan)
    inc = freq * TABLE_SIZE / rate
    ph = phase * TABLE_SIZE
    a_n = max(1, int(attack * rate))
    hold_n = int(length * rate)
    r_n = max(1, int(release * rate))
    k = math.exp(-1.0 / (decay * rate)) if decay else 1.0
    d = 1.0
    mask = TABLE_SIZE - 1
    left, right = mix.left, mix.right
    for j in range(n):
        i = i0 + j
        ph += inc * (wobble[i] if wobble else 1.0)
        ip = int(ph)
        frac = ph - ip
        ip &= mask
        s = table[ip] + (table[ip + 1] - table[ip]) * frac
        if j < a_n:
            e = j / a_n
        elif j < hold_n:
            e = 1.0
        else:
            e = 0.5 + 0.5 * math.cos(math.pi * (j - hold_n) / r_n)
        e *= d
        d *= k
        v = s * e * amp
        left[i] += v * gl
        right[i] += v * gr


def lowpass(samples, rate, cutoff):
    """Two one-pole stages (12 dB/octave); cutoff is a number or a per-sample list."""
    out = samples
    for _ in range(2):
        y = 0.0
        res = [0.0] * len(out)
        if isinstance(cutoff, list):
            for i, x in enumerate(out):
                a = 1.0 - math.exp(-TWO_PI * cutoff[i] / rate)
                y += a * (x - y)
                res[i] = y
        else:
            a = 1.0 - math.exp(-TWO_PI * cutoff / rate)
            for i, x in enumerate(out):
                y += a * (x - y)
                res[i] = y
        out = res
    return out


def highpass(samples, rate, cutoff):
    a = math.exp(-TWO_PI * cutoff / rate)
    out = [0.0] * len(samples)
    y = 0.0
    prev = 0.0
    for i, x in enumerate(samples):
        y = a * (y + x - prev)
        prev = x
        out[i] = y
    return out


def reverb(samples, rate, offset, room=0.82, damp=0.3):
    """A small Schroeder reverb (four damped combs, two all-passes); returns the wet signal.
    offset shifts the delays so that left and right decorrelate."""
    scale = rate / 44100.0
    combs = [int((d + offset) * scale) for d in (1116, 1188, 1277, 1356)]
    alls = [int((d + offset) * scale) for d in (556, 341)]
    n = len(samples)
    wet = [0.0] * n
    for d in combs:
        buf = [0.0] * d
        pos = 0
        store = 0.0
        for i in range(n):
            o = buf[pos]
            store = o * (1.0 - damp) + store * damp
            buf[pos] = samples[i] + store * room
            wet[i] += o
            pos += 1
            if pos == d:
                pos = 0
    for d in alls:
        buf = [0.0] * d
        pos = 0
        for i in range(n):
            b = buf[pos]
            x = wet[i]
            buf[pos] = x + b * 0.5
            wet[i] = b - x
            pos += 1
            if pos == d:
                pos = 0
    return [w * 0.25 for w in wet]


def echo(mix, seconds, feedback, mixlevel):
    """Ping-pong echo: each repeat crosses to the other side."""
    d = int(seconds * mix.rate)
    left, right = mix.left[:], mix.right[:]
    for i in range(d, mix.frames):
        left[i] += right[i - d] * feedback
        right[i] += left[i - d] * feedback
    for i in range(mix.frames):
        mix.left[i] += (left[i] - mix.left[i]) * mixlevel
        mix.right[i] += (right[i] - mix.right[i]) * mixlevel


def fade(mix, fade_in, fade_out):
    n_in = int(fade_in * mix.rate)
    n_out = int(fade_out * mix.rate)
    for i in range(mix.frames):
        g = 1.0
        if i < n_in:
            g *= 0.5 - 0.5 * math.cos(math.pi * i / n_in)
        tail = mix.frames - 1 - i
        if tail < n_out:
            g *= 0.5 - 0.5 * math.cos(math.pi * tail / n_out)
        mix.left[i] *= g
        mix.right[i] *= g


def write_wav(path, mix, peak):
    """Scales the mix to the given peak (so nothing clips) and writes 16-bit PCM."""
    top = max(max(abs(v) for v in mix.left), max(abs(v) for v in mix.right)) or 1.0
    g = peak * 32767.0 / top
    frames = []
    for l, r in zip(mix.left, mix.right):
        frames.append(int(round(l * g)))
        frames.append(int(round(r * g)))
    with wave.open(path, "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(mix.rate)
        w.writeframes(struct.pack("<%dh" % len(frames), *frames))


def radio_theme():
    """A slow pad with a plucked arpeggio, heard as through an old valve radio:
    narrow band, a little wow, faint static."""
    rate, seconds = 32000, 15.2
    rng = random.Random(4076)
    bar = seconds / 4.0
    chords = [  # pad voicing, arpeggio notes, bass
        ([57, 60, 64, 67], [69, 72, 76, 79], 45),  # Am7
        ([53, 57, 60, 64], [65, 69, 72, 76], 41),  # Fmaj7
        ([52, 55, 60, 62], [67, 72, 74, 76], 48),  # C(add9)
        ([55, 59, 62, 67], [67, 71, 74, 79], 43),  # G
    ]
    frames = int(round(rate * seconds))
    # Slow wow of a worn drive belt, shared by every voice.
    wobble = [1.0 + 0.0022 * math.sin(TWO_PI * 0.37 * i / rate) + 0.0008 * math.sin(TWO_PI * 1.9 * i / rate)
              for i in range(frames)]

    pad = Mix(rate, seconds)
    for c, (notes, _, bass) in enumerate(chords):
        for k, note in enumerate(notes):
            for cents, pan in ((-6.0, -0.55), (6.0, 0.55)):
                f = midi_hz(note) * 2.0 ** (cents / 1200.0)
                voice(pad, SOFT_SAW, f, c * bar, bar, 0.11, pan * (0.4 + 0.2 * k), 1.4, 1.6,
                      wobble=wobble, phase=rng.random())
        voice(pad, SINE, midi_hz(bass), c * bar, bar, 0.22, 0.0, 0.6, 1.2, wobble=wobble)
    # The filter opens and closes slowly: the pad breathes.
    sweep = [900.0 + 1500.0 * (0.5 - 0.5 * math.cos(TWO_PI * i / (rate * 7.6))) for i in range(frames)]
    pad.left = lowpass(pad.left, rate, sweep)
    pad.right = lowpass(pad.right, rate, sweep)

    arp = Mix(rate, seconds)
    step = bar / 16.0
    pattern = [0, 1, 2, 3, 2, 1, 2, 3, 0, 1, 2, 3, 2, 3, 2, 1]
    for c, (_, notes, _) in enumerate(chords):
        for s, idx in enumerate(pattern):
            t = c * bar + s * step
            if t < 0.8:  # the arpeggio joins once the pad has risen
                continue
            accent = 1.0 if s % 4 == 0 else 0.72
            voice(arp, HOLLOW, midi_hz(notes[idx]), t, step * 0.9, 0.16 * accent, 0.3 * math.sin(s * 0.9),
                  0.004, 0.12, wobble=wobble, decay=0.22)
    echo(arp, step * 3.0, 0.38, 0.45)

    mix = Mix(rate, seconds)
    mix.add(pad)
    mix.add(arp)
    # The radio: low and high end cut away, a short spring-like reverb.
    for ch in ("left", "right"):
        x = getattr(mix, ch)
        x = highpass(x, rate, 180.0)
        x = lowpass(x, rate, 4200.0)
        wet = reverb(x, rate, 0 if ch == "left" else 23, room=0.7, damp=0.4)
        setattr(mix, ch, [a + 0.35 * b for a, b in zip(x, wet)])
    # Static: soft hiss and rare crackles, loudest while the station is tuned in.
    for i in range(frames):
        t = i / rate
        level = 0.012 + 0.05 * max(0.0, 1.0 - t / 1.6)
        hiss = (rng.random() - 0.5) * level
        if rng.random() < 0.0004:
            hiss += (rng.random() - 0.5) * 0.08
        mix.left[i] += hiss
        mix.right[i] += hiss * 0.8 + (rng.random() - 0.5) * level * 0.3
    mix.left = lowpass(mix.left, rate, 5000.0)
    mix.right = lowpass(mix.right, rate, 5000.0)
    fade(mix, 1.2, 2.6)
    return mix


def epiano(mix, freq, start, amp, pan, length=2.6):
    """A soft electric-piano strike: a sine modulated by its own frequency, the
    modulation dying faster than the tone."""
    rate = mix.rate
    i0 = int(start * rate)
    n = min(int(length * rate), mix.frames - i0)
    gl, gr = pan_gains(pan)
    w = TWO_PI * freq / rate
    for j in range(n):
        t = j / rate
        index = 1.6 * math.exp(-t * 4.0)
        env = (1.0 - math.exp(-t * 400.0)) * math.exp(-t * 1.1)
        if j > n - 2000:
            env *= (n - j) / 2000.0
        v = math.sin(w * j + index * math.sin(w * j)) * env * amp
        mix.left[i0 + j] += v * gl
        mix.right[i0 + j] += v * gr


def warm_theme():
    """A warm progression: organ pad, rolled electric-piano chords, a short melody on top,
    all in a roomy reverb."""
    rate, seconds = 32000, 14.5
    rng = random.Random(5092)
    bar = seconds / 4.0
    chords = [  # pad voicing, bass
        ([50, 54, 57, 61, 64], 38),  # Dmaj9
        ([47, 50, 54, 57, 61], 35),  # Bm9
        ([43, 47, 50, 54, 57], 43),  # Gmaj7 over G
        ([45, 52, 57, 61, 64], 45),  # A, its suspension added below
    ]
    frames = int(round(rate * seconds))
    chorus = [1.0 + 0.0015 * math.sin(TWO_PI * 0.23 * i / rate) for i in range(frames)]

    body = Mix(rate, seconds)
    for c, (notes, bass) in enumerate(chords):
        t0 = c * bar
        for k, note in enumerate(notes):
            pan = -0.6 + 1.2 * k / (len(notes) - 1)
            voice(body, WARM, midi_hz(note), t0, bar, 0.075, pan, 1.1, 1.4, wobble=chorus, phase=rng.random())
            voice(body, WARM, midi_hz(note) * 1.003, t0, bar, 0.05, -pan, 1.3, 1.4, phase=rng.random())
            # The chord is rolled upwards like a hand on the keys.
            epiano(body, midi_hz(note + 12), t0 + 0.05 + 0.06 * k, 0.09, pan * 0.8)
        voice(body, SINE, midi_hz(bass), t0, bar, 0.2, 0.0, 0.25, 1.0)
        voice(body, SINE, midi_hz(bass + 12), t0, bar, 0.08, 0.0, 0.25, 1.0)
    # The last chord opens on a suspended D that settles onto C sharp.
    voice(body, WARM, midi_hz(50), 3 * bar, 1.6, 0.07, -0.2, 1.1, 0.5, wobble=chorus)
    voice(body, WARM, midi_hz(49), 3 * bar + 1.6, bar - 1.6, 0.07, -0.2, 0.5, 1.4, wobble=chorus)

    melody = [  # (beat in quarter-bars, note, length in quarter-bars)
        (1.0, 76, 1.0), (2.0, 78, 1.0), (3.0, 81, 1.5),
        (5.0, 78, 1.0), (6.0, 76, 1.0), (7.0, 73, 1.5),
        (9.0, 74, 1.0), (10.0, 78, 1.0), (11.0, 83, 1.5),
        (13.0, 81, 1.5), (14.5, 76, 1.5),
    ]
    q = bar / 4.0
    for beat, note, length in melody:
        epiano(body, midi_hz(note), beat * q, 0.16, 0.15, length=length * q + 1.6)
        voice(body, SINE, midi_hz(note + 12), beat * q, length * q, 0.025, 0.15, 0.01, 0.8, decay=0.6)

    body.left = lowpass(body.left, rate, 6500.0)
    body.right = lowpass(body.right, rate, 6500.0)
    wet_l = reverb(body.left, rate, 0, room=0.86, damp=0.35)
    wet_r = reverb(body.right, rate, 23, room=0.86, damp=0.35)
    body.left = [a + 0.6 * b for a, b in zip(body.left, wet_l)]
    body.right = [a + 0.6 * b for a, b in zip(body.right, wet_r)]
    body.left = highpass(body.left, rate, 30.0)
    body.right = highpass(body.right, rate, 30.0)
    fade(body, 0.9, 2.8)
    return body


def chime():
    """Two bell notes a fifth apart, the second to the right: "priority changed"."""
    rate, seconds = 22050, 0.4
    mix = Mix(rate, seconds)
    for start, note, pan in ((0.0, 81, -0.25), (0.11, 88, 0.25)):
        f = midi_hz(note)
        # A bell: the fundamental plus a few partials that die faster than it.
        for ratio, amp, tau in ((1.0, 0.5, 0.16), (2.0, 0.16, 0.08), (2.76, 0.09, 0.05), (4.07, 0.04, 0.03)):
            voice(mix, SINE, f * ratio, start, seconds - start - 0.03, amp, pan, 0.003, 0.03, decay=tau)
    fade(mix, 0.0, 0.04)
    return mix


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    for name, make, peak in (("snd4.wav", radio_theme, 0.80),
                             ("snd5.wav", warm_theme, 0.68),
                             ("sndchangepriority.wav", chime, 0.70)):
        path = os.path.join(OUT_DIR, name)
        write_wav(path, make(), peak)
        print("wrote", os.path.relpath(path, ROOT))


if __name__ == "__main__":
    main()
