#!/usr/bin/env python3
"""Draws icon 128 (a stopwatch whose elapsed time is a blue wedge) as XPM images and writes
resources/icon_128.cpp. Pixels are sampled from the geometry below without anti-aliasing, so
every size keeps a palette of a few flat colours (16 at most, as small window icons expect).

Run it again after changing the picture: python3 resources/icon_128_draw.py
"""
import math
import pathlib

SIZES = (16, 32, 48, 128)
PALETTE = [  # (key, colour); order is the painting priority, last wins
    (" ", "None"),
    ("s", "#9AA3AD"),  # crown and side button, silver
    ("#", "#1E2630"),  # outline
    (".", "#FFFFFF"),  # face
    ("b", "#4F86D9"),  # elapsed time
    ("k", "#3A4450"),  # hour marks
    ("r", "#D42A20"),  # hand
    ("h", "#1E2630"),  # hub
]
CX, CY, R = 0.5, 0.56, 0.405
HAND_ANGLE = 135.0  # degrees clockwise from twelve o'clock


def angle_of(x, y):
    return math.degrees(math.atan2(x - CX, -(y - CY))) % 360.0


def dist_to_segment(px, py, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy)))
    return math.hypot(px - (ax + t * vx), py - (ay + t * vy))


def colour_at(x, y, px):
    """Key of the colour at (x, y) in unit coordinates; px is one pixel in those units."""
    ring = max(0.065, 1.15 * px)
    line = max(0.06, 1.1 * px)
    d = math.hypot(x - CX, y - CY)
    key = " "
    # Crown on top and a side button at ten past, both silver with an outline.
    if 0.42 <= x <= 0.58 and 0.03 <= y <= CY - R + 0.02:
        inner = 0.42 + px <= x <= 0.58 - px and 0.03 + px <= y
        key = "s" if inner else "#"
    bx = CX + (R + 0.06) * math.sin(math.radians(45))
    by = CY - (R + 0.06) * math.cos(math.radians(45))
    db = math.hypot(x - bx, y - by)
    if db <= 0.075:
        key = "s" if db <= 0.075 - px else "#"
    if d <= R:
        key = "#" if d > R - ring else "."
    if d <= R - ring - 0.3 * px:
        a = angle_of(x, y)
        if a <= HAND_ANGLE and d <= R - ring - max(0.04, px):
            key = "b"
        if px < 1 / 24:  # hour marks only where there is room for them
            for mark in (0, 90, 180, 270):
                mx, my = math.sin(math.radians(mark)), -math.cos(math.radians(mark))
                if dist_to_segment(x, y, CX + mx * (R - 0.16), CY + my * (R - 0.16),
                                   CX + mx * (R - ring - 0.01), CY + my * (R - ring - 0.01)) <= 0.022:
                    key = "k"
        hx = CX + (R - ring - 0.05) * math.sin(math.radians(HAND_ANGLE))
        hy = CY - (R - ring - 0.05) * math.cos(math.radians(HAND_ANGLE))
        if dist_to_segment(x, y, CX, CY, hx, hy) <= line / 2:
            key = "r"
        if d <= max(0.055, 1.0 * px):
            key = "h"
    return key


def render(size):
    px = 1.0 / size
    rows = []
    for j in range(size):
        row = ""
        for i in range(size):
            # Majority of 3x3 samples, so thin lines survive at 16 px.
            votes = {}
            for sj in range(3):
                for si in range(3):
                    k = colour_at((i + (si + 0.5) / 3) * px, (j + (sj + 0.5) / 3) * px, px)
                    votes[k] = votes.get(k, 0) + 1
            order = [k for k, _ in PALETTE]
            row += max(votes, key=lambda k: (votes[k], order.index(k)))
        rows.append(row)
    return rows


def xpm_lines(size):
    rows = render(size)
    used = [(k, c) for k, c in PALETTE if any(k in r for r in rows)]
    seen = {}
    for k, c in used:  # hub and outline share a colour: one entry
        seen.setdefault(c, k)
    remap = {k: seen[c] for k, c in used}
    rows = ["".join(remap[ch] for ch in r) for r in rows]
    colours = [(k, c) for c, k in seen.items()]
    out = [f'"{size} {size} {len(colours)} 1",']
    out += [f'"{k} c {c}",' for k, c in colours]
    out += [f'"{r}",' for r in rows]
    return out


def main():
    here = pathlib.Path(__file__).resolve().parent
    parts = [
        "// Icon 128: a stopwatch whose elapsed time shows as a blue wedge.",
        "// Drawn by resources/icon_128_draw.py; edit the picture there and run it again.",
        "",
        '#include "platform/afx/resources.h"',
        "",
        "namespace {",
        "",
        "// One row of pixels a line, as drawn.",
        "// clang-format off",
    ]
    for size in SIZES:
        parts.append(f"const char* const kStopwatch{size}[] = {{")
        parts += ["    " + line for line in xpm_lines(size)]
        parts.append("};")
        parts.append("")
    parts.append("// clang-format on")
    parts.append("")
    parts.append("}  // namespace")
    parts.append("")
    parts.append("extern const afx::IconResource kIcon128;")
    images = ", ".join(f"{{{s}, kStopwatch{s}}}" for s in SIZES)
    parts.append("const afx::IconResource kIcon128{")
    parts.append(f"    128, {{{images}}}}};")
    (here / "icon_128.cpp").write_text("\n".join(parts) + "\n")


if __name__ == "__main__":
    main()
