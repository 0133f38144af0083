"""The triangles benchmark end to end: its frame lines, its Esc summary, the run to its
index-count limit, and a machine that cannot give it its data array."""

import re

import pytest

import session
from conftest import LAUNCHER, SLOW, program_path, wait_initialised
from expected import NUMBER, PATH_PREFIX, PROMPT
from test_run_control import counters_from_reports, triangle_count

DATA_COUNT = 103_680_000
DATA_BYTES = 8 * DATA_COUNT


def g(value: float) -> str:
    """A double as the streams write it."""
    return "%g" % value


def rate(amount: float, spent: float) -> str:
    return "inf" if spent == 0 else g(amount / spent)


def frame_blocks(lines: list[str]) -> list[list[str]]:
    """The five-line blocks that start at each "window: " line, with the empty line after."""
    return [lines[i:i + 6] for i, line in enumerate(lines) if line.startswith("window: ")]


def check_frame_block(block: list[str], triangles: int) -> float:
    """Checks one block's texts and rates; returns its time in seconds."""
    assert block[0] == "window: 1"
    assert block[1] == f"It drew {triangles} Triangles."
    spent_text = re.match(rf"^It spent: {NUMBER} Secs\. $", block[2]).group(1)
    spent = float(spent_text)
    assert block[3] == f"It was: {rate(1.0, spent)} Angles/sec."
    assert block[4] == f"It was: {rate(float(triangles), spent)} Triangles/sec."
    assert block[5] == ""
    return spent


@pytest.fixture(scope="module")
def stepped_run(tmp_path_factory, display):
    """Three steps with C, then Esc."""
    run = session.ProgramRun(program_path("triangles"), display,
                             tmp_path_factory.mktemp("stepped"), launcher=LAUNCHER)
    return session.stepped_session(run, steps=3, timeout=120 * SLOW)


def test_frames_after_c_write_five_lines_on_both_streams(stepped_run):
    console = frame_blocks(stepped_run.lines)
    file = frame_blocks(stepped_run.results_lines())
    assert len(console) == 3
    assert file == console
    # Counter n with n - 1 reports before it: 7, 12 and 18 indices.
    for block, triangles in zip(console, (1, 2, 3)):
        check_frame_block(block, triangles)


def test_esc_summary_on_both_streams(stepped_run):
    lines = stepped_run.lines
    spent = [check_frame_block(b, t) for b, t in zip(frame_blocks(lines), (1, 2, 3))]
    total = sum(spent)
    summary = [f"Total running time:  {g(total)} Secs. ",
               f"Average: {rate(3.0, total)} Angles/Sec.",
               f"Average: {rate(6.0, total)} Triangles/Sec."]
    at = lines.index(summary[0])
    assert lines[at:at + 5] == summary + ["", ""]
    assert lines[at + 5].startswith(PATH_PREFIX)
    assert lines[at + 6:] == ["", "", PROMPT]
    file = stepped_run.results_lines()
    assert file[-4:] == summary + [""]
    assert stepped_run.exit_code == 0


def test_run_to_the_limit_ends_itself_after_the_49th_frame(tmp_path, display):
    run = session.ProgramRun(program_path("triangles"), display, tmp_path, launcher=LAUNCHER)
    try:
        wait_initialised(run)
        run.resize(64, 64)  # frames near the limit take over a minute at full size
        run.wait_quiet(1.0)
        run.key("r")
        at = run.wait_for_line(r"^It reaches limits, the program terminates\.$",
                               timeout=540 * SLOW)
        run.wait_for_line(rf"^{re.escape(PROMPT)}$", after=at, timeout=60)
        run.press_enter()
        code = run.wait_exit()
    finally:
        run.kill()
    assert code == 0
    lines = run.lines
    blocks = frame_blocks(lines)
    counts = [int(re.match(r"^It drew (\d+) Triangles\.$", b[1]).group(1)) for b in blocks]
    assert counters_from_reports(counts) == list(range(1, 50))  # one step per frame
    for reported, block in enumerate(blocks):
        assert check_frame_block(block, triangle_count(reported + 1, reported)) >= 0
    # The 49th frame passed DATA_COUNT and was still drawn whole.
    assert triangle_count(49, 48) * 6 > DATA_COUNT
    assert all(triangle_count(n, n - 1) * 6 <= DATA_COUNT for n in range(1, 49))
    spent = [float(re.match(rf"^It spent: {NUMBER} Secs\. $", b[2]).group(1)) for b in blocks]
    total = sum(spent)
    triangles = sum(counts)
    assert lines[at - 6:at] == blocks[-1]
    assert lines[at:] == [
        "It reaches limits, the program terminates.", "", "",
        f"Total running time:  {g(total)} Secs.",
        f"Average Angles/Sec: {rate(49.0, total)} Angles/Sec.",
        f"Average Triangles/Sec: {rate(float(triangles), total)} Triangles/Sec.",
        "",
        PATH_PREFIX + str(run.results_files()[0]), "", "", PROMPT]
    file = run.results_lines()
    assert frame_blocks(file) == blocks
    assert file[-6:] == [
        "", "", f"Total running time:  {g(total)} Secs. ",
        f"Average Angles/Sec: {rate(49.0, total)} Angles/Sec.",
        f"Average Triangles/Sec: {rate(float(triangles), total)} Triangles/Sec.", ""]


def test_a_machine_without_room_for_the_array_gets_a_clear_error(start, tmp_path):
    limited = ["bash", "-c", 'ulimit -v 600000 && exec "$@"', "limited"]
    run = start("triangles", launcher=[*limited, *LAUNCHER])
    code = run.wait_exit(60)
    assert code != 0
    assert run.errors == ["triangles: cannot allocate 829440000 bytes for the triangle data array"]
    assert run.lines == []
    assert list(tmp_path.iterdir()) == []
