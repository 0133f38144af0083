"""Keys, mouse buttons and the idle step, driven through xdotool on the real programs.

triangles shows its frame counter through the triangle count it reports, so its session
checks what each input did to the counter; screens reports the frame at counter 0 too."""

import math
import re

import pytest

import session
from conftest import LAUNCHER, SLOW, program_path, wait_initialised
from expected import NUMBER, PROMPT

QUIET = 1.5  # seconds in which a paused program must not report a frame


def triangle_count(counter: int, frames_reported: int) -> int:
    """The triangles a frame reports, computed as the program does, in doubles."""
    s = math.sqrt(5.0)
    x = float(counter)
    a = math.pow((s + 1.0) * 0.5, x)
    b = math.pow((1.0 - s) * 0.5, x)
    v = (a - b) * (1.0 / s)
    v = v / float(frames_reported + 1)
    v = v + float(6 * counter)
    return int(v) // 6


def counters_from_reports(counts: list[int]) -> list[int]:
    """The frame counter behind each reported triangle count, never lower than the last."""
    counters, counter = [], 0
    for reported, count in enumerate(counts):
        for candidate in range(counter, counter + 200):
            if triangle_count(candidate, reported) == count:
                counter = candidate
                break
        else:
            raise AssertionError(f"no counter gives {count} triangles at report {reported}")
        counters.append(counter)
    return counters


class Scenario:
    """A run driven step by step; after each step the number of reported frames is noted."""

    def __init__(self, run: session.ProgramRun):
        self.run = run
        self.marks: dict[str, int] = {}

    def mark(self, name: str) -> int:
        self.marks[name] = self.run.frames_reported()
        return self.marks[name]

    def settle(self, frames_before: int, timeout: float = 30) -> None:
        """Waits for at least one more frame, then until frames stop coming."""
        self.run.wait_for_frames(frames_before + 1, timeout=timeout * SLOW)
        self.run.wait_quiet()


NOTHING_KEYS = ["x", "a", "1", "space", "Return", "Tab", "BackSpace", "F1", "Up", "Home",
                "shift+z", "ctrl+r"]


@pytest.fixture(scope="module")
def triangles_session(tmp_path_factory, display):
    run = session.ProgramRun(program_path("triangles"), display,
                             tmp_path_factory.mktemp("triangles"), launcher=LAUNCHER)
    scene = Scenario(run)
    try:
        wait_initialised(run)
        run.resize(64, 64)  # frames stay cheap as the list grows
        run.wait_quiet(QUIET)
        scene.mark("start")
        # Keys and buttons that do nothing; ctrl+r is not R (the code is 18).
        run.key(*NOTHING_KEYS)
        run.click(2)
        for button in ("4", "5"):
            session.xdotool(display, "mousemove", "--window", run.wait_for_window(), "20", "20",
                            "click", button)
        session.xdotool(display, "mouseup", "3")
        run.wait_quiet(QUIET)
        scene.mark("ignored inputs")
        run.key("c")
        run.wait_for_frames(scene.marks["ignored inputs"] + 1)
        run.wait_quiet(QUIET)
        scene.mark("one step")
        run.key("p")  # P while paused
        run.wait_quiet(QUIET)
        scene.mark("pause while paused")
        run.resize(80, 80)  # paused at counter 1: a redraw at the same counter
        scene.settle(scene.marks["pause while paused"])
        scene.mark("resize while paused")
        run.click(1)  # left button: run
        run.wait_for_frames(scene.marks["resize while paused"] + 3)
        run.click(3)  # right button: pause
        scene.settle(scene.marks["resize while paused"] + 2)
        scene.mark("mouse run and pause")
        run.key("r")
        run.wait_for_frames(scene.marks["mouse run and pause"] + 2)
        run.key("r")  # R while running
        run.wait_for_frames(scene.marks["mouse run and pause"] + 4)
        run.key("P")
        scene.settle(scene.marks["mouse run and pause"] + 3)
        scene.mark("keys run and pause")
        run.wait_quiet(QUIET)
        scene.mark("still paused")
        run.key("C")
        scene.settle(scene.marks["still paused"])
        scene.mark("capital step")
        run.key("Escape")
        run.wait_for_line(rf"^{re.escape(PROMPT)}$", timeout=60)
        run.press_enter()
        scene.exit_code = run.wait_exit()
    finally:
        run.kill()
    counts = [int(m.group(1)) for m in
              (re.match(r"^It drew (\d+) Triangles\.$", l) for l in run.lines) if m]
    scene.counters = counters_from_reports(counts)
    scene.counts = counts
    return scene


