#!/usr/bin/env python3
"""Draws Orvalen's icon, IDI_APP: the character 字 in white on a seal-red
tile, at 32 x 32 and 16 x 16 pixels in the 16 standard colours, and writes
them as one .ico file.

The glyph is rendered by ImageMagick from an installed Chinese font and then
cut to two levels, so the icon can be remade on any machine with the same
font; the .ico itself is kept in the repository.

Usage: make_icon.py [output.ico]
"""
import struct
import subprocess
import sys

FONT = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"
GLYPH = "字"

# The 16 colours of the standard Windows palette, as (R, G, B).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
DARK_RED, RED, YELLOW, WHITE = 1, 9, 11, 15


def render_glyph(size, point_size):
    """The glyph as rows of 0..255 coverage, centred in a size x size square."""
    raw = subprocess.run(
        ["convert", "-background", "black", "-fill", "white", "-font", FONT,
         "-pointsize", str(point_size), "label:" + GLYPH,
         "-gravity", "center", "-extent", f"{size}x{size}",
         "-depth", "8", "gray:-"],
        check=True, capture_output=True).stdout
    assert len(raw) == size * size, len(raw)
    return [list(raw[row * size:(row + 1) * size]) for row in range(size)]


def draw(size, point_size, radius, threshold):
    """Colour indices and transparency: a rounded red tile with a dark red
    rim and the glyph in white."""
    glyph = render_glyph(size, point_size)
    pixels, transparent = [], []
    for y in range(size):
        row, clear = [], []
        for x in range(size):
            # Distance outside the rounded corner, if in one.
            cx = min(max(x, radius), size - 1 - radius)
            cy = min(max(y, radius), size - 1 - radius)
            outside = (x - cx) ** 2 + (y - cy) ** 2 > radius ** 2
            edge = (x - cx) ** 2 + (y - cy) ** 2 > (radius - 1) ** 2 or x in (0, size - 1) or y in (0, size - 1)
            if outside:
                row.append(0)
                clear.append(True)
                continue
            clear.append(False)
            if glyph[y][x] >= threshold:
                row.append(WHITE)
            elif edge:
                row.append(DARK_RED)
            else:
                row.append(RED)
        pixels.append(row)
        transparent.append(clear)
    return pixels, transparent


def dib(pixels, transparent):
    """A 4-bit icon image: header, palette, colour rows, then the mask rows,
    both bottom-up and padded to 4 bytes."""
    size = len(pixels)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         (xor_stride + and_stride) * size, 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor = b""
    mask = b""
    for y in reversed(range(size)):
        row = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x in range(size):
            row[x // 2] |= pixels[y][x] << (4 if x % 2 == 0 else 0)
            if transparent[y][x]:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += bytes(row)
        mask += bytes(bits)
    return header + palette + xor + mask


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else "Orvalen.ico"
    images = [(32, dib(*draw(32, 26, 5, 100))), (16, dib(*draw(16, 13, 2, 80)))]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in images:
        data += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    data += b"".join(image for _, image in images)
    with open(output, "wb") as file:
        file.write(data)


if __name__ == "__main__":
    main()
