"""PNG plots of the frames of runs, with matplotlib (Debian's python3-matplotlib)."""

from __future__ import annotations

from pathlib import Path

import matplotlib
import matplotlib.ticker

matplotlib.use("Agg")  # files only, no display needed
import matplotlib.pyplot as plt  # noqa: E402

from results_reader import RATE_UNIT, RunResults  # noqa: E402


def _axes(title: str):
    figure, (time_axis, rate_axis) = plt.subplots(2, 1, figsize=(8, 6), sharex=True)
    figure.suptitle(title)
    time_axis.set_ylabel("frame time (s)")
    rate_axis.set_xlabel("reported frame")
    rate_axis.xaxis.set_major_locator(matplotlib.ticker.MaxNLocator(integer=True))
    time_axis.grid(True, alpha=0.3)
    rate_axis.grid(True, alpha=0.3)
    return figure, time_axis, rate_axis


def _draw(run: RunResults, time_axis, rate_axis, label=None) -> None:
    numbers = list(range(1, len(run.frames) + 1))
    time_axis.plot(numbers, run.frame_seconds(), marker=".", label=label)
    rates = [f.rate for f in run.frames]
    # Infinite rates (frames under a millisecond) cannot be drawn; they are left out.
    finite = [(n, r) for n, r in zip(numbers, rates) if r == r and abs(r) != float("inf")]
    if finite:
        rate_axis.plot(*zip(*finite), marker=".", label=label)
    if run.program == "triangles" and any(r > 0 for _, r in finite):
        rate_axis.set_yscale("log")


def run_plot(run: RunResults, path: Path) -> Path:
    """Frame time and the program's per-frame rate over the frames of one run."""
    figure, time_axis, rate_axis = _axes(f"{run.program}: {Path(run.source).name}")
    rate_axis.set_ylabel(RATE_UNIT.get(run.program or "", "rate"))
    _draw(run, time_axis, rate_axis)
    figure.tight_layout()
    figure.savefig(path, dpi=100)
    plt.close(figure)
    return path


def overlaid_frame_times(runs: list[RunResults], folder: Path) -> list[Path]:
    """One PNG per program with every run's frames drawn over each other."""
    folder.mkdir(parents=True, exist_ok=True)
    written = []
    for program in sorted({r.program for r in runs if r.program}):
        group = [r for r in runs if r.program == program]
        figure, time_axis, rate_axis = _axes(f"{program}: {len(group)} runs")
        rate_axis.set_ylabel(RATE_UNIT[program])
        for index, run in enumerate(group, start=1):
            _draw(run, time_axis, rate_axis, label=f"run {index}")
        time_axis.legend()
        figure.tight_layout()
        path = folder / f"compare-{program}.png"
        figure.savefig(path, dpi=100)
        plt.close(figure)
        written.append(path)
    return written
