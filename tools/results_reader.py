"""Reads the results files that triangles, cube and screens write, from any run, and prints
one summary row per file; compares several runs with the ratio of each figure to the first.

    /usr/bin/python3 tools/results_reader.py FILE...
    /usr/bin/python3 tools/results_reader.py --compare A B [C...] [--plots DIR]

A results file (or, with --compare, also the JSON of a suite run) is read line by line. A
file cut short (a run killed mid-frame), an empty file or foreign text gives a message that
names the file and the line, and the figures that could be read all the same.
"""

from __future__ import annotations

import argparse
import dataclasses
import json
import math
import re
import statistics
import sys
from pathlib import Path
from typing import Optional

NUMBER = r"(-?(?:\d+(?:\.\d*)?(?:e[-+]\d+)?|inf|nan))"
TITLES = {"triangles": "Triangles", "cube": "Cube", "screens": "Screens"}
BANNER = re.compile(r"^Vermora :: Veltrandion Benchmark Graphics (Triangles|Cube|Screens) for "
                    r"Windows on x86 64bit system 2023\.01\.13\.$")
NAME = re.compile(r"results_(triangles|cube|screens)_windows @ local date")
INIT = re.compile(rf"^It spent: {NUMBER} Secs to Initialize\.$")

# Each frame block, line by line: (pattern, field the number goes to or None).
FRAME_LINES = {
    "triangles": [(r"^window: (-?\d+)$", "window"), (r"^It drew (-?\d+) Triangles\.$", "triangles"),
                  (rf"^It spent: {NUMBER} Secs\. $", "seconds"),
                  (rf"^It was: {NUMBER} Angles/sec\.$", "angles_per_second"),
                  (rf"^It was: {NUMBER} Triangles/sec\.$", "rate"), (r"^$", None)],
    "cube": [(r"^window: (-?\d+)$", "window"), (rf"^The system spent: {NUMBER} Secs\. $", "seconds"),
             (rf"^It was: {NUMBER} Angles/sec\.$", "angles_per_second"),
             (rf"^It was: {NUMBER} Vertex/sec\.$", "rate"), (r"^$", None)],
    "screens": [(r"^window: (-?\d+)$", "window"),
                (rf"^The system spent: {NUMBER} Secs\. $", "seconds"),
                (rf"^It was: {NUMBER} Charaters/sec\.$", "rate"), (r"^$", None)],
}
RATE_UNIT = {"triangles": "Triangles/sec", "cube": "Vertex/sec", "screens": "Charaters/sec"}

# Summary lines: (pattern, label as the program writes it). Blank lines around are optional.
SUMMARIES = {
    "triangles": {
        "esc": [(rf"^Total running time:  {NUMBER} Secs\. $", "Total running time (Secs)"),
                (rf"^Average: {NUMBER} Angles/Sec\.$", "Average Angles/Sec"),
                (rf"^Average: {NUMBER} Triangles/Sec\.$", "Average Triangles/Sec")],
        "limit": [(rf"^Total running time:  {NUMBER} Secs\. ?$", "Total running time (Secs)"),
                  (rf"^Average Angles/Sec: {NUMBER} Angles/Sec\.$", "Average Angles/Sec"),
                  (rf"^Average Triangles/Sec: {NUMBER} Triangles/Sec\.$",
                   "Average Triangles/Sec")],
    },
    "cube": {"esc": [(rf"^Total machine time:  {NUMBER} Secs\. $", "Total machine time (Secs)"),
                     (rf"^Average: {NUMBER} Angles/Sec\.$", "Average Angles/Sec"),
                     (rf"^Average: {NUMBER} Vertex/Sec\.$", "Average Vertex/Sec")]},
    "screens": {"esc": [(rf"^Total machine time:  {NUMBER} Secs\. $",
                         "Total machine time (Secs)"),
                        (rf"^Average: {NUMBER} Characters/Sec\.$", "Average Characters/Sec")]},
}
PLAIN = [(r"^Plain Output$", None), (r"^$", None),
         (rf"^The system spent: {NUMBER} Secs\. $", "plain_seconds"),
         (rf"^Conventionally, it was: {NUMBER} Characters/sec\.$", "plain_rate"),
         (r"^$", None), (r"^$", None), (r"^Graphical Output$", None), (r"^$", None)]


@dataclasses.dataclass
class Frame:
    seconds: float
    rate: float
    window: int = 0
    triangles: Optional[int] = None
    angles_per_second: Optional[float] = None


