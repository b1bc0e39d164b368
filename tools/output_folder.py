"""The one argument of the tools that write documents: the folder to write
into, made if it is not there."""
import argparse
import pathlib


def output_folder(description):
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("folder", type=pathlib.Path, help="where to write")
    folder = parser.parse_args().folder
    folder.mkdir(parents=True, exist_ok=True)
    return folder
