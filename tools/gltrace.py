"""What a program sent to GL: records a run with apitrace and turns `apitrace dump` into
a list of calls with their arguments.

    calls = parse_dump(dump_trace(path))
    frames = split_frames(calls)          # one list of calls per glXSwapBuffers
    frames[0][0].name, frames[0][0].args  # 'glClear', {'mask': frozenset({...})}

Argument values become Python values: numbers (int or float), enum names (str), masks
('A | B', a frozenset of names), arrays ({1, 2}, a tuple), pointers (&x, the pointed value),
blobs (blob(46), a Blob), NULL (None).
"""

from __future__ import annotations

import dataclasses
import re
import subprocess
from pathlib import Path
from typing import Any, Iterable, Optional


@dataclasses.dataclass(frozen=True)
class Blob:
    size: int


@dataclasses.dataclass
class Call:
    number: int
    name: str
    args: dict[str, Any]
    result: Any = None
    fake: bool = False  # recorded by apitrace itself (marked "// fake"), not by the program

    def arg_values(self) -> tuple:
        return tuple(self.args.values())

    def __repr__(self) -> str:
        inner = ", ".join(f"{k}={v!r}" for k, v in self.args.items())
        return f"{self.number} {self.name}({inner})"


_CALL_LINE = re.compile(r"^(\d+) (\w+)\((.*)$")
_NUMBER = re.compile(r"^[-+]?(\d+\.?\d*([eE][-+]?\d+)?|\.\d+([eE][-+]?\d+)?|inf|nan)$")


class _ValueParser:
    """Recursive descent over one dump line's argument list."""

    def __init__(self, text: str):
        self.text = text
        self.pos = 0

    def peek(self) -> str:
        return self.text[self.pos] if self.pos < len(self.text) else ""

    def skip_spaces(self) -> None:
        while self.peek() == " ":
            self.pos += 1

    def expect(self, literal: str) -> None:
        if not self.text.startswith(literal, self.pos):
            raise ValueError(f"expected {literal!r} at {self.pos} in {self.text!r}")
        self.pos += len(literal)

    def arguments(self) -> dict[str, Any]:
        args: dict[str, Any] = {}
        self.skip_spaces()
        if self.peek() == ")":
            self.pos += 1
            return args
        while True:
            self.skip_spaces()
            match = re.compile(r"(\w+) = ").match(self.text, self.pos)
            if not match:
                raise ValueError(f"no argument name at {self.pos} in {self.text!r}")
            self.pos = match.end()
            args[match.group(1)] = self.value()
            self.skip_spaces()
            if self.peek() == ",":
                self.pos += 1
                continue
            self.expect(")")
            return args

    def value(self) -> Any:
        self.skip_spaces()
        char = self.peek()
        if char == "{":
            self.pos += 1
            items = []
            self.skip_spaces()
            if self.peek() == "}":
                self.pos += 1
                return tuple(items)
            while True:
                items.append(self.value())
                self.skip_spaces()
                if self.peek() == ",":
                    self.pos += 1
                    continue
                self.expect("}")
                return tuple(items)
        if char == "&":
            self.pos += 1
            return self.value()
        if char == '"':
            end = self.pos + 1
            while end < len(self.text) and self.text[end] != '"':
                end += 2 if self.text[end] == "\\" else 1
            literal = self.text[self.pos + 1:end]
            self.pos = end + 1
            return literal
        blob = re.compile(r"blob\((\d+)\)").match(self.text, self.pos)
        if blob:
            self.pos = blob.end()
            return Blob(int(blob.group(1)))
        # A bare token runs to the next separator at this nesting level.
        match = re.compile(r"[^,})]+").match(self.text, self.pos)
        token = match.group(0).strip() if match else ""
        self.pos = match.end() if match else self.pos
        return _scalar(token)


def _scalar(token: str) -> Any:
    if token == "NULL":
        return None
    if token.startswith("blob(") and token.endswith(")"):
        return Blob(int(token[5:-1]))
    if " | " in token:
        return frozenset(part.strip() for part in token.split("|"))
    if _NUMBER.match(token):
        if re.match(r"^[-+]?\d+$", token):
            return int(token)
        return float(token)
    if re.match(r"^0x[0-9a-fA-F]+$", token):
        return int(token, 16)
    return token


def parse_line(line: str) -> Optional[Call]:
    match = _CALL_LINE.match(line)
    if not match:
        return None
    number, name, rest = int(match.group(1)), match.group(2), match.group(3)
    # A trailing comment such as "// fake".
    comment = re.search(r"\s*//([^\"]*)$", rest)
    fake = bool(comment and comment.group(1).strip() == "fake")
    if comment:
        rest = rest[:comment.start()]
    parser = _ValueParser(rest)
    args = parser.arguments()
    result = None
    tail = rest[parser.pos:].strip()
    if tail.startswith("= "):
        result = _ValueParser(tail[2:]).value()
    return Call(number, name, args, result, fake)


def parse_dump(text: str) -> list[Call]:
    calls = []
    for line in text.splitlines():
        call = parse_line(line)
        if call is not None:
            calls.append(call)
    return calls


def dump_trace(trace: str | Path, extra: Iterable[str] = ()) -> str:
    done = subprocess.run(["apitrace", "dump", "--color=never", *extra, str(trace)],
                          capture_output=True, text=True, check=True)
    return done.stdout


def split_frames(calls: list[Call]) -> list[list[Call]]:
    """The calls of each frame: from after one swap up to and including the next swap,
    starting at the first glClear (the set-up before it is not a frame)."""
    frames: list[list[Call]] = []
    current: Optional[list[Call]] = None
    for call in calls:
        if current is None:
            if call.name == "glClear":
                current = [call]
            continue
        current.append(call)
        if call.name == "glXSwapBuffers":
            frames.append(current)
            current = None
    return frames


def gl_only(calls: Iterable[Call]) -> list[Call]:
    """Drops the window-system calls (glX...) that freeglut makes around the program's own,
    and the calls apitrace adds itself."""
    return [c for c in calls if not c.name.startswith("glX") and not c.fake]


def names(calls: Iterable[Call]) -> list[str]:
    return [c.name for c in calls]


def first_index(calls: list[Call], name: str, start: int = 0) -> int:
    for index in range(start, len(calls)):
        if calls[index].name == name:
            return index
    raise ValueError(f"no {name} from index {start} on")
