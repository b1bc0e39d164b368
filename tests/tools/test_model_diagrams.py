"""The model's diagrams are schematics: each is made, as an SVG document
that holds its own labels."""
import pathlib
import subprocess
import sys

from svg_text import SVG, svg_texts

ROOT = pathlib.Path(__file__).resolve().parents[2]

LABELS = {"frames": ["The world and car frames", "world y: along the road",
                     "car x: forward, (sin a, cos a)"],
          "forces": ["Slip angles and forces in the car frame",
                     "slipanglefront", "flatr", "ftraction"]}


def test_each_diagram_is_made_with_its_labels(tmp_path):
    subprocess.run([sys.executable, str(ROOT / "tools" / "model_diagrams.py"),
                    str(tmp_path)], check=True)
    assert sorted(p.name for p in tmp_path.iterdir()) == \
        sorted(p.name for p in (ROOT / "docs" / "model").iterdir()) == \
        sorted(name + ".svg" for name in LABELS)
    for name, labels in LABELS.items():
        tag, texts = svg_texts(tmp_path / (name + ".svg"))
        assert tag == SVG + "svg"
        for label in labels:
            assert label in texts, (name, label)
