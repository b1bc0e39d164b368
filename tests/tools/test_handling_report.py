"""The handling report: its figures against what physics says they must be,
and its committed files against what it makes now."""
import math
import pathlib
import subprocess
import sys

import numpy as np
import pytest

from handling.chart import fingerprint_in_svg
from handling.manoeuvres import round_half_away
from handling.report import KMH, run_all
from handling.report_charts import charts
from handling.report_summary import summary_markdown, yaw_gain_markdown
from handling.single_track import GRAVITY, yaw_gain
from svg_text import svg_texts

ROOT = pathlib.Path(__file__).resolve().parents[2]
COMMITTED = ROOT / "docs" / "handling"
REMAKE = "VENV/bin/python tools/handling_report.py docs/handling"


@pytest.fixture(scope="module")
def results():
    return {1: run_all(1), 0: run_all(0)}


@pytest.fixture(scope="module")
def made(tmp_path_factory):
    folder = tmp_path_factory.mktemp("handling")
    subprocess.run([sys.executable, str(ROOT / "tools" / "handling_report.py"),
                    str(folder)], check=True, stdout=subprocess.DEVNULL)
    return folder


def names(folder):
    return sorted(p.name for p in folder.iterdir())


def test_the_data_and_summary_are_as_committed_to_the_byte(made):
    assert names(made) == names(COMMITTED), "run " + REMAKE
    for name in names(made):
        if not name.endswith(".svg"):
            assert (made / name).read_bytes() == \
                (COMMITTED / name).read_bytes(), name + ": run " + REMAKE


def test_the_committed_charts_show_todays_data_and_labels(results, made):
    """By the data each is drawn from: matplotlib's bytes differ between
    its versions."""
    for name, chart in charts(results[1], results[0]).items():
        committed = COMMITTED / (name + ".svg")
        assert fingerprint_in_svg(committed) == \
            fingerprint_in_svg(made / (name + ".svg")), name + ": run " + \
            REMAKE
        _, texts = svg_texts(committed)
        for label in [chart.title, chart.x_label, chart.y_label] + \
                [s.name for s in chart.series]:
            assert label in texts, (name, label)


def shown(doc, text):
    assert text in (ROOT / doc).read_text(encoding="utf-8"), \
        doc + " does not show the report's table: copy it from " \
        "docs/handling/summary.md"


def test_the_readme_and_the_model_show_the_reports_tables(results):
    shown("README.md", summary_markdown(results[1], results[0]))
    turns = yaw_gain_markdown(results[1], results[0])
    shown("docs/model.md", turns)


# preset, top speed (km/h, where 100 * 200 N = DRAG v^2 + RESISTANCE v),
# lateral force limit per unit axle load
PRESETS = [(1, 169.1, 5.0), (0, 217.1, 2.0)]


@pytest.mark.parametrize("preset, top_kmh, grip", PRESETS)
def test_straight_line_figures(results, preset, top_kmh, grip):
    r = results[preset]
    a, b = r.acceleration, r.braking
    assert a.top_speed * KMH == pytest.approx(top_kmh, abs=0.05)
    assert a.top_speed == pytest.approx(a.balance_speed, abs=0.001)
    # Full traction alone gives 13.3 m/s^2, so 100 km/h takes at least
    # 2.08 s; the throttle needs 2 s to come up, so it takes longer.
    assert (100 / KMH) / (20000 / 1500) < a.time_to_100 < 6.0
    # The brake alone decelerates at 10000 N / 1500 kg; drag and rolling
    # resistance only add to it.
    v, decel = b.start_speed, 10000 / 1500
    assert v * KMH >= 100
    assert b.stop_time < v / decel + 0.02
    assert 0 < b.stop_distance < v * v / (2 * decel) + v * 0.02
    assert b.after_stop_speed < 1.0  # the brake only jitters it at rest


@pytest.mark.parametrize("preset, top_kmh, grip", PRESETS)
def test_turns(results, preset, top_kmh, grip):
    r = results[preset]
    for speed, s in ((60, r.steer_60), (120, r.steer_120)):
        assert s.entry_speed * KMH == pytest.approx(speed, abs=3.0)
        assert s.peak_yaw_rate > 0 and s.heading_change > 0  # left
        assert s.final_speed < s.entry_speed  # cornering drag only slows
    # A steady circle's radius from speed / yaw rate is the circle the
    # open-plane path draws; both axles' forces are held to MAX_GRIP times
    # their load, so the lateral acceleration is at most MAX_GRIP g.
    c = r.circle
    assert c.steady, c.why_not
    last_turn = [s.path_x for s in c.samples[-200:]]
    assert (max(last_turn) - min(last_turn)) / 2 == \
        pytest.approx(c.radius, rel=0.05)
    assert c.lateral_accel <= grip * GRAVITY * 1.01


# preset, understeer gradient K (rad per m/s^2) worked by hand:
# (1/|CA_F| - 1/|CA_R|) / g
UNDERSTEER = {1: 8.9515e-5, 0: 7.8493e-4}


@pytest.mark.parametrize("preset", [1, 0])
def test_steady_turns_settle_at_the_gain_of_the_models_yaw_term(results,
                                                                 preset):
    """The single-track model's gain once its wheelbase is replaced by what
    the model's slip angles use, 2 * 0.1 * wheelbase; within 2.5%, the rest
    being the resistance to the sideways speed, which pushes the car
    towards the turn's centre."""
    r = results[preset]
    s = r.textbook
    assert s.understeer == pytest.approx(UNDERSTEER[preset], rel=0.001)
    assert s.yaw_length == 0.4
    for t, asked in zip(r.steady, (30, 60, 90, 120, 150)):
        assert t.steady, t.why_not
        assert t.steer == float(np.float32(math.pi / 1024))
        assert all(x.steer == t.steer for x in t.samples)
        assert t.speed * KMH == pytest.approx(asked, rel=0.05)
        predicted = yaw_gain(t.speed, s.yaw_length, s.understeer)
        assert t.yaw_rate / t.steer == pytest.approx(predicted, rel=0.025)


@pytest.mark.parametrize("x, rounded", [(2.5, 3.0), (3.5, 4.0), (-2.5, -3.0),
                                        (0.49999999999999994, 0.0),
                                        (52.777, 53.0)])
def test_throttles_round_halves_away_from_zero_as_c_does(x, rounded):
    assert round_half_away(x) == rounded
