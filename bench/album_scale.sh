#!/bin/bash
# Album build at scale: 100, 300 and 1000 generated photos (800 × 600
# landscapes and 600 × 800 portraits, one portrait in five), the 60-second
# sample song with --sync music (so every album has 1500 frames), made by
# `orvane make` as a 1920 × 1080 DVD. Per count: peak resident memory of the
# whole run, the import time per photo (the run's time before its first
# frame, over the photos) and the render's frames per second.
#
#   bench/album_scale.sh [BUILD [COUNTS...]]      (default: build 100 300 1000)
set -eu
BUILD=$(cd "${1:-build}" && pwd)
shift || true
COUNTS=${*:-100 300 1000}
WORK=${ALBUM_SCALE_DIR:-/tmp/orvane-album-scale}
mkdir -p "$WORK/photos" "$WORK/out"

if [ "$(ls "$WORK/photos" | wc -l)" -lt 1000 ]; then
    ffmpeg -v error -y -f lavfi -i "testsrc2=size=800x600:rate=25" -frames:v 800 -q:v 4 \
        "$WORK/photos/l%04d.jpg"
    ffmpeg -v error -y -f lavfi -i "mandelbrot=size=600x800:rate=25" -frames:v 200 -q:v 4 \
        "$WORK/photos/p%04d.jpg"
fi
# Four landscapes, then a portrait.
mapfile -t landscapes < <(ls "$WORK"/photos/l*.jpg)
mapfile -t portraits < <(ls "$WORK"/photos/p*.jpg)
ordered=()
for i in $(seq 0 199); do
    ordered+=("${landscapes[@]:$((i * 4)):4}" "${portraits[$i]}")
done

echo "| photos | wall s | import s | import ms/photo | render fps | peak MB |"
echo "|---|---|---|---|---|---|"
for n in $COUNTS; do
    rm -rf "$WORK/root" "$WORK/out/album.mpg" && mkdir -p "$WORK/root"
    cp -r "$BUILD/smxcwjj" "$WORK/root/"
    /usr/bin/time -f "%e %M" -o "$WORK/out/time" "$BUILD/orvane" make --root "$WORK/root" \
        --seed 7 --photos "${ordered[@]:0:$n}" --music "$BUILD/yinyuegeci/甜蜜蜜.mp3" \
        --sync music --format dvd --size 1920x1080 --quality high -o "$WORK/out/album" \
        > "$WORK/out/run-$n.log" 2>&1
    read -r wall kb < "$WORK/out/time"
    fps=$(tr '\r' '\n' < "$WORK/out/run-$n.log" | sed -n 's/^made \([0-9]*\) frames at \([0-9.]*\) frames per second/\1 \2/p')
    frames=${fps% *}
    rate=${fps#* }
    echo "$n $wall $kb $frames $rate" | awk '{
        import = $2 - $4 / $5
        printf "| %d | %.1f | %.1f | %.1f | %.1f | %.0f |\n", $1, $2, import, 1000 * import / $1, $5, $3 / 1024 }'
done
echo
echo "import s: the run's wall time less its frames over the render's frames per second."
