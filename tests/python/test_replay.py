"""A saved drive replayed: the module's own drive comes back to the bit,
whole or cut, from a path or a file; a file that is no sound saved drive
raises ValueError naming its line and column."""
import io
import pathlib
import re

import numpy as np
import pytest

import drive_model as dm
from long_drive import long_drive_masks

K = dm.KEYS
ROOT = pathlib.Path(__file__).resolve().parents[2]


def lively_keys(polls=400):
    """A few seconds of throttle, steering both ways, braking, both
    presets and a reset: 800 steps."""
    keys = np.full(polls, K["Up"] | K["Left"])
    keys[100:150] = K["Up"] | K["Right"]
    keys[150:160] = K["F2"] | K["Up"]
    keys[200:230] = K["Space"] | K["Left"]
    keys[230] = K["F12"] | K["F1"]
    keys[260:300] = 0
    keys[300:] = K["Down"] | K["Right"]
    return keys


def saved_text(keys, steps=None):
    out = io.StringIO()
    dm.save_drive(out, keys, steps)
    return out.getvalue()


LIVELY = saved_text(lively_keys())
NAMES = [name for name, _ in dm.RECORD_COLUMNS]


def assert_is_drive(replayed, run, first=0):
    """The replay holds the drive's values from step first + 1 on."""
    for key, values in run.items():
        assert np.array_equal(replayed[key], values[first:]), key
        assert replayed[key].dtype == values.dtype, key
    assert list(replayed["step"]) == list(range(first + 1, len(run["angle"])
                                                + 1))
    assert replayed["first_difference"] is None
    assert replayed["differences"] == {}


def given_as(kind, text, tmp_path):
    path = tmp_path / "drive.csv"
    path.write_text(text)
    return {"str path": lambda: str(path), "PathLike": lambda: path,
            "text file": lambda: open(path, encoding="ascii"),
            "binary file": lambda: open(path, "rb"),
            "StringIO": lambda: io.StringIO(text),
            "BytesIO": lambda: io.BytesIO(text.encode())}[kind]()


@pytest.mark.parametrize("kind", ["str path", "PathLike", "text file",
                                  "binary file", "StringIO", "BytesIO"])
def test_a_saved_drive_replays_to_the_bit(kind, tmp_path):
    given = given_as(kind, LIVELY, tmp_path)
    replayed = dm.replay(given)
    if hasattr(given, "close"):
        given.close()
    assert_is_drive(replayed, dm.Car(1).drive(lively_keys()))
    assert replayed["polled"].tolist() == [i % 2 == 0 for i in range(800)]
    assert replayed["keys"][461] == K["F12"] | K["F1"]
    # F2 held at polls 150 to 159 (steps 301 to 319), F1 at poll 230.
    steps = replayed["step"]
    grip = np.where((steps >= 301) & (steps < 461), dm.Car(0).MAX_GRIP,
                    dm.Car(1).MAX_GRIP)
    assert np.array_equal(replayed["MAX_GRIP"], grip)


def test_save_drive_writes_to_a_path_and_a_binary_file(tmp_path):
    dm.save_drive(tmp_path / "a.csv", lively_keys())
    with open(tmp_path / "b.csv", "wb") as f:
        dm.save_drive(f, lively_keys())
    assert (tmp_path / "a.csv").read_text() == LIVELY
    assert (tmp_path / "b.csv").read_text() == LIVELY


@pytest.mark.parametrize("first", [2, 3, 461, 798])
def test_a_cut_drive_replays_from_its_first_row(first):
    # Cut so that its first row is step `first`: a row between polls, a
    # poll's, the reset's, the last but one. That row's state is the
    # start.
    lines = LIVELY.splitlines(keepends=True)
    cut = "".join(lines[:2] + lines[1 + first:])
    run = dm.Car(1).drive(lively_keys())
    assert_is_drive(dm.replay(io.StringIO(cut)), run, first)


