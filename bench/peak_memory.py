"""Runs a command and prints the peak resident memory, in KiB, of the program it runs, and
the command's time from start to end in seconds.

  peak_memory.py [--find NAME] COMMAND [ARG...]

The program is the command's own process once it has replaced this script's copy of
itself (a forked copy would count this script's memory), or with --find, for a 32-bit
program under Wine, which runs in a process of its own beside the command's (a launcher),
the process whose command line names the program file NAME (a path unique to the caller)
and is not the launcher. Its peak (VmHWM, which only grows and starts again at each exec)
is read every millisecond until it ends, so the figure misses at most the last
millisecond. Exits with the command's exit code.
"""
import os
import subprocess
import sys
import time


def read(pid, name):
    try:
        with open(f"/proc/{pid}/{name}", "rb") as f:
            return f.read()
    except OSError:
        return None


def peak_kib(pid):
    for line in (read(pid, "status") or b"").splitlines():
        if line.startswith(b"VmHWM:"):
            return int(line.split()[1])
    return None


def named_process(name, launcher):
    name = name.lower().replace("/", "\\").encode()  # Wine shows the Windows path
    for entry in os.listdir("/proc"):
        if entry.isdigit() and int(entry) not in (launcher, os.getpid()):
            line = (read(entry, "cmdline") or b"").replace(b"\0", b" ").lower()
            if name in line and b"start.exe" not in line:
                return int(entry)
    return None


def main():
    args = sys.argv[1:]
    name = None
    if args[:1] == ["--find"]:
        name, args = args[1], args[2:]
    own = read(os.getpid(), "cmdline")
    start = time.monotonic()
    process = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    program, peak = (process.pid if name is None else None), None
    while True:
        running = process.poll() is None
        if program is None and name is not None:
            program = named_process(name, process.pid)
        if program is not None and read(program, "cmdline") not in (own, None):
            reading = peak_kib(program)
            if reading is not None:
                peak = max(peak or 0, reading)
            elif name is not None:
                break  # the program has ended
        if not running and (name is None or program is None):
            break
        time.sleep(0.001)
    process.wait()
    print(peak if peak is not None else "?", f"{time.monotonic() - start:.2f}")
    sys.exit(process.returncode)


if __name__ == "__main__":
    main()
