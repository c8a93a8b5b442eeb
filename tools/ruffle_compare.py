#!/usr/bin/env python3
"""Compare frames of the template store drawn by our player and by Ruffle.

For every template description (templates/*.json) the movie is compiled, the
same slot pictures are given to both players, and three frames (early,
middle, late) are rendered by `orvane render-template` at 1920 x 1080 and
shrunk to a quarter (480 x 270, area average), and by the reference renderer
(../shared/tools/ruffle-ref, Ruffle in headless Chromium) at 480 x 270 (its
software WebGL is too slow at full size), and compared by PSNR. Writes a Markdown table, and the frames if --keep is given.

    tools/ruffle_compare.py --build build [--only h03_iris_circle,...] [--table out.md]

Needs ffmpeg, node and chromium (see the reference renderer's README).
"""

import argparse
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zlib
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent
DEFAULT_RUFFLE = REPO.parent / "shared" / "tools" / "ruffle-ref" / "render.sh"
QUARTER = "480:270"
# The transition picture is loaded from two folders up; the reference
# renderer serves only the movie's folder, so the copy given to it loads the
# same picture from a folder beside it (a path of the same length, so no
# tag length changes).
TRANSITION_URL = b"../../pic/picture_0.rar"
LOCAL_TRANSITION_URL = b"./././pic/picture_0.rar"


def run(cmd, **kw):
    return subprocess.run(cmd, check=True, capture_output=True, text=True, **kw)


def make_picture(path, w, h, index):
    """A busy, distinct test picture: ffmpeg's test card turned by a hue."""
    run(["ffmpeg", "-loglevel", "error", "-y", "-f", "lavfi",
         "-i", f"testsrc2=size={w}x{h}:rate=1", "-vf", f"hue=h={index * 67}",
         "-frames:v", "1", "-q:v", "3", "-f", "image2", "-c:v", "mjpeg", str(path)])


def slots_of(ini_text):
    def items(key):
        m = re.search(rf"^{key}=\|(.*)\|\s*$", ini_text, re.M)
        return [int(v) for v in m.group(1).split("|")] if m else []
    frames = int(re.search(r"^mbdx=(\d+)", ini_text, re.M).group(1))
    return list(zip(items("xpkd"), items("xpgd"))), frames


def psnr(a, b):
    """PSNR (dB, RGB average) of two PNGs shrunk to a quarter by area averaging."""
    out = subprocess.run(
        ["ffmpeg", "-hide_banner", "-i", str(a), "-i", str(b), "-lavfi",
         f"[0]scale={QUARTER}:flags=area,format=rgb24[x];"
         f"[1]scale={QUARTER}:flags=area,format=rgb24[y];[x][y]psnr",
         "-f", "null", "-"], capture_output=True, text=True)
    m = re.search(r"average:(\S+)", out.stderr)
    if not m:
        raise RuntimeError(out.stderr[-2000:])
    return float("inf") if m.group(1) == "inf" else float(m.group(1))


def unpacked(package):
    """The SWF inside a movie package: layers of a 4-byte length and a zlib stream."""
    data = package.read_bytes()
    for _ in range(64):
        if data.startswith(b"FWS"):
            return data
        data = zlib.decompress(data[4:])
    raise RuntimeError(f"{package}: no SWF inside")


