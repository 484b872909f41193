#!/usr/bin/env python3
"""A release rebuilt by someone else gives the same bytes. The release is made twice, as a
person makes it (scripts/package.sh: the win32 and win64 presets, then the zips): once in
the source folder, whose build trees are the ones the published zips come from, and once
from scratch in a copy of the source in another folder, of another length, at another
time, with another time zone, locale and umask. Both give the same zips and the same
SHA256SUMS, byte for byte, and no program carries the folder it was built in.

    reproducible_test.py --source ROOT --work DIR

The copy takes the source as it is on disk (tracked files and new ones git does not
ignore). Both runs take the time of the last commit as SOURCE_DATE_EPOCH, which is what a
checkout of that commit gives the packager. A compiler cache, if the environment sets one
up, is used without its base folder, so the copy only ever gets back objects compiled in
that same folder, never the source folder's.
"""
import argparse
import os
import shutil
import subprocess
import sys
import time
import zipfile

sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from release_checks import check, failures, read  # noqa: E402

# The copy's folder, below DIR: its path differs in length from the source folder's, so
# anything that holds a path also moves what follows it.
COPY = "a"
# Each run has other settings a person's machine might have.
SETTINGS = [{"TZ": "Asia/Tokyo", "LC_ALL": "C.UTF-8", "umask": 0o077},
            {"TZ": "UTC", "LC_ALL": "C", "umask": 0o022}]

def source_files(source):
    out = subprocess.run(["git", "-C", source, "ls-files", "-z", "--cached", "--others",
                          "--exclude-standard"], stdout=subprocess.PIPE, check=True).stdout
    names = sorted({n for n in out.decode("utf-8").split("\0") if n})
    # A tracked file deleted in the working tree is not part of the source at hand.
    return [n for n in names if os.path.isfile(os.path.join(source, n))]


def copy_source(source, names, target):
    shutil.rmtree(target, ignore_errors=True)
    for name in names:
        destination = os.path.join(target, name)
        os.makedirs(os.path.dirname(destination), exist_ok=True)
        shutil.copy2(os.path.join(source, name), destination)


def commit_time(source):
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return os.environ["SOURCE_DATE_EPOCH"]
    return subprocess.run(["git", "-C", source, "log", "-1", "--format=%ct"],
                          stdout=subprocess.PIPE, universal_newlines=True,
                          check=True).stdout.strip()


def make_release(folder, dist, epoch, settings):
    env = dict(os.environ, SOURCE_DATE_EPOCH=epoch, TZ=settings["TZ"],
               LC_ALL=settings["LC_ALL"])
    env.pop("CCACHE_BASEDIR", None)
    shutil.rmtree(dist, ignore_errors=True)
    started = time.monotonic()
    old_umask = os.umask(settings["umask"])
    try:
        result = subprocess.run(["bash", os.path.join(folder, "scripts", "package.sh"), dist],
                                env=env, cwd=folder)
    finally:
        os.umask(old_umask)
    check(result.returncode == 0, "the release is made in %s (%.0f s)" % (
        folder, time.monotonic() - started))
    return dist


def first_difference(a, b):
    for offset, (x, y) in enumerate(zip(a, b)):
        if x != y:
            return offset
    return min(len(a), len(b))


def explain(zip_a, zip_b):
    """Which entries of two zips differ, and where: what to fix."""
    with zipfile.ZipFile(zip_a) as a, zipfile.ZipFile(zip_b) as b:
        names_a, names_b = a.namelist(), b.namelist()
        if names_a != names_b:
            print("  entries differ: %s / %s" % (names_a, names_b))
            return
        for info_a, info_b in zip(a.infolist(), b.infolist()):
            data_a, data_b = a.read(info_a), b.read(info_b)
            if data_a != data_b:
                print("  %s: %d / %d bytes, first difference at offset %d" % (
                    info_a.filename, len(data_a), len(data_b),
                    first_difference(data_a, data_b)))
            elif (info_a.date_time, info_a.external_attr) != (info_b.date_time,
                                                              info_b.external_attr):
                print("  %s: same data, other time or attributes" % info_a.filename)


def check_no_paths(dist, folder):
    """No file of the release names a folder a build ran in, in single bytes or UTF-16."""
    clean = True
    for name in sorted(os.listdir(dist)):
        if not name.endswith(".zip"):
            continue
        with zipfile.ZipFile(os.path.join(dist, name)) as z:
            for info in z.infolist():
                data = z.read(info)
                if folder.encode() in data or folder.encode("utf-16-le") in data:
                    clean = check(False, "%s %s holds the build folder %s" % (
                        name, info.filename, folder))
    if clean:
        check(True, "no file in %s names %s" % (dist, folder))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()
    source = os.path.realpath(args.source)
    work = os.path.realpath(args.work)
    names = source_files(source)
    epoch = commit_time(source)
    print("%d source files, SOURCE_DATE_EPOCH=%s" % (len(names), epoch))

    copy = os.path.join(work, COPY)
    copy_source(source, names, copy)
    dists = [make_release(source, os.path.join(work, "dist-source"), epoch, SETTINGS[0]),
             make_release(copy, os.path.join(work, "dist-copy"), epoch, SETTINGS[1])]
    if failures:
        return 1

    listings = [sorted(os.listdir(d)) for d in dists]
    check(listings[0] == listings[1] and "SHA256SUMS" in listings[0] and
          sum(n.endswith(".zip") for n in listings[0]) >= 2,
          "both folders give the same files, the zips and SHA256SUMS (%s, %s)" % tuple(listings))
    for name in listings[0]:
        a, b = (os.path.join(d, name) for d in dists)
        if not os.path.isfile(b):
            continue
        same = read(a) == read(b)
        check(same, "%s is the same, byte for byte, from both folders (%d bytes)" % (
            name, os.path.getsize(a)))
        if not same and name.endswith(".zip"):
            explain(a, b)
    for dist in dists:
        for folder in (source, copy):
            check_no_paths(dist, folder)

    print("%d failed" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
