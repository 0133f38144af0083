"""The suite runner and the results-file reader: one real ./run of all three programs with
small frame counts on a private Xvfb, the reader on its files and on files cut short, the
comparison of two runs, and a program that hangs."""

import json
import os
import re
import statistics
import subprocess
import sys
from pathlib import Path

import pytest

from conftest import BUILD, ROOT
from expected import NUMBER

sys.path.insert(0, str(ROOT / "tools"))
import results_reader  # noqa: E402

PROGRAMS = ["triangles", "cube", "screens"]
FRAME_TIME = {"triangles": rf"^It spent: {NUMBER} Secs\. $",
              "cube": rf"^The system spent: {NUMBER} Secs\. $",
              "screens": rf"^The system spent: {NUMBER} Secs\. $"}
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def without_display():
    env = dict(os.environ, BENCH_BUILD_DIR=str(BUILD))
    env.pop("DISPLAY", None)
    return env


def run_tool(*args, **options):
    return subprocess.run([*args], capture_output=True, text=True, timeout=900, **options)


@pytest.fixture(scope="module")
def suite_run(tmp_path_factory):
    output = tmp_path_factory.mktemp("suite")
    done = run_tool(str(ROOT / "run"), "--frames", "3", "--seconds", "20", "--output",
                    str(output), env=without_display(), cwd=ROOT)
    return done, output


def file_frame_times(path: Path, program: str) -> list[float]:
    """Frame times of a results file, read here independently of the reader: the frame
    time line of each block that starts with "window: "."""
    lines = path.read_text().split("\n")
    offset = 2 if program == "triangles" else 1
    return [float(re.match(FRAME_TIME[program], lines[i + offset]).group(1))
            for i, line in enumerate(lines) if line.startswith("window: ")]


def suite_json(output: Path) -> dict:
    (path,) = output.glob("suite @ *.json")
    return json.loads(path.read_text())


def test_run_measures_all_three_programs(suite_run):
    done, output = suite_run
    assert done.returncode == 0, done.stdout[-3000:] + done.stderr[-3000:]
    data = suite_json(output)
    assert [r["program"] for r in data["runs"]] == PROGRAMS
    assert all(r["status"] == "ok" and r["exit_code"] == 0 for r in data["runs"])
    for program in PROGRAMS:
        assert len(list(output.glob(f"results_{program}_windows @ *.txt"))) == 1
    assert len(list(output.glob("suite @ *.csv"))) == 1


def test_table_rows_match_the_results_files(suite_run):
    done, output = suite_run
    rows = [l for l in done.stdout.splitlines() if l.split(" ")[0] in PROGRAMS
            and re.match(r"^\w+\s+\d", l)]
    assert [r.split()[0] for r in rows] == PROGRAMS
    for row, entry in zip(rows, suite_json(output)["runs"]):
        program = entry["program"]
        path = Path(entry["results_file"])
        times = sorted(file_frame_times(path, program))
        init = re.search(rf"^It spent: {NUMBER} Secs to Initialize\.$", path.read_text(),
                         re.M).group(1)
        cells = row.split()
        assert cells[1] == "%g" % float(init)
        assert int(cells[2]) == len(times) >= 1  # 3 frames, or fewer when 20 s ran out
        assert cells[3] == "%g" % times[0]
        assert cells[4] == "%g" % statistics.median(times)
        assert cells[6] == "%g" % times[-1]
        # The program's own averages, as it wrote them in its summary.
        averages = re.findall(rf"^Average[^:]*: {NUMBER} ", path.read_text(), re.M)
        for average in averages:
            assert f" {average}" in row


def test_json_and_plots_are_valid(suite_run):
    _, output = suite_run
    for entry in suite_json(output)["runs"]:
        frames = file_frame_times(Path(entry["results_file"]), entry["program"])
        assert [f["seconds"] for f in entry["frames"]] == frames
        assert entry["row"]["frames"] == len(frames)
        plot = Path(entry["plot"])
        assert plot.read_bytes()[:8] == PNG_SIGNATURE
        import matplotlib.image
        assert matplotlib.image.imread(plot).shape[0] > 100


def cut_variants(source: Path, folder: Path) -> dict:
    """Copies of a real results file cut at the points a killed run or a careless edit
    leaves: inside the last frame block, inside a line, emptied, and with foreign text."""
    text = source.read_text()
    lines = text.split("\n")
    last_block = max(i for i, l in enumerate(lines) if l.startswith("window: "))
    variants = {
        "mid-block": "\n".join(lines[:last_block + 2]) + "\n",
        "mid-line": "\n".join(lines[:last_block + 2]) + "\n" + lines[last_block + 2][:9],
        "empty": "",
        "foreign": "\n".join(lines[:last_block] + ["a line no program writes"]
                             + lines[last_block:]),
    }
    paths = {}
    for kind, content in variants.items():
        folder.joinpath(kind).mkdir(parents=True, exist_ok=True)
        path = folder / kind / source.name
        path.write_text(content)
        paths[kind] = path
    return paths


