"""Hostile input: thousands of random keys, buttons and resizes, then Esc and Enter. No crash,
no sanitizer report, every report block well formed, the counter never lowered, exit 0.

The sequence is random but seeded (BENCH_FUZZ_SEED, default 2026), so a failure repeats."""

import os
import random
import re
import string

import pytest

import session
from conftest import LAUNCHER, SLOW, program_path, sanitizer_reports, wait_initialised
from expected import NUMBER, PATH_PREFIX, PROMPT
from test_run_control import counters_from_reports

EVENTS = 2000
SEED = int(os.environ.get("BENCH_FUZZ_SEED", "2026"))
PRINTABLE = [c for c in string.printable if c not in "\t\n\r\x0b\x0c"]  # Esc is not printable
SPECIAL_KEYS = ["F1", "F2", "F5", "F10", "F12", "Up", "Down", "Left", "Right", "Home", "End",
                "Prior", "Next", "Insert", "Delete", "Tab", "Return", "BackSpace", "KP_Enter",
                "shift+Tab", "alt+x", "ctrl+a", "ctrl+q", "ctrl+z", "Shift_L", "Control_R"]
STEP_CHARACTERS = set("cCrR")
SIZES = {"triangles": [1, 2, 10, 64, 120], "cube": [1, 2, 10, 64, 300, 800],
         "screens": [1, 2, 10, 64, 300, 1000, 1440]}

BLOCKS = {
    "triangles": [r"^window: 1$", r"^It drew \d+ Triangles\.$", rf"^It spent: {NUMBER} Secs\. $",
                  rf"^It was: {NUMBER} Angles/sec\.$", rf"^It was: {NUMBER} Triangles/sec\.$",
                  r"^$"],
    "cube": [r"^window: 1$", rf"^The system spent: {NUMBER} Secs\. $",
             rf"^It was: {NUMBER} Angles/sec\.$", rf"^It was: {NUMBER} Vertex/sec\.$", r"^$"],
    "screens": [rf"^The system spent: {NUMBER} Secs\. $",
                rf"^It was: {NUMBER} Charaters/sec\.$", r"^$"],
}


class Fuzzer:
    """Random input in bursts, each burst a few xdotool invocations into the window."""

    def __init__(self, run: session.ProgramRun, program: str, rng: random.Random):
        self.run, self.program, self.rng = run, program, rng
        self.window = run.wait_for_window()
        self.display = run.display
        self.sent = 0

    def xdotool(self, *args, check=True):
        """One xdotool command; its failure counts only while the program still runs."""
        try:
            session.xdotool(self.display, *args)
        except session.SessionError:
            if check and self.run.process.poll() is None:
                raise

    def burst(self, size: int, allow_steps: bool) -> None:
        rng = self.rng
        pending_pause = False
        events = 0
        while events < size:
            kind = rng.choices(["type", "key", "mouse", "resize"], [6, 2, 2, 1])[0]
            if kind == "type":
                alphabet = PRINTABLE if allow_steps else [c for c in PRINTABLE
                                                          if c not in STEP_CHARACTERS]
                text = "".join(rng.choice(alphabet) for _ in range(rng.randint(1, 20)))
                if text.startswith("-"):  # would read as an option
                    text = "x" + text
                pending_pause |= bool(set(text) & set("rR"))
                self.xdotool("windowfocus", "--sync", self.window, "type", "--delay", "1", text)
                events += len(text)
            elif kind == "key":
                keys = [rng.choice(SPECIAL_KEYS) for _ in range(rng.randint(1, 6))]
                self.xdotool("windowfocus", "--sync", self.window, "key", "--delay", "1",
                             *keys)
                events += len(keys)
            elif kind == "mouse":
                button = rng.choice([1, 2, 3, 4, 5] if allow_steps else [2, 3, 4, 5])
                action = rng.choice(["click", "mousedown", "mouseup"])
                pending_pause |= button == 1 and action != "mouseup"
                self.xdotool("mousemove", "--window", self.window, str(rng.randint(0, 60)),
                             str(rng.randint(0, 60)), action, str(button))
                events += 1
            else:
                sizes = SIZES[self.program]
                self.xdotool("windowsize", self.window, str(rng.choice(sizes)),
                             str(rng.choice(sizes)))
                events += 1
            if pending_pause and self.program == "triangles":
                # triangles' list grows by the golden ratio per step: never let it run on.
                self.xdotool("windowfocus", "--sync", self.window, "key", "p")
                pending_pause = False
        self.sent += events

    def collapse(self) -> None:
        """A window of no size at all: X refuses it (BadValue); then 1 x 1 and back up."""
        self.xdotool("windowsize", self.window, "0", "0", check=False)
        self.xdotool("windowsize", self.window, "1", "1")
        self.xdotool("windowsize", self.window, "1", "200")
        self.xdotool("windowsize", self.window, "200", "1")
        self.xdotool("windowsize", self.window, "64", "64")