def test_no_frame_is_reported_at_counter_zero(triangles_session):
    assert triangles_session.marks["start"] == 0


def test_other_keys_and_buttons_do_nothing(triangles_session):
    assert triangles_session.marks["ignored inputs"] == 0


def test_c_steps_once_and_reports_the_first_frame(triangles_session):
    scene = triangles_session
    assert scene.marks["one step"] == 1
    assert scene.counts[0] == 1 and scene.counters[0] == 1


def test_p_while_paused_changes_nothing(triangles_session):
    assert triangles_session.marks["pause while paused"] == 1


def test_resize_while_paused_reports_the_same_counter(triangles_session):
    scene = triangles_session
    assert scene.marks["resize while paused"] >= 2
    assert set(scene.counters[1:scene.marks["resize while paused"]]) == {1}


def test_buttons_and_keys_run_and_pause(triangles_session):
    scene = triangles_session
    marks, counters = scene.marks, scene.counters
    running = counters[marks["resize while paused"]:marks["mouse run and pause"]]
    # One step per shown frame while running.
    assert running[0] == 2
    assert all(b - a == 1 for a, b in zip(running, running[1:])), running
    keys = counters[marks["mouse run and pause"]:marks["keys run and pause"]]
    assert len(keys) >= 3 and keys[0] == running[-1] + 1
    assert all(b - a == 1 for a, b in zip(keys, keys[1:])), keys
    # After P nothing more until the next input.
    assert marks["still paused"] == marks["keys run and pause"]


def test_capital_c_steps_once_from_the_paused_counter(triangles_session):
    scene = triangles_session
    assert scene.marks["capital step"] == scene.marks["still paused"] + 1
    assert scene.counters[-1] == scene.counters[-2] + 1


def test_counter_never_decreases_and_summary_adds_up(triangles_session):
    scene = triangles_session
    assert scene.counters == sorted(scene.counters)
    assert scene.exit_code == 0
    lines = scene.run.lines
    spent = [float(m.group(1)) for m in
             (re.match(rf"^It spent: {NUMBER} Secs\. $", l) for l in lines) if m]
    at = lines.index(next(l for l in lines if l.startswith("Total running time:  ")))
    total = float(re.match(rf"^Total running time:  {NUMBER} Secs\. $", lines[at]).group(1))
    assert math.isclose(total, sum(spent), rel_tol=1e-5, abs_tol=1e-9)
    frames = float(re.match(rf"^Average: {NUMBER} Angles/Sec\.$", lines[at + 1]).group(1))
    triangles = float(re.match(rf"^Average: {NUMBER} Triangles/Sec\.$",
                               lines[at + 2]).group(1))
    assert math.isclose(frames, len(spent) / total, rel_tol=1e-5)
    assert math.isclose(triangles, sum(scene.counts) / total, rel_tol=1e-5)


@pytest.fixture(scope="module")
def screens_session(tmp_path_factory, display):
    run = session.ProgramRun(program_path("screens"), display,
                             tmp_path_factory.mktemp("screens"), launcher=LAUNCHER)
    scene = Scenario(run)
    try:
        wait_initialised(run)
        run.wait_for_frames(1)  # counter 0 is reported in screens
        run.wait_quiet(QUIET)
        scene.mark("start")
        run.key("c")
        scene.settle(scene.marks["start"])
        scene.mark("one step")
        run.key("r")
        run.wait_for_frames(scene.marks["one step"] + 20)
        run.key("Escape")  # while running
        run.wait_for_line(rf"^{re.escape(PROMPT)}$", timeout=60)
        run.wait_quiet(QUIET)  # the wait for Enter blocks the loop: no frame may follow
        scene.lines_at_prompt = list(run.lines)
        run.press_enter()
        scene.exit_code = run.wait_exit()
    finally:
        run.kill()
    return scene


def test_screens_reports_the_frame_at_counter_zero(screens_session):
    assert screens_session.marks["start"] >= 1
    assert screens_session.marks["one step"] == screens_session.marks["start"] + 1


def test_esc_while_running_draws_no_further_frame(screens_session):
    lines = screens_session.lines_at_prompt
    summary_at = next(i for i, l in enumerate(lines) if l.startswith("Total machine time:  "))
    assert not any(l.startswith("The system spent: ") for l in lines[summary_at:])
    assert screens_session.run.lines == lines  # nothing more, before Enter or after
    assert screens_session.exit_code == 0

