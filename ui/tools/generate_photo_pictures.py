#!/usr/bin/env python3
"""Draws the photo browser's pictures into resources/ (our own artwork).

  python3 ui/tools/generate_photo_pictures.py

Every picture is written at double scale ("name@2x.png"), the size in points times 2:
- Logo_Big: the mark a page shows when its picture failed to load (82 x 30 points), a grey
  rounded plate with a broken-picture sign;
- News_Details_Btn_Save and News_Details_Btn_Save_black: the gallery's save button (40 x 40),
  a downward arrow into a tray, dark by day, pale at night;
- pingtu_xiazai_baitian and pingtu_xiazai_heiye: the news set's save button in the blue top
  bar (40 x 40), the same arrow in white by day and grey at night;
- News_Details_Btn_Comment and News_Details_Btn_Comment_black: the comment button (40 x 40),
  a speech bubble outline the comment count sits in.

Uses the drawing helpers of generate_pictures.py. The output is deterministic.
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from generate_pictures import ROOT, render  # noqa: E402


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def save_arrow(name, colour):
    strokes = [(20, 9, 20, 24), (14, 18, 20, 24), (26, 18, 20, 24),
               (11, 25, 11, 30), (11, 30, 29, 30), (29, 30, 29, 25)]

    def shade(x, y):
        d = min(segment_distance(x, y, *s) for s in strokes)
        return (*colour, 1.0 if d <= 1.3 else 0.0)

    render(name, 40, 40, shade)


def comment_bubble(name, colour):
    def shade(x, y):
        # A rounded box from (6, 9) to (34, 27) with a tail at the lower left.
        inside = 6 <= x <= 34 and 9 <= y <= 27
        edge = inside and (x < 7.5 or x > 32.5 or y < 10.5 or y > 25.5)
        tail = segment_distance(x, y, 11, 27, 9, 33) <= 1.2 or segment_distance(x, y, 9, 33, 17, 27) <= 1.2
        return (*colour, 1.0 if edge or tail else 0.0)

    render(name, 40, 40, shade)


def failure_logo():
    grey = (170, 170, 170)

    def shade(x, y):
        # A plate with a picture frame and a crack through it.
        plate = 1 <= x <= 81 and 1 <= y <= 29
        frame = 30 <= x <= 52 and 6 <= y <= 24 and (x < 31.5 or x > 50.5 or y < 7.5 or y > 22.5)
        crack = segment_distance(x, y, 44, 6, 38, 15) <= 1.0 or segment_distance(x, y, 38, 15, 43, 24) <= 1.0
        if frame or crack:
            return (*grey, 1.0)
        return (236, 236, 236, 1.0 if plate else 0.0)

    render("Logo_Big", 82, 30, shade)


def main():
    os.makedirs(ROOT, exist_ok=True)
    failure_logo()
    save_arrow("News_Details_Btn_Save", (69, 69, 69))
    save_arrow("News_Details_Btn_Save_black", (165, 175, 187))
    save_arrow("pingtu_xiazai_baitian", (250, 250, 250))
    save_arrow("pingtu_xiazai_heiye", (209, 216, 220))
    comment_bubble("News_Details_Btn_Comment", (250, 250, 250))
    comment_bubble("News_Details_Btn_Comment_black", (209, 216, 220))


if __name__ == "__main__":
    main()
