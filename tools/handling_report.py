"""Runs the standard manoeuvres with both handling presets through
drive_model, and writes CSV files, SVG charts and a Markdown summary into
the named folder; prints the summary's tables.

    python tools/handling_report.py OUTPUT_DIR
"""
from handling.report import run_all
from handling.report_charts import write_charts
from handling.report_csv import write_csv_files
from handling.report_summary import (summary_file, summary_markdown,
                                     yaw_gain_markdown)
from output_folder import output_folder

if __name__ == "__main__":
    folder = output_folder(__doc__)
    p1, p0 = run_all(1), run_all(0)
    write_csv_files(folder, p1, p0)
    write_charts(folder, p1, p0)
    (folder / "summary.md").write_text(summary_file(p1, p0), encoding="utf-8")
    print(summary_markdown(p1, p0) + "\n" + yaw_gain_markdown(p1, p0), end="")
