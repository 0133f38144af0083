"""What the programs are expected to send to GL, and helpers to pick it out of a trace."""

from __future__ import annotations

import math
import struct
from pathlib import Path
from typing import Callable, Optional

import gltrace
import session
from conftest import SLOW, program_path, wait_initialised
from expected import PROMPT


def f32(value: float) -> float:
    """value rounded to single precision, as the programs hand it to the *fv calls."""
    return struct.unpack("f", struct.pack("f", value))[0]


def close(actual, expected, rel=2e-6, abs_=1e-7) -> bool:
    """apitrace prints floats with 7 significant digits."""
    if isinstance(expected, (tuple, list)):
        return (isinstance(actual, (tuple, list)) and len(actual) == len(expected)
                and all(close(a, e, rel, abs_) for a, e in zip(actual, expected)))
    if isinstance(expected, str):
        return actual == expected
    return math.isclose(float(actual), float(expected), rel_tol=rel, abs_tol=abs_)


def setup_sequence(clockwise: bool) -> list[tuple]:
    calls = [("glShadeModel", "GL_SMOOTH")]
    calls += [("glEnable", cap) for cap in
              ("GL_POINT_SMOOTH", "GL_FOG", "GL_LIGHT0", "GL_LIGHTING")]
    calls += [("glHint", target, "GL_NICEST") for target in
              ("GL_POINT_SMOOTH_HINT", "GL_FOG_HINT", "GL_PERSPECTIVE_CORRECTION_HINT")]
    calls += [("glEnable", cap) for cap in
              ("GL_BLEND", "GL_ALPHA_TEST", "GL_AUTO_NORMAL", "GL_COLOR_MATERIAL", "GL_DITHER",
               "GL_SCISSOR_TEST", "GL_STENCIL_TEST", "GL_DEPTH_TEST", "GL_NORMALIZE",
               "GL_LINE_STIPPLE")]
    calls += [("glPolygonMode", "GL_FRONT", "GL_FILL"), ("glPolygonMode", "GL_BACK", "GL_LINE")]
    if clockwise:
        calls.append(("glFrontFace", "GL_CW"))
    calls += [("glEnable", "GL_CULL_FACE"), ("glEnable", "GL_POLYGON_STIPPLE")]
    calls += [("glEnableClientState", array) for array in
              ("GL_COLOR_ARRAY", "GL_NORMAL_ARRAY", "GL_VERTEX_ARRAY")]
    calls += [("glDrawBuffer", "GL_FRONT_AND_BACK"),
              ("glBlendFunc", "GL_SRC_ALPHA", "GL_ONE_MINUS_SRC_ALPHA")]
    return calls


def as_tuple(call: gltrace.Call) -> tuple:
    return (call.name, *call.arg_values())


def calls_after_colour_queries(calls: list[gltrace.Call]) -> list[gltrace.Call]:
    """The program's own GL calls from right after the GL_BLUE_BITS query on."""
    own = gltrace.gl_only(calls)
    at = next(i for i, c in enumerate(own)
              if c.name == "glGetIntegerv" and c.args.get("pname") == "GL_BLUE_BITS")
    queried = [c.args["pname"] for c in own[at - 2:at + 1]]
    assert queried == ["GL_RED_BITS", "GL_GREEN_BITS", "GL_BLUE_BITS"], queried
    return own[at + 1:]


def lighting_for(counter: int) -> dict:
    """The parameter arrays of a frame at this counter, each component as a float."""
    c = float(counter)
    a, s, k = math.atan(c), math.sin(c), math.cos(c)
    a2, s2, k2 = math.atan(c) * 0.5, math.sin(c) * 0.5, math.cos(c) * 0.5
    m = ((counter + 2**31) % 2**32) - 2**31
    n = int(math.fmod(m, 64))
    ambient = tuple(map(f32, (k2, s2, a2, 1)))
    diffuse = tuple(map(f32, (a2, s2, k2, 1)))
    return {
        ("glLightfv", "GL_POSITION"): tuple(map(f32, (a, s, k, 1))),
        ("glLightfv", "GL_SPOT_DIRECTION"): tuple(map(f32, (a, s, k))),
        ("glLightfv", "GL_AMBIENT"): ambient,
        ("glLightfv", "GL_DIFFUSE"): diffuse,
        ("glMaterialfv", "GL_SPECULAR"): diffuse,
        ("glMaterialfv", "GL_SHININESS"): float(n),
        ("glMaterialfv", "GL_AMBIENT"): ambient,
        ("glMaterialfv", "GL_DIFFUSE"): diffuse,
        ("glMaterialfv", "GL_EMISSION"): tuple(map(f32, (s2, a2, k2, 1))),
        ("glLightModelfv", "GL_LIGHT_MODEL_AMBIENT"): ambient,
        ("glLightModeli", "GL_LIGHT_MODEL_LOCAL_VIEWER"): 1,
        ("glLightModeli", "GL_LIGHT_MODEL_TWO_SIDE"): 1,
        ("glLogicOp",): "GL_XOR",
        ("glLightf", "GL_CONSTANT_ATTENUATION"): f32(k),
        ("glLightf", "GL_LINEAR_ATTENUATION"): f32(s),
        ("glLightf", "GL_QUADRATIC_ATTENUATION"): f32(k),
    }


LIGHTING_NAMES = ("glLightfv", "glMaterialfv", "glLightModelfv", "glLightModeli", "glLogicOp",
                  "glLightf")


