#!/usr/bin/env python3
"""Writes the demo saver's music: a short melody of soft sine tones as a 16-bit stereo
WAV file (44.1 kHz), which the build then encodes as MP3 and Ogg/Vorbis.

Usage: melody.py OUTPUT.wav
"""
import math
import struct
import sys
import wave

RATE = 44100
# (frequency in Hz, length in beats); 0 Hz is a rest. Four bars of a simple tune.
TUNE = [
    (392, 1), (440, 1), (494, 1), (523, 2), (494, 1), (440, 1), (392, 2),
    (330, 1), (392, 1), (440, 2), (0, 1), (392, 1), (349, 1), (330, 1), (294, 3),
]
BEAT_SECONDS = 0.25


def note(frequency, seconds):
    count = int(RATE * seconds)
    fade = int(RATE * 0.02)
    for i in range(count):
        # Fade each note in and out, so that notes join without clicks.
        envelope = min(1.0, i / fade, (count - i) / fade) if fade else 1.0
        value = 0.3 * envelope * math.sin(2 * math.pi * frequency * i / RATE) if frequency else 0
        sample = int(value * 32767)
        yield struct.pack("<hh", sample, sample)


def main():
    if len(sys.argv) != 2 or sys.argv[1] in ("-h", "--help"):
        print(__doc__.strip())
        return 0 if len(sys.argv) == 2 else 2
    with wave.open(sys.argv[1], "wb") as out:
        out.setnchannels(2)
        out.setsampwidth(2)
        out.setframerate(RATE)
        for frequency, beats in TUNE:
            out.writeframes(b"".join(note(frequency, beats * BEAT_SECONDS)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
