"""Drives the suite's programs for real: a private X server, the program's console through a
pipe, keys, clicks and resizes through xdotool, the final Enter through standard input.

The tests and ./run share this module. A session is:

    with VirtualDisplay() as display:
        run = ProgramRun("build/cube", display.name, cwd=folder)
        run.wait_for_window()
        run.key("c")
        run.wait_for_frames(1)
        assert end_run(run) == 0     # Esc, the prompt, Enter, the exit status

stepped_session (C steps) and scripted_session (animate for a while) script whole runs.
"""

from __future__ import annotations

import dataclasses
import glob
import os
import re
import signal
import socket
import subprocess
import threading
import time
from pathlib import Path
from typing import Callable, Optional, Sequence


@dataclasses.dataclass(frozen=True)
class ProgramInfo:
    """What a driver needs to know of a program: its window, its frame and its file."""

    name: str
    window_title: str
    frame_end: str  # regex of the last line of a frame block on the console
    frame_time: str  # regex of a frame's time line on the console; group 1 is the seconds
    results_prefix: str


PROGRAMS = {
    "triangles": ProgramInfo("triangles", "OPENGL Triangles", r" Triangles/sec\.$",
                             r"^It spent: (\S+) Secs\. $", "results_triangles_windows"),
    "cube": ProgramInfo("cube", "OPENGL Cube", r" Vertex/sec\.$",
                        r"^The system spent: (\S+) Secs\. $", "results_cube_windows"),
    "screens": ProgramInfo("screens", "OPENGL Screens", r" Charaters/sec\.$",
                           r"^The system spent: (\S+) Secs\. $", "results_screens_windows"),
}


class SessionError(RuntimeError):
    """A session did not go as the script expected; the message says what was awaited."""


