#!/bin/sh
# Whole-command timing of the photo import: `orvane fit` on 24 photos of
# 4000 x 3000 (two thirds landscape, one third portrait, made here with
# FFmpeg) against vipsthumbnail making 150-pixel thumbnails of the same
# photos, in the same run. Needs the template store of the build
# (BUILD/smxcwjj) and vipsthumbnail (libvips-tools).
# Usage: bench/photo_import_vs_vipsthumbnail.sh [BUILD]
set -eu
BUILD=${1:-build}
ORVANE=$(cd "$BUILD" && pwd)/orvane
[ -x "$ORVANE" ] || { echo "no $ORVANE: build first" >&2; exit 1; }
[ -d "$BUILD/smxcwjj/wj_0_or_2" ] || { echo "no template store in $BUILD/smxcwjj" >&2; exit 1; }
command -v vipsthumbnail >/dev/null || { echo "vipsthumbnail missing (libvips-tools)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/photos" "$work/vips" "$work/smxcwjj"
cp -r "$BUILD/smxcwjj/wj_0_or_2" "$BUILD/smxcwjj/wj_0_or_1" "$work/smxcwjj/"

i=1
while [ $i -le 24 ]; do
    if [ $((i % 3)) -eq 0 ]; then size=3000x4000; else size=4000x3000; fi
    ffmpeg -loglevel error -f lavfi -i "testsrc2=size=$size:rate=1,noise=alls=12:allf=t" \
        -frames:v 1 -q:v 2 "$work/photos/photo_$i.jpg"
    i=$((i + 1))
done
echo "photos: 24 of 4000 x 3000, $(du -k "$work/photos" | cut -f1) KB in all"

ms() { echo $(($(date +%s%N) / 1000000)); }
peak=""
if [ -x /usr/bin/time ]; then peak="/usr/bin/time -f %M -o $work/peak"; fi

t0=$(ms)
$peak "$ORVANE" fit --root "$work" --seed 1 "$work"/photos/*.jpg >"$work/fit.json"
t1=$(ms)
vipsthumbnail -s 150 -o "$work/vips/%s.jpg" "$work"/photos/*.jpg
t2=$(ms)

fit=$((t1 - t0))
vips=$((t2 - t1))
echo "orvane fit:    $fit ms ($((fit / 24)) ms per photo, catalogue and template unpacking included)"
[ -f "$work/peak" ] && echo "peak memory:   $(($(cat "$work/peak") / 1024)) MB"
echo "vipsthumbnail: $vips ms ($((vips / 24)) ms per photo)"
awk -v a="$fit" -v b="$vips" 'BEGIN { printf "ratio:         %.2f (orvane fit / vipsthumbnail)\n", a / b }'
