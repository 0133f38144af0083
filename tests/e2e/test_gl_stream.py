"""What screens and triangles send to GL, recorded with apitrace from real runs: the render
state, the frame around the workload, the text blocks, the reshape, the triangle draws."""

import math

import pytest

import gltrace
from glchecks import (as_tuple, calls_after_colour_queries, close, expected_text_block_frame,
                      f32, frame_counter_of, lighting_calls, lighting_for, look_at_matrix,
                      raster_lines, reshapes, setup_sequence, text_block_frame, text_blocks,
                      traced_session)

FRAME_OPEN = [("glClear", frozenset({"GL_COLOR_BUFFER_BIT", "GL_DEPTH_BUFFER_BIT",
                                     "GL_STENCIL_BUFFER_BIT", "GL_ACCUM_BUFFER_BIT"})),
              ("glClearColor", 0, 0, 0, 0), ("glClearDepth", 1), ("glClearStencil", 0),
              ("glClearAccum", 0, 0, 0, 0), ("glPushMatrix",),
              ("glPushClientAttrib", "GL_CLIENT_ALL_ATTRIB_BITS")]


def reported_frames(run, count, timeout=120):
    run.wait_for_frames(count, timeout=timeout)


@pytest.fixture(scope="module")
def screens_trace(tmp_path_factory, display):
    def script(run):
        reported_frames(run, 1)          # the first frame, counter 0, is reported
        run.key("c")
        reported_frames(run, 2)
        run.resize(800, 600)
        reported_frames(run, 3)
        run.resize(600, 800)
        reported_frames(run, 4)
        run.key("Escape")

    run, calls = traced_session("screens", tmp_path_factory.mktemp("screens"), display, script)
    return run, calls


@pytest.fixture(scope="module")
def triangles_trace(tmp_path_factory, display):
    def script(run):
        for frames in (1, 2, 3):
            run.key("c")
            reported_frames(run, frames)
        run.resize(64, 64)  # a reshape at counter 3 aims the camera at (0, sin 3, 0)
        reported_frames(run, 4)
        run.key("Escape")

    return traced_session("triangles", tmp_path_factory.mktemp("triangles"), display, script)


def frames_of(calls):
    return [gltrace.gl_only(frame) for frame in gltrace.split_frames(calls)]


@pytest.mark.parametrize("program,clockwise", [("screens", True), ("triangles", False)])
def test_render_state_is_set_once_in_order(screens_trace, triangles_trace, program, clockwise):
    _, calls = {"screens": screens_trace, "triangles": triangles_trace}[program]
    after = calls_after_colour_queries(calls)
    expected = setup_sequence(clockwise)
    assert [as_tuple(c) for c in after[:len(expected)]] == expected


def test_screens_frames_carry_the_lighting_of_their_counter(screens_trace):
    _, calls = screens_trace
    frames = frames_of(calls)
    counters = [frame_counter_of(f) for f in frames]
    assert counters[0] == 0 and counters[-1] == 1
    assert sorted(counters) == counters  # never lowered
    for frame, counter in ((frames[0], 0), (frames[-1], 1)):
        expected = lighting_for(counter)
        found = lighting_calls(frame)
        assert [key for key, _ in found] == list(expected)
        for key, value in found:
            assert close(value, expected[key]), (counter, key, value, expected[key])


