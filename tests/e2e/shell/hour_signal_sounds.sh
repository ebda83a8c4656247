#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Started at 14:00:20 with the hour signal on, the first tick plays it: the
# sound (IMA ADPCM, then MS ADPCM, then the hour chime that ships with the
# program) reaches SDL's disk output.
source "$(dirname "$0")/../lib.sh"
SDL_AUDIODRIVER=disk e2e_setup "$1"
command -v sox >/dev/null || fail "sox is missing"

for encoding in ima-adpcm ms-adpcm; do
  sox -n -r 22050 -c 1 -e "$encoding" "$WORK/just.wav" synth 0.6 square 880 vol 0.5
  printf '[WaveFile]\nJustWave=%s\n[WaveSw]\nUseWaveSw=1\nJustWaveSw=1\n' "$WORK/just.wav" >"$WORK/zelvaro.INI"
  export SDL_DISKAUDIOFILE="$WORK/audio-$encoding.raw"
  rm -f "$SDL_DISKAUDIOFILE"
  e2e_start '@2026-12-07 14:00:20'
  e2e_window >/dev/null
  sleep 1.5
  e2e_close
  [ -s "$SDL_DISKAUDIOFILE" ] || fail "$encoding: no audio output written"
  # Silence is all zero bytes; the signal is not.
  loud=$(od -An -v -tu1 "$SDL_DISKAUDIOFILE" | tr -s ' ' '\n' | grep -cv '^0*$' || true)
  [ "$loud" -gt 1000 ] || fail "$encoding: the hour signal did not sound ($loud non-zero bytes)"
done

# The hour chime that ships, named as the README tells: the build made it
# beside the program.
SHIPPED="$(cd "$(dirname "$1")" && pwd)/sounds/hour_chime.wav"
[ -s "$SHIPPED" ] || fail "the shipped hour chime is missing: $SHIPPED"
printf '[WaveFile]\nJustWave=%s\n[WaveSw]\nUseWaveSw=1\nJustWaveSw=1\n' "$SHIPPED" >"$WORK/zelvaro.INI"
export SDL_DISKAUDIOFILE="$WORK/audio-shipped.raw"
e2e_start '@2026-12-07 14:00:20'
e2e_window >/dev/null
sleep 1.5
e2e_close
[ -s "$SDL_DISKAUDIOFILE" ] || fail "shipped chime: no audio output written"
loud=$(od -An -v -tu1 "$SDL_DISKAUDIOFILE" | tr -s ' ' '\n' | grep -cv '^0*$' || true)
[ "$loud" -gt 1000 ] || fail "the shipped hour chime did not sound ($loud non-zero bytes)"

# Outside a signal minute nothing plays (and the audio device is not even opened).
export SDL_DISKAUDIOFILE="$WORK/audio-quiet.raw"
e2e_start '@2026-12-07 14:07:20'
e2e_window >/dev/null
sleep 1.5
e2e_close
[ ! -s "$SDL_DISKAUDIOFILE" ] || fail "a sound played outside the signal minutes"

# Without any sound device the signal is silent and the clock runs on.
printf '[WaveFile]\nJustWave=%s\n[WaveSw]\nUseWaveSw=1\nJustWaveSw=1\n' "$WORK/just.wav" >"$WORK/zelvaro.INI"
SDL_AUDIODRIVER=no_such_driver e2e_start '@2026-12-07 14:00:20'
e2e_window >/dev/null
sleep 1.5
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended without a sound device"
e2e_close
echo "ok"
