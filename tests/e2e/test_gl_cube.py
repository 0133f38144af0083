"""What cube sends to GL, recorded with apitrace: the point list (its first and last points,
16,777,216 in all) and the frame that replays it inside a second state save."""

import math

import pytest

import gltrace
from glchecks import (as_tuple, calls_after_colour_queries, close, expected_text_block_frame,
                      frame_counter_of, raster_lines, setup_sequence, text_block_frame,
                      text_blocks, traced_session)

POINTS = 2 ** 24
# The set-up, the list's head, and everything from just before the list's last points on.
CALLS = f"0-400,{3 * POINTS - 200}-"


@pytest.fixture(scope="module")
def cube_trace(tmp_path_factory, display):
    def script(run):
        run.key("c")
        run.wait_for_frames(1, timeout=300)
        run.key("Escape")

    return traced_session("cube", tmp_path_factory.mktemp("cube"), display, script, calls=CALLS,
                          init_timeout=600)


def point(i, j, k, bits=8):
    scale = 1.0 / 2 ** bits
    x, y, z = i * scale, j * scale, k * scale
    length = math.sqrt(k * z * scale + j * y * scale + i * x * scale)
    normal = (z / length, y / length, x / length) if length else (1 / math.sqrt(3),) * 3
    return [("glNormal3d", *normal), ("glColor3d", k * scale, j * scale, i * scale),
            ("glVertex3d", x, y, z)]


def test_set_up_makes_clockwise_faces_front(cube_trace):
    _, calls = cube_trace
    expected = setup_sequence(True)
    assert [as_tuple(c) for c in calls_after_colour_queries(calls)[:len(expected)]] == expected


def test_list_holds_every_point_in_grid_order(cube_trace):
    _, calls = cube_trace
    own = gltrace.gl_only(calls)
    gen = gltrace.first_index(own, "glGenLists")
    list_id = own[gen].result
    assert [as_tuple(c) for c in own[gen + 1:gen + 5]] == [
        ("glNewList", list_id, "GL_COMPILE"), ("glPushMatrix",),
        ("glPushClientAttrib", "GL_CLIENT_ALL_ATTRIB_BITS"), ("glBegin", "GL_POINTS")]
    head = [as_tuple(c) for c in own[gen + 5:gen + 5 + 9]]
    expected_head = point(0, 0, 0) + point(0, 0, 1) + point(0, 0, 2)
    assert len(head) == len(expected_head)
    assert all(close(a[1:], e[1:], rel=1e-15) and a[0] == e[0]
               for a, e in zip(head, expected_head)), head
    end = gltrace.first_index(own, "glEnd")
    tail = [as_tuple(c) for c in own[end - 6:end + 4]]
    expected_tail = point(255, 255, 254) + point(255, 255, 255)
    assert all(close(a[1:], e[1:], rel=1e-15) and a[0] == e[0]
               for a, e in zip(tail[:6], expected_tail)), tail
    assert tail[6:] == [("glEnd",), ("glPopClientAttrib",), ("glPopMatrix",), ("glEndList",)]
    # Three calls per point between glBegin and glEnd, by the trace's call numbers.
    begin = own[gen + 4]
    assert own[end].number - begin.number - 1 == 3 * POINTS


def test_frame_replays_the_list_inside_a_second_save(cube_trace):
    _, calls = cube_trace
    list_id = next(c.result for c in calls if c.name == "glGenLists")
    frames = [gltrace.gl_only(f) for f in gltrace.split_frames(calls)]
    assert [frame_counter_of(f) for f in frames][-1] == 1
    for frame in frames:
        counter = frame_counter_of(frame)
        block = text_blocks(frame)[0]
        block_calls = {id(c) for c in block["calls"]}
        outside = [as_tuple(c) for c in frame if id(c) not in block_calls and c.name in (
            "glPushMatrix", "glPopMatrix", "glPushClientAttrib", "glPopClientAttrib",
            "glCallList", "glScaled", "glRotated", "glTranslated")]
        outside = [c for c in outside if c != ("glPushClientAttrib", "GL_CLIENT_PIXEL_STORE_BIT")]
        assert outside == [
            ("glPushMatrix",), ("glPushClientAttrib", "GL_CLIENT_ALL_ATTRIB_BITS"),
            ("glScaled", 1, 1, 1), ("glRotated", counter + 45, 1, 1, 1),
            ("glTranslated", -0.5, -0.5, -0.5),
            ("glPushMatrix",), ("glPushClientAttrib", "GL_CLIENT_ALL_ATTRIB_BITS"),
            ("glCallList", list_id),
            ("glPopClientAttrib",), ("glPopMatrix",),
            ("glPopClientAttrib",), ("glPopMatrix",)], outside
        names = gltrace.names(frame)
        # The lights come after the model transform and before the nested save.
        assert names.index("glRotated") < names.index("glLightfv")
        assert names.index("glLightf") < names.index("glCallList")
        # The overlay lies between the list call and the nested restore.
        assert frame.index(block["calls"][0]) > names.index("glCallList")
        assert block["raster"] == raster_lines(0, 100, 5)
        assert text_block_frame(block) == expected_text_block_frame(1440, 1440)
