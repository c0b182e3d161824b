#!/usr/bin/env python3
"""Writes the toolbar icons as small SVG files into resources/icons (24 x 24 units, so they
stay sharp at every scale). Run from the repository root after changing a drawing."""
import math
import os

INK = "#2b3440"
BLUE = "#2f6fb3"
YELLOW = "#f5c542"
RED = "#c8453c"
GREEN = "#3c9a5f"
PAPER = "#ffffff"


def hexagon(cx, cy, r, fill=YELLOW, stroke=INK, width=1.4):
    pts = " ".join(f"{cx + r * math.cos(math.radians(a)):.2f},{cy + r * math.sin(math.radians(a)):.2f}"
                   for a in range(0, 360, 60))
    return f'<polygon points="{pts}" fill="{fill}" stroke="{stroke}" stroke-width="{width}" stroke-linejoin="round"/>'


def line(x1, y1, x2, y2, color=INK, width=1.6):
    return f'<line x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}" stroke="{color}" stroke-width="{width}" stroke-linecap="round"/>'


def path(d, fill="none", stroke=INK, width=1.6):
    return f'<path d="{d}" fill="{fill}" stroke="{stroke}" stroke-width="{width}" stroke-linecap="round" stroke-linejoin="round"/>'


def rect(x, y, w, h, fill=PAPER, stroke=INK, width=1.4, r=1):
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{fill}" stroke="{stroke}" stroke-width="{width}"/>'


def text(x, y, t, size=12, weight="bold", style="normal", deco="none", color=INK):
    return (f'<text x="{x}" y="{y}" font-family="DejaVu Sans, sans-serif" font-size="{size}" '
            f'font-weight="{weight}" font-style="{style}" text-decoration="{deco}" '
            f'fill="{color}" text-anchor="middle">{t}</text>')


def page(extra=""):
    return path("M6 3h8l4 4v14H6z", fill=PAPER) + path("M14 3v4h4", width=1.2) + extra


def lens(extra=""):
    return ('<circle cx="10" cy="10" r="6" fill="#e8f0fa" stroke="%s" stroke-width="1.6"/>' % INK
            + line(14.5, 14.5, 20, 20, width=2.4) + extra)


def arrowhead(x, y, angle, color=INK):
    a = math.radians(angle)
    p1 = (x - 5 * math.cos(a - 0.45), y - 5 * math.sin(a - 0.45))
    p2 = (x - 5 * math.cos(a + 0.45), y - 5 * math.sin(a + 0.45))
    return f'<polygon points="{x},{y} {p1[0]:.2f},{p1[1]:.2f} {p2[0]:.2f},{p2[1]:.2f}" fill="{color}"/>'


def lines(ys, x1, x2s):
    return "".join(line(x1, y, x2, y, width=1.4) for y, x2 in zip(ys, x2s))