def test_a_poll_with_no_step_after_it_replays():
    # Two frames within a millisecond: a poll's row with stepped = 0. A
    # second poll with no key held, after one with none, changes nothing:
    # the row repeats the values of the row before.
    lines = LIVELY.splitlines(keepends=True)
    row = lines[2 + 540]
    assert row.startswith("541,5.41,5.410,1,1,,")
    lines.insert(2 + 541, row.replace(",1,1,,", ",1,0,,", 1))
    replayed = dm.replay(io.StringIO("".join(lines)))
    assert replayed["first_difference"] is None
    assert list(replayed["step"][539:543]) == [540, 541, 541, 542]
    assert list(replayed["stepped"][539:543]) == [True, True, False, True]
    run = dm.Car(1).drive(lively_keys())
    assert np.array_equal(np.delete(replayed["angle"], 541), run["angle"])


def test_replay_finds_where_the_values_part():
    # A saved throttle a unit off at step 100 and a torque doubled at
    # step 300: each found, the replay going on with its own values.
    lines = LIVELY.split("\n")
    throttle, torque = NAMES.index("throttle"), NAMES.index("torque")
    fields = lines[2 + 99].split(",")
    fields[throttle] = str(float(fields[throttle]) + 1)
    lines[2 + 99] = ",".join(fields)
    fields = lines[2 + 299].split(",")
    saved_torque = float(fields[torque])
    fields[torque] = repr(2 * saved_torque)
    lines[2 + 299] = ",".join(fields)
    replayed = dm.replay(io.StringIO("\n".join(lines)))
    assert replayed["first_difference"] == 100
    assert replayed["differences"] == {"throttle": 1.0,
                                       "torque": abs(saved_torque)}
    assert_is_drive({**replayed, "first_difference": None, "differences": {}},
                    dm.Car(1).drive(lively_keys()))