def test_counter_zero_frame_has_the_documented_values(screens_trace):
    _, calls = screens_trace
    found = dict(lighting_calls(frames_of(calls)[0]))
    assert found[("glLightfv", "GL_POSITION")] == (0, 0, 1, 1)
    assert found[("glLightfv", "GL_SPOT_DIRECTION")] == (0, 0, 1)
    assert found[("glLightfv", "GL_AMBIENT")] == (0.5, 0, 0, 1)
    assert found[("glLightModelfv", "GL_LIGHT_MODEL_AMBIENT")] == (0.5, 0, 0, 1)
    for key in (("glLightfv", "GL_DIFFUSE"), ("glMaterialfv", "GL_SPECULAR"),
                ("glMaterialfv", "GL_EMISSION")):
        assert found[key] == (0, 0, 0.5, 1)
    assert found[("glMaterialfv", "GL_SHININESS")] == 0
    assert found[("glLightf", "GL_CONSTANT_ATTENUATION")] == 1
    assert found[("glLightf", "GL_LINEAR_ATTENUATION")] == 0
    assert found[("glLightf", "GL_QUADRATIC_ATTENUATION")] == 1


def test_screens_frame_skeleton_without_model_transform(screens_trace):
    _, calls = screens_trace
    for frame in frames_of(calls):
        assert [as_tuple(c) for c in frame[:7]] == FRAME_OPEN
        names = gltrace.names(frame)
        assert not {"glRotated", "glScaled", "glTranslated"} & set(names)
        # Saved once, restored once, before the swap.
        assert names.count("glPushClientAttrib") - names.count("glPopClientAttrib") == 0
        tail = [n for n in names if n not in ("glFlush",)][-2:]
        assert tail == ["glPopClientAttrib", "glPopMatrix"]


def test_screens_text_blocks_stand_where_the_lines_are_drawn(screens_trace):
    _, calls = screens_trace
    for frame in frames_of(calls):
        block, overlay = text_blocks(frame)
        assert block["raster"] == raster_lines(0, 990, 50)  # 50 lines at 990, 972, ..., 108
        assert block["bitmaps"] == 6450
        assert overlay["raster"] == raster_lines(0, 80, 5)  # help lines at 62, 44, 26, 8
        assert overlay["bitmaps"] == 158


def test_text_block_saves_and_restores_state_at_the_window_size(screens_trace):
    _, calls = screens_trace
    frames = frames_of(calls)
    sizes = [(1440, 1440), (800, 600), (600, 800)]
    seen = set()
    for frame in frames:
        for block in text_blocks(frame):
            shape = text_block_frame(block)
            width, height = shape[5][2], shape[5][4]
            assert shape == expected_text_block_frame(width, height)
            seen.add((width, height))
    assert seen == set(sizes)


def test_reshape_keeps_the_aspect_ratio(screens_trace):
    _, calls = screens_trace
    found = [[as_tuple(c) for c in r] for r in reshapes(calls)]
    by_size = {r[0][3:5]: r for r in found}
    for (width, height), ortho in {(1440, 1440): (-1, 1, -1, 1), (800, 600): (-4 / 3, 4 / 3, -1, 1),
                                   (600, 800): (-1, 1, -4 / 3, 4 / 3)}.items():
        reshape = by_size[(width, height)]
        assert reshape[0] == ("glViewport", 0, 0, width, height)
        assert reshape[1:3] == [("glMatrixMode", "GL_PROJECTION"), ("glLoadIdentity",)]
        assert reshape[3][0] == "glOrtho" and close(reshape[3][1:], (*ortho, -1, 1), rel=1e-12)
        # screens aims no camera: the modelview stays the identity.
        assert reshape[4:] == [("glMatrixMode", "GL_MODELVIEW"), ("glLoadIdentity",)]


