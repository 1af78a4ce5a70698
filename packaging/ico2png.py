#!/usr/bin/env python3
"""Writes every picture of a Windows icon file as a PNG file of its own.

    ico2png.py ICON.ico OUTDIR      writes OUTDIR/<w>x<h>.png for each size

Reads the icon formats Windows itself reads: PNG pictures stored whole, and
bitmap pictures of 1, 4, 8, 24 or 32 bits per pixel with their AND mask
(32-bit pictures carry their own alpha). Only the Python standard library is
used. When an icon holds one size twice, the deeper picture wins.
"""

import os
import struct
import sys
import zlib

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


class IconError(Exception):
    pass


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def encode_png(width, height, rgba_rows):
    """rgba_rows: height rows from the top, each 4 * width bytes."""
    raw = b"".join(b"\x00" + row for row in rgba_rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (PNG_SIGNATURE + png_chunk(b"IHDR", header) +
            png_chunk(b"IDAT", zlib.compress(raw, 9)) + png_chunk(b"IEND", b""))


def png_size(data):
    if len(data) < 24 or data[12:16] != b"IHDR":
        raise IconError("broken PNG picture")
    return struct.unpack(">II", data[16:24])


def decode_bitmap(data):
    """An icon's bitmap picture (header, palette, XOR bits, AND mask): its
    width, height and rows of RGBA from the top."""
    if len(data) < 40:
        raise IconError("picture too short")
    (size, width, double_height, planes, bpp, compression) = struct.unpack("<IiiHHI", data[:20])
    colours_used = struct.unpack("<I", data[32:36])[0]
    height = double_height // 2
    if size < 40 or width <= 0 or height <= 0 or compression != 0:
        raise IconError("unsupported picture header")
    if bpp not in (1, 4, 8, 24, 32):
        raise IconError("unsupported depth %d" % bpp)
    offset = size
    palette = []
    if bpp <= 8:
        count = colours_used or (1 << bpp)
        for i in range(count):
            b, g, r, _ = data[offset + 4 * i:offset + 4 * i + 4]
            palette.append((r, g, b))
        offset += 4 * count
    stride = ((width * bpp + 31) // 32) * 4
    mask_stride = ((width + 31) // 32) * 4
    mask_offset = offset + stride * height
    if len(data) < mask_offset:
        raise IconError("picture bits cut short")
    has_mask = len(data) >= mask_offset + mask_stride * height

    pixels = []  # bottom-up rows of (r, g, b, a)
    any_alpha = False
    for y in range(height):
        row = data[offset + y * stride:offset + (y + 1) * stride]
        out = []
        for x in range(width):
            if bpp == 32:
                b, g, r, a = row[4 * x:4 * x + 4]
                any_alpha = any_alpha or a != 0
                out.append((r, g, b, a))
            elif bpp == 24:
                b, g, r = row[3 * x:3 * x + 3]
                out.append((r, g, b, 255))
            else:
                bit = x * bpp
                index = (row[bit // 8] >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1)
                r, g, b = palette[index] if index < len(palette) else (0, 0, 0)
                out.append((r, g, b, 255))
        pixels.append(out)

    # A 32-bit picture with alpha ignores the mask; every other one is
    # transparent where the mask bit is set.
    if has_mask and not (bpp == 32 and any_alpha):
        for y in range(height):
            mask = data[mask_offset + y * mask_stride:mask_offset + (y + 1) * mask_stride]
            for x in range(width):
                if (mask[x // 8] >> (7 - x % 8)) & 1:
                    r, g, b, _ = pixels[y][x]
                    pixels[y][x] = (r, g, b, 0)

    rows = [bytes(v for p in row for v in p) for row in reversed(pixels)]
    return width, height, rows, bpp


def icon_pictures(data):
    """{(width, height): PNG bytes} of an icon file's pictures."""
    if len(data) < 6:
        raise IconError("not an icon file")
    reserved, kind, count = struct.unpack("<HHH", data[:6])
    if reserved != 0 or kind != 1 or count == 0:
        raise IconError("not an icon file")
    best = {}
    for i in range(count):
        entry = data[6 + 16 * i:22 + 16 * i]
        if len(entry) < 16:
            raise IconError("icon directory cut short")
        length, offset = struct.unpack("<II", entry[8:16])
        picture = data[offset:offset + length]
        if len(picture) != length:
            raise IconError("picture %d lies outside the file" % i)
        if picture.startswith(PNG_SIGNATURE):
            width, height = png_size(picture)
            png, depth = picture, 32
        else:
            width, height, rows, depth = decode_bitmap(picture)
            png = encode_png(width, height, rows)
        if (width, height) not in best or best[(width, height)][0] < depth:
            best[(width, height)] = (depth, png)
    return {size: png for size, (_, png) in best.items()}


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: ico2png.py ICON.ico OUTDIR")
    try:
        with open(sys.argv[1], "rb") as f:
            pictures = icon_pictures(f.read())
    except (OSError, IconError) as error:
        sys.exit("ico2png: %s: %s" % (sys.argv[1], error))
    os.makedirs(sys.argv[2], exist_ok=True)
    for (width, height), png in sorted(pictures.items()):
        path = os.path.join(sys.argv[2], "%dx%d.png" % (width, height))
        with open(path, "wb") as f:
            f.write(png)
        print(path)


if __name__ == "__main__":
    main()
