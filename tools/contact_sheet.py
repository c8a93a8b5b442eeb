#!/usr/bin/env python3
"""Contact sheet of the whole template store: one frame of every template,
played by `orvane render-template` with the sample photos in its slots.

    tools/contact_sheet.py --build build [--out docs/templates.png] [--frame 0.6]

Each slot gets a sample photo (assets/photos) cropped to the slot's size, as
staging would; the transition picture is another sample photo. Needs ffmpeg
and ImageMagick's montage.
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent


def run(cmd, **kw):
    return subprocess.run(cmd, check=True, capture_output=True, text=True, **kw)


def cover(photo, out, w, h):
    """The photo scaled to cover w x h and cropped to it (no stretching)."""
    run(["ffmpeg", "-loglevel", "error", "-y", "-i", str(photo), "-vf",
         f"scale={w}:{h}:force_original_aspect_ratio=increase,crop={w}:{h}",
         "-frames:v", "1", "-q:v", "3", "-f", "image2", "-c:v", "mjpeg", str(out)])


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--build", default=str(REPO / "build"))
    p.add_argument("--out", default=str(REPO / "docs" / "templates.png"))
    p.add_argument("--frame", type=float, default=0.6, help="where in each template (0..1)")
    p.add_argument("--columns", type=int, default=6)
    args = p.parse_args()
    build = Path(args.build)
    compiler = build / "tools" / "template-compiler" / "template-compiler"
    photos = sorted((REPO / "assets" / "photos").glob("*.jpg"))
    descs = sorted((REPO / "templates").glob("*.json"))
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    tiles = []
    with tempfile.TemporaryDirectory(prefix="contact-sheet-") as tmp:
        tmp = Path(tmp)
        for i, d in enumerate(descs):
            work = tmp / d.stem
            work.mkdir()
            swf, ini = work / "movie.swf", work / "movie.ini"
            run([str(compiler), str(d), "--swf", str(swf), "--ini", str(ini)])
            text = ini.read_text(encoding="utf-8")
            def items(key):
                m = re.search(rf"^{key}=\|(.*)\|\s*$", text, re.M)
                return [int(v) for v in m.group(1).split("|")] if m else []
            frames = int(re.search(r"^mbdx=(\d+)", text, re.M).group(1))
            cover(photos[(i * 5) % len(photos)], work / "picture_0.jpg", 1920, 1080)
            for k, (w, h) in enumerate(zip(items("xpkd"), items("xpgd")), 1):
                w, h = (w, h) if w > 0 else (1920, 1080)
                cover(photos[(i * 3 + k) % len(photos)], work / f"picture_{k}.jpg", w, h)
            f = min(frames - 1, round(frames * args.frame))
            # The store's package, so that the player knows the slots from its INI.
            package = build / "smxcwjj" / "wj_0_or_2" / "wjj_01" / f"{d.stem}.rar"
            run([str(build / "orvane"), "render-template", str(package), "--frames", str(f),
                 "--size", "320x180", "--pictures", str(work), "--out", str(work / "out")],
                env=env, timeout=300)
            tiles += ["-label", d.stem, str(work / "out" / f"frame_{f:04d}.png")]
            print(d.stem, flush=True)
        font = run(["fc-match", "-f", "%{file}", "Noto Sans CJK SC"]).stdout.strip()
        full = tmp / "sheet.png"
        run(["montage", *tiles, "-font", font, "-tile", f"{args.columns}x", "-geometry",
             "240x135+5+5", "-background", "#202020", "-fill", "#e0e0e0", "-pointsize", "12",
             str(full)])
        # 256 dithered colours keep the picture under a megabyte for the repository.
        run(["convert", str(full), "-dither", "FloydSteinberg", "-colors", "256",
             "PNG8:" + args.out])
    print("wrote", args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
