"""The Windows executables (./build-windows) under Wine on a private Xvfb, driven by the same
session driver: start-up, a step, Esc and the close-out of each program, and the console
phase of screens. What differs by platform is asserted the Windows way: the path line with
a drive and backslashes, and carriage return with line feed at every line end of the file."""

import os
import re
import subprocess
from pathlib import Path

import pytest

import session
from conftest import ROOT
from expected import (BANNER, CLOSE_OUT_BLANK_LINES, CONSOLE_HELP, INIT_LINE, NUMBER,
                      PATH_PREFIX, PROMPT)

WINDOWS_BUILD = Path(os.environ.get("BENCH_WINDOWS_BUILD_DIR", ROOT / "build-win64"))
FRAME_LINES = {
    "triangles": [r"^window: 1$", r"^It drew 1 Triangles\.$", rf"^It spent: {NUMBER} Secs\. $",
                  rf"^It was: {NUMBER} Angles/sec\.$", rf"^It was: {NUMBER} Triangles/sec\.$"],
    "cube": [r"^window: 1$", rf"^The system spent: {NUMBER} Secs\. $",
             rf"^It was: {NUMBER} Angles/sec\.$", rf"^It was: {NUMBER} Vertex/sec\.$"],
    "screens": [rf"^The system spent: {NUMBER} Secs\. $", rf"^It was: {NUMBER} Charaters/sec\.$"],
}


@pytest.fixture(scope="module")
def wine_env():
    env = dict(os.environ, WINEDEBUG="-all", WINEPREFIX=str(WINDOWS_BUILD / "wineprefix"),
               WINEDLLOVERRIDES="mscoree,mshtml=")  # no Mono or Gecko installers
    env.pop("DISPLAY", None)
    for name in ("triangles", "cube", "screens"):
        assert (WINDOWS_BUILD / f"{name}.exe").is_file(), "run ./build-windows first"
    if not (WINDOWS_BUILD / "wineprefix" / "system.reg").exists():
        subprocess.run(["wine", "wineboot", "--init"], env=env, capture_output=True,
                       timeout=300, check=True)
    return env


def windows_path(path: Path) -> str:
    """A Linux path as a program under Wine sees it: on drive Z:, with backslashes."""
    return "Z:" + str(path).replace("/", "\\")


@pytest.fixture(scope="module")
def windows_runs(wine_env, display, tmp_path_factory):
    runs = {}
    for name in ("screens", "triangles", "cube"):
        folder = tmp_path_factory.mktemp(f"wine-{name}")
        run = session.ProgramRun(WINDOWS_BUILD / f"{name}.exe", display, folder,
                                 launcher=["wine"], env=wine_env)
        # screens reports the frame at counter 0 too.
        session.stepped_session(run, steps=1, reported_at_start=int(name == "screens"),
                                timeout=300)
        runs[name] = run
    return runs


@pytest.mark.parametrize("name", ["triangles", "cube", "screens"])
def test_start_up_step_and_close_out(windows_runs, name):
    run = windows_runs[name]
    assert run.exit_code == 0, run.errors[-10:]
    lines = run.lines
    assert lines[:2] == ["", BANNER[name]]
    assert lines[4:8] == ["", "", "", ""]
    help_at = lines.index(CONSOLE_HELP[0])
    assert lines[help_at:help_at + len(CONSOLE_HELP)] == CONSOLE_HELP
    assert INIT_LINE.match(lines[help_at + len(CONSOLE_HELP)])
    block_at = max(i for i, l in enumerate(lines) if re.match(FRAME_LINES[name][0], l))
    for line, pattern in zip(lines[block_at:], FRAME_LINES[name]):
        assert re.match(pattern, line), (line, pattern)
    path_at = next(i for i, l in enumerate(lines) if l.startswith(PATH_PREFIX))
    file_name = run.results_files()[0].name
    assert lines[path_at] == PATH_PREFIX + windows_path(run.cwd) + "\\" + file_name
    assert lines[path_at + 1:] == [""] * CLOSE_OUT_BLANK_LINES[name] + [PROMPT]


@pytest.mark.parametrize("name", ["triangles", "cube", "screens"])
def test_results_file_is_text_mode_with_crlf_line_ends(windows_runs, name):
    run = windows_runs[name]
    data = run.results_files()[0].read_bytes()
    assert data.endswith(b"\r\n")
    assert data.count(b"\n") == data.count(b"\r\n") > 10
    assert b"\r\r" not in data
    lines = data.decode("latin-1").split("\r\n")[:-1]
    assert lines[:3] == [BANNER[name], "", ""]
    assert sum(1 for l in lines if INIT_LINE.match(l)) == 1
    assert lines[-1] == ""
    assert any(l.startswith("Total ") for l in lines)


def test_screens_console_phase_under_windows(windows_runs):
    run = windows_runs["screens"]
    lines = run.lines
    at = lines.index("Plain Output")
    digits = lines[at + 1]
    assert len(digits) == 131072 and re.fullmatch(r"[0-9A-F]{16}", digits[:16])
    assert digits == digits[:16] * 8192
    assert re.match(rf"^The system spent: {NUMBER} Secs\. $", lines[at + 3])
    assert re.match(rf"^Conventionally, it was: {NUMBER} Characters/sec\.$", lines[at + 4])
    file = run.results_files()[0].read_bytes().decode("latin-1").split("\r\n")
    assert file[3:11] == ["Plain Output", "", lines[at + 3], lines[at + 4], "", "",
                          "Graphical Output", ""]
