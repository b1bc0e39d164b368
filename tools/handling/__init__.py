"""The handling report: the standard manoeuvres driven through drive_model,
and the files made from them (tools/handling_report.py)."""
