"""The diagrams of docs/model.md, drawn by matplotlib
(tools/model_diagrams.py)."""
