"""Fixtures for the end-to-end tests: the real programs on a private X server.

BENCH_BUILD_DIR names the folder holding the programs (default: build/ of the checkout);
BENCH_LAUNCHER runs them through another program (wine, valgrind ...); BENCH_EXE_SUFFIX is
appended to their names (".exe").
"""

import os
import shlex
import subprocess
import sys
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))

import session  # noqa: E402

BUILD = Path(os.environ.get("BENCH_BUILD_DIR", ROOT / "build"))
LAUNCHER = shlex.split(os.environ.get("BENCH_LAUNCHER", ""))
EXE_SUFFIX = os.environ.get("BENCH_EXE_SUFFIX", "")
# Start-up under a launcher (Wine's first start, valgrind) takes far longer.
SLOW = float(os.environ.get("BENCH_SLOW_FACTOR", "1"))


def program_path(name: str) -> Path:
    return BUILD / (name + EXE_SUFFIX)


@pytest.fixture(scope="session")
def display():
    with session.VirtualDisplay() as server:
        yield server.name


@pytest.fixture
def start(display, tmp_path):
    """start(program, cwd=None, **options) -> session.ProgramRun; killed at teardown."""
    runs = []

    def launch(name, cwd=None, display_name=display, **options):
        folder = Path(cwd) if cwd is not None else tmp_path
        folder.mkdir(parents=True, exist_ok=True)
        options.setdefault("launcher", LAUNCHER)
        run = session.ProgramRun(program_path(name), display_name, folder, **options)
        runs.append(run)
        return run

    yield launch
    for run in runs:
        run.kill()


@pytest.fixture
def unwritable_dir(tmp_path):
    """A working directory in which no file can be created, even by root."""
    folder = tmp_path / "read-only"
    folder.mkdir()
    if os.geteuid() == 0:
        subprocess.run(["mount", "-t", "tmpfs", "-o", "ro,size=64k", "tmpfs", str(folder)],
                       check=True)
        yield folder
        subprocess.run(["umount", str(folder)], check=True)
    else:
        folder.chmod(0o555)
        yield folder
        folder.chmod(0o755)


def wait_initialised(run, timeout=120.0):
    run.wait_for_window(timeout=timeout * SLOW)
    return run.wait_for_line(r"^It spent: .* Secs to Initialize\.$", timeout=timeout * SLOW)


SANITIZER_MARKERS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                     "SUMMARY: AddressSanitizer", "SUMMARY: UndefinedBehaviorSanitizer")


def sanitizer_reports(stderr_lines):
    """The lines of standard error that a sanitizer wrote."""
    return [line for line in stderr_lines if any(m in line for m in SANITIZER_MARKERS)]
