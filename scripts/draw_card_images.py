#!/usr/bin/env python3
"""Draws the card and card-network images of the resource bundle (resources/images/*.png).

Plain geometric badges, one per network, drawn pixel by pixel so that no image tool is needed.
Run from the project folder: python3 scripts/draw_card_images.py
"""
import struct
import zlib
from pathlib import Path

WIDTH, HEIGHT = 48, 32


def png(pixels):
    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def inside_card(x, y, radius=5):
    # A rectangle with rounded corners covering the whole image.
    cx = min(max(x, radius), WIDTH - 1 - radius)
    cy = min(max(y, radius), HEIGHT - 1 - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def draw(paint):
    return [[paint(x, y) if inside_card(x, y) else (0, 0, 0, 0) for x in range(WIDTH)]
            for y in range(HEIGHT)]


CLEAR = (0, 0, 0, 0)


def placeholder(x, y):
    # Grey card with a darker band, as a card whose network is unknown.
    return (120, 124, 140, 255) if 8 <= y < 14 else (200, 203, 214, 255)


def orvan_white(x, y):
    # White ring on a clear ground, for dark card art.
    d = ((x - WIDTH / 2 + 0.5) ** 2 + (y - HEIGHT / 2 + 0.5) ** 2) ** 0.5
    return (255, 255, 255, 255) if 8 <= d <= 12 else CLEAR


def mastercard(x, y):
    # Navy card with two amber bars.
    if 9 <= y < 14 or 18 <= y < 23:
        return (245, 166, 35, 255) if 10 <= x < 38 else (29, 42, 89, 255)
    return (29, 42, 89, 255)


def rupay(x, y):
    # White card with three slanted green and blue stripes.
    band = (x + y // 2) % 12
    if band < 3:
        return (0, 122, 94, 255)
    if band < 6:
        return (24, 105, 214, 255)
    return (255, 255, 255, 255)


IMAGES = {
    "card_placeholder": placeholder,
    "img_card_logo_orvan_white": orvan_white,
    "card_network_logo_mastercard": mastercard,
    "card_network_logo_rupay": rupay,
}

if __name__ == "__main__":
    folder = Path(__file__).resolve().parent.parent / "resources" / "images"
    folder.mkdir(parents=True, exist_ok=True)
    for name, paint in IMAGES.items():
        (folder / f"{name}.png").write_bytes(png(draw(paint)))
