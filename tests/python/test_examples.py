"""docs/python.md's experiments: each script runs and draws its picture,
and the page shows its code and what it prints as they are."""
import pathlib
import subprocess
import sys
import xml.etree.ElementTree as ET

import pytest

ROOT = pathlib.Path(__file__).resolve().parents[2]
PAGE = (ROOT / "docs" / "python.md").read_text(encoding="utf-8")
EXAMPLES = sorted((ROOT / "python" / "examples").glob("*.py"))


@pytest.mark.parametrize("script", EXAMPLES, ids=lambda p: p.stem)
def test_the_page_shows_each_experiment_as_it_runs(script, tmp_path):
    picture = tmp_path / (script.stem + ".svg")
    done = subprocess.run([sys.executable, str(script), str(picture)],
                          capture_output=True, text=True, check=True)
    assert ET.parse(picture).getroot().tag == \
        "{http://www.w3.org/2000/svg}svg"
    assert "```python\n" + script.read_text(encoding="utf-8") + "```" in PAGE
    assert "```\n" + done.stdout + "```" in PAGE, done.stdout
    assert "](python/%s.svg)" % script.stem in PAGE
    assert (ROOT / "docs" / "python" / picture.name).is_file()
