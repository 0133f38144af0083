"""Compares a program's reported initialisation time with the bare loop behind it.

    /usr/bin/python3 tools/compare_init.py triangles [--runs 3]
    /usr/bin/python3 tools/compare_init.py cube

Runs the program on a private X server until it reports "It spent: ... Secs to Initialize.",
ends it, runs the bare loop (tools/bench) as often, and prints both medians and their ratio.
"""

import argparse
import re
import statistics
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import session  # noqa: E402

BARE = {"triangles": ("bare_fill", r"^bare fill: (\S+) s"),
        "cube": ("bare_cube_list", r"^bare cube list: (\S+) s")}


def reported_init(build: Path, name: str, display: str) -> float:
    with tempfile.TemporaryDirectory() as folder:
        run = session.ProgramRun(build / name, display, folder)
        try:
            at = run.wait_for_line(r"^It spent: .* Secs to Initialize\.$", timeout=600)
            seconds = float(re.match(r"^It spent: (\S+) ", run.lines[at]).group(1))
            session.end_run(run)
        finally:
            run.kill()
    return seconds


def bare_time(build: Path, name: str, display: str) -> float:
    program, pattern = BARE[name]
    done = subprocess.run([str(build / program)], capture_output=True, text=True, check=True,
                          env={"DISPLAY": display, "PATH": "/usr/bin:/bin"}, timeout=600)
    return float(re.search(pattern, done.stdout, re.M).group(1))


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("program", choices=sorted(BARE))
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--build", default="build", type=Path)
    options = parser.parse_args()
    build = options.build.resolve()
    with session.VirtualDisplay() as display:
        reported, bare = [], []
        for _ in range(options.runs):
            reported.append(reported_init(build, options.program, display.name))
            bare.append(bare_time(build, options.program, display.name))
    program_median, bare_median = statistics.median(reported), statistics.median(bare)
    print(f"{options.program} reported initialisation: {program_median:.3f} s "
          f"(runs: {', '.join(f'{t:.3f}' for t in reported)})")
    print(f"bare loop:                    {bare_median:.3f} s "
          f"(runs: {', '.join(f'{t:.3f}' for t in bare)})")
    print(f"ratio: {program_median / bare_median:.3f}")
    return 0


if __name__ == "__main__":
    raise SystemExit(main())
