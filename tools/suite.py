"""Measures the machine: runs triangles, cube and screens one after another in a scripted
session each, then prints a summary table and writes it as JSON and CSV, with a plot of
every run's frames.

Each session waits for the window, animates (R), lets --frames frames or --seconds seconds
pass, whichever comes first (triangles may end itself at its limit), presses Esc, answers
the final wait with Enter and checks the exit status. A program that writes no console line
for --hang-seconds is ended and reported as failed; the suite goes on with the next.

The runs use the display in $DISPLAY when there is one, else a private Xvfb. The suite only
reads what the programs write: it adds no work to their frames.
"""

from __future__ import annotations

import argparse
import csv
import datetime
import json
import os
import re
import socket
import subprocess
import sys
import time
from pathlib import Path
from typing import Optional

sys.path.insert(0, str(Path(__file__).resolve().parent))
import results_reader  # noqa: E402
import session  # noqa: E402

ORDER = ["triangles", "cube", "screens"]


class Progress:
    """One status line per program: rewritten in place on a terminal, else a line now and
    then."""

    def __init__(self, stream=sys.stdout):
        self.stream = stream
        self.tty = stream.isatty()
        self.last_text = ""
        self.last_time = 0.0

    def show(self, run: session.ProgramRun, state: str) -> None:
        frames = run.frames_reported()
        last = run.last_frame_seconds() if frames else None
        text = f"{run.info.name}: {state}, {frames} frames" + (
            f", last {last:g} s" if last is not None else "")
        now = time.monotonic()
        if self.tty:
            self.stream.write("\r" + text.ljust(len(self.last_text)))
            self.stream.flush()
        elif text.split(",")[0] != self.last_text.split(",")[0] or now - self.last_time > 5:
            print(text, file=self.stream, flush=True)
            self.last_time = now
        self.last_text = text

    def done(self, text: str) -> None:
        if self.tty:
            self.stream.write("\r" + text.ljust(len(self.last_text)) + "\n")
        else:
            print(text, file=self.stream)
        self.stream.flush()
        self.last_text = ""


def run_program(program: Path, display: str, output: Path, frames: int, seconds: float,
                hang_seconds: float, progress: Progress) -> dict:
    """One scripted session; returns its entry for the suite's JSON."""
    before = set(output.glob("results_*.txt"))
    run = session.ProgramRun(program, display, output)
    entry = {"program": run.info.name, "status": "ok", "exit_code": None}
    try:
        session.scripted_session(run, frames, seconds, hang_seconds, on_progress=progress.show)
        entry["exit_code"] = run.exit_code
        if run.exit_code != 0:
            entry["status"] = f"failed: exit status {run.exit_code}"
    except session.SessionError as error:
        entry["status"] = f"failed: {error}"
    finally:
        run.kill()
        if entry["exit_code"] is None:
            entry["exit_code"] = run.process.returncode
    new_files = sorted(set(output.glob("results_*.txt")) - before)
    entry["results_file"] = str(new_files[-1]) if new_files else None
    entry["errors"] = run.errors[-20:]
    progress.done(f"{run.info.name}: {entry['status']}, {run.frames_reported()} frames")
    return entry


def renderer(display: str) -> Optional[str]:
    try:
        done = subprocess.run(["glxinfo", "-B"], env=dict(os.environ, DISPLAY=display),
                              capture_output=True, text=True, timeout=20)
    except (OSError, subprocess.TimeoutExpired):
        return None
    match = re.search(r"OpenGL renderer string: (.*)", done.stdout)
    return match.group(1).strip() if match else None


def write_outputs(output: Path, stamp: str, suite: dict, rows: list[dict]) -> dict:
    json_path = output / f"suite @ {stamp}.json"
    csv_path = output / f"suite @ {stamp}.csv"
    json_path.write_text(json.dumps(suite, indent=2))
    columns = []
    for row in rows:
        columns += [k for k in row if k not in columns]
    with csv_path.open("w", newline="") as out:
        writer = csv.DictWriter(out, fieldnames=["status", *columns])
        writer.writeheader()
        for entry, row in zip(suite["runs"], rows):
            writer.writerow({"status": entry["status"], **row})
    return {"json": json_path, "csv": csv_path}


def main(argv=None) -> int:
    parser = argparse.ArgumentParser(
        prog="./run", description=__doc__.split("\n\n")[0],
        epilog="./run PROGRAM with a display starts PROGRAM for you to drive.")
    parser.add_argument("programs", nargs="*", metavar="PROGRAM",
                        help="triangles, cube or screens (default: all three)")
    parser.add_argument("--frames", type=int, default=30,
                        help="reported frames per program before Esc (default 30)")
    parser.add_argument("--seconds", type=float, default=30,
                        help="seconds of animation per program at most (default 30)")
    parser.add_argument("--output", type=Path, default=Path("results"),
                        help="folder for results files, JSON, CSV and plots (default results)")
    parser.add_argument("--hang-seconds", type=float, default=180,
                        help="a program silent this long is ended as failed (default 180)")
    parser.add_argument("--build", type=Path, default=Path("build"),
                        help="folder holding the programs (default build)")
    options = parser.parse_args(argv)
    unknown = [p for p in options.programs if p not in ORDER]
    if unknown:
        parser.error(f"unknown program {unknown[0]!r}: choose from {', '.join(ORDER)}")
    programs = [p for p in ORDER if p in options.programs] or ORDER
    output = options.output.resolve()
    output.mkdir(parents=True, exist_ok=True)
    build = options.build.resolve()
    stamp = datetime.datetime.now().strftime("local date %Y.%m.%d time %H.%M.%S")

    private = None
    display = os.environ.get("DISPLAY")
    if not display:
        private = session.VirtualDisplay()
        private.start()
        display = private.name
    progress = Progress()
    suite = {"started": stamp, "frames": options.frames, "seconds": options.seconds,
             "machine": {"hostname": socket.gethostname(), "renderer": renderer(display),
                         "display": "private Xvfb" if private else display},
             "runs": []}
    rows = []
    try:
        for name in programs:
            entry = run_program(build / name, display, output, options.frames,
                                options.seconds, options.hang_seconds, progress)
            results = (results_reader.parse(entry["results_file"]) if entry["results_file"]
                       else results_reader.RunResults(source="(no results file)",
                                                      program=name))
            entry["row"] = results.row()
            entry["frames"] = [{"seconds": f.seconds, "rate": f.rate} for f in results.frames]
            entry["problems"] = results.problems
            if entry["results_file"] and results.frames:
                import plots
                entry["plot"] = str(plots.run_plot(
                    results, Path(entry["results_file"]).with_suffix(".png")))
            suite["runs"].append(entry)
            rows.append(entry["row"])
    finally:
        if private:
            private.stop()

    print()
    print(results_reader.table(rows))
    for entry in suite["runs"]:
        if entry["status"] != "ok":
            print(f"{entry['program']}: {entry['status']}")
    written = write_outputs(output, stamp, suite, rows)
    print(f"\nResults: {output}\nJSON: {written['json']}\nCSV: {written['csv']}")
    return 0 if all(e["status"] == "ok" for e in suite["runs"]) else 1


if __name__ == "__main__":
    raise SystemExit(main())
