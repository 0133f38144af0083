"""Start-up and close-out of each program, as the user sees them on the console and in the
results file: banner, help, initialisation time, file name, path line, prompt, exit."""

import datetime
import os
import re
import time

import pytest

import session
from conftest import LAUNCHER, SLOW, program_path, wait_initialised
from expected import (BANNER, CLOSE_OUT_BLANK_LINES, CONSOLE_HELP, INIT_LINE, NAME_PATTERN,
                      PATH_PREFIX, PROMPT)

PROGRAMS = ["triangles", "cube", "screens"]


def run_to_close_out(start, name, cwd=None, **options):
    """Starts a program, ends it with Esc as soon as it is initialised, answers Enter."""
    began = time.time()
    run = start(name, cwd=cwd, **options)
    wait_initialised(run)
    run.key("Escape")
    run.wait_for_line(rf"^{re.escape(PROMPT)}$", timeout=120 * SLOW)
    run.press_enter()
    code = run.wait_exit(60 * SLOW)
    return run, code, began, time.time()


@pytest.fixture(scope="module")
def closed_runs(tmp_path_factory, display):
    """One whole run of each program, shared by the checks below."""
    runs = {}
    for name in PROGRAMS:
        folder = tmp_path_factory.mktemp(name)
        began = time.time()
        run = session.ProgramRun(program_path(name), display, folder, launcher=LAUNCHER)
        try:
            wait_initialised(run)
            run.key("Escape")
            run.wait_for_line(rf"^{re.escape(PROMPT)}$", timeout=120 * SLOW)
            run.press_enter()
            code = run.wait_exit(60 * SLOW)
        finally:
            run.kill()
        runs[name] = (run, code, began, time.time())
    return runs


@pytest.mark.parametrize("name", PROGRAMS)
def test_console_opens_with_the_banner_block(closed_runs, name):
    run, code, _, _ = closed_runs[name]
    assert code == 0
    lines = run.lines
    assert lines[0] == ""
    assert lines[1] == BANNER[name]
    assert re.match(r"^Copyright .*\S", lines[2])
    assert re.match(r"^For Support: \S+@\S+$", lines[3])
    assert lines[4:8] == ["", "", "", ""]


@pytest.mark.parametrize("name", PROGRAMS)
def test_help_block_and_initialisation_line_on_the_console(closed_runs, name):
    run, _, _, _ = closed_runs[name]
    lines = run.lines
    help_at = lines.index(CONSOLE_HELP[0])
    assert lines[help_at:help_at + len(CONSOLE_HELP)] == CONSOLE_HELP
    init_at = help_at + len(CONSOLE_HELP)
    match = INIT_LINE.match(lines[init_at])
    assert match, lines[init_at]
    assert float(match.group(1)) >= 0
    assert lines[init_at + 1:init_at + 3] == ["", ""]
    if name == "screens":
        # The console phase runs before the help block.
        assert lines[8] == "Plain Output"
        assert lines.index("Graphical Output") < help_at
    else:
        assert help_at == 8


@pytest.mark.parametrize("name", PROGRAMS)
def test_file_holds_banner_and_initialisation_but_no_console_only_lines(closed_runs, name):
    run, _, _, _ = closed_runs[name]
    file_lines = run.results_lines()
    assert file_lines[:3] == [BANNER[name], "", ""]
    init_lines = [i for i, line in enumerate(file_lines) if INIT_LINE.match(line)]
    assert len(init_lines) == 1
    at = init_lines[0]
    assert file_lines[at] == [l for l in run.lines if INIT_LINE.match(l)][0]
    assert file_lines[at + 1:at + 3] == ["", ""]
    for console_only in [*CONSOLE_HELP[:4], "Initializing . . .", PROMPT]:
        assert console_only not in file_lines
    assert not any(line.startswith(("Copyright", "For Support:", PATH_PREFIX))
                   for line in file_lines)