@dataclasses.dataclass
class RunResults:
    """What one results file holds, and what was wrong with it."""

    source: str
    program: Optional[str] = None
    init_seconds: Optional[float] = None
    frames: list[Frame] = dataclasses.field(default_factory=list)
    summary_kind: Optional[str] = None  # "esc", "limit" or None when the run did not finish
    summary: dict[str, str] = dataclasses.field(default_factory=dict)  # as written
    plain: dict[str, str] = dataclasses.field(default_factory=dict)  # screens' console phase
    problems: list[str] = dataclasses.field(default_factory=list)

    def problem(self, line: Optional[int], message: str) -> None:
        where = f"{self.source}:{line}" if line else self.source
        self.problems.append(f"{where}: {message}")

    def frame_seconds(self) -> list[float]:
        return [f.seconds for f in self.frames]

    def row(self) -> dict:
        """The summary row: the figures a user compares between runs."""
        times = sorted(self.frame_seconds())
        row = {"program": self.program, "source": self.source,
               "initialisation_seconds": self.init_seconds, "frames": len(self.frames),
               "frame_min": times[0] if times else None,
               "frame_median": statistics.median(times) if times else None,
               "frame_p95": percentile(times, 95) if times else None,
               "frame_max": times[-1] if times else None,
               "summary_kind": self.summary_kind}
        row.update({f"summary: {k}": v for k, v in self.summary.items()})
        row.update({f"plain: {k}": v for k, v in self.plain.items()})
        return row


def percentile(sorted_values: list[float], percent: float) -> float:
    """Nearest-rank percentile of values already sorted."""
    rank = max(1, math.ceil(percent / 100 * len(sorted_values)))
    return sorted_values[rank - 1]


def read_lines(path: Path, results: RunResults) -> list[str]:
    data = path.read_bytes()
    if not data:
        results.problem(None, "the file is empty")
        return []
    text = data.decode("latin-1").replace("\r\n", "\n")
    lines = text.split("\n")
    if lines[-1] == "":
        lines.pop()
    else:
        results.problem(len(lines), "the last line is cut short (no end of line); it is "
                                    "left out")
        lines.pop()
    return lines


def identify(path: Path, lines: list[str], results: RunResults) -> Optional[str]:
    by_name = NAME.search(path.name)
    by_banner = BANNER.match(lines[0]) if lines else None
    banner_program = by_banner.group(1).lower() if by_banner else None
    name_program = by_name.group(1) if by_name else None
    if banner_program and name_program and banner_program != name_program:
        results.problem(1, f"the banner names {banner_program} but the file name {name_program}")
    program = banner_program or name_program
    if lines and not by_banner:
        results.problem(1, "the first line is not a banner of triangles, cube or screens")
    return program


def match_block(lines: list[str], at: int, patterns) -> Optional[dict]:
    """The fields of the block of patterns at line index at, or None if it does not match
    there; a block that runs past the end of lines gives the string "cut"."""
    fields = {}
    for offset, (pattern, field) in enumerate(patterns):
        if at + offset >= len(lines):
            return {"__cut__": offset} if offset else None
        match = re.match(pattern, lines[at + offset])
        if not match:
            return None
        if field:
            fields[field] = match.group(1)
    return fields


def parse(path: Path | str) -> RunResults:
    path = Path(path)
    results = RunResults(source=str(path))
    try:
        lines = read_lines(path, results)
    except OSError as error:
        results.problem(None, f"cannot be read: {error.strerror}")
        return results
    program = identify(path, lines, results)
    results.program = program
    if program is None:
        if lines:
            results.problem(None, "not a results file of triangles, cube or screens")
        return results

    at = 1
    frame_lines = FRAME_LINES[program]
    summaries = SUMMARIES[program]
    while at < len(lines):
        line = lines[at]
        if line == "":
            at += 1
            continue
        if program == "screens" and line == "Plain Output":
            fields = match_block(lines, at, PLAIN)
            if fields and "__cut__" not in fields:
                results.plain = {"seconds (Secs)": fields["plain_seconds"],
                                 "rate (Characters/sec)": fields["plain_rate"]}
                at += len(PLAIN)
                continue
        init = INIT.match(line)
        if init:
            results.init_seconds = float(init.group(1))
            at += 1
            continue
        fields = match_block(lines, at, frame_lines)
        if fields is not None:
            if "__cut__" in fields:
                results.problem(at + 1, "the file ends inside a frame block; that frame is "
                                        "left out")
                break
            results.frames.append(Frame(
                seconds=float(fields["seconds"]), rate=float(fields["rate"]),
                window=int(fields["window"]),
                triangles=int(fields["triangles"]) if "triangles" in fields else None,
                angles_per_second=(float(fields["angles_per_second"])
                                   if "angles_per_second" in fields else None)))
            at += len(frame_lines)
            continue
        for kind, patterns in summaries.items():
            fields = match_block(lines, at, [(p, label) for p, label in patterns])
            if fields is None:
                continue
            if "__cut__" in fields:
                results.problem(at + 1, "the file ends inside the summary")
                at = len(lines)
                break
            results.summary_kind = kind
            results.summary = {label: fields[label] for _, label in patterns}
            at += len(patterns)
            break
        else:
            results.problem(at + 1, f"unexpected text {line[:60]!r}; skipped")
            at += 1
    if results.init_seconds is None and lines:
        results.problem(None, "no initialisation line")
    if results.summary_kind is None and lines:
        results.problem(None, "no summary: the run did not end by Esc or by its limit")
    return results