@pytest.mark.parametrize("program", PROGRAMS)
def test_reader_on_real_and_cut_files(suite_run, tmp_path, program):
    _, output = suite_run
    (source,) = output.glob(f"results_{program}_windows @ *.txt")
    frames = file_frame_times(source, program)
    whole = results_reader.parse(source)
    assert whole.problems == []
    assert whole.program == program and whole.summary_kind == "esc"
    assert whole.frame_seconds() == frames

    variants = cut_variants(source, tmp_path)
    line_of_last_block = max(i for i, l in enumerate(source.read_text().split("\n"))
                             if l.startswith("window: ")) + 1
    expected = {
        "mid-block": (len(frames) - 1, rf":{line_of_last_block}: the file ends inside a frame"),
        "mid-line": (len(frames) - 1, r":\d+: the last line is cut short"),
        "empty": (0, r": the file is empty"),
        "foreign": (len(frames), rf":{line_of_last_block}: unexpected text 'a line no program"),
    }
    for kind, path in variants.items():
        count, message = expected[kind]
        parsed = results_reader.parse(path)
        assert parsed.program == program, kind
        assert len(parsed.frames) == count, kind
        assert parsed.frame_seconds() == frames[:count], kind
        done = run_tool("/usr/bin/python3", str(ROOT / "tools" / "results_reader.py"),
                        str(path))
        assert done.returncode == 1, kind
        assert re.search(re.escape(str(path)) + message, done.stderr), (kind, done.stderr)
        assert program in done.stdout  # still prints the row of what could be read


def test_reader_names_a_foreign_file(tmp_path):
    path = tmp_path / "notes.txt"
    path.write_text("shopping list\nmilk\n")
    done = run_tool("/usr/bin/python3", str(ROOT / "tools" / "results_reader.py"), str(path))
    assert done.returncode == 1
    assert f"{path}:1: the first line is not a banner" in done.stderr
    assert "not a results file of triangles, cube or screens" in done.stderr


def test_comparison_of_two_runs_gives_the_ratios(suite_run, tmp_path):
    _, output = suite_run
    second = tmp_path / "second"
    done = run_tool(str(ROOT / "run"), "screens", "--frames", "3", "--output", str(second),
                    env=without_display(), cwd=ROOT)
    assert done.returncode == 0, done.stdout[-2000:]
    (first_json,) = output.glob("suite @ *.json")
    (second_file,) = second.glob("results_screens_windows @ *.txt")
    plots = tmp_path / "plots"
    done = run_tool("/usr/bin/python3", str(ROOT / "tools" / "results_reader.py"), "--compare",
                    str(first_json), str(second_file), "--plots", str(plots))
    assert done.returncode == 0, done.stderr
    first = next(r["row"] for r in json.loads(first_json.read_text())["runs"]
                 if r["program"] == "screens")
    second_row = results_reader.parse(second_file).row()
    block = done.stdout.split("screens:")[1]
    for figure in ("initialisation_seconds", "frames", "frame_median", "frame_max",
                   "summary: Average Characters/Sec"):
        line = next(l for l in block.splitlines() if l.strip().startswith(figure + ":"))
        values = re.findall(r"(\S+) \(x(\S+)\)", line)
        a, b = float(first[figure]), float(second_row[figure])
        assert float(values[0][0]) == pytest.approx(a, rel=1e-5)
        assert float(values[1][0]) == pytest.approx(b, rel=1e-5)
        assert float(values[0][1]) == 1
        assert float(values[1][1]) == pytest.approx(b / a, rel=1e-5)
    assert (plots / "compare-screens.png").read_bytes()[:8] == PNG_SIGNATURE


def test_a_hanging_program_fails_and_the_suite_goes_on(tmp_path):
    build = tmp_path / "build"
    build.mkdir()
    # A "triangles" that writes its banner and then nothing, for ever.
    fake = build / "triangles"
    fake.write_text("#!/bin/sh\necho\necho 'Vermora :: banner'\nexec sleep 600\n")
    fake.chmod(0o755)
    (build / "screens").symlink_to(BUILD / "screens")
    done = run_tool("/usr/bin/python3", str(ROOT / "tools" / "suite.py"), "--build", str(build),
                    "--hang-seconds", "3", "--frames", "3", "--output", str(tmp_path / "out"),
                    "triangles", "screens", env=without_display())
    assert done.returncode == 1
    assert "triangles: failed: no console line for 3 s while initialising" in done.stdout
    data = suite_json(tmp_path / "out")
    assert [(r["program"], r["status"]) for r in data["runs"]][1] == ("screens", "ok")