def frames_for(total):
    """Early (inside the transition), middle and late frames, 0-based."""
    return [max(1, round(total * 0.1)), total // 2, total - 4]


def compare(desc, args, work):
    name = desc.stem
    folder = work / name
    (folder / "pic").mkdir(parents=True, exist_ok=True)
    swf, ini = folder / "movie.swf", folder / "movie.ini"
    run([str(args.compiler), str(desc), "--swf", str(swf), "--ini", str(ini)])
    slots, total = slots_of(ini.read_text(encoding="utf-8"))
    pictures = folder / "pictures"
    pictures.mkdir(exist_ok=True)
    make_picture(pictures / "picture_0.jpg", 1920, 1080, 0)
    shutil.copy(pictures / "picture_0.jpg", folder / "pic" / "picture_0.rar")
    for k, (w, h) in enumerate(slots, 1):
        w, h = (w, h) if w > 0 and h > 0 else (1920, 1080)
        make_picture(pictures / f"picture_{k}.jpg", w, h, k)
        shutil.copy(pictures / f"picture_{k}.jpg", folder / f"picture_{k}.rar")

    data = swf.read_bytes()
    ref_swf = folder / "ref.swf"
    ref_swf.write_bytes(data.replace(TRANSITION_URL, LOCAL_TRANSITION_URL))

    frames = frames_for(total)
    # Our player plays the store's package of the same movie (built by the
    # template_store target), so that it takes the slots from the INI.
    package = args.store / f"{name}.rar"
    if unpacked(package) != data:
        raise RuntimeError(f"{package} is out of date: build the template_store target")
    ours = []
    for f in frames:
        run([str(args.orvane), "render-template", str(package), "--frames", str(f), "--size",
             "1920x1080", "--pictures", str(pictures), "--out", str(folder / "ours")],
            env=dict(os.environ, QT_QPA_PLATFORM="offscreen"), timeout=300)
        ours.append(folder / "ours" / f"frame_{f:04d}.png")
    # Our frame n is the reference's frame n + 1.
    listing = ",".join(str(f + 1) for f in frames)
    run([str(args.ruffle), str(ref_swf), listing, str(folder / "ruffle_%04d.png"),
         "480", "270", "--fps", "60", "--timeout", "170", "--json",
         str(folder / "ruffle.json")], timeout=200)
    facts = json.loads((folder / "ruffle.json").read_text())
    theirs = [folder / f"ruffle_{f + 1:04d}.png" for f in frames]
    values = [psnr(a, b) for a, b in zip(ours, theirs)]
    if args.keep:
        keep = Path(args.keep) / name
        keep.mkdir(parents=True, exist_ok=True)
        for f, a, b in zip(frames, ours, theirs):
            shutil.copy(a, keep / f"ours_{f:04d}.png")
            shutil.copy(b, keep / f"ruffle_{f:04d}.png")
    return {"name": name, "frames": frames, "total": total, "psnr": values,
            "fscommands": facts.get("fscommands")}


def table(rows, threshold):
    lines = ["| template | frames | early dB | middle dB | late dB | min dB |",
             "|---|---|---|---|---|---|"]
    for r in rows:
        if "error" in r:
            lines.append(f"| `{r['name']}` | | | | | error: {r['error']} |")
            continue
        v = r["psnr"]
        low = min(v)
        mark = "" if low >= threshold else " ⚠"
        cells = " | ".join(f"{x:.1f}" for x in v)
        lines.append(f"| `{r['name']}` | {'/'.join(map(str, r['frames']))} of {r['total']} | "
                     f"{cells} | {low:.1f}{mark} |")
    return "\n".join(lines) + "\n"


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--build", default=str(REPO / "build"))
    p.add_argument("--ruffle", default=str(DEFAULT_RUFFLE))
    p.add_argument("--only", help="comma-separated template names")
    p.add_argument("--table", help="write the Markdown table here")
    p.add_argument("--json", help="write the figures as JSON here")
    p.add_argument("--keep", help="copy the compared frames into this folder")
    p.add_argument("--threshold", type=float, default=26.0)
    args = p.parse_args()
    build = Path(args.build)
    args.orvane = build / "orvane"
    args.compiler = build / "tools" / "template-compiler" / "template-compiler"
    args.store = build / "smxcwjj" / "wj_0_or_2" / "wjj_01"
    descs = sorted((REPO / "templates").glob("*.json"))
    if args.only:
        wanted = set(args.only.split(","))
        descs = [d for d in descs if d.stem in wanted]
    rows = []
    with tempfile.TemporaryDirectory(prefix="ruffle-compare-") as tmp:
        for d in descs:
            try:
                r = compare(d, args, Path(tmp))
            except (subprocess.CalledProcessError, subprocess.TimeoutExpired, RuntimeError) as e:
                detail = getattr(e, "stderr", None) or str(e)
                r = {"name": d.stem, "error": str(detail).strip().splitlines()[-1][:120]}
            rows.append(r)
            shown = r.get("psnr") or r.get("error")
            print(f"{d.stem}: {shown}", flush=True)
    text = table(rows, args.threshold)
    if args.table:
        Path(args.table).write_text(text, encoding="utf-8")
    if args.json:
        Path(args.json).write_text(json.dumps(rows, indent=1), encoding="utf-8")
    print(text)
    bad = [r for r in rows if "error" in r or min(r["psnr"]) < args.threshold]
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
