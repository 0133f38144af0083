"""The unit tests and one session of screens under valgrind's memcheck: any error it finds
in the suite's code fails. Leaks are not counted: every object of the programs lives until
exit by design, and the GL driver keeps its own."""

import re
import subprocess

from conftest import BUILD, ROOT, wait_initialised
from expected import PROMPT

MEMCHECK = ["valgrind", "--tool=memcheck", "--error-exitcode=99", "--leak-check=no",
            "--track-origins=yes", f"--suppressions={ROOT / 'tests' / 'valgrind.supp'}"]


def test_unit_tests_are_clean_under_memcheck():
    done = subprocess.run([*MEMCHECK, "-q", str(BUILD / "unit_tests")], capture_output=True,
                          text=True, timeout=600)
    assert done.returncode == 0, done.stdout[-2000:] + done.stderr[-4000:]


def test_a_screens_session_is_clean_under_memcheck(start, tmp_path):
    log = tmp_path / "memcheck.log"
    run = start("screens", cwd=tmp_path / "run", launcher=[*MEMCHECK, f"--log-file={log}"])
    wait_initialised(run, timeout=300)
    run.wait_for_frames(1, timeout=300)
    run.key("c")
    run.wait_for_frames(2, timeout=300)
    run.key("Escape")
    run.wait_for_line(rf"^{re.escape(PROMPT)}$", timeout=300)
    run.press_enter()
    code = run.wait_exit(300)
    report = log.read_text()
    assert code == 0, report[-4000:]
    assert re.search(r"ERROR SUMMARY: 0 errors", report), report[-4000:]
