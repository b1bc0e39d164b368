"""Draws the diagrams of docs/model.md into the named folder.

    python tools/model_diagrams.py OUTPUT_DIR
"""
from diagrams.model import DIAGRAMS
from output_folder import output_folder

if __name__ == "__main__":
    folder = output_folder(__doc__)
    for name, draw in DIAGRAMS.items():
        draw(folder / (name + ".svg"))
