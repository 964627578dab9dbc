#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Kelvane Extras developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes two records of 150 sessions each as a spreadsheet copies them (amount TAB minutes):
an honest player's, drawn from a game of $75 an hour with a standard deviation of $813.17 an
hour, and the same sessions from a player who keeps back 2 % of every win. The screenshots of
the expectation page are made from these."""
import math
import random
import sys

EV, SD = 75.0, 813.17
folder = sys.argv[1] if len(sys.argv) > 1 else "."
random.seed(150)
sessions = []
for _ in range(150):
    minutes = random.randint(45, 480)
    hours = minutes / 60
    sessions.append((EV * hours + SD * math.sqrt(hours) * random.gauss(0, 1), minutes))
for name, keep in (("honest", 1.0), ("skimming", 0.98)):
    with open(f"{folder}/{name}.tsv", "w") as out:
        for amount, minutes in sessions:
            out.write(f"{round(amount * keep if amount > 0 else amount)}\t{minutes}\n")