def reported_counts(lines):
    return [int(m.group(1)) for m in (re.match(r"^It drew (\d+) Triangles\.$", l) for l in lines)
            if m]


def check_report(program: str, lines: list[str]) -> int:
    """Every line after the initialisation is part of a frame block, the summary or the
    close-out; returns the number of frame blocks."""
    at = next(i for i, l in enumerate(lines) if l.endswith(" Secs to Initialize.")) + 3
    pattern = BLOCKS[program]
    blocks = 0
    while at < len(lines) and re.match(pattern[0], lines[at]) and not lines[at].startswith(
            ("Total ", "It reaches")):
        for offset, line_pattern in enumerate(pattern):
            assert re.match(line_pattern, lines[at + offset]), (at + offset, lines[at + offset])
        at += len(pattern)
        blocks += 1
    tail = lines[at:]
    assert tail[0].startswith(("Total running time:  ", "Total machine time:  ",
                               "It reaches limits")), tail[:3]
    paths = [l for l in tail if l.startswith(PATH_PREFIX)]
    assert len(paths) == 1 and tail[-1] == PROMPT
    return blocks


@pytest.mark.parametrize("program", ["screens", "cube", "triangles"])
def test_random_input_never_breaks_a_run(tmp_path, display, program):
    rng = random.Random(f"{SEED}-{program}")
    run = session.ProgramRun(program_path(program), display, tmp_path, launcher=LAUNCHER)
    try:
        wait_initialised(run, timeout=300)
        fuzzer = Fuzzer(run, program, rng)
        fuzzer.collapse()
        while fuzzer.sent < EVENTS and not run.count_lines(r"^Press Enter to Exit\.$"):
            allow_steps = True
            if program == "triangles":
                counts = reported_counts(run.lines)
                allow_steps = not counts or counters_from_reports(counts)[-1] < 20
            fuzzer.burst(100, allow_steps)
            if program == "triangles":
                run.wait_quiet(0.2)
        fuzzer.collapse()
        if not run.count_lines(r"^Press Enter to Exit\.$"):
            # Pause, then one step: its report shows the queued input has all been handled
            # (a slow frame lets GLUT take every pending event, Esc too, before the next one).
            frames = run.frames_reported()
            fuzzer.xdotool("windowfocus", "--sync", fuzzer.window, "key", "p", "c")
            run.wait_for_frames(frames + 1, timeout=300 * SLOW)
            run.wait_quiet()
            run.key("Escape")
        run.wait_for_line(rf"^{re.escape(PROMPT)}$", timeout=300 * SLOW)
        run.press_enter()
        code = run.wait_exit(60 * SLOW)
    finally:
        run.kill()
    assert sanitizer_reports(run.errors) == []
    assert code == 0
    blocks = check_report(program, run.lines)
    assert blocks >= 1
    if program == "triangles":
        counters = counters_from_reports(reported_counts(run.lines))
        assert counters == sorted(counters)
