"""The dancer's pictures as the browser run checks the canvas against them: 8-bit BMP files,
plain or run-length coded, read here with the standard library only, so the check does not
share a decoder with the program it checks."""
import os
import struct


def read_bmp8(path):
    """(width, height, rows): rows top first, each a list of (red, green, blue)."""
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    info_size, width, height, _, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    used = struct.unpack_from("<I", data, 46)[0] or 256
    if bits != 8 or compression not in (0, 1) or width <= 0 or height <= 0:
        raise ValueError(f"{path}: not an 8-bit bottom-up BMP")
    table = 14 + info_size
    palette = [(data[table + 4 * i + 2], data[table + 4 * i + 1], data[table + 4 * i]) for i in range(used)]
    stride = (width + 3) & ~3
    if compression == 0:
        indexes = data[offset:offset + stride * height]
    else:
        indexes = decode_rle8(data[offset:], stride, height)
    rows = []
    for y in range(height - 1, -1, -1):
        line = indexes[y * stride:y * stride + width]
        rows.append([palette[i] if i < used else (0, 0, 0) for i in line])
    return width, height, rows


def decode_rle8(data, stride, height):
    out = bytearray(stride * height)
    at, row, column = 0, 0, 0
    while at + 1 < len(data) and row < height:
        count, value = data[at], data[at + 1]
        at += 2
        if count:
            start = row * stride + column
            out[start:start + count] = bytes([value]) * count
            column += count
        elif value == 0:
            row, column = row + 1, 0
        elif value == 1:
            break
        elif value == 2:
            column += data[at]
            row += data[at + 1]
            at += 2
        else:
            start = row * stride + column
            out[start:start + value] = data[at:at + value]
            column += value
            at += value + (value & 1)
    return bytes(out[:stride * height])


def figure(frame):
    """The frame's figure: (row, byte offset in a capture of its rectangle, colour) of every
    pixel that is not its corner's key colour."""
    width, _, pixels = frame
    key = pixels[0][0]
    return [(y, 4 * (y * width + x), colour) for y, row in enumerate(pixels) for x, colour in enumerate(row)
            if colour != key]


def load_frames(folder, base="m1_"):
    """The figure of every picture base + number + ".bmp" in the folder, by its number."""
    frames = {}
    for name in os.listdir(folder):
        stem, extension = os.path.splitext(name)
        if extension.lower() == ".bmp" and stem.startswith(base) and stem[len(base):].isdigit():
            frames[int(stem[len(base):])] = figure(read_bmp8(os.path.join(folder, name)))
    return frames


def figure_mismatches(pixels, rgba, rows):
    """Pixels of a figure in its first `rows` rows that the canvas capture `rgba` (the frame's
    rectangle, 4 bytes a pixel) shows in another colour."""
    return sum(1 for y, at, colour in pixels if y < rows and tuple(rgba[at:at + 3]) != colour)


def best_frame(frames, rgba, rows):
    """(number, wrong pixels) of the frame the capture matches best."""
    return min(((number, figure_mismatches(pixels, rgba, rows)) for number, pixels in frames.items()),
               key=lambda found: found[1])
