"""The programs' texts as a user sees them, written out independently of the sources."""

import re

BANNER = {
    name: f"Vermora :: Veltrandion Benchmark Graphics {title} for Windows on x86 64bit "
          "system 2023.01.13."
    for name, title in (("triangles", "Triangles"), ("cube", "Cube"), ("screens", "Screens"))
}

CONSOLE_HELP = [
    "Press Key R or Press Mouse Left button to Animate.",
    "Press Key C to Animate Manually.",
    "Press Key P or Press Mouse Right button for Pause.",
    "Press Key Esc for exit.",
    "",
    "",
    "Initializing . . .",
    "",
]

NAME_PATTERN = {
    name: re.compile(rf"^results_{name}_windows @ local date (\d{{4}})\.(\d\d)\.(\d\d) "
                     r"time (\d\d)\.(\d\d)\.(\d\d)\.txt$")
    for name in BANNER
}

INIT_LINE = re.compile(r"^It spent: (\S+) Secs to Initialize\.$")
PATH_PREFIX = "Results have been saved in a file and you can find it at: "
PROMPT = "Press Enter to Exit."
CLOSE_OUT_BLANK_LINES = {"triangles": 2, "cube": 1, "screens": 1}

# %g with six significant digits, as the streams write doubles; nan may carry a sign.
NUMBER = r"(-?(?:\d+(?:\.\d+)?(?:e[-+]\d\d+)?|inf|nan))"


def number(text: str) -> float:
    return float(text)
