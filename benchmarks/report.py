#!/usr/bin/env python3
"""Turns the Google Benchmark JSON files of one run into the table of figures and goals.

Usage: report.py RESULT.json ...
Exits with 1 when a figure misses its goal or is missing from the results.

Usage: report.py --check-goals DOCUMENT
Exits with 1 unless the results table of DOCUMENT (docs/performance.md) lists the figures this
report makes, with the goals it holds them to. The goals are stated here and nowhere else.
"""

import json
import os
import re
import sys

def load(paths):
    """Benchmark entries by name, without the iterations/repeats/time suffixes.

    The median of repeated runs stands for the benchmark, the quickest median where it ran once
    on each core; a single run stands for itself; a benchmark that reported an error in any run
    stands as None. Unreadable files are skipped.
    """
    results = {}
    for path in paths:
        try:
            with open(path, encoding="utf-8") as file:
                entries = json.load(file)["benchmarks"]
        except (OSError, ValueError, KeyError):
            continue
        for entry in entries:
            name = "/".join(
                part
                for part in entry["run_name"].split("/")
                if ":" not in part and part not in ("real_time", "manual_time")
            )
            if entry.get("error_occurred") or (name in results and results[name] is None):
                results[name] = None
            elif entry.get("aggregate_name") == "median" or (
                entry["run_type"] == "iteration" and name not in results
            ):
                kept = results.get(name)
                if (
                    kept is None
                    or kept.get("aggregate_name") != "median"
                    or seconds(entry, "cpu_time") < seconds(kept, "cpu_time")
                ):
                    results[name] = entry
    return results


SCALE = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def seconds(entry, clock):
    return entry[clock] * SCALE[entry["time_unit"]]


def duration(value):
    for unit, factor in (("s", 1.0), ("ms", 1e-3), ("µs", 1e-6)):
        if value >= factor:
            return f"{value / factor:.3g} {unit}"
    return f"{value / 1e-9:.3g} ns"


class Table:
    def __init__(self, results, sources):
        self.results = results
        self.sources = sources
        self.rows = []
        self.failed = False

    def get(self, name):
        return self.results.get(name)

    def add(self, figure, measured, baseline, ratio, goal, passed):
        self.failed |= not passed
        self.rows.append((figure, measured, baseline, ratio, goal, "pass" if passed else "FAIL"))

    def missing(self, figure, goal):
        self.add(figure, "missing", "", "", goal, False)

    def pair(self, figure, goal, name, baseline, clock):
        """A figure and its baseline in seconds; None, with the figure marked missing, without."""
        measured, base = self.get(name), self.get(baseline)
        if not measured or not base:
            self.missing(figure, goal)
            return None
        return seconds(measured, clock), seconds(base, clock)

    def against(self, figure, name, baseline, clock, limit, label):
        """A figure whose goal is a ratio to a baseline measured beside it."""
        goal = f"≤ {limit:g}×"
        if not (values := self.pair(figure, goal, name, baseline, clock)):
            return
        value, floor = values
        ratio = value / floor
        self.add(figure, duration(value), f"{duration(floor)} {label}", f"{ratio:.1f}×", goal,
                 ratio <= limit)

    def over(self, figure, name, baseline, clock, limit):
        """A figure whose goal is a time added to a baseline measured beside it."""
        goal = f"≤ {duration(limit)} over it"
        if not (values := self.pair(figure, goal, name, baseline, clock)):
            return
        value, floor = values
        self.add(figure, duration(value), f"{duration(floor)} bare GET",
                 f"+{duration(value - floor)}", goal, value - floor <= limit)

    def print(self):
        header = ("Figure", "Measured", "Baseline (same run)", "Ratio", "Goal", "Result")
        widths = [max(len(row[i]) for row in self.rows + [header]) for i in range(len(header))]
        for row in [header, tuple("-" * w for w in widths)] + self.rows:
            print("| " + " | ".join(cell.ljust(w) for cell, w in zip(row, widths)) + " |")


# Cutting a page costs at most 20 plain scans of it. The limit pages hold a tag or a cell end every
# eight to ten characters, where what each stop costs (a search that ends, a copy, a field)
# outweighs the characters passed over: their goal, and that of KillTags, comes from their profile
# (docs/performance.md, the notes on the goals).
PAGES = [("Fixture", "realistic page", 20), ("Limit", "16-bit limit page", 30)]


def extractions(table):
    for source in table.sources:
        for page, description, limit in PAGES:
            table.against(f"{source} extraction, {description}", f"{source}/Extract/{page}",
                          f"{source}/Scan/{page}", "cpu_time", limit, "scan")


def markers(table):
    table.against("KillTags, 32,000-character page", "BM_KillTags_Page", "BM_Scan_KillTagsPage",
                  "cpu_time", 6, "scan")
    table.against("Parse, last of 1,000 fields", "BM_Parse_LastField", "BM_Scan_ParseText",
                  "cpu_time", 5, "scan")


# Two cores cut saved pages as fast as one core reads them and scans them once, when one page
# costs at most four such reads and scans.
def pages(table):
    table.against("billboard sample page, file to TSV lines", "PageSteps/billboard/All",
                  "PageSteps/billboard/ReadAndScan", "cpu_time", 4, "read and scan")


# A person cannot see less than one frame at 60 Hz: what the window adds to the download, painting
# every stage of it included, stays within that.
ONE_FRAME = 1 / 60


