#!/usr/bin/env python3
"""Makes the sample song 甜蜜蜜: an original 60-second tune (a triangle-wave
melody over sine chords, a soft kick and hi-hat at 120 beats per minute) and
its lyrics, timed note by note: 甜蜜蜜.lrc (one line per two bars) and
甜蜜蜜.ksc (the same lines with a duration per sung character).

Run from this folder: python3 make_song.py (needs ffmpeg for the MP3).
The three files are committed, so a build never needs to run this.
"""
import array
import math
import random
import subprocess
import sys
import wave

RATE = 44100
BEAT = 0.5  # seconds (120 beats per minute)
INTRO_BEATS = 8
TOTAL_BEATS = 120

# Pitches of C major pentatonic and its neighbours, in Hz.
NOTE = {
    "A3": 220.00, "C4": 261.63, "D4": 293.66, "E4": 329.63, "F4": 349.23,
    "G4": 392.00, "A4": 440.00, "C5": 523.25, "D5": 587.33, "E5": 659.25,
}

# Four melodic phrases of eight beats; the last note of each is held.
PHRASES = [
    ["E4", "G4", "A4", "G4", "E4", "D4", "C4"],
    ["D4", "E4", "G4", "A4", "C5", "A4", "G4"],
    ["E4", "G4", "A4", "C5", "D5", "C5", "A4"],
    ["G4", "A4", "G4", "E4", "D4", "E4", "C4"],
]
LENGTHS = [1, 1, 1, 1, 1, 1, 2]  # beats per note

LYRICS = [
    "阳光洒在小路上", "风吹过你的脸庞", "那年夏天的笑容", "留在相片的中央",
    "一页一页翻过去", "时光慢慢在流淌", "每个画面都温暖", "像一首甜甜的歌",
    "花开花落又一年", "我们依然在身旁", "把这美好的回忆", "轻轻收进心房里",
]

CHORDS = [  # one per bar: C, Am, F, G
    ("C4", "E4", "G4"), ("A3", "C4", "E4"), ("F4", "A4", "C5"), ("G4", "D5", "E5"),
]


def triangle(phase):
    x = phase % 1.0
    return 4 * x - 1 if x < 0.5 else 3 - 4 * x


def render():
    n = int(TOTAL_BEATS * BEAT * RATE)
    mix = [0.0] * n

    def add_note(start_s, length_s, freq, level, wave_kind):
        a = int(start_s * RATE)
        b = min(n, a + int(length_s * RATE))
        attack = int(0.01 * RATE)
        for i in range(a, b):
            t = (i - a) / RATE
            env = min(1.0, (i - a) / attack) * math.exp(-2.2 * t / length_s)
            if wave_kind == "tri":
                v = triangle(freq * t)
            else:
                v = math.sin(2 * math.pi * freq * t)
            mix[i] += level * env * v

    # Chords, one per bar, all the way through.
    for bar in range(TOTAL_BEATS // 4):
        for pitch in CHORDS[bar % 4]:
            add_note(bar * 4 * BEAT, 4 * BEAT, NOTE[pitch] / 2, 0.06, "sine")

    # Melody: one phrase per lyric line, then an ending note.
    beat = INTRO_BEATS
    for line in range(len(LYRICS)):
        for pitch, length in zip(PHRASES[line % 4], LENGTHS):
            add_note(beat * BEAT, length * BEAT, NOTE[pitch], 0.22, "tri")
            beat += length
    add_note(beat * BEAT, 8 * BEAT, NOTE["C4"], 0.2, "tri")

    # Kick on beats 1 and 3, hi-hat on the off-beats.
    noise = random.Random(7)
    for b in range(TOTAL_BEATS - 4):
        start = int(b * BEAT * RATE)
        if b % 2 == 0:
            for i in range(int(0.18 * RATE)):
                t = i / RATE
                f = 50 + 90 * math.exp(-t * 30)
                mix[start + i] += 0.35 * math.exp(-t * 18) * math.sin(2 * math.pi * f * t)
        off = start + int(BEAT * RATE / 2)
        for i in range(int(0.04 * RATE)):
            if off + i < n:
                mix[off + i] += 0.05 * math.exp(-i / RATE * 90) * (noise.random() * 2 - 1)

    samples = array.array("h")
    for v in mix:
        s = max(-1.0, min(1.0, v))
        samples.append(int(s * 30000))
        samples.append(int(s * 30000))
    return samples


def clock(seconds, hundredths=True):
    m, s = divmod(seconds, 60)
    return f"{int(m):02d}:{s:05.2f}" if hundredths else f"{int(m):02d}:{s:06.3f}"


def write_lyrics():
    line_seconds = 8 * BEAT
    with open("甜蜜蜜.lrc", "w", encoding="utf-8") as lrc:
        lrc.write("[ti:甜蜜蜜]\n[ar:Orvane 示例]\n[al:Orvane 示例歌曲]\n[by:Orvane]\n")
        for i, text in enumerate(LYRICS):
            start = INTRO_BEATS * BEAT + i * line_seconds
            lrc.write(f"[{clock(start)}]{text}\n")
        lrc.write(f"[{clock(INTRO_BEATS * BEAT + len(LYRICS) * line_seconds)}]\n")
    with open("甜蜜蜜.ksc", "w", encoding="utf-8") as ksc:
        ksc.write("// 甜蜜蜜 karaoke lyrics\n")
        for i, text in enumerate(LYRICS):
            start = INTRO_BEATS * BEAT + i * line_seconds
            durations = ",".join(str(int(l * BEAT * 1000)) for l in LENGTHS)
            end = start + line_seconds - 0.1
            ksc.write(f"karaoke.add('{clock(start, False)}', '{clock(end, False)}', "
                      f"'{text}', '{durations}');\n")


def main():
    samples = render()
    with wave.open("甜蜜蜜.wav", "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(samples.tobytes())
    subprocess.run(["ffmpeg", "-y", "-v", "error", "-i", "甜蜜蜜.wav", "-c:a", "libmp3lame",
                    "-b:a", "128k", "甜蜜蜜.mp3"], check=True)
    subprocess.run(["rm", "-f", "甜蜜蜜.wav"], check=True)
    write_lyrics()
    return 0


if __name__ == "__main__":
    sys.exit(main())