def test_triangles_prepare_builds_the_list_and_every_draw_reads_one_array(triangles_trace):
    _, calls = triangles_trace
    after = calls_after_colour_queries(calls)[len(setup_sequence(False)):]
    assert after[0].name == "glGenLists" and after[0].args["range"] == 1
    list_id = after[0].result
    assert [as_tuple(c) for c in after[1:7]] == [
        ("glNewList", list_id, "GL_COMPILE"), ("glPushMatrix",),
        ("glPushClientAttrib", "GL_CLIENT_ALL_ATTRIB_BITS"), ("glPopClientAttrib",),
        ("glPopMatrix",), ("glEndList",)]
    # apitrace records client-memory pointers at each draw: colour, normal and vertex are
    # three doubles a vertex, tightly packed, over the same vertices.
    for frame in gltrace.split_frames(calls):
        at = gltrace.first_index(frame, "glDrawElements")
        pointers = {c.name: c.arg_values() for c in frame[at - 3:at]}
        assert set(pointers) == {"glColorPointer", "glNormalPointer", "glVertexPointer"}
        assert pointers["glColorPointer"][:3] == (3, "GL_DOUBLE", 0)
        assert pointers["glVertexPointer"][:3] == (3, "GL_DOUBLE", 0)
        assert pointers["glNormalPointer"][:2] == ("GL_DOUBLE", 0)
        assert len({p[-1] for p in pointers.values()}) == 1


def test_triangles_frames_draw_the_counted_indices(triangles_trace):
    run, calls = triangles_trace
    frames = frames_of(calls)
    list_id = next(c.result for c in calls if c.name == "glGenLists")
    draws = []
    for frame in frames:
        names = gltrace.names(frame)
        call_list = frame[names.index("glCallList")]
        draw = frame[names.index("glDrawElements")]
        assert call_list.args["list"] == list_id
        assert names.index("glDrawElements") == names.index("glCallList") + 1
        values = draw.arg_values()
        assert values[0] == "GL_TRIANGLES" and values[2] == "GL_UNSIGNED_BYTE"
        rotate = frame[names.index("glRotated")]
        draws.append((frame_counter_of(frame), values[1], rotate.arg_values()))
    # Counter 0 (drawn, never reported): no indices. Then 7, 12 and 18 indices as the
    # reports grow; the resize redraws counter 3 with one more report behind it.
    assert draws[0][:2] == (0, 0)
    stepped = [d[:2] for d in draws if d[0] > 0]
    assert stepped[:3] == [(1, 7), (2, 12), (3, 18)]
    assert len(stepped) >= 4 and set(stepped[3:]) == {(3, 18)}
    for counter, _, rotation in draws:
        assert rotation == (counter + 45, 1, 1, 1)
    assert run.count_lines(r"^It drew \d+ Triangles\.$") == len(stepped)


def test_triangles_model_transform_precedes_the_lights(triangles_trace):
    _, calls = triangles_trace
    for frame in frames_of(calls):
        names = gltrace.names(frame)
        at = names.index("glScaled")
        assert [as_tuple(c)[0] for c in frame[at:at + 3]] == ["glScaled", "glRotated",
                                                             "glTranslated"]
        assert as_tuple(frame[at]) == ("glScaled", 1, 1, 1)
        assert as_tuple(frame[at + 2]) == ("glTranslated", -0.5, -0.5, -0.5)
        assert frame[at + 3].name == "glLightfv"
        assert names.index("glPushClientAttrib") < at


def test_triangles_overlay_is_drawn_at_its_origin(triangles_trace):
    _, calls = triangles_trace
    for frame in frames_of(calls):
        (overlay,) = text_blocks(frame)
        assert overlay["raster"] == raster_lines(10, 100, 5)  # 82, 64, 46, 28, then 10
        assert overlay["bitmaps"] == 158


def test_triangles_reshape_aims_the_camera_at_the_counter(triangles_trace):
    _, calls = triangles_trace
    found = reshapes(calls)
    assert [r[0].arg_values()[2:] for r in found] == [(1440, 1440), (64, 64)]
    for reshape, counter in zip(found, (0, 3)):
        tail = reshape[6:]
        assert tail[0].name == "glMultMatrixf"
        expected = look_at_matrix((0.5, -0.5, 0.5), (0, math.sin(counter), 0), (0.5, 0.5, 0.5))
        assert close(tail[0].args["m"], [f32(v) for v in expected], rel=1e-6, abs_=1e-6)
        assert as_tuple(tail[1]) == ("glTranslated", -0.5, 0.5, -0.5)
