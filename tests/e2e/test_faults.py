"""Runs that end or go on under faults: killed, a full disk, a vanished or very long working
directory, the window closed by the window manager. The results file must hold exactly the
lines written before the fault, every one whole."""

import os
import re
import shutil
import signal
import subprocess

import pytest

import x11_close
from conftest import wait_initialised
from expected import BANNER, NUMBER, PATH_PREFIX, PROMPT

FRAME_BLOCK = [r"^window: 1$", rf"^The system spent: {NUMBER} Secs\. $",
               rf"^It was: {NUMBER} Charaters/sec\.$", r"^$"]


def screens_file_blocks(file_lines):
    """The frame blocks of a screens results file, after its initialisation lines."""
    init_at = next(i for i, l in enumerate(file_lines) if l.endswith(" Secs to Initialize."))
    assert file_lines[:3] == [BANNER["screens"], "", ""]
    assert file_lines[init_at + 1:init_at + 3] == ["", ""]
    rest = file_lines[init_at + 3:]
    return [rest[i:i + 4] for i in range(0, len(rest), 4)]


def console_blocks(console_lines):
    """The screens frame blocks of the console, as the file writes them (with the window)."""
    return [["window: 1", *console_lines[i:i + 3]] for i, l in enumerate(console_lines)
            if re.match(FRAME_BLOCK[1], l)
            and i > next(j for j, c in enumerate(console_lines) if c.endswith("Initialize."))]


def assert_whole_lines(path):
    data = path.read_bytes()
    assert data == b"" or data.endswith(b"\n"), data[-80:]


def assert_blocks_well_formed(blocks, last_may_be_cut=False):
    for number, block in enumerate(blocks):
        cut = last_may_be_cut and number == len(blocks) - 1
        assert len(block) == 4 or (cut and 0 < len(block) < 4), block
        for line, pattern in zip(block, FRAME_BLOCK):
            assert re.match(pattern, line), (line, pattern)


def end_with_esc(run):
    run.key("Escape")
    run.wait_for_line(rf"^{re.escape(PROMPT)}$", timeout=60)
    run.press_enter()
    return run.wait_exit()


def test_killed_while_paused_leaves_every_frame_block_whole(start):
    run = start("screens")
    wait_initialised(run)
    run.key("r")
    run.wait_for_frames(20)
    run.key("p")
    run.wait_quiet()
    run.kill(signal.SIGKILL)
    file_lines = run.results_lines()
    assert_whole_lines(run.results_files()[0])
    blocks = screens_file_blocks(file_lines)
    assert_blocks_well_formed(blocks)
    assert blocks == console_blocks(run.lines)


def test_killed_while_running_leaves_only_whole_lines(start):
    run = start("screens")
    wait_initialised(run)
    run.key("r")
    run.wait_for_frames(30)
    run.kill(signal.SIGKILL)
    assert_whole_lines(run.results_files()[0])
    blocks = screens_file_blocks(run.results_lines())
    # Each line is flushed as it ends, so a kill between two lines of a block leaves the
    # block's first lines: whole lines, the last block possibly short.
    assert_blocks_well_formed(blocks, last_may_be_cut=True)
    console = console_blocks(run.lines)
    # A frame writes its console block, then its file block: the kill may fall between.
    assert len(console) - 1 <= len(blocks) <= len(console)
    assert len(blocks) >= 29
    assert blocks[:-1] == console[:len(blocks) - 1]
    assert console[len(blocks) - 1][:len(blocks[-1])] == blocks[-1]


@pytest.fixture
def tiny_disk(tmp_path):
    if os.geteuid() != 0:
        pytest.skip("mounting a small filesystem needs root")
    folder = tmp_path / "tiny"
    folder.mkdir()
    subprocess.run(["mount", "-t", "tmpfs", "-o", "size=4k", "tmpfs", str(folder)], check=True)
    yield folder
    subprocess.run(["umount", str(folder)], check=True)


def test_a_disk_that_fills_up_keeps_whole_lines_and_the_run_goes_on(start, tiny_disk):
    run = start("screens", cwd=tiny_disk)
    wait_initialised(run)
    run.key("r")
    run.wait_for_frames(150)  # about 70 bytes a frame: the 4 KiB fill after about 50
    run.key("p")
    run.wait_quiet()
    code = end_with_esc(run)
    assert code == 0
    path = run.results_files()[0]
    size = path.stat().st_size
    assert 4096 - 100 < size <= 4096
    assert_whole_lines(path)
    blocks = screens_file_blocks(run.results_lines())
    assert_blocks_well_formed(blocks, last_may_be_cut=True)
    console = console_blocks(run.lines)
    assert len(console) >= 150 > len(blocks)
    assert blocks[:-1] == console[:len(blocks) - 1]
    assert console[len(blocks) - 1][:len(blocks[-1])] == blocks[-1]
    # The console went on to the end: its summary, the path line, the prompt.
    assert any(l.startswith("Total machine time:  ") for l in run.lines)
    assert run.lines[-3:] == [PATH_PREFIX + str(path), "", PROMPT]


def test_working_directory_removed_during_the_run(start, tmp_path):
    folder = tmp_path / "vanishing"
    run = start("screens", cwd=folder)
    wait_initialised(run)
    run.wait_for_frames(1)
    name = run.results_files()[0].name
    shutil.rmtree(folder)
    run.key("c")
    run.wait_for_frames(2)
    assert end_with_esc(run) == 0
    # The path line names where the file was written, as captured at start.
    assert run.lines[-3] == PATH_PREFIX + str(folder / name)


def test_working_directory_removed_before_the_start(start, tmp_path):
    folder = tmp_path / "gone"
    run = start("screens", cwd=folder,
                launcher=["bash", "-c", 'rmdir "$PWD" && exec "$@"', "in-removed-folder"])
    wait_initialised(run)
    run.wait_for_frames(1)
    assert end_with_esc(run) == 0
    # No directory to name and no file: the line names the file by its bare name.
    assert re.fullmatch(re.escape(PATH_PREFIX) +
                        r"results_screens_windows @ local date [\d.]+ time [\d.]+\.txt",
                        run.lines[-3])
    assert not folder.exists()


def test_a_working_directory_longer_than_2048_characters(start, tmp_path):
    folder = tmp_path.joinpath(*["d" * 200] * 12)
    assert len(str(folder)) > 2048
    run = start("screens", cwd=folder)
    wait_initialised(run)
    run.wait_for_frames(1)
    assert end_with_esc(run) == 0
    path = run.results_files()[0]
    assert run.lines[-3] == PATH_PREFIX + str(path)
    assert path.read_text().startswith(BANNER["screens"] + "\n")


def test_window_closed_by_the_window_manager(start, display):
    run = start("screens")
    wait_initialised(run)
    run.key("r")
    run.wait_for_frames(10)
    x11_close.send_delete_window(display, int(run.wait_for_window()))
    code = run.wait_exit(30)
    assert code == 0
    # GLUT's own close action ends the process: no summary, no close-out, nothing lost.
    assert not any(l.startswith(("Total machine time:", PATH_PREFIX)) for l in run.lines)
    assert_whole_lines(run.results_files()[0])
    blocks = screens_file_blocks(run.results_lines())
    assert_blocks_well_formed(blocks)
    assert blocks == console_blocks(run.lines)
