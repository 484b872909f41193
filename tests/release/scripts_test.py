#!/usr/bin/env python3
"""The scripts and benchmarks the README names, and every shell script run rather than only
sourced, at least start: they exist, parse (bash -n, or Python's compiler), and call only
functions defined in them or in the files they source, or commands on PATH. Names of our
functions' form (lower case with an underscore), which no command we call has, are
checked. Those that are cheap to run are run.

    scripts_test.py SOURCE_DIR
"""
import os
import re
import shutil
import subprocess
import sys

SOURCED = re.compile(r'^\s*(?:source|\.)\s+"(\$\(dirname "[^"]+"\)|\$\{?(\w+)\}?)(/[^"]+)"', re.M)
DEFINED = re.compile(r"^\s*(?:function\s+)?([A-Za-z_][\w-]*)\s*\(\)", re.M)
CALLED = re.compile(r"(?:^|[;&|`]|(?<![=$])\(|\$\(|\b(?:then|do|else|if|while|until|!)\s)\s*"
                    r"([a-z][a-z0-9]*_[a-z0-9_]*)(?=\s|$|;|\)|&|\|)")
HEREDOC = re.compile(r"<<-?\s*'?\"?(\w+)'?\"?")
# Quick without a display or Wine: the arguments, and the exit code.
CHEAP_RUNS = {
    "scripts/wine_root.sh": (["--path"], 0),
    "scripts/private_wine.sh": ([], 2),
    "scripts/private_x.sh": ([], 2),
}


def code_lines(text):
    """The lines of shell code in a script: no comments, here-documents, single-quoted
    strings or arithmetic, where names stand that are not commands."""
    kept, end = [], None
    for line in text.splitlines():
        if end is not None:
            end = None if line.strip() == end else end
            continue
        line = re.sub(r"(^|\s)#.*$", "", line)
        match = HEREDOC.search(line)
        if match:
            end = match.group(1)
        kept.append(line)
    code = re.sub(r"'[^']*'", "''", "\n".join(kept), flags=re.S)
    return without_arithmetic(code).splitlines()


def without_arithmetic(code):
    """The code with each ((...)) cut out, nested parentheses and all."""
    out, at = [], 0
    while True:
        start = code.find("((", at)
        if start < 0:
            return "".join(out) + code[at:]
        out.append(code[at:start])
        depth, i = 0, start
        while i < len(code):
            depth += {"(": 1, ")": -1}.get(code[i], 0)
            i += 1
            if depth == 0:
                break
        at = i


def sourced_files(path, source, problems):
    """The files `path` sources, by their paths."""
    found = []
    for match in SOURCED.finditer(open(path, encoding="utf-8").read()):
        base, variable, rest = match.groups()
        if base.startswith("$(dirname") or variable == "here":
            folder = os.path.dirname(path)
        elif variable in ("ROOT", "root"):
            folder = source
        else:
            problems.append("%s: sources %s%s, which this test cannot find" % (path, base, rest))
            continue
        found.append(os.path.normpath(folder + rest))
    return found


def with_sourced(path, source, problems):
    seen, todo = [], [path]
    while todo:
        current = todo.pop()
        if current in seen:
            continue
        if not os.path.isfile(current):
            problems.append("%s is sourced but missing" % current)
            continue
        seen.append(current)
        todo += sourced_files(current, source, problems)
    return seen


def check_shell(path, source, problems):
    result = subprocess.run(["bash", "-n", path], stderr=subprocess.PIPE)
    if result.returncode != 0:
        problems.append("%s does not parse: %s" % (path, result.stderr.decode().strip()))
        return
    files = with_sourced(path, source, problems)
    defined = set()
    for f in files:
        defined.update(DEFINED.findall(open(f, encoding="utf-8").read()))
    for f in files:
        for line in code_lines(open(f, encoding="utf-8").read()):
            for name in CALLED.findall(line):
                if name not in defined and not shutil.which(name):
                    problems.append("%s (through %s): calls %s, defined nowhere" % (
                        os.path.relpath(f, source), os.path.relpath(path, source), name))


def main():
    source = os.path.abspath(sys.argv[1])
    problems = []
    readme = open(os.path.join(source, "README.md"), encoding="utf-8").read()
    named = sorted(set(re.findall(r"\b((?:scripts|bench|tests)/[\w./-]+\.(?:sh|py))\b", readme)))
    shell = set()
    for relative in named:
        path = os.path.join(source, relative)
        if not os.path.isfile(path):
            problems.append("the README names %s, which is not there" % relative)
        elif relative.endswith(".py"):
            try:
                compile(open(path, encoding="utf-8").read(), path, "exec")
            except SyntaxError as error:
                problems.append("%s does not compile: %s" % (relative, error))
        else:
            shell.add(path)
    listed = subprocess.run(["git", "-C", source, "ls-files", "-co", "--exclude-standard", "*.sh"],
                            stdout=subprocess.PIPE, check=True).stdout.decode().split()
    everything = [p for p in (os.path.join(source, f) for f in listed) if os.path.isfile(p)]
    libraries = {f for path in everything for f in sourced_files(path, source, [])}
    shell.update(f for f in everything if f not in libraries or f in shell)
    for path in sorted(shell):
        check_shell(path, source, problems)
    for relative, (args, code) in CHEAP_RUNS.items():
        result = subprocess.run(["bash", os.path.join(source, relative)] + args,
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=60)
        if result.returncode != code:
            problems.append("%s %s: exit code %d, not %d (%s)" % (
                relative, " ".join(args), result.returncode, code, result.stderr.decode().strip()))
    for problem in problems:
        print("FAILED: " + problem)
    print("%d scripts checked, %d README paths; %d problems" % (len(shell), len(named), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