def test_the_longest_drive_replays_and_one_row_more_is_refused(tmp_path):
    path = tmp_path / "long.csv"
    dm.save_drive(path, long_drive_masks(dm.RECORD_ROW_LIMIT // 2))
    replayed = dm.replay(path)
    assert replayed["first_difference"] is None
    assert replayed["step"][-1] == dm.RECORD_ROW_LIMIT
    with open(path, "a", encoding="ascii") as f:
        f.write(path.read_text().rsplit("\n", 2)[1] + "\n")
    last = dm.RECORD_ROW_LIMIT + 3
    with pytest.raises(ValueError, match="line %d, column 1 .*more than"
                       % last):
        dm.replay(path)


def edit(line, column, value):
    """The lively drive with one field replaced."""
    def change(text):
        lines = text.split("\n")
        fields = lines[line - 1].split(",")
        fields[column - 1] = value
        lines[line - 1] = ",".join(fields)
        return "\n".join(lines)
    return change


def restep(line, step):
    """A row moved to another step, its model time with it."""
    return lambda text: edit(line, 2, "%d.%02d" % divmod(step, 100))(
        edit(line, 1, str(step))(text))


def on_line(line, change):
    def changed(text):
        lines = text.split("\n")
        lines[line - 1] = change(lines[line - 1])
        return "\n".join(lines)
    return changed


BAD = [
    ("empty", lambda t: "", 1, 1, "empty file"),
    ("not a drive", lambda t: "x,y\n1,2\n", 1, 1, "not a saved drive"),
    ("a picture", lambda t: "\x89PNG\r\n\x1a\n", 1, 1, "not a saved drive"),
    ("no units", lambda t: t.split("\n")[0], 2, 1, "before the units"),
    ("no rows", lambda t: "\n".join(t.split("\n")[:2]) + "\n", 3, 1,
     "no rows"),
    ("a column missing", on_line(1, lambda s: s.replace("throttle,", "")),
     1, 14, "'brake' where 'throttle' belongs: that column is missing"),
    ("columns reordered",
     lambda t: edit(1, 12, "angle")(edit(1, 11, "angular_velocity")(t)), 1,
     11, "'angular_velocity' where 'angle' belongs: the columns are out of"),
    ("a column more", on_line(1, lambda s: s + ",speed"), 1, 40, "'speed'"),
    ("names cut short", on_line(1, lambda s: s.rsplit(",", 1)[0]), 1, 39,
     "ends before the column of 'MAX_GRIP'"),
    ("a unit otherwise", edit(2, 9, "km/h"), 2, 9,
     "unit of 'velocity_wc.x' is 'km/h', not 'm/s'"),
    ("a row cut short", on_line(10, lambda s: s.rsplit(",", 20)[0]), 10, 20,
     "ends before 'weight'"),
    ("a row too long", on_line(10, lambda s: s + ",0"), 10, 40,
     "after the last column"),
    ("text for a number", edit(7, 14, "full"), 7, 14, "'full' is not a "),
    ("infinity", edit(7, 18, "inf"), 7, 18, "'inf' is not a number"),
    ("NaN", edit(7, 18, "nan"), 7, 18, "'nan' is not a number"),
    ("past a float", edit(7, 7, "1e39"), 7, 7, "out of a 32-bit float's"),
    ("a space", edit(7, 7, " 1"), 7, 7, "' 1' is not a number"),
    ("bytes not text", edit(7, 14, "\x00\x7f"), 7, 14, r"'\x00\x7f'"),
    ("a flag of 2", edit(5, 4, "2"), 5, 4, "'2' is not 0 or 1"),
    ("neither polled nor stepped", edit(6, 5, "0"), 6, 4,
     "neither polled nor stepped"),
    ("an unknown key", edit(5, 6, "Up+Throttle"), 5, 6,
     "'Throttle' is not a key"),
    ("a key twice", edit(5, 6, "Up+Up"), 5, 6, "'Up' is held twice"),
    ("keys ending in +", edit(5, 6, "Up+"), 5, 6, "end with a '+'"),
    ("keys without a poll", edit(6, 6, "Up"), 6, 6,
     "'Up' in a row that did not poll"),
    ("a step back", restep(9, 5), 9, 1, "step 5 after step 6: the steps "
     "go backwards"),
    ("a step skipped", restep(9, 8), 9, 1, "step 8 after step 6: the "
     "steps jump"),
    ("a step without stepping", edit(9, 5, "0"), 9, 1,
     "step 7 after step 6 in a row that did not step"),
    ("a time not the step's", edit(9, 2, "0.071"), 9, 2,
     "'0.071' is not step 7's model time, 0.07"),
    ("a negative wall time", edit(9, 3, "-1"), 9, 3, "before the start"),
    ("a first row at step 1 that did not step", edit(3, 5, "0"), 3, 1,
     "first row is step 1 if it stepped"),
    ("Windows line ends", lambda t: t.replace("\n", "\r\n"), 1, 39,
     "carriage return"),
    ("an empty line", lambda t: t.replace("\n", "\n\n", 1), 2, 1,
     "an empty line"),
    ("a line past 4096 bytes", on_line(4, lambda s: s + "0" * 5000), 4, 39,
     "longer than 4096 bytes"),
]


@pytest.mark.parametrize("what, change, line, column, words", BAD,
                         ids=[b[0] for b in BAD])
@pytest.mark.parametrize("binary", [False, True], ids=["text", "bytes"])
def test_a_bad_file_names_its_line_and_column(what, change, line, column,
                                              words, binary):
    text = change(LIVELY)
    given = io.BytesIO(text.encode("latin-1")) if binary \
        else io.StringIO(text)
    place = "line %d, column %d" % (line, column)
    with pytest.raises(ValueError) as raised:
        dm.replay(given)
    assert place in str(raised.value) and words in str(raised.value), what


@pytest.mark.parametrize("given, error, words", [
    (42, TypeError, "a path or a file with read()"),
    (type("Odd", (), {"read": lambda self, n: 7})(), TypeError,
     "read() gave <class 'int'>"),
    ("/nonexistent/drive.csv", FileNotFoundError, "drive.csv"),
])
def test_what_is_no_file_raises(given, error, words):
    with pytest.raises(error, match=re.escape(words)):
        dm.replay(given)


def test_the_docs_list_the_saved_drives_columns():
    marker = "<!-- RECORD_COLUMNS: made from record/columns.cpp " \
        "(drive_model.RECORD_COLUMNS) -->\n"
    table = "\n".join(["| Column | Unit |", "|---|---|"]
                      + ["| `%s` | %s |" % column
                         for column in dm.RECORD_COLUMNS])
    page = (ROOT / "docs" / "python.md").read_text(encoding="utf-8")
    assert marker + table + "\n\n" in page, \
        "docs/python.md's columns, after its marker line, are to be:\n" + table
