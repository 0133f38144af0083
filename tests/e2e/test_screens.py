"""The screens benchmark end to end: the plain console phase before the window opens, the
text block drawn in every frame, the frame lines and the summary."""

import re

import pytest

import session
from conftest import LAUNCHER, SLOW, program_path
from expected import BANNER, NUMBER, PROMPT


def g(value: float) -> str:
    return "%g" % value


def rate(amount: float, spent: float) -> str:
    return "inf" if spent == 0 else g(amount / spent)


@pytest.fixture(scope="module")
def screens_run(tmp_path_factory, display):
    run = session.ProgramRun(program_path("screens"), display,
                             tmp_path_factory.mktemp("screens"), launcher=LAUNCHER)
    return session.stepped_session(run, steps=1, reported_at_start=1, timeout=120 * SLOW)


def plain_phase_figures(lines):
    at = lines.index("Plain Output")
    spent_text = re.match(rf"^The system spent: {NUMBER} Secs\. $", lines[at + 3]).group(1)
    return at, float(spent_text)


def test_console_phase_writes_one_unbroken_run_of_address_items(screens_run):
    lines = screens_run.lines
    at, spent = plain_phase_figures(lines)
    digits = lines[at + 1]
    assert len(digits) == 131072
    assert re.fullmatch(r"[0-9A-F]{16}", digits[:16])
    assert digits == digits[:16] * 8192
    assert lines[at + 2:at + 9] == [
        "", f"The system spent: {g(spent)} Secs. ",
        f"Conventionally, it was: {rate(131072.0, spent)} Characters/sec.", "", "",
        "Graphical Output", ""]
    # It comes after the banner and before the help block.
    assert at == 8
    assert lines[at + 9] == "Press Key R or Press Mouse Left button to Animate."


def test_file_gets_the_phase_lines_but_none_of_the_digits(screens_run):
    file = screens_run.results_lines()
    _, spent = plain_phase_figures(screens_run.lines)
    assert file[:3] == [BANNER["screens"], "", ""]
    assert file[3:11] == [
        "Plain Output", "", f"The system spent: {g(spent)} Secs. ",
        f"Conventionally, it was: {rate(131072.0, spent)} Characters/sec.", "", "",
        "Graphical Output", ""]
    assert not any(re.search(r"[0-9A-F]{16}", line) for line in file)


def frame_times(lines, after):
    return [float(m.group(1)) for m in
            (re.match(rf"^The system spent: {NUMBER} Secs\. $", l) for l in lines[after:]) if m]


def test_every_frame_is_reported_with_the_window_line_in_the_file_only(screens_run):
    lines = screens_run.lines
    init_at = next(i for i, l in enumerate(lines) if l.endswith(" Secs to Initialize."))
    spent = frame_times(lines, init_at)
    assert len(spent) >= 2  # counter 0 and the step
    console_blocks = [lines[i:i + 3] for i, l in enumerate(lines)
                      if i > init_at and l.startswith("The system spent: ")]
    for block, seconds in zip(console_blocks, spent):
        assert block == [f"The system spent: {g(seconds)} Secs. ",
                         f"It was: {rate(6450.0, seconds)} Charaters/sec.", ""]
    assert not any(l.startswith("window: ") for l in lines)
    file = screens_run.results_lines()
    file_blocks = [file[i:i + 4] for i, l in enumerate(file) if l.startswith("window: ")]
    assert file_blocks == [["window: 1", *block] for block in console_blocks]


def test_summary_averages_the_constant_block_over_the_summed_time(screens_run):
    lines = screens_run.lines
    init_at = next(i for i, l in enumerate(lines) if l.endswith(" Secs to Initialize."))
    spent = frame_times(lines, init_at)
    total = sum(spent)
    summary = [f"Total machine time:  {g(total)} Secs. ",
               f"Average: {rate(6450.0 * len(spent), total)} Characters/Sec.", ""]
    at = lines.index(summary[0])
    assert lines[at:at + 3] == summary
    assert lines[at + 4:] == ["", PROMPT]
    assert screens_run.results_lines()[-3:] == summary
    assert screens_run.exit_code == 0
