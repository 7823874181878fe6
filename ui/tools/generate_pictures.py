#!/usr/bin/env python3
"""Writes the face tables and draws the pictures of the shared view components into
resources/ (our own artwork).

  python3 ui/tools/generate_pictures.py

Every picture is written at double scale ("name@2x.png"), the size in points times 2:
- Other_Btn_Fresh: the reload picture of the reload placeholders (70 x 70 points), a grey
  circular arrow;
- Exp_Delete: the delete key of the face pickers (38 x 28 points), a key cap with a cross;
- Expression_1 ... Expression_41: the faces (30 x 30 points), a round face whose eyes, mouth
  and tint vary with the face;
- the notice dialog's artwork by theme: AlertDialogBackground, AlertDialogButtonBackground,
  AlertDialogButtonBackground_Highlighted and AlertDialogMessageListViewShadow, each also
  with the suffix "_black" for the night theme.

The face tables: "expression.plist", the faces in display order, each with its picture
("name"), the text a writer sees ("show", always "[...]") and the code sent to the portal
("id"); and "expressionImage.plist", each code the forum's texts carry mapped to its picture.

Only the standard library is used (zlib for the PNG data). The output is deterministic.
"""
import math
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources")
SCALE = 2
SAMPLES = 3  # supersampling per axis for smooth edges


def write_png(path, width, height, pixels):
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            raw.extend(pixels[y * width + x])

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    data = b"\x89PNG\r\n\x1a\n"
    data += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    data += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def render(name, width_pt, height_pt, shade):
    """shade(x, y) -> (r, g, b, a) with a in 0..1, x and y in points; supersampled."""
    w, h = width_pt * SCALE, height_pt * SCALE
    pixels = []
    for py in range(h):
        for px in range(w):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / SCALE
                    y = (py + (sy + 0.5) / SAMPLES) / SCALE
                    r, g, b, a = shade(x, y)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if alpha > 0:
                colour = [min(255, round(acc[i] / acc[3])) for i in range(3)]
            else:
                colour = [0, 0, 0]
            pixels.append(bytes(colour + [min(255, round(alpha * 255))]))
    write_png(os.path.join(ROOT, name + "@2x.png"), w, h, pixels)


