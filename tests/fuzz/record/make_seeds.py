"""Remakes the saved drive reader's seeds in corpus/: short drives saved
by the module itself, whole, cut, and with a poll that no step followed.
Run with the module's venv from the top of the repository:
    VENV/bin/python tests/fuzz/record/make_seeds.py"""
import io
import pathlib

import drive_model as dm

K = dm.KEYS
corpus = pathlib.Path(__file__).parent / "corpus"
corpus.mkdir(exist_ok=True)
keys = [K["Up"] | K["Left"]] * 4 + [K["F2"] | K["Space"], K["F12"], 0,
                                    K["Down"] | K["Right"] | K["F1"]]
out = io.StringIO()
dm.save_drive(out, keys)
lines = out.getvalue().splitlines(keepends=True)
poll_only = lines[14].replace(",1,1,,", ",1,0,,", 1)  # step 13, no keys
seeds = {"drive": lines, "cut": lines[:2] + lines[7:],
         "poll_without_step": lines[:15] + [poll_only] + lines[15:]}
for name, text in seeds.items():
    (corpus / name).write_text("".join(text), encoding="ascii")
