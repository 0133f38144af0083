"""The cube benchmark end to end: its frame lines, its summary and its close-out, at the
8 bits per channel of a depth-24 screen (16,777,216 points)."""

import re

import pytest

import session
from conftest import LAUNCHER, SLOW, program_path
from expected import NUMBER, PATH_PREFIX, PROMPT

POINTS = 2 ** 24


def g(value: float) -> str:
    return "%g" % value


def rate(amount: float, spent: float) -> str:
    return "inf" if spent == 0 else g(amount / spent)


def frame_blocks(lines):
    return [lines[i:i + 5] for i, line in enumerate(lines) if line.startswith("window: ")]


@pytest.fixture(scope="module")
def stepped_run(tmp_path_factory, display):
    run = session.ProgramRun(program_path("cube"), display, tmp_path_factory.mktemp("cube"),
                             launcher=LAUNCHER)
    return session.stepped_session(run, steps=2, timeout=300 * SLOW)


def test_each_step_writes_four_lines_on_both_streams(stepped_run):
    console = frame_blocks(stepped_run.lines)
    assert len(console) == 2  # the frame at counter 0 is not reported
    assert frame_blocks(stepped_run.results_lines()) == console
    for block in console:
        assert block[0] == "window: 1"
        spent = float(re.match(rf"^The system spent: {NUMBER} Secs\. $", block[1]).group(1))
        assert block[2] == f"It was: {rate(1.0, spent)} Angles/sec."
        assert block[3] == f"It was: {rate(POINTS, spent)} Vertex/sec."
        assert block[4] == ""


def test_summary_counts_every_point_of_every_reported_frame(stepped_run):
    lines = stepped_run.lines
    spent = [float(re.match(rf"^The system spent: {NUMBER} Secs\. $", b[1]).group(1))
             for b in frame_blocks(lines)]
    total = sum(spent)
    summary = [f"Total machine time:  {g(total)} Secs. ",
               f"Average: {rate(2.0, total)} Angles/Sec.",
               f"Average: {rate(2.0 * POINTS, total)} Vertex/Sec."]
    at = lines.index(summary[0])
    assert lines[at:] == summary + ["", PATH_PREFIX + str(stepped_run.results_files()[0]), "",
                                    PROMPT]
    assert stepped_run.results_lines()[-4:] == summary + [""]
    assert stepped_run.exit_code == 0