class VirtualDisplay:
    """A private Xvfb server.

    Started with an explicit display number, so that Xvfb takes its lock file and refuses a
    number in use: with -displayfd alone it takes no lock, and two servers starting at once
    (parallel tests) can end up on one socket. Ready once its socket accepts a connection."""

    FIRST_NUMBER = 100
    TRIES = 200

    def __init__(self, width: int = 1600, height: int = 1600, depth: int = 24,
                 start_timeout: float = 30.0):
        self.width, self.height, self.depth = width, height, depth
        self.start_timeout = start_timeout
        self.process: Optional[subprocess.Popen] = None
        self.name = ""

    def __enter__(self) -> "VirtualDisplay":
        self.start()
        return self

    def __exit__(self, *exc) -> None:
        self.stop()

    def start(self) -> None:
        first = self.FIRST_NUMBER + os.getpid() % 500
        for number in range(first, first + self.TRIES):
            if os.path.exists(f"/tmp/.X{number}-lock"):
                continue
            if self._try_start(number):
                self.name = f":{number}"
                return
        raise SessionError("no free display number for Xvfb")

    def _try_start(self, number: int) -> bool:
        self.process = subprocess.Popen(
            # -noreset: by default the server resets whenever its last client leaves, and a
            # program connecting in that moment fails to open the display.
            ["Xvfb", f":{number}", "-noreset", "-nolisten", "tcp", "-screen", "0",
             f"{self.width}x{self.height}x{self.depth}"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + self.start_timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                return False  # the number is taken
            # Ready when the lock names this server (not another one that holds the number
            # and whose socket would answer just the same) and its socket accepts.
            if self._lock_owner(number) == self.process.pid and self._accepts(number):
                return True
            time.sleep(0.05)
        self.stop()
        raise SessionError("Xvfb did not open its display in time")

    @staticmethod
    def _lock_owner(number: int) -> Optional[int]:
        try:
            return int(Path(f"/tmp/.X{number}-lock").read_text().strip())
        except (OSError, ValueError):
            return None

    @staticmethod
    def _accepts(number: int) -> bool:
        probe = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        try:
            probe.connect(f"/tmp/.X11-unix/X{number}")
            return True
        except OSError:
            return False
        finally:
            probe.close()

    def stop(self) -> None:
        if self.process and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


def xdotool(display: str, *args: str, timeout: float = 30.0) -> str:
    """Runs one xdotool command against display and returns what it printed."""
    env = dict(os.environ, DISPLAY=display)
    done = subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True,
                          timeout=timeout)
    if done.returncode != 0:
        raise SessionError(f"xdotool {' '.join(args)} failed: {done.stderr.strip()}")
    return done.stdout


class ProgramRun:
    """One run of a program with its console on a pipe.

    Console lines are collected as they arrive (decoded as Latin-1, so any byte survives);
    standard error likewise. Every wait has a deadline and raises SessionError with what it
    was waiting for, so a hanging program fails a test instead of stalling it.
    """

    def __init__(self, program: str | Path, display: Optional[str], cwd: str | Path,
                 launcher: Sequence[str] = (), env: Optional[dict] = None,
                 stdin: str = "pipe", args: Sequence[str] = ()):
        self.program = Path(program).resolve()
        self.info = PROGRAMS[self.program.name.removesuffix(".exe")]
        # A Windows program's console is in text mode: its lines end in CR LF.
        self.line_end = "\r\n" if self.program.suffix == ".exe" else "\n"
        self.display = display
        self.cwd = Path(cwd)
        self.lines: list[str] = []
        self.errors: list[str] = []
        self.last_output = time.monotonic()
        self._changed = threading.Condition()
        self._window: Optional[str] = None
        full_env = dict(os.environ if env is None else env)
        if display is None:
            full_env.pop("DISPLAY", None)
        else:
            full_env["DISPLAY"] = display
        stdin_arg = {"pipe": subprocess.PIPE, "end": subprocess.DEVNULL}.get(stdin)
        # "closed": the program starts with no file descriptor 0 at all.
        preexec = (lambda: os.close(0)) if stdin == "closed" else None
        self.process = subprocess.Popen(
            [*launcher, str(self.program), *args], cwd=self.cwd, env=full_env,
            stdin=stdin_arg if stdin != "closed" else subprocess.DEVNULL,
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, preexec_fn=preexec,
            start_new_session=True)
        self._readers = [
            threading.Thread(target=self._collect, args=(self.process.stdout, self.lines),
                             daemon=True),
            threading.Thread(target=self._collect, args=(self.process.stderr, self.errors),
                             daemon=True),
        ]
        for reader in self._readers:
            reader.start()

    def _collect(self, stream, into: list[str]) -> None:
        for raw in iter(stream.readline, b""):
            line = raw.decode("latin-1").removesuffix("\n")
            if self.line_end == "\r\n":
                line = line.removesuffix("\r")
            with self._changed:
                into.append(line)
                self.last_output = time.monotonic()
                self._changed.notify_all()
        with self._changed:
            self._changed.notify_all()

    # --- waiting -------------------------------------------------------------------------

    def wait_until(self, condition: Callable[[], bool], what: str, timeout: float) -> None:
        deadline = time.monotonic() + timeout
        with self._changed:
            while not condition():
                remaining = deadline - time.monotonic()
                if remaining <= 0:
                    raise SessionError(f"{self.info.name}: timed out after {timeout} s waiting "
                                       f"for {what}; last lines: {self.lines[-5:]!r}; "
                                       f"stderr: {self.errors[-5:]!r}")
                if self.process.poll() is not None and not any(r.is_alive()
                                                               for r in self._readers):
                    if condition():
                        return
                    raise SessionError(f"{self.info.name}: exited with "
                                       f"{self.process.returncode} while waiting for {what}; "
                                       f"last lines: {self.lines[-5:]!r}; "
                                       f"stderr: {self.errors[-5:]!r}")
                self._changed.wait(min(remaining, 0.2))

    def wait_for_line(self, pattern: str, after: int = 0, timeout: float = 60.0) -> int:
        """Index of the first console line from index `after` on that matches pattern."""
        regex = re.compile(pattern)
        found: list[int] = []

        def seen() -> bool:
            for index in range(after, len(self.lines)):
                if regex.search(self.lines[index]):
                    found.append(index)
                    return True
            return False

        self.wait_until(seen, f"a console line matching {pattern!r}", timeout)
        return found[0]

    def count_lines(self, pattern: str) -> int:
        regex = re.compile(pattern)
        with self._changed:
            return sum(1 for line in self.lines if regex.search(line))

    def wait_for_frames(self, count: int, timeout: float = 60.0) -> None:
        """Waits until `count` frame blocks in all have reached the console."""
        regex = re.compile(self.info.frame_end)
        self.wait_until(lambda: sum(1 for l in self.lines if regex.search(l)) >= count,
                        f"{count} reported frames", timeout)

    def frames_reported(self) -> int:
        return self.count_lines(self.info.frame_end)

    def last_frame_seconds(self) -> float:
        """The time of the last reported frame, 0 before the first."""
        regex = re.compile(self.info.frame_time)
        with self._changed:
            for line in reversed(self.lines):
                match = regex.match(line)
                if match:
                    try:
                        return float(match.group(1))
                    except ValueError:
                        return 0.0
        return 0.0

    def wait_quiet(self, at_least: float = 0.5) -> None:
        """Waits until no frame has been reported for a while: at_least seconds, and three
        times the last frame's time, so a frame still being drawn is not missed."""
        while True:
            count = self.frames_reported()
            time.sleep(max(at_least, 3 * self.last_frame_seconds() + 0.5))
            if self.frames_reported() == count:
                return

    def wait_exit(self, timeout: float = 30.0) -> int:
        try:
            code = self.process.wait(timeout)
        except subprocess.TimeoutExpired as expired:
            self.kill()
            raise SessionError(f"{self.info.name}: did not exit within {timeout} s; last "
                               f"lines: {self.lines[-5:]!r}") from expired
        for reader in self._readers:
            reader.join(10)
        return code

    # --- input ---------------------------------------------------------------------------

    def wait_for_window(self, timeout: float = 120.0) -> str:
        """The window's X id, once the program has created and mapped it."""
        if self._window is None:
            deadline = time.monotonic() + timeout
            while True:
                if self.process.poll() is not None:
                    raise SessionError(f"{self.info.name}: exited with "
                                       f"{self.process.returncode} before its window showed; "
                                       f"stderr: {self.errors[-5:]!r}")
                env = dict(os.environ, DISPLAY=self.display or "")
                found = subprocess.run(
                    ["xdotool", "search", "--onlyvisible", "--name",
                     f"^{re.escape(self.info.window_title)}$"],
                    env=env, capture_output=True, text=True, timeout=30)
                ids = found.stdout.split()
                if ids:
                    self._window = ids[0]
                    break
                if time.monotonic() > deadline:
                    raise SessionError(f"{self.info.name}: no window within {timeout} s")
                time.sleep(0.2)
        return self._window

    def key(self, *keys: str) -> None:
        """Key presses in the window, by X key names ("r", "Escape", "F1")."""
        window = self.wait_for_window()
        xdotool(self.display, "windowfocus", "--sync", window, "key", "--delay", "20", *keys)

    def click(self, button: int, x: int = 20, y: int = 20) -> None:
        window = self.wait_for_window()
        xdotool(self.display, "mousemove", "--window", window, str(x), str(y), "click",
                str(button))

    def resize(self, width: int, height: int) -> None:
        window = self.wait_for_window()
        xdotool(self.display, "windowsize", window, str(width), str(height))

    def press_enter(self) -> None:
        if self.process.stdin:
            try:
                self.process.stdin.write(b"\n")
                self.process.stdin.flush()
            except BrokenPipeError:
                pass

    def kill(self, sig: int = signal.SIGKILL) -> None:
        if self.process.poll() is None:
            try:
                os.killpg(self.process.pid, sig)
            except ProcessLookupError:
                pass
            self.process.wait()

    # --- results -------------------------------------------------------------------------

    def results_files(self) -> list[Path]:
        return sorted(Path(p) for p in glob.glob(str(self.cwd / f"{self.info.results_prefix}*")))

    def results_lines(self) -> list[str]:
        files = self.results_files()
        if len(files) != 1:
            raise SessionError(f"expected one results file in {self.cwd}, found {files}")
        return files[0].read_bytes().decode("latin-1").split("\n")[:-1]


def stepped_session(run: ProgramRun, steps: int, reported_at_start: int = 0,
                    timeout: float = 120.0) -> ProgramRun:
    """Waits for the initialisation (and the frames reported at start), steps `steps` times
    with C, each step reported before the next, then ends the run with Esc and Enter. The
    exit status lands in run.exit_code; the run is killed should anything fail."""
    try:
        run.wait_for_window(timeout=timeout)
        run.wait_for_line(r"^It spent: .* Secs to Initialize\.$", timeout=timeout)
        run.wait_for_frames(reported_at_start, timeout=timeout)
        run.wait_quiet()
        for step in range(1, steps + 1):
            run.key("c")
            run.wait_for_frames(reported_at_start + step, timeout=timeout)
            run.wait_quiet()
        run.exit_code = end_run(run, timeout)
    finally:
        run.kill()
    return run


def end_run(run: ProgramRun, timeout: float = 120.0) -> int:
    """Esc, the prompt, Enter; returns the exit status."""
    run.key("Escape")
    run.wait_for_line(r"^Press Enter to Exit\.$", timeout=timeout)
    run.press_enter()
    return run.wait_exit()


class Hang(SessionError):
    """The program wrote no console line for longer than the session allows."""


def scripted_session(run: ProgramRun, frames: int = 5, seconds: float = 60.0,
                     hang_seconds: float = 300.0,
                     on_progress: Optional[Callable[[ProgramRun, str], None]] = None
                     ) -> ProgramRun:
    """Animate (R), let `frames` frames or `seconds` seconds pass, whichever comes first,
    Esc, Enter; a run that ends itself (the triangles limit) is answered the same way.
    Raises Hang when the program is silent for hang_seconds, SessionError when it exits
    early; the exit status lands in run.exit_code."""
    report = on_progress or (lambda _run, _state: None)

    def wait_for(pattern: str, state: str) -> None:
        while not run.count_lines(pattern):
            if run.process.poll() is not None and not run.count_lines(pattern):
                run.wait_exit()  # collects the last lines
                if run.count_lines(pattern):
                    return
                raise SessionError(f"{run.info.name}: exited with {run.process.returncode} "
                                   f"while {state}; stderr: {run.errors[-5:]!r}")
            if time.monotonic() - run.last_output > hang_seconds:
                raise Hang(f"no console line for {hang_seconds:g} s while {state}")
            report(run, state)
            time.sleep(0.25)

    prompt = r"^Press Enter to Exit\.$"
    wait_for(r"^It spent: .* Secs to Initialize\.$", "initialising")
    run.wait_for_window(timeout=hang_seconds)
    run.key("r")
    started = time.monotonic()
    while run.frames_reported() < frames and time.monotonic() - started < seconds:
        if run.count_lines(prompt):
            break
        if time.monotonic() - run.last_output > hang_seconds:
            raise Hang(f"no console line for {hang_seconds:g} s while animating")
        if run.process.poll() is not None:
            raise SessionError(f"{run.info.name}: exited with {run.process.returncode} "
                               "while animating")
        report(run, "animating")
        time.sleep(0.25)
    if not run.count_lines(prompt):
        run.key("Escape")
    wait_for(prompt, "closing")
    run.press_enter()
    run.exit_code = run.wait_exit(hang_seconds)
    return run