def lighting_calls(frame: list[gltrace.Call]) -> list[tuple]:
    """The sixteen light and material calls of a frame as (key, value), in order."""
    found = []
    for call in frame:
        if call.name not in LIGHTING_NAMES:
            continue
        values = call.arg_values()
        if call.name == "glLogicOp":
            found.append((("glLogicOp",), values[0]))
        elif call.name in ("glLightfv", "glLightf"):
            assert values[0] == "GL_LIGHT0"
            found.append(((call.name, values[1]), values[2]))
        else:
            if call.name == "glMaterialfv":
                assert values[0] == "GL_FRONT_AND_BACK"
                values = values[1:]
            found.append(((call.name, values[0]), values[1]))
    return found


def frame_counter_of(frame: list[gltrace.Call]) -> int:
    """The counter a frame was drawn at, read back from its light position's atan."""
    position = next(c for c in frame
                    if c.name == "glLightfv" and c.args["pname"] == "GL_POSITION")
    return round(math.tan(position.args["params"][0]))


def text_blocks(frame: list[gltrace.Call]) -> list[dict]:
    """Each draw_text_block of a frame: its calls, raster positions and bitmap count."""
    blocks = []
    current = None
    for call in gltrace.gl_only(frame):
        if current is None:
            if call.name == "glDisable" and call.args["cap"] == "GL_LIGHTING":
                current = {"calls": [call], "raster": [], "bitmaps": 0}
            continue
        current["calls"].append(call)
        if call.name == "glRasterPos2d":
            current["raster"].append((call.args["x"], call.args["y"]))
        elif call.name == "glBitmap":
            current["bitmaps"] += 1
        elif call.name == "glEnable" and call.args["cap"] == "GL_LIGHTING":
            blocks.append(current)
            current = None
    return blocks


def text_block_frame(block: dict) -> list[tuple]:
    """A block's calls without the per-character ones, for comparing the state it touches."""
    per_character = {"glRasterPos2d", "glBitmap", "glPushClientAttrib", "glPopClientAttrib",
                     "glPixelStorei"}
    return [as_tuple(c) for c in block["calls"] if c.name not in per_character]


def expected_text_block_frame(width: int, height: int) -> list[tuple]:
    return [("glDisable", "GL_LIGHTING"), ("glDisable", "GL_DEPTH_TEST"),
            ("glMatrixMode", "GL_PROJECTION"), ("glPushMatrix",), ("glLoadIdentity",),
            ("glOrtho", 0, width, 0, height, -1, 1),
            ("glMatrixMode", "GL_MODELVIEW"), ("glPushMatrix",), ("glLoadIdentity",),
            ("glColor3f", 1, 1, 1),
            ("glMatrixMode", "GL_PROJECTION"), ("glPopMatrix",),
            ("glMatrixMode", "GL_MODELVIEW"), ("glPopMatrix",),
            ("glColor4f", 1, 1, 1, 1), ("glEnable", "GL_DEPTH_TEST"), ("glEnable", "GL_LIGHTING")]


def raster_lines(x: float, y: float, newlines: int) -> list[tuple]:
    return [(x, y - 18.0 * line) for line in range(newlines + 1)]


def reshapes(calls: list[gltrace.Call]) -> list[list[gltrace.Call]]:
    """The calls of each reshape: from a program glViewport to the call before the next
    glClear or glViewport."""
    own = gltrace.gl_only(calls)
    found = []
    for index, call in enumerate(own):
        if call.name != "glViewport":
            continue
        end = index + 1
        while end < len(own) and own[end].name not in ("glClear", "glViewport"):
            end += 1
        found.append(own[index:end])
    return found


def look_at_matrix(eye, center, up) -> list[float]:
    """The column-major matrix that GLU's gluLookAt multiplies in, before its translation."""
    forward = [c - e for c, e in zip(center, eye)]
    norm = math.sqrt(sum(v * v for v in forward))
    forward = [v / norm for v in forward]
    side = [forward[1] * up[2] - forward[2] * up[1], forward[2] * up[0] - forward[0] * up[2],
            forward[0] * up[1] - forward[1] * up[0]]
    norm = math.sqrt(sum(v * v for v in side))
    side = [v / norm for v in side]
    new_up = [side[1] * forward[2] - side[2] * forward[1],
              side[2] * forward[0] - side[0] * forward[2],
              side[0] * forward[1] - side[1] * forward[0]]
    rows = [side, new_up, [-v for v in forward]]
    matrix = [0.0] * 16
    for row in range(3):
        for col in range(3):
            matrix[col * 4 + row] = rows[row][col]
    matrix[15] = 1.0
    return matrix


def traced_session(name: str, folder: Path, display: str,
                   script: Callable[[session.ProgramRun], None],
                   calls: Optional[str] = None, init_timeout: float = 300.0):
    """Runs a program under apitrace through script (which starts after initialisation and
    must bring the run to its prompt); answers Enter; returns the run and the parsed calls."""
    trace = folder / f"{name}.trace"
    run = session.ProgramRun(program_path(name), display, folder,
                             launcher=["apitrace", "trace", "-o", str(trace)])
    try:
        wait_initialised(run, init_timeout)
        script(run)
        run.wait_for_line(rf"^{PROMPT.replace('.', r'[.]')}$", timeout=300 * SLOW)
        run.press_enter()
        assert run.wait_exit(120) == 0
    finally:
        run.kill()
    parsed = gltrace.parse_dump(gltrace.dump_trace(trace, [f"--calls={calls}"] if calls else []))
    trace.unlink()
    return run, parsed
