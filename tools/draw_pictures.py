#!/usr/bin/env python3
"""Draws the pictures of Dravik's skinned controls and writes them as Windows bitmaps.

Run from anywhere: python3 tools/draw_pictures.py [output folder]
The default output folder is resources/pictures beside this script's folder. The output is
committed; run the script again only after changing a drawing here.

Full-colour pictures are written with 24 bits per pixel. The pictures of the 256-colour
appearance (frame pieces and caption buttons of MorvXPF and XPFAbout256, the maximise and
minimise buttons, and the small button's skin) are 8-bit bitmaps with a colour table, as they are
meant for a display that shows only a palette; the readers in controls/paint/bmp.cpp take both.
Only the standard library is used.
"""

import os
import struct
import sys
import zlib

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)

# --- writing ---------------------------------------------------------------------------------


def canvas(w, h, colour):
    return [[colour] * w for _ in range(h)]


def _file_header(pixel_offset, total):
    return b"BM" + struct.pack("<IHHI", total, 0, 0, pixel_offset)


def _info_header(w, h, bits, colours):
    # BITMAPINFOHEADER, bottom-up rows, no compression, 96 dpi.
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, 0, 3780, 3780, colours, 0)


def write_bmp24(path, px):
    h, w = len(px), len(px[0])
    stride = (w * 3 + 3) & ~3
    rows = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for (r, g, b) in px[y]:
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows += row
    offset = 14 + 40
    with open(path, "wb") as f:
        f.write(_file_header(offset, offset + len(rows)))
        f.write(_info_header(w, h, 24, 0))
        f.write(rows)


def write_bmp8(path, px):
    h, w = len(px), len(px[0])
    palette = sorted({c for row in px for c in row})
    if len(palette) > 256:
        raise ValueError(f"{path}: {len(palette)} colours do not fit an 8-bit bitmap")
    index = {c: i for i, c in enumerate(palette)}
    stride = (w + 3) & ~3
    rows = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(index[c] for c in px[y])
        row += bytes(stride - len(row))
        rows += row
    table = bytearray()
    for (r, g, b) in palette:
        table += bytes((b, g, r, 0))
    offset = 14 + 40 + len(table)
    with open(path, "wb") as f:
        f.write(_file_header(offset, offset + len(rows)))
        f.write(_info_header(w, h, 8, len(palette)))
        f.write(table)
        f.write(rows)


# --- helpers ---------------------------------------------------------------------------------


