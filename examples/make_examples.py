#!/usr/bin/env python3
"""Writes the sample test records of this folder.

Each record is the force-displacement history of a Bouc-Wen hysteretic model (smooth
yielding, post-yield hardening, strength and stiffness degradation with the energy it has
dissipated) driven by a displacement-controlled cyclic protocol of growing
amplitude: two cycles per amplitude step, each cycle going to +A, back through zero to -A and
back to zero. Standard library only; the output is the same on every run.

    python3 examples/make_examples.py          # rewrites the files next to this script
"""

import math
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))


def protocol(amplitudes, cycles, points_per_quarter):
    """Displacement targets of the protocol, starting at 0: a sine wave per cycle."""
    xs = [0.0]
    for amplitude in amplitudes:
        for _ in range(cycles):
            n = 4 * points_per_quarter
            for k in range(1, n + 1):
                xs.append(amplitude * math.sin(2 * math.pi * k / n))
    return xs


def bouc_wen(xs, k0, fy, alpha, n=2.0, beta=0.55, gamma=0.45, degrade=0.0, substeps=20):
    """Force at every displacement of xs (explicit integration in small displacement steps).

    k0 initial stiffness, fy yield force, alpha post-yield stiffness ratio, n sharpness of the
    yield knee, beta/gamma loop shape, degrade strength loss per unit of normalised dissipated
    energy.
    """
    dy = fy / k0  # yield displacement
    z = 0.0  # hysteretic displacement ratio, |z| <= 1
    energy = 0.0
    forces = [0.0]
    x_prev = xs[0]
    force_prev = 0.0
    for x in xs[1:]:
        dx = (x - x_prev) / substeps
        for _ in range(substeps):
            nu = 1.0 + degrade * energy  # strength and stiffness degradation
            dz = (1.0 - abs(z) ** n * (beta * math.copysign(1.0, dx * z) + gamma) * nu) * dx / dy
            z = max(-1.0, min(1.0, z + dz))
            x_prev += dx
            force = alpha * k0 * x_prev + (1.0 - alpha) * fy * z / nu ** 0.5
            energy += 0.5 * (force + force_prev) * dx / (fy * dy) / 100.0
            force_prev = force
        forces.append(force_prev)
    return forces


def write(name, rows, header=None, delimiter=",", newline="\n"):
    path = os.path.join(HERE, name)
    with open(path, "w", encoding="ascii", newline="") as f:
        if header:
            f.write(header + newline)
        for x, y in rows:
            # Rounded first, so that a tiny negative value is written as 0.0000, not -0.0000.
            x, y = round(x, 4) + 0.0, round(y, 4) + 0.0
            f.write(f"{x:.4f}{delimiter}{y:.4f}{newline}")
    print(f"{name}: {len(rows)} rows")


def main():
    # Reinforced-concrete column: degrading loops; displacement in mm, force in kN.
    # One header line (read it with "F-D Curve Begin Line" = 2).
    xs = protocol([2, 4, 6, 8, 10, 14, 18, 24, 30], cycles=2, points_per_quarter=40)
    fs = bouc_wen(xs, k0=40.0, fy=150.0, alpha=0.02, degrade=0.25)
    write("rc_column_cyclic.csv", list(zip(xs, fs)),
          header="Displacement (mm),Force (kN)")

    # Steel brace-type damper: full, stable loops with hardening; tab-separated, CR LF line
    # ends, no header, and a little measurement noise on both channels (not on the first and
    # last samples: the test starts and ends at rest).
    rng = random.Random(20240611)
    xs = protocol([1, 2, 3, 4, 5, 6, 8, 10, 12], cycles=2, points_per_quarter=42)
    fs = bouc_wen(xs, k0=80.0, fy=220.0, alpha=0.08, n=1.5, degrade=0.02)
    last = len(xs) - 1
    rows = [(x, f) if i in (0, last) else (x + rng.gauss(0.0, 0.003), f + rng.gauss(0.0, 0.4))
            for i, (x, f) in enumerate(zip(xs, fs))]
    write("steel_damper_cyclic.txt", rows, delimiter="\t", newline="\r\n")


if __name__ == "__main__":
    main()
