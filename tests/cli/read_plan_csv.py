#!/usr/bin/env python3
"""An exported plan as a spreadsheet reads it: Python's csv module, UTF-8."""
import csv
import io
import subprocess
import sys

plan = sys.argv[1]


def export(*args):
    out = subprocess.run([plan, "--csv", *args], check=True, capture_output=True).stdout
    return list(csv.reader(io.StringIO(out.decode("utf-8"), newline="")))


def expect(what, got, wanted):
    if got != wanted:
        sys.exit(f"{what}: {got!r}, not {wanted!r}")


names = ['Smith, "Jockey"', "Ça Va Être Élan 🐎", "=1+1"]
rows = export("--stake", "30", "--", *(f"{n}={o}" for n, o in zip(names, ["3", "4", "5"])))
expect("heading", rows[0], ["Runner", "Odds", "Stake", "Profit if it wins"])
expect("names", [r[0] for r in rows[1:4]], names[:2] + ["'=1+1"])
expect("stakes add up", round(sum(float(r[2]) for r in rows[1:4]), 2), 30.0)
expect("totals", [r[0] for r in rows[4:]],
       ["Total stake", "If another wins", "Worst profit", "Best profit"])

# Held each-way bets laid in two markets: every outcome has its column.
rows = export("--commission", "5", "--held", "Hope:each-way:50@7.5:4:1/5", "--place-market", "3",
              "--place-odds", "Hope=1.7", "--", "Hope=8.2")
expect("laid heading", rows[0][-4:], ["If it wins", "If it places", "If extra place", "If unplaced"])
expect("laid runner", rows[1][2:], ["46.01", "331.27", "1.7", "69.70", "48.79", "9.94", "9.92",
                                    "124.92", "9.92"])
expect("new liability", rows[-1], ["New liability", "380.06"])

# A free bet: what it keeps.
rows = export("--lay", "--commission", "5", "--held", "1:free:20@6.0", "--", "6.4")
expect("retention", rows[-1], ["Retention percent", "74.75"])
print("the exports read as spreadsheets read them")