def lerp(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def gradient(top, bottom, n):
    return [lerp(top, bottom, i / (n - 1)) if n > 1 else top for i in range(n)]


def mirror(px):
    return [list(reversed(row)) for row in px]


def fill(px, x0, y0, x1, y1, colour):
    """Fills x0..x1-1, y0..y1-1."""
    for y in range(max(y0, 0), min(y1, len(px))):
        for x in range(max(x0, 0), min(x1, len(px[0]))):
            px[y][x] = colour


# --- window frame ----------------------------------------------------------------------------
# The title bar is 30 pixels high; the window's top corners lose 5, 3, 2, 1 and 1 pixels on rows
# 0 to 4 when the frame cuts them round, so the end pieces of the title bar are drawn round to
# the same curve. The pixels outside the curve show only while the window is not cut round.

CORNER_CUT = [5, 3, 2, 1, 1]


class FrameColours:
    def __init__(self, title, outline, border, outside):
        self.title = title  # 30 colours, top to bottom
        self.outline = outline  # the window's outermost edge
        self.border = border  # 4 colours, from the outer edge inwards
        self.outside = outside  # what lies outside the rounded corner


FULL = FrameColours(
    title=[(8, 49, 217), (90, 156, 255), (61, 139, 255), (37, 120, 250)]
    + gradient((18, 105, 246), (0, 84, 227), 23)
    + [(0, 78, 218), (0, 72, 210), (0, 61, 190)],
    outline=(0, 40, 160),
    border=[(0, 40, 160), (22, 103, 245), (0, 84, 227), (0, 61, 190)],
    outside=(224, 224, 224),
)

NAVY, BLUE, SILVER, GREY = (0, 0, 128), (0, 0, 255), (192, 192, 192), (128, 128, 128)
SKY = (166, 202, 240)

C256 = FrameColours(
    title=[NAVY, SKY, BLUE, BLUE] + [NAVY] * 25 + [BLACK],
    outline=NAVY,
    border=[NAVY, BLUE, BLUE, NAVY],
    outside=SILVER,
)


def title_strip(c):
    return [[c.title[y]] for y in range(30)]


def title_left(c):
    px = [[c.title[y]] * 10 for y in range(30)]
    for y in range(30):
        cut = CORNER_CUT[y] if y < len(CORNER_CUT) else 0
        fill(px, 0, y, cut, y + 1, c.outside)
        px[y][cut] = c.outline  # the rounded edge
        if y >= 1 and cut + 1 < 10:
            px[y][cut + 1] = lerp(c.title[y], WHITE, 0.25)  # a thin light rim inside it
    px[0] = [c.outside] * 5 + [c.outline] * 5
    return px


def title_right(c):
    return mirror(title_left(c))


def border_left(c):
    return [list(c.border)]


def border_right(c):
    return [list(reversed(c.border))]


def border_bottom(c):
    return [[colour] for colour in reversed(c.border)]


def corner_bottom_left(c):
    # Distance from the outer edge: the smaller of the distances to the left and bottom edges.
    return [[c.border[min(x, 3 - y)] for x in range(4)] for y in range(4)]


def corner_bottom_right(c):
    return mirror(corner_bottom_left(c))


# --- caption buttons -------------------------------------------------------------------------
# Drawn on the title bar 4 pixels below its top (the layout centres 21 pixels in 30 and the half
# pixel is cut), so the corner pixels that round the button take the title colour behind them.


def button_base(c, w, h, face_top, face_bottom, rim):
    px = canvas(w, h, rim)
    faces = gradient(face_top, face_bottom, h - 2)
    for y in range(1, h - 1):
        for x in range(1, w - 1):
            px[y][x] = faces[y - 1]
    for (x, y) in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
        px[y][x] = c.title[y + 4]
    return px


def draw_cross(px, x0, y0, size, colour):
    """Two diagonal strokes, 2 pixels thick, in a size x size square."""
    for i in range(size):
        for d in (0, 1):
            for (x, y) in ((x0 + i + d, y0 + i), (x0 + size - 1 - i - d, y0 + i)):
                if 0 <= y < len(px) and 0 <= x < len(px[0]):
                    px[y][x] = colour


def close_button(c, face_top, face_bottom, shift=0, width=21, shade=None):
    px = button_base(c, width, 21, face_top, face_bottom, WHITE)
    if shade is not None:  # pressed: the face sinks, a shadow along the top and left inside
        fill(px, 1, 1, width - 1, 2, shade)
        fill(px, 1, 1, 2, 20, shade)
    draw_cross(px, 5 + shift, 5 + shift, 11, WHITE)
    return px


def maximize_button(c, face_top, face_bottom):
    px = button_base(c, 21, 21, face_top, face_bottom, WHITE)
    fill(px, 5, 5, 16, 8, WHITE)  # the window's title bar
    fill(px, 5, 8, 6, 16, WHITE)
    fill(px, 15, 8, 16, 16, WHITE)
    fill(px, 5, 15, 16, 16, WHITE)
    return px


def minimize_button(c, face_top, face_bottom):
    px = button_base(c, 21, 21, face_top, face_bottom, WHITE)
    fill(px, 5, 13, 12, 16, WHITE)
    return px


# --- the small button's skin -----------------------------------------------------------------
# 90 x 21: five cells of 18 x 21, numbered 0 to 4 from the left.

SKIN_BORDER = (0, 60, 116)
SKIN_CORNER = (221, 215, 197)
SKIN_BESIDE = (101, 134, 159)  # next to the corner pixel in its row
SKIN_BELOW = (34, 85, 131)  # next to the corner pixel in its column


def two_part(top, mid, bottom, n):
    half = (n - 1) / 2
    return [lerp(top, mid, i / half) if i <= half else lerp(mid, bottom, (i - half) / half)
            for i in range(n)]


def skin_cell(k):
    w, h = 18, 21
    border = (201, 199, 186) if k == 2 else SKIN_BORDER
    px = canvas(w, h, border)
    inner_h = h - 2
    if k == 1:
        faces = two_part((209, 204, 193), (226, 225, 218), (242, 241, 238), inner_h)
    elif k == 2:
        faces = [(245, 244, 234)] * inner_h
    else:
        faces = two_part(WHITE, (243, 243, 239), (214, 208, 197), inner_h)
    for y in range(1, h - 1):
        fill(px, 1, y, w - 1, y + 1, faces[y - 1])
    frames = {
        3: ((255, 240, 207), (253, 216, 137), (252, 202, 105), (248, 179, 48), (229, 151, 0)),
        4: ((206, 231, 255), (188, 212, 246), (160, 190, 236), (137, 173, 228), (105, 130, 238)),
    }
    if k in frames:
        top1, top2, side, bottom1, bottom2 = frames[k]
        fill(px, 1, 1, w - 1, 2, top1)
        fill(px, 1, 2, w - 1, 3, top2)
        fill(px, 1, 3, 3, h - 3, side)
        fill(px, w - 3, 3, w - 1, h - 3, side)
        fill(px, 1, h - 3, w - 1, h - 2, bottom1)
        fill(px, 1, h - 2, w - 1, h - 1, bottom2)
    for (cx, cy, dx, dy) in ((0, 0, 1, 1), (w - 1, 0, -1, 1), (0, h - 1, 1, -1),
                             (w - 1, h - 1, -1, -1)):
        if k == 2:
            px[cy][cx] = px[cy][cx + dx] = px[cy + dy][cx] = WHITE
        else:
            px[cy][cx] = SKIN_CORNER
            px[cy][cx + dx] = SKIN_BESIDE
            px[cy + dy][cx] = SKIN_BELOW
        px[cy + dy][cx + dx] = border  # rounds the corner inwards
    return px


def skin():
    cells = [skin_cell(k) for k in range(5)]
    return [sum((cells[k][y] for k in range(5)), []) for y in range(21)]


# --- the main window's big buttons: 32 x 32 on the buttons' mask colour ------------------------

MASK = (192, 192, 192)


def icon_movie():
    px = canvas(32, 32, MASK)
    fill(px, 6, 1, 26, 31, (24, 24, 24))  # the strip
    for y in range(3, 30, 5):  # sprocket holes on both sides
        fill(px, 8, y, 11, y + 3, (250, 250, 250))
        fill(px, 21, y, 24, y + 3, (250, 250, 250))
    for i, y in enumerate((3, 12, 21)):  # three frames
        top, bottom = ((110, 170, 235), (40, 90, 170)) if i != 1 else ((255, 200, 90), (220, 110, 30))
        for j, colour in enumerate(gradient(top, bottom, 7)):
            fill(px, 12, y + j, 20, y + j + 1, colour)
    return px


def icon_monitor():
    px = canvas(32, 32, MASK)
    fill(px, 2, 3, 30, 23, (60, 60, 64))  # the bezel
    for j, colour in enumerate(gradient((150, 205, 255), (20, 90, 200), 16)):
        fill(px, 4, 5 + j, 28, 6 + j, colour)
    fill(px, 5, 6, 12, 7, (230, 245, 255))  # a glint on the glass
    fill(px, 5, 6, 6, 10, (230, 245, 255))
    fill(px, 13, 23, 19, 26, (100, 100, 104))  # neck
    fill(px, 8, 26, 24, 29, (80, 80, 84))  # foot
    fill(px, 8, 26, 24, 27, (130, 130, 134))
    fill(px, 25, 20, 27, 21, (90, 230, 90))  # power light
    return px


def icon_settings():
    px = canvas(32, 32, MASK)
    fill(px, 3, 4, 29, 28, (60, 60, 64))  # a panel
    fill(px, 4, 5, 28, 27, (236, 236, 228))
    knobs = ((8, (0, 90, 200)), (18, (220, 110, 30)), (12, (0, 150, 60)))
    for (y, (x, colour)) in zip((9, 16, 23), knobs):
        fill(px, 7, y, 25, y + 2, (90, 90, 96))  # slider track
        fill(px, x, y - 3, x + 4, y + 5, colour)  # knob
        fill(px, x, y - 3, x + 4, y - 2, (250, 250, 250))
    return px


def icon_tray():
    px = canvas(32, 32, MASK)
    # The tray: an open box seen from the front.
    fill(px, 3, 19, 29, 29, (60, 60, 64))
    fill(px, 5, 19, 27, 27, (200, 215, 235))
    fill(px, 9, 19, 23, 22, (60, 60, 64))
    fill(px, 10, 19, 22, 21, (240, 240, 236))
    # The arrow into it.
    fill(px, 13, 2, 19, 13, (0, 150, 40))
    for i in range(7):
        fill(px, 9 + i, 13 + i, 23 - i, 14 + i, (0, 150, 40))
    fill(px, 14, 3, 15, 13, (120, 220, 130))
    return px


# --- the program's icon: a small tilted computer monitor -----------------------------------------
# One .ico: 16 x 16 in the 16 standard colours (the notification-area icon at 100%), 32 x 32 in
# true colour with an alpha channel (the about window's picture, the program's icon), and the
# sizes other screen scales ask for (20, 24, 40, 48 and 64 in true colour: the notification
# area at 125% to 200%, the about window's picture at 125%, 150% and 200%), each drawn at its
# own size from the same shapes rather than scaled from another image.
# Shapes are quadrilaterals in a 32 x 32 space, corners clockwise.

ICON_BEZEL = ((4.5, 4.5), (27.5, 2.0), (28.5, 20.5), (5.5, 23.5))
ICON_SCREEN = ((7.5, 7.0), (25.0, 5.0), (25.8, 17.8), (8.3, 20.3))
ICON_NECK = ((13.5, 22.5), (19.5, 21.8), (20.2, 25.5), (14.0, 26.0))
ICON_FOOT = ((8.5, 25.8), (24.5, 24.6), (25.5, 28.6), (8.0, 29.8))

VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def _inside(quad, x, y):
    """Whether (x, y) lies inside a convex quadrilateral given clockwise (y down)."""
    for i in range(4):
        (x0, y0), (x1, y1) = quad[i], quad[(i + 1) % 4]
        if (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0) < 0:
            return False
    return True


def _monitor_colour(x, y):
    """The colour of the drawing at point (x, y) of the 32 x 32 space, or None outside it."""
    if _inside(ICON_SCREEN, x, y):
        # Light cyan glass, whiter towards the top left, with a white glint.
        t = min(max((x - 7.5) / 18.0 * 0.4 + (y - 5.0) / 15.0 * 0.6, 0.0), 1.0)
        if (x - 11) + (y - 9) < 5 and (x - 9) + (y - 7) > 0:
            return WHITE
        return lerp((225, 255, 255), (64, 200, 230), t)
    if _inside(ICON_BEZEL, x, y):
        return lerp((150, 150, 156), (88, 88, 96), (y - 2.0) / 22.0)
    if _inside(ICON_NECK, x, y):
        return (160, 160, 164)
    if _inside(ICON_FOOT, x, y):
        return lerp((190, 190, 194), (120, 120, 126), (y - 24.6) / 5.0)
    return None


ICON_TRUE_COLOUR_SIZES = (32, 20, 24, 40, 48, 64)


def icon_image_rgba(size):
    """size x size RGBA, four samples a pixel for soft edges."""
    k = 32.0 / size
    px = []
    for y in range(size):
        row = []
        for x in range(size):
            samples = [_monitor_colour((x + dx) * k, (y + dy) * k)
                       for dx in (0.25, 0.75) for dy in (0.25, 0.75)]
            inked = [c for c in samples if c is not None]
            if not inked:
                row.append((0, 0, 0, 0))
                continue
            r, g, b = (round(sum(c[i] for c in inked) / len(inked)) for i in range(3))
            row.append((r, g, b, round(255 * len(inked) / 4)))
        px.append(row)
    return px


def _nearest_vga(c):
    return min(range(16), key=lambda i: sum((c[k] - VGA16[i][k]) ** 2 for k in range(3)))


def icon_image_16():
    """16 x 16 in the 16 standard colours; None where transparent."""
    px = []
    for y in range(16):
        row = []
        for x in range(16):
            cx, cy = 2 * x + 1.0, 2 * y + 1.0
            if _inside(ICON_SCREEN, cx, cy):
                # Cyan glass with a white glint in its upper left.
                row.append(15 if (x, y) in ((5, 4), (6, 4), (5, 5), (4, 5), (7, 4)) else 14)
            elif _inside(ICON_BEZEL, cx, cy):
                row.append(8)
            elif _inside(ICON_NECK, cx, cy) or _inside(ICON_FOOT, cx, cy):
                row.append(7)
            else:
                row.append(None)
        px.append(row)
    # A black outline round the drawing, so that it reads on light and dark task bars alike.
    out = [row[:] for row in px]
    for y in range(16):
        for x in range(16):
            if px[y][x] is not None:
                continue
            near = [px[j][i] for (i, j) in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1))
                    if 0 <= i < 16 and 0 <= j < 16]
            if any(n is not None for n in near):
                out[y][x] = 0
    return out