ICONS = {
    "filenew": page(line(12, 11, 12, 17, GREEN, 1.8) + line(9, 14, 15, 14, GREEN, 1.8)),
    "fileopen": path("M3 7h6l2 2h9v10H3z", fill=YELLOW) + path("M3 19l3-7h17l-3 7z", fill="#ffd970"),
    "filesave": rect(4, 4, 16, 16, fill=BLUE) + rect(7, 4, 10, 6, fill=PAPER, width=1) + rect(7, 13, 10, 7, fill="#dfe7f1", width=1),
    "saveall": rect(2, 2, 13, 13, fill="#7aa3d1") + rect(8, 8, 14, 14, fill=BLUE) + rect(11, 8, 8, 5, fill=PAPER, width=1),
    "savehtml": page(text(12, 18, "&lt;/&gt;", 6.5, color=BLUE)),
    "email": rect(3, 6, 18, 13, fill=PAPER) + path("M3 6l9 7 9-7"),
    "undo": path("M9 6L4 11l5 5") + path("M4 11h10a5 5 0 0 1 0 10h-3", width=1.8),
    "redo": path("M15 6l5 5-5 5") + path("M20 11H10a5 5 0 0 0 0 10h3", width=1.8),
    "cut": '<circle cx="7" cy="17" r="3" fill="none" stroke="%s" stroke-width="1.6"/><circle cx="17" cy="17" r="3" fill="none" stroke="%s" stroke-width="1.6"/>' % (INK, INK) + line(9, 15, 17, 3) + line(15, 15, 7, 3),
    "copy": rect(3, 3, 11, 13) + rect(9, 8, 11, 13),
    "paste": rect(4, 5, 14, 16, fill="#c99a5b") + rect(8, 3, 6, 4, fill="#9a9a9a", width=1) + rect(10, 10, 10, 11),
    "print": rect(6, 3, 12, 6) + rect(3, 9, 18, 8, fill="#c9ced6") + rect(6, 14, 12, 7),
    "help": '<circle cx="12" cy="12" r="9" fill="%s" stroke="%s" stroke-width="1.4"/>' % (BLUE, INK) + text(12, 17, "?", 13, color=PAPER),
    "bold": text(12, 18, "B", 16),
    "italic": text(12, 18, "I", 16, weight="normal", style="italic"),
    "underline": text(12, 16, "U", 14, weight="normal") + line(6, 20, 18, 20),
    "alignleft": lines([5, 9, 13, 17], 4, [20, 14, 20, 12]),
    "aligncentre": "".join(line(12 - w / 2, y, 12 + w / 2, y, width=1.4) for y, w in zip([5, 9, 13, 17], [16, 10, 16, 8])),
    "alignright": "".join(line(20 - w, y, 20, y, width=1.4) for y, w in zip([5, 9, 13, 17], [16, 10, 16, 8])),
    "indentleft": lines([5, 19], 4, [20, 20]) + lines([10, 14], 11, [20, 20]) + path("M8 9l-4 3 4 3", width=1.4),
    "indentright": lines([5, 19], 4, [20, 20]) + lines([10, 14], 11, [20, 20]) + path("M4 9l4 3-4 3", width=1.4),
    "bullets": "".join('<circle cx="5" cy="%d" r="1.6" fill="%s"/>' % (y, INK) + line(9, y, 20, y, width=1.4) for y in (6, 12, 18)),
    "togglequick": rect(3, 3, 6, 18, fill="#dfe7f1") + hexagon(15, 12, 5),
    "togglemodify": rect(3, 3, 18, 6, fill="#dfe7f1") + hexagon(12, 15, 5, fill="#9bc7ee"),
    "togglespecial": rect(3, 3, 6, 18, fill="#dfe7f1") + '<circle cx="15" cy="12" r="5" fill="%s" stroke="%s" stroke-width="1.4"/>' % (GREEN, INK),
    "setmainview": rect(3, 5, 18, 14, fill="#e8f0fa") + path("M12 8l1.2 2.6 2.8.3-2.1 1.9.6 2.8-2.5-1.4-2.5 1.4.6-2.8-2.1-1.9 2.8-.3z", fill=YELLOW, width=1),
    "wholemodel": rect(3, 3, 18, 18, fill="#e8f0fa") + hexagon(9, 9, 3.2, width=1) + hexagon(15, 15, 3.2, width=1) + hexagon(15, 8, 2.5, fill="#9bc7ee", width=1),
    "zoomin": lens(line(7, 10, 13, 10, width=1.6) + line(10, 7, 10, 13, width=1.6)),
    "zoomback": lens(path("M12 8l-3 2 3 2", width=1.4)),
    "setzoom": lens(text(10, 12.5, "%", 7)),
    "pan": path("M12 2v20M2 12h20", width=1.6) + path("M9 5l3-3 3 3M9 19l3 3 3-3M5 9l-3 3 3 3M19 9l3 3-3 3", width=1.6),
    "magnifier": lens() + hexagon(10, 10, 3, width=1),
    "changesize": hexagon(8, 15, 4) + hexagon(15, 9, 6.5, fill="none", stroke=BLUE, width=1.2),
    "changefill": hexagon(12, 12, 8, fill=YELLOW),
    "showline": hexagon(12, 12, 8, fill=PAPER, width=2.2),
    "linethickness": line(4, 6, 20, 6, width=1) + line(4, 11, 20, 11, width=2) + line(4, 17, 20, 17, width=3.5),
    "shadow": hexagon(14, 14, 7, fill="#8a8f96", stroke="none") + hexagon(11, 11, 7),
    "style3d": path("M6 16l4 4h10l-4-4", fill="#b58f20") + hexagon(11, 11, 7),
    "sendtoback": rect(9, 9, 11, 11, fill=BLUE) + rect(4, 4, 11, 11, fill=YELLOW),
    "bringtofront": rect(4, 4, 11, 11, fill=YELLOW) + rect(9, 9, 11, 11, fill=BLUE),
    "rotateright": hexagon(10, 13, 5) + path("M12 4a8 8 0 0 1 8 8", width=1.6) + arrowhead(20, 13, 90),
    "freerotate": hexagon(12, 12, 5) + path("M5 6a9 9 0 0 1 14 0", width=1.4) + arrowhead(19.5, 6.5, 40) + path("M19 18a9 9 0 0 1-14 0", width=1.4) + arrowhead(4.5, 17.5, 220),
    "endoperation": path("M5 4l13 8-6 1.5-3 6z", fill=PAPER),
    "createcogis": hexagon(11, 12, 8) + line(19, 3, 19, 9, GREEN, 1.8) + line(16, 6, 22, 6, GREEN, 1.8),
    "brainstorm": path("M4 9a5 5 0 0 1 9-4 4 4 0 0 1 7 3 3.5 3.5 0 0 1-1 7H6a4 4 0 0 1-2-6z", fill="#e8f0fa") + path("M11 15l-2 4h3l-2 4", stroke=YELLOW, width=1.8),
    "createclusters": '<ellipse cx="12" cy="12" rx="10" ry="7" fill="#e5f2e8" stroke="%s" stroke-width="1.4"/>' % INK + hexagon(8.5, 12, 3, width=1) + hexagon(15.5, 12, 3, width=1),
    "edittext": hexagon(12, 12, 9, fill=PAPER) + line(8, 10, 16, 10, width=1.3) + line(8, 14, 14, 14, width=1.3),
    "createlabel": rect(3, 7, 18, 10, fill=PAPER) + text(12, 15.5, "Abc", 7.5),
    "drawarrowplain": line(4, 20, 19, 5) + arrowhead(20, 4, -45),
    "drawline": line(4, 20, 20, 4),
    "drawarrow": line(5, 19, 19, 5) + arrowhead(20, 4, -45) + arrowhead(4, 20, 135),
    "freeform": path("M4 16c2-8 6-12 9-6s5 6 7-2", width=1.8) + path("M4 16c3 4 12 5 16-8", stroke="#9aa3ad", width=1),
    "linkcogi": hexagon(9, 12, 6) + path("M14 9h4a3 3 0 0 1 0 6h-4", stroke=BLUE, width=1.8),
    "standardise": path("M4 4h11v6H4z", fill=YELLOW) + path("M15 7h4v6h-8v3", width=1.6) + rect(9.5, 16, 3, 6, fill=INK, width=0.8),
    "sting": path("M12 3l2 6h-4z", fill=RED, stroke=INK, width=1) + '<ellipse cx="12" cy="15" rx="5" ry="6" fill="%s" stroke="%s" stroke-width="1.2"/>' % (YELLOW, INK) + line(7.5, 13, 16.5, 13, width=1.6) + line(7.5, 17, 16.5, 17, width=1.6),
    "clipart": rect(3, 4, 18, 16, fill="#e8f0fa") + path("M3 17l5-6 4 4 3-3 6 6", fill="#9bc7ee", width=1.2) + '<circle cx="16" cy="8" r="2" fill="%s"/>' % YELLOW,
    "thought": '<circle cx="11" cy="10" r="6" fill="#fff7d6" stroke="%s" stroke-width="1.4"/>' % INK + path("M9 16h4M9.5 18.5h3", width=1.4) + line(11, 20.5, 11, 21, width=1.4),
    "thoughtcogi": hexagon(12, 13, 8) + '<circle cx="12" cy="11" r="3" fill="#fff7d6" stroke="%s" stroke-width="1.1"/>' % INK + line(11, 15.5, 13, 15.5, width=1.1),
}


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "icons")
    for name, body in ICONS.items():
        svg = ('<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24">'
               + body + "</svg>\n")
        with open(os.path.join(folder, name + ".svg"), "w", encoding="utf-8") as out:
            out.write(svg)


if __name__ == "__main__":
    main()
