#!/usr/bin/python3
"""Draws the icons and the network logo of the resource bundle with cairo.

Icons are 24 by 24 points, one 2-point stroke with round ends, in black: screens tint them with
the colour of the text beside them. The network logo is 48 by 32 points in the navy of the
screens. Each is written at 2 and 3 pixels a point (resources/images/<name>@2x.png, @3x.png).

Needs python3-cairo, a package of the system's Python. Run from the project folder:
/usr/bin/python3 scripts/draw_icons.py
"""
import math
from pathlib import Path

import cairo

STROKE = 2
NAVY = (0x15 / 255, 0x19 / 255, 0x5A / 255)


def stroke_lines(ctx, *polylines):
    ctx.set_source_rgb(0, 0, 0)
    ctx.set_line_width(STROKE)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    for points in polylines:
        ctx.move_to(*points[0])
        for point in points[1:]:
            ctx.line_to(*point)
        ctx.stroke()


def chevron_down(ctx):
    stroke_lines(ctx, [(6, 9), (12, 15), (18, 9)])


def share(ctx):
    # An arrow leaving an open box.
    stroke_lines(ctx, [(12, 3), (12, 15)], [(8, 7), (12, 3), (16, 7)],
                 [(9, 10), (6, 10), (6, 21), (18, 21), (18, 10), (15, 10)])


def close(ctx):
    stroke_lines(ctx, [(6, 6), (18, 18)], [(18, 6), (6, 18)])


def more(ctx):
    ctx.set_source_rgb(0, 0, 0)
    for x in (5, 12, 19):
        ctx.arc(x, 12, STROKE, 0, 2 * math.pi)
        ctx.fill()


def network_logo(ctx):
    # A navy card with a white "Z" and a thin rule under it.
    radius, width, height = 5, 48, 32
    ctx.new_sub_path()
    ctx.arc(width - radius, radius, radius, -math.pi / 2, 0)
    ctx.arc(width - radius, height - radius, radius, 0, math.pi / 2)
    ctx.arc(radius, height - radius, radius, math.pi / 2, math.pi)
    ctx.arc(radius, radius, radius, math.pi, 3 * math.pi / 2)
    ctx.close_path()
    ctx.set_source_rgb(*NAVY)
    ctx.fill()
    ctx.set_source_rgb(1, 1, 1)
    ctx.set_line_width(3)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    for points in ([(17, 8), (31, 8), (17, 21), (31, 21)], [(14, 26), (34, 26)]):
        ctx.move_to(*points[0])
        for point in points[1:]:
            ctx.line_to(*point)
        ctx.set_line_width(3 if len(points) > 2 else STROKE)
        ctx.stroke()


IMAGES = {
    "zelto_sdk_icon_chevron_down": ((24, 24), chevron_down),
    "icon_share": ((24, 24), share),
    "icon_close": ((24, 24), close),
    "icon_more": ((24, 24), more),
    "network_logo_zelto": ((48, 32), network_logo),
}

if __name__ == "__main__":
    folder = Path(__file__).resolve().parent.parent / "resources" / "images"
    folder.mkdir(parents=True, exist_ok=True)
    for name, ((width, height), draw) in IMAGES.items():
        for scale in (2, 3):
            surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, width * scale, height * scale)
            ctx = cairo.Context(surface)
            ctx.scale(scale, scale)
            draw(ctx)
            surface.write_to_png(str(folder / f"{name}@{scale}x.png"))