def _and_mask(w, h, transparent):
    stride = ((w + 31) // 32) * 4
    rows = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if transparent(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        rows += row
    return rows


def _ico_image_4bpp(px):
    w, h = len(px[0]), len(px)
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 4, 0, 0, 0, 0, 16, 0)
    table = bytearray()
    for (r, g, b) in VGA16:
        table += bytes((b, g, r, 0))
    stride = ((w * 4 + 31) // 32) * 4
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            v = px[y][x] if px[y][x] is not None else 0
            row[x // 2] |= v << (4 if x % 2 == 0 else 0)
        xor += row
    return header + table + xor + _and_mask(w, h, lambda x, y: px[y][x] is None)


def _ico_image_32bpp(px):
    w, h = len(px[0]), len(px)
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for (r, g, b, a) in px[y]:
            xor += bytes((b, g, r, a))
    return header + xor + _and_mask(w, h, lambda x, y: px[y][x][3] == 0)


def _ico_image_png(px):
    """An icon image as a PNG (RGBA, 8 bits a sample), which Windows reads since Vista. Windows
    draws a 32-bit image by its alpha channel alone, so the AND mask the bitmap entries carry
    adds nothing here, and the file is a tenth of the bitmap entry's size."""
    w, h = len(px[0]), len(px)
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in px)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data)))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_ico(path, images):
    """images: (width, height, colour count, bits per pixel, image bytes)."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (w, h, colours, bits, data) in images:
        out += struct.pack("<BBBBHHII", w, h, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    for image in images:
        out += image[4]
    with open(path, "wb") as f:
        f.write(out)


# The sizes stored as PNG. Windows XP reads only bitmap entries, and nothing of XP asks for
# 64 x 64 but the about window's picture at 200%, which then takes the 48 x 48 one
# (LoadProgramIcon in app/win32/resource_pictures.cpp). The smaller sizes stay bitmaps: XP
# asks for 48 x 48 (its Tiles view) and 40 x 40 (125%).
ICON_PNG_SIZES = {64}


def program_icon():
    return [(16, 16, 16, 4, _ico_image_4bpp(icon_image_16()))] + [
        (n, n, 0, 32, (_ico_image_png if n in ICON_PNG_SIZES else _ico_image_32bpp)(
            icon_image_rgba(n))) for n in ICON_TRUE_COLOUR_SIZES]


# --- the sets ----------------------------------------------------------------------------------

XP_CLOSE = ((227, 92, 59), (198, 60, 24))
XP_CLOSE_HOT = ((255, 131, 99), (232, 96, 60))
XP_CLOSE_DOWN = ((184, 54, 20), (155, 38, 6))
XP_BLUE_BUTTON = ((70, 130, 245), (30, 85, 220))


def pictures():
    out = {}
    for prefix, c in (("frame", FULL), ("frame256", C256)):
        out[f"{prefix}_title_left.bmp"] = title_left(c)
        out[f"{prefix}_title.bmp"] = title_strip(c)
        out[f"{prefix}_title_right.bmp"] = title_right(c)
        out[f"{prefix}_left.bmp"] = border_left(c)
        out[f"{prefix}_right.bmp"] = border_right(c)
        out[f"{prefix}_bottom.bmp"] = border_bottom(c)
        out[f"{prefix}_bottom_left.bmp"] = corner_bottom_left(c)
        out[f"{prefix}_bottom_right.bmp"] = corner_bottom_right(c)
    out["close_normal.bmp"] = close_button(FULL, *XP_CLOSE)
    out["close_hot.bmp"] = close_button(FULL, *XP_CLOSE_HOT)
    out["close_pressed.bmp"] = close_button(FULL, *XP_CLOSE_DOWN, shift=1)
    out["maximize.bmp"] = maximize_button(FULL, *XP_BLUE_BUTTON)
    out["minimize.bmp"] = minimize_button(FULL, *XP_BLUE_BUTTON)
    out["close256_normal.bmp"] = close_button(C256, (128, 0, 0), (128, 0, 0))
    out["close256_hot.bmp"] = close_button(C256, (255, 0, 0), (255, 0, 0))
    out["close256_pressed.bmp"] = close_button(C256, (128, 0, 0), (128, 0, 0), shift=1, width=22,
                                               shade=GREY)
    out["maximize256.bmp"] = maximize_button(C256, BLUE, BLUE)
    out["minimize256.bmp"] = minimize_button(C256, BLUE, BLUE)
    out["xpcmdbutton_skin.bmp"] = skin()
    out["btn_movie.bmp"] = icon_movie()
    out["btn_monitor.bmp"] = icon_monitor()
    out["btn_settings.bmp"] = icon_settings()
    out["btn_tray.bmp"] = icon_tray()
    return out


# The files with 8 bits per pixel; all others have 24.
EIGHT_BIT = {"maximize.bmp", "minimize.bmp", "xpcmdbutton_skin.bmp"}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources",
                                                                "pictures")
    os.makedirs(folder, exist_ok=True)
    for name, px in sorted(pictures().items()):
        path = os.path.join(folder, name)
        if name in EIGHT_BIT or "256" in name:
            write_bmp8(path, px)
        else:
            write_bmp24(path, px)
        print(f"{name}: {len(px[0])} x {len(px)}")
    write_ico(os.path.join(folder, "dravik.ico"), program_icon())
    print("dravik.ico: 16 x 16 in 16 colours; in true colour "
          + ", ".join(f"{n} x {n}" for n in ICON_TRUE_COLOUR_SIZES))


if __name__ == "__main__":
    main()
