#!/usr/bin/env python3
"""Draws the clock pictures of the documentation with `tavimore render`:

  clocks/<Build>.png    each of the five clock programs as delivered, at 10:10:30
  clocks/<Build>-200.png the same clock on a 200 % screen: left, the 100 % window
                        enlarged pixel for pixel to the size it has there; right, the
                        window as the clock draws itself at 200 %
  clocks/moon-clock.png the clock the main job makes from samples/moon.png, its eight
                        face pictures side by side, at the same time

    docs_pictures.py OUTPUT_DIR --tavimore TAVIMORE --clocks CLOCK_BIN

The pictures are enlarged by whole pixels (no smoothing) and written without time stamps,
so the same programs always give the same bytes; a test regenerates them and compares.
"""
import argparse
import os
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pictures  # noqa: E402
from build_names import build_names  # noqa: E402

BUILDS = build_names()
# Ten past ten with the second hand straight down: the three hands apart, none hiding another.
TIME = "10:10:30"
CLOCK_SCALE = 3
MOON_SCALE = 2
MOON_FRAMES = 8
GAP = 6
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# The main job's sample clock (scripts/demo.sh): the same strip, shape and hands.
MOON_OPTIONS = ["--image", os.path.join(ROOT, "samples", "moon.png"), "--name", "月の時計",
                "--hour", "#FFF4C0,55", "--minute", "#FFFFFF,80", "--second", "#FF6060,90"]


def render(tavimore, clock, out, frame=0, scale=1):
    subprocess.run([tavimore, "render", clock, "--time", TIME, "--frame", str(frame),
                    "--scale", str(scale), "--output", out], check=True,
                   stdout=subprocess.DEVNULL)
    return pictures.read_png(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output")
    parser.add_argument("--tavimore", required=True)
    parser.add_argument("--clocks", required=True, help="folder with the clock programs")
    args = parser.parse_args()
    folder = os.path.join(args.output, "clocks")
    os.makedirs(folder, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for build in BUILDS:
            program = os.path.join(args.clocks, build + ".exe")
            face = render(args.tavimore, program, os.path.join(work, build + ".png"))
            pictures.write_png(os.path.join(folder, build + ".png"),
                               pictures.scaled(face, CLOCK_SCALE))
            sharp = render(args.tavimore, program, os.path.join(work, build + "-2.png"), scale=2)
            pictures.write_png(os.path.join(folder, build + "-200.png"),
                               pictures.side_by_side([pictures.scaled(face, 2), sharp], GAP))
        moon = os.path.join(work, "oriclock.exe")
        subprocess.run([args.tavimore, "build", "--definition",
                        os.path.join(args.clocks, "Pirrow.exe"), "--output", moon] + MOON_OPTIONS,
                       check=True, stdout=subprocess.DEVNULL)
        faces = [render(args.tavimore, moon, os.path.join(work, "moon-%d.png" % k), k)
                 for k in range(MOON_FRAMES)]
        pictures.write_png(os.path.join(folder, "moon-clock.png"),
                           pictures.scaled(pictures.side_by_side(faces, GAP), MOON_SCALE))
    print("docs pictures written to %s" % folder)


if __name__ == "__main__":
    main()