def rounded_rect_inside(x, y, w, h, r):
    cx = min(max(x, r), w - r)
    cy = min(max(y, r), h - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and 0 <= x <= w and 0 <= y <= h


def reload_picture():
    def shade(x, y):
        dx, dy = x - 35, y - 35
        d = math.hypot(dx, dy)
        angle = math.degrees(math.atan2(dy, dx)) % 360
        grey = (170, 170, 170)
        if 17 <= d <= 23 and not (300 <= angle <= 350):
            return grey + (1.0,)
        # the arrow head at the gap's start
        hx, hy = 35 + 20 * math.cos(math.radians(300)), 35 + 20 * math.sin(math.radians(300))
        tx, ty = x - hx, y - hy
        if -9 <= tx <= 3 and abs(ty + tx * 0.2) <= (3 - tx) * 0.75 and ty <= 8:
            return grey + (1.0,)
        return (0, 0, 0, 0.0)

    render("Other_Btn_Fresh", 70, 70, shade)


def delete_key():
    def shade(x, y):
        if not rounded_rect_inside(x - 1, y - 1, 36, 26, 5):
            return (0, 0, 0, 0.0)
        cx, cy = x - 19, y - 14
        if abs(abs(cx) - abs(cy)) <= 1.2 and abs(cx) <= 6:
            return (90, 94, 101, 1.0)
        return (250, 250, 250, 1.0) if rounded_rect_inside(x - 2, y - 2, 34, 24, 4) else (180, 180, 180, 1.0)

    render("Exp_Delete", 38, 28, shade)


FACE_TINTS = [(255, 214, 64), (255, 190, 60), (250, 200, 90), (255, 226, 110)]


def face(index):
    tint = FACE_TINTS[index % len(FACE_TINTS)]
    mouth = index % 5  # 0 smile, 1 grin, 2 flat, 3 frown, 4 open
    eyes = (index // 5) % 3  # 0 dots, 1 lines, 2 big

    def shade(x, y):
        dx, dy = x - 15, y - 15
        d = math.hypot(dx, dy)
        if d > 13.5:
            return (0, 0, 0, 0.0)
        if d > 12.5:
            return (200, 140, 30, 1.0)
        for ex in (-4.5, 4.5):
            ux, uy = dx - ex, dy + 3
            if eyes == 0 and math.hypot(ux, uy) <= 1.6:
                return (70, 45, 20, 1.0)
            if eyes == 1 and abs(uy) <= 0.7 and abs(ux) <= 2.2:
                return (70, 45, 20, 1.0)
            if eyes == 2 and math.hypot(ux, uy) <= 2.4:
                return (255, 255, 255, 1.0) if math.hypot(ux, uy) > 1.2 else (40, 30, 20, 1.0)
        my = dy - 5
        if mouth == 0 and abs(math.hypot(dx, dy + 1) - 7) <= 0.8 and dy > 2:
            return (120, 50, 20, 1.0)
        if mouth == 1 and abs(dx) <= 5.5 and 0 <= my <= 3 - (dx / 5.5) ** 2 * 3:
            return (150, 40, 40, 1.0)
        if mouth == 2 and abs(dx) <= 4.5 and abs(my) <= 0.7:
            return (120, 50, 20, 1.0)
        if mouth == 3 and abs(math.hypot(dx, dy - 13) - 7) <= 0.8 and dy < 8.5 and abs(dx) < 5:
            return (120, 50, 20, 1.0)
        if mouth == 4 and math.hypot(dx, my) <= 2.5:
            return (150, 40, 40, 1.0)
        if index % 7 == 3 and math.hypot(dx + 7, dy - 3) <= 2:  # blush on some faces
            return (250, 150, 140, 1.0)
        return tint + (1.0,)

    render("Expression_%d" % (index + 1), 30, 30, shade)


def dialog_artwork():
    themes = {"": {"box": (250, 250, 250), "edge": (200, 202, 206), "button": (244, 244, 244),
                   "pressed": (222, 224, 228), "shadow": (250, 250, 250)},
              "_black": {"box": (49, 50, 55), "edge": (27, 29, 30), "button": (56, 58, 64),
                         "pressed": (40, 42, 47), "shadow": (49, 50, 55)}}
    for suffix, c in themes.items():
        def background(x, y, c=c):
            if not rounded_rect_inside(x, y, 32, 62, 8):
                return (0, 0, 0, 0.0)
            return c["box"] + (1.0,) if rounded_rect_inside(x - 1, y - 1, 30, 60, 7) else c["edge"] + (1.0,)

        def button(colour, c=c):
            def shade(x, y):
                if y < 1:
                    return c["edge"] + (1.0,)
                return colour + (1.0,)
            return shade

        def shadow(x, y, c=c):
            # fades in towards the top and bottom edges
            edge = min(y, 15 - y)
            return c["shadow"] + (max(0.0, 1 - edge / 7.0),)

        render("AlertDialogBackground" + suffix, 32, 62, background)
        render("AlertDialogButtonBackground" + suffix, 20, 20, button(c["button"]))
        render("AlertDialogButtonBackground_Highlighted" + suffix, 20, 20, button(c["pressed"]))
        render("AlertDialogMessageListViewShadow" + suffix, 13, 15, shadow)


# (show text, code sent to the portal), in display order: the forum's codes.
FACES = [
    ("[强]", "[强]"), ("[爱心]", "[爱心]"), ("[大哭]", "[大哭]"), ("[得意]", "[得意]"),
    ("[调皮]", "[调皮]"), ("[愤怒]", "[愤怒]"), ("[尴尬]", "[尴尬]"), ("[坏笑]", "[坏笑]"),
    ("[惊恐]", "[惊恐]"), ("[可怜]", "[可怜]"), ("[玫瑰]", "[玫瑰]"), ("[衰]", "[衰]"),
    ("[偷笑]", "[偷笑]"), ("[微笑]", "[微笑]"), ("[委屈]", "[委屈]"), ("[握手]", "[握手]"),
    ("[心碎]", "[心碎]"), ("[右哼哼]", "[右哼哼]"), ("[晕]", "[晕]"), ("[咒骂]", "[咒骂]"),
    ("[开心]", ":)"), ("[赞]", ":zan:"), ("[难过]", ":("), ("[大笑]", ":lol:"),
    ("[纠结]", ":S"), ("[酷]", ":cool:"), ("[抓狂]", ":mad:"), ("[惊讶]", ":o"),
    ("[吐舌]", ":P"), ("[呲牙]", ":D"), ("[发怒]", ":@"), ("[害羞]", ":$:"),
    ("[流泪]", ":cry:"), ("[汗]", ":H:"), ("[鄙视]", ":B:"), ("[疑问]", ":R:"),
    ("[再见]", ":C:"), ("[闭嘴]", "[-("), ("[可爱]", ":loveliness:"), ("[害怕]", ":funk:"),
    ("[合作]", ":handshake:"),
]


def xml_text(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def write_plist(name, body):
    with open(os.path.join(ROOT, name), "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" '
                '"http://www.apple.com/DTDs/PropertyList-1.0.dtd">\n'
                '<plist version="1.0">\n' + body + '</plist>\n')


def face_tables():
    entries = ""
    pictures = ""
    for i, (show, code) in enumerate(FACES):
        picture = "Expression_%d" % (i + 1)
        entries += ("\t<dict>\n\t\t<key>id</key>\n\t\t<string>%s</string>\n"
                    "\t\t<key>name</key>\n\t\t<string>%s</string>\n"
                    "\t\t<key>show</key>\n\t\t<string>%s</string>\n\t</dict>\n"
                    % (xml_text(code), picture, xml_text(show)))
        pictures += "\t<key>%s</key>\n\t<string>%s</string>\n" % (xml_text(code), picture)
    write_plist("expression.plist", "<array>\n" + entries + "</array>\n")
    write_plist("expressionImage.plist", "<dict>\n" + pictures + "</dict>\n")


def main():
    os.makedirs(ROOT, exist_ok=True)
    face_tables()
    reload_picture()
    delete_key()
    for i in range(41):
        face(i)
    dialog_artwork()


if __name__ == "__main__":
    main()
