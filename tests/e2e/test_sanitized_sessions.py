"""A short scripted session of each program (animate, a few frames, Esc, Enter), meant for
the AddressSanitizer and UndefinedBehaviorSanitizer build: any report fails."""

import pytest

import session
from conftest import LAUNCHER, program_path, sanitizer_reports
from test_fuzz import check_report


@pytest.mark.parametrize("program", ["screens", "triangles", "cube"])
def test_scripted_session_is_clean(tmp_path, display, program):
    run = session.ProgramRun(program_path(program), display, tmp_path, launcher=LAUNCHER)
    try:
        session.scripted_session(run, frames=3, seconds=60)
    finally:
        run.kill()
    assert sanitizer_reports(run.errors) == []
    assert run.exit_code == 0, run.errors[-20:]
    assert check_report(program, run.lines) >= 3
    assert len(run.results_lines()) > 10