@pytest.mark.parametrize("name", PROGRAMS)
def test_file_is_named_from_the_local_start_time_in_the_working_directory(closed_runs, name):
    run, _, began, ended = closed_runs[name]
    files = run.results_files()
    assert len(files) == 1
    assert files[0].parent == run.cwd
    match = NAME_PATTERN[name].match(files[0].name)
    assert match, files[0].name
    named = datetime.datetime(*map(int, match.groups())).timestamp()
    assert int(began) - 1 <= named <= ended + 1


@pytest.mark.parametrize("name", PROGRAMS)
def test_esc_closes_out_with_path_line_blank_lines_and_prompt(closed_runs, name):
    run, code, _, _ = closed_runs[name]
    assert code == 0
    lines = run.lines
    path_at = next(i for i, l in enumerate(lines) if l.startswith(PATH_PREFIX))
    blanks = CLOSE_OUT_BLANK_LINES[name]
    assert lines[path_at] == PATH_PREFIX + str(run.results_files()[0])
    assert lines[path_at + 1:] == [""] * blanks + [PROMPT]


def test_unwritable_directory_runs_on_without_a_file(start, unwritable_dir, tmp_path):
    blocked, blocked_code, _, _ = run_to_close_out(start, "screens", cwd=unwritable_dir)
    normal, _, _, _ = run_to_close_out(start, "screens", cwd=tmp_path / "normal")
    assert blocked_code == 0
    assert os.listdir(unwritable_dir) == []
    # The console is the same line for line, but for the figures and the file's location.
    def shape(lines):
        return [re.sub(r"[0-9A-F]{16,}|\d+(\.\d+)?(e[-+]\d+)?|inf", "#", l) for l in lines
                if not l.startswith(PATH_PREFIX)]
    assert shape(blocked.lines) == shape(normal.lines)
    path_line = next(l for l in blocked.lines if l.startswith(PATH_PREFIX))
    assert path_line.startswith(PATH_PREFIX + str(unwritable_dir) + "/results_screens_windows @")


@pytest.mark.parametrize("stdin", ["end", "closed"])
def test_final_wait_returns_when_standard_input_has_ended(start, stdin):
    run = start("screens", stdin=stdin)
    wait_initialised(run)
    run.key("Escape")
    # No Enter is sent: the wait must return by itself.
    assert run.wait_exit(30 * SLOW) == 0
    assert run.lines[-1] == PROMPT


@pytest.mark.parametrize("name", PROGRAMS)
def test_no_display_is_a_clear_error_and_leaves_only_the_banner(start, name):
    run = start(name, display_name=None)
    code = run.wait_exit(60 * SLOW)
    assert code != 0
    assert any("freeglut" in line and "display" in line for line in run.errors), run.errors
    assert run.results_lines() == [BANNER[name], "", ""]


@pytest.mark.parametrize("name,summary", [
    ("triangles", ["Total running time:  0 Secs. ", "Average: NAN Angles/Sec.",
                   "Average: NAN Triangles/Sec.", ""]),
    ("cube", ["Total machine time:  0 Secs. ", "Average: NAN Angles/Sec.",
              "Average: NAN Vertex/Sec.", ""]),
])
def test_esc_before_any_reported_frame_writes_zero_time_and_not_a_number(closed_runs, name,
                                                                         summary):
    # The frame at counter 0 is drawn but never reported, so the averages are 0 / 0.
    run, _, _, _ = closed_runs[name]
    assert not any(line.startswith("window: ") for line in run.lines)
    pattern = [re.escape(line).replace("NAN", "-?nan") for line in summary]
    lines = run.lines
    at = next(i for i, l in enumerate(lines) if l == summary[0])
    for line, expected in zip(lines[at:], pattern):
        assert re.fullmatch(expected, line), (line, expected)
    file = run.results_lines()
    for line, expected in zip(file[-4:], pattern):
        assert re.fullmatch(expected, line), (line, expected)
