"""matplotlib as the tools draw with it: into SVG files without a display,
text kept as text, so that the labels can be read and searched in the
file, and element ids the same from one run to the next."""
import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402,F401 (after the backend)

matplotlib.rcParams.update({"svg.fonttype": "none", "svg.hashsalt": "drive"})