def end_to_end(table):
    for source in table.sources:
        table.over(f"{source}: click on Get to \"Done.\" (median of 20)",
                   f"EndToEnd/{source}/Window", f"EndToEnd/{source}/BareGet", "real_time", ONE_FRAME)


def waiting(table):
    figure, goal = "Processor time while waiting 3 s on a stalled server", "< 1 %"
    entry = table.get("BM_WaitOnStalledServer")
    if not entry:
        table.missing(figure, goal)
        return
    share = entry["cpu_share"]
    wall = seconds(entry, "real_time")
    table.add(figure, f"{duration(share * wall)} CPU", f"{duration(wall)} wall",
              f"{share * 100:.2f} %", goal, share < 0.01)


def start_up(table):
    window, bare = table.get("StartUp/Window"), table.get("StartUp/BareWidget")
    figure, goal = "Start-up to the first painted frame", "< 300 ms"
    if not window or not bare:
        table.missing(figure, goal)
    else:
        value, floor = seconds(window, "real_time"), seconds(bare, "real_time")
        table.add(figure, duration(value), f"{duration(floor)} empty widget",
                  f"{value / floor:.1f}×", goal, value < 0.3)
    figure, goal = "Peak resident memory, every list filled", "< 80 MB"
    if not window or not bare:
        table.missing(figure, goal)
    else:
        value, floor = window["peak_mb"], bare["peak_mb"]
        table.add(figure, f"{value:.1f} MB", f"{floor:.1f} MB empty widget",
                  f"{value / floor:.1f}×", goal, value < 80)


# One vandrel-fetch run over 10,000 saved pages, on both cores, takes at most twice as long as one
# core takes to read each of those files and scan it once; its peak memory is the same, within a
# tenth, for 1,000 pages as for 10,000, and under 60 MB.
WHOLE_RUN_RATIO, MEMORY_GROWTH, MEMORY_MB = 2, 0.10, 60


def whole_run(table):
    run, loop = table.get("WholeRun/Fetch/10000"), table.get("WholeRun/PlainLoop")
    figure, goal = "One vandrel-fetch run, 10,000 saved Billboard pages", f"≤ {WHOLE_RUN_RATIO}×"
    if not run or not loop:
        table.missing(figure, goal)
    else:
        value, floor = seconds(run, "real_time"), seconds(loop, "real_time")
        table.add(figure, f"{run['pages'] / value:,.0f} pages/s, load {run['load']:.1f}",
                  f"{loop['pages'] / floor:,.0f} pages/s plain loop", f"{value / floor:.1f}×",
                  goal, value / floor <= WHOLE_RUN_RATIO)
    few = table.get("WholeRun/Fetch/1000")
    figure = "Peak memory of that run, 10,000 against 1,000 pages"
    goal = f"within {MEMORY_GROWTH:.0%}, < {MEMORY_MB} MB"
    if not run or not few:
        table.missing(figure, goal)
        return
    many, less = run["peak_mb"], few["peak_mb"]
    table.add(figure, f"{many:.1f} MB", f"{less:.1f} MB at 1,000 pages",
              f"{(many / less - 1) * 100:+.0f} %", goal,
              abs(many - less) <= MEMORY_GROWTH * less and many < MEMORY_MB)


def machine():
    model = "unknown processor"
    with open("/proc/cpuinfo", encoding="utf-8") as cpuinfo:
        for line in cpuinfo:
            match = re.match(r"model name\s*:\s*(.*)", line)
            if match:
                model = match.group(1).strip()
                break
    return f"{os.cpu_count()} cores, {model}"


def sources_in(names):
    """The sources that the benchmarks measured, in the order they ran: each names its extraction
    <source>/Extract/Fixture and its window figure EndToEnd/<source>/Window."""
    sources = []
    for name in names:
        parts = name.split("/")
        if name.endswith("/Extract/Fixture"):
            sources.append(parts[0])
        elif parts[0] == "EndToEnd" and parts[-1] == "Window":
            sources.append(parts[1])
    return list(dict.fromkeys(sources))


def make_table(results, sources):
    table = Table(results, sources)
    for section in (extractions, markers, pages, end_to_end, waiting, start_up, whole_run):
        section(table)
    return table


def check_goals(path):
    """The figures and goals of the document's results table against those of this report."""
    with open(path, encoding="utf-8") as file:
        shown = [[cell.strip() for cell in line.strip().strip("|").split("|")]
                 for line in file if line.startswith("| ")]
    shown = [(row[0], row[4]) for row in shown[1:] if len(row) == 6 and "---" not in row[0]]
    sources = sources_in(f"{figure.split(' extraction')[0]}/Extract/Fixture"
                         for figure, _ in shown if figure.endswith(" extraction, realistic page"))
    wanted = [(row[0], row[4]) for row in make_table({}, sources).rows]
    for figure, goal in sorted(set(shown) ^ set(wanted)):
        print(f"{path}: {'not in the report' if (figure, goal) in shown else 'missing'}: "
              f"{figure}, {goal}")
    return 0 if shown == wanted else 1


def main(paths):
    if paths[:1] == ["--check-goals"]:
        return check_goals(paths[1])
    results = load(paths)
    table = make_table(results, sources_in(results))
    print(f"Machine: {machine()}")
    print()
    table.print()
    return 1 if table.failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
