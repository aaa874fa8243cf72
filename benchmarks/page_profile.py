#!/usr/bin/env python3
"""The instructions one saved page costs, step by step, as callgrind counts them.

Usage: page_profile.py [SOURCE] [--top N] [--program PATH]
       (default: billboard, the top 12 functions, build-bench's page_steps_bench)

Runs page_steps_bench's PageSteps/SOURCE/All under callgrind, collecting only inside the chain of
steps, and prints each step's instructions per page and the functions that cost the most
instructions per page themselves. Instruction counts do not move with the machine's load, so they
compare runs made while other work shares the processor. Needs the bench tree (scripts/bench, or
scripts/build bench page_steps_bench) and valgrind.
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BENCH = os.path.join(ROOT, "build-bench", "benchmarks", "page_steps_bench")

# Each step of the chain and the function of page_steps_bench.cpp that takes it.
STEPS = [
    ("reading the file", "readPage("),
    ("the charset and decoding", "decoded("),
    ('the "&amp;" pass', "withPlainAmpersands("),
    ("QString to std::u16string", "copied("),
    ("the extraction, rows kept", "extracted("),
    ("the TSV lines in UTF-8", "tsv("),
]

LINE = re.compile(r"^\s*([\d,]+) \([\s\d.]+%\)\s+([<*>])\s+(.*)$")


def annotate(profile, *options):
    return subprocess.run(["callgrind_annotate", *options, profile], check=True,
                          capture_output=True, text=True).stdout


def cost(text):
    return int(text.replace(",", ""))


def function_name(entry):
    """The function of an annotate entry, without its file and object."""
    name = re.sub(r"\s*(\(\d[\d,]*x\))?\s*\[[^\]]*\]$", "", entry)
    return name.split(":", 1)[1] if name.startswith(("???:", "./", "/")) else name


def short(name, width=90):
    """A function's name as the tables show it: without its parameters and template arguments."""
    searcher = re.match(r".*firstAccepted<vandrel::(?:\(anonymous namespace\)::)?(\w+)", name)
    if searcher:
        return f"firstAccepted` in `{searcher.group(1)}"
    if "memcpy" in name or "memmove" in name:
        return "memcpy"
    name = re.sub(r"\[abi:cxx11\]", "", name)
    name = re.sub(r"^vandrel::(\(anonymous namespace\)::)?", "", name)
    base = name.split("(")[0]
    return base if len(base) <= width else base[: width - 3] + "..."


def callers(profile):
    """The first caller of every function, by name: Qt's unnamed functions are named by theirs."""
    first = {}
    for block in annotate(profile, "--tree=caller", "--threshold=100").split("\n\n"):
        caller = None
        for line in block.splitlines():
            match = LINE.match(line)
            if match and match.group(2) == "<" and caller is None:
                caller = function_name(match.group(3))
            elif match and match.group(2) == "*" and caller:
                first.setdefault(function_name(match.group(3)), caller)
    return first


def steps(profile):
    """Inclusive instructions of each step, and the number of pages (the calls of the first)."""
    found, pages = {}, 0
    for block in annotate(profile, "--inclusive=yes", "--tree=caller", "--threshold=100").split("\n\n"):
        for line in block.splitlines():
            match = LINE.match(line)
            if not match:
                continue
            instructions, kind, entry = cost(match.group(1)), match.group(2), match.group(3)
            calls = re.search(r"\((\d[\d,]*)x\)", entry)
            if kind == "<" and "allSteps(" in entry and calls and "*  ???:vandrel::(anonymous namespace)::extracted(" in block:
                pages = max(pages, cost(calls.group(1)))
            if kind == "*":
                for label, function in STEPS:
                    if re.search(r"(^|::)" + re.escape(function), function_name(entry)):
                        found[label] = instructions
    return found, pages


def totals_and_top(profile, count):
    """Every instruction collected, and the functions that cost the most on their own."""
    total, rows = 0, []
    for line in annotate(profile).splitlines():
        match = re.match(r"^\s*([\d,]+) \([\s\d.]+%\)\s+(\S.*)$", line)
        if not match:
            continue
        if "PROGRAM TOTALS" in match.group(2):
            total = cost(match.group(1))
        else:
            rows.append((cost(match.group(1)), function_name(match.group(2))))
    return total, rows[:count]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("source", nargs="?", default="billboard")
    parser.add_argument("--top", type=int, default=12)
    parser.add_argument("--program", default=BENCH)
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as directory:
        profile = os.path.join(directory, "callgrind.out")
        subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={profile}",
                        "--toggle-collect=*allSteps*", args.program,
                        f"--benchmark_filter=^PageSteps/{args.source}/All$",
                        "--benchmark_min_time=0.5"],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        found, pages = steps(profile)
        if not pages:
            print(f"page_profile.py: no pages of {args.source} were profiled", file=sys.stderr)
            return 1
        total, heaviest = totals_and_top(profile, args.top)
        print(f"{pages} {args.source} pages; instructions per page:")
        print()
        print("| Step | Instructions per page |")
        print("| --- | ---: |")
        for label, _ in STEPS:
            print(f"| {label} | {found.get(label, 0) // pages:,} |")
        print(f"| the whole chain | {total // pages:,} |")
        print()
        print("| Function (its own instructions) | Per page |")
        print("| --- | ---: |")
        named = callers(profile)
        for instructions, name in heaviest:
            shown = f"`{short(name)}`"
            if name.startswith("0x"):
                shown = f"Qt, inside `{short(named.get(name, '?'))}`"
            elif shown == "`memcpy`":
                shown += " (glibc: each byte of a large copy counts as an instruction)"
            print(f"| {shown} | {instructions // pages:,} |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
