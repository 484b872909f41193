#!/usr/bin/env python3
"""TavimoreEdit under Wine, used the way a person uses it: keys and clicks through xdotool,
what the screen shows from screenshots, texts and focus read through the window system.

    editor_test.py prefix --locale C|ja --display :N --prefix DIR --locale-dir DIR
    editor_test.py run SCENARIO --locale C|ja --display :N --prefix DIR --locale-dir DIR \
        --bin DIR --tavimore EXE --probe EXE --work DIR [--screenshot PNG]

`prefix` makes the Wine prefix that the scenarios of one locale share, one after another.
`run` runs the scenario of scenario_SCENARIO.py (its function run) in a Scenario of
editor_session.py.
"""
import argparse
import importlib
import os
import sys
import time

sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from editor_session import BUILDS, Scenario, TestFailure, check  # noqa: E402
from wine_session import SCREEN, prepare_prefix  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("action", choices=["prefix", "run"])
    parser.add_argument("scenario", nargs="?")
    parser.add_argument("--locale", choices=["C", "ja"], required=True)
    parser.add_argument("--display", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--locale-dir", required=True)
    parser.add_argument("--bin")
    parser.add_argument("--tavimore")
    parser.add_argument("--probe")
    parser.add_argument("--work")
    parser.add_argument("--screenshot")
    args = parser.parse_args()
    if args.action == "prefix":
        start = time.time()
        prepare_prefix(args.prefix, args.display, args.locale, args.locale_dir)
        print("prefix %s ready in %.1f s" % (args.prefix, time.time() - start))
        return 0
    for exe in ("TavimoreEdit.exe",) + tuple(b + ".prm" for b in BUILDS):
        check(os.path.isfile(os.path.join(args.bin, exe)),
              "%s is missing from %s: build the Windows presets first" % (exe, args.bin))
    scenario = importlib.import_module("scenario_" + args.scenario)
    # A scenario may need a larger screen than the others (its module's SCREEN).
    sc = Scenario(args, args.scenario, getattr(scenario, "SCREEN", SCREEN))
    start = time.time()
    try:
        scenario.run(sc)
    except TestFailure:
        # What the screen showed when it went wrong, for whoever reads the failure.
        shot = os.path.join(args.work, "%s-failure.png" % args.scenario)
        try:
            sc.session.screenshot(save_png=shot)
            print("screen at the failure: %s" % shot)
        except Exception:  # the failure itself matters more than its picture
            pass
        raise
    finally:
        sc.session.stop()
    print("%s (%s): passed in %.1f s" % (args.scenario, args.locale, time.time() - start))
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except TestFailure as failure:
        print("FAILED: %s" % failure, flush=True)
        sys.exit(1)