def from_suite_json(path: Path) -> list[RunResults]:
    """The runs of a suite's JSON, as RunResults with their frames."""
    data = json.loads(path.read_text())
    runs = []
    for entry in data.get("runs", []):
        run = RunResults(source=f"{path}#{entry.get('program')}", program=entry.get("program"))
        row = entry.get("row", {})
        run.init_seconds = row.get("initialisation_seconds")
        run.summary_kind = row.get("summary_kind")
        run.summary = {k.removeprefix("summary: "): v for k, v in row.items()
                       if k.startswith("summary: ")}
        run.plain = {k.removeprefix("plain: "): v for k, v in row.items()
                     if k.startswith("plain: ")}
        run.frames = [Frame(seconds=f["seconds"], rate=f["rate"]) for f in entry.get("frames", [])]
        runs.append(run)
    return runs


def load(inputs: list[str]) -> list[RunResults]:
    runs = []
    for item in inputs:
        path = Path(item)
        if path.suffix == ".json":
            try:
                runs.extend(from_suite_json(path))
            except (OSError, ValueError) as error:
                broken = RunResults(source=str(path))
                broken.problem(None, f"not a suite JSON: {error}")
                runs.append(broken)
        else:
            runs.append(parse(path))
    return runs


def fmt(value) -> str:
    if value is None:
        return "-"
    if isinstance(value, float):
        return "%g" % value
    return str(value)


def table(rows: list[dict]) -> str:
    """A text table of summary rows, one per run."""
    columns = [("program", "program"), ("init s", "initialisation_seconds"),
               ("frames", "frames"), ("min s", "frame_min"), ("median s", "frame_median"),
               ("p95 s", "frame_p95"), ("max s", "frame_max")]
    body = []
    for row in rows:
        summary = "; ".join(f"{k.removeprefix('summary: ')} {v}" for k, v in row.items()
                            if k.startswith("summary: "))
        body.append([fmt(row.get(key)) for _, key in columns] + [summary or "(none)"])
    header = [title for title, _ in columns] + ["summary as written"]
    widths = [max(len(r[i]) for r in [header, *body]) for i in range(len(header))]
    lines = ["  ".join(cell.ljust(w) for cell, w in zip(r, widths)).rstrip()
             for r in [header, *body]]
    lines.insert(1, "  ".join("-" * w for w in widths))
    return "\n".join(lines)


COMPARED = ["initialisation_seconds", "frames", "frame_min", "frame_median", "frame_p95",
            "frame_max"]


def as_number(value) -> Optional[float]:
    try:
        return float(value)
    except (TypeError, ValueError):
        return None


def comparison(runs: list[RunResults]) -> dict[str, list[dict]]:
    """Per program, per figure: each run's value and its ratio to the first run's."""
    by_program: dict[str, list[RunResults]] = {}
    for run in runs:
        if run.program:
            by_program.setdefault(run.program, []).append(run)
    report = {}
    for program, group in by_program.items():
        rows = [run.row() for run in group]
        figures = COMPARED + sorted({k for row in rows for k in row
                                     if k.startswith(("summary: ", "plain: "))})
        entries = []
        for figure in figures:
            values = [as_number(row.get(figure)) for row in rows]
            first = values[0]
            ratios = [(v / first if first not in (None, 0) and v is not None
                       and math.isfinite(first) else None) for v in values]
            entries.append({"figure": figure, "values": values, "ratios": ratios,
                            "sources": [r.source for r in group]})
        report[program] = entries
    return report


def print_comparison(report: dict[str, list[dict]], out=sys.stdout) -> None:
    for program, entries in report.items():
        print(f"{program}:", file=out)
        for index, source in enumerate(entries[0]["sources"]):
            print(f"  run {index + 1}: {source}", file=out)
        for entry in entries:
            cells = [f"{fmt(v)} (x{fmt(r) if r is not None else '-'})"
                     for v, r in zip(entry["values"], entry["ratios"])]
            print(f"  {entry['figure']}: " + "  ".join(cells), file=out)


def main(argv=None) -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("inputs", nargs="+", help="results files, or suite JSON with --compare")
    parser.add_argument("--compare", action="store_true",
                        help="compare the runs: each figure and its ratio to the first run")
    parser.add_argument("--plots", type=Path, help="folder for one overlaid PNG per program")
    parser.add_argument("--json", action="store_true", help="print the rows as JSON")
    options = parser.parse_args(argv)
    runs = load(options.inputs)
    for run in runs:
        for message in run.problems:
            print(message, file=sys.stderr)
    if options.compare:
        report = comparison(runs)
        print_comparison(report)
        if options.plots:
            import plots
            for path in plots.overlaid_frame_times(runs, options.plots):
                print(f"plot: {path}")
    elif options.json:
        print(json.dumps([run.row() for run in runs], indent=2))
    else:
        print(table([run.row() for run in runs]))
    readable = [run for run in runs if run.program]
    return 0 if len(readable) == len(runs) and not any(r.problems for r in runs) else 1


if __name__ == "__main__":
    sys.path.insert(0, str(Path(__file__).resolve().parent))
    raise SystemExit(main())
