"""Draws the editor's four pictures as 24-bit BMPs, and on request PNG previews of them."""

import argparse
import os

import cairo

import about
import bmp24
import knob
import lamp
import layout
import panel

# name, drawing function, whether the header's image-size field is filled in
PICTURES = (
    ("about", about.about_picture, True),
    ("switch", lamp.switch_picture, True),
    ("knob", knob.knob_strip, True),
    ("background", panel.background_picture, False),
)

PREVIEW_KNOB_VALUES = {1: 0.75, 0: 0.4, 2: 0.0, 17: 0.5, 16: 0.3, 3: 1.0,
                       4: 0.5, 8: 0.9, 12: 0.7, 5: 0.25, 9: 0.8, 13: 0.55,
                       6: 0.62, 10: 0.85, 14: 0.4, 7: 0.33, 11: 0.7, 15: 0.2}


def paste(ctx, source, x, y, source_x, source_y, width, height):
    ctx.set_source_surface(source, x - source_x, y - source_y)
    ctx.rectangle(x, y, width, height)
    ctx.fill()


def editor_preview(pictures, lamp_lit):
    """The panel as the editor composes it: knobs and lamp copied plainly onto the background."""
    surface = cairo.ImageSurface(cairo.FORMAT_RGB24, layout.WIDTH, layout.HEIGHT)
    ctx = cairo.Context(surface)
    paste(ctx, pictures["background"], 0, 0, 0, 0, layout.WIDTH, layout.HEIGHT)
    for tag, (x, y, _) in layout.KNOBS.items():
        frame = int(PREVIEW_KNOB_VALUES[tag] * (knob.FRAMES - 1))
        paste(ctx, pictures["knob"], x, y, 0, frame * knob.SIZE, knob.SIZE, knob.SIZE)
    left, top = layout.SWITCH[:2]
    paste(ctx, pictures["switch"], left, top, 0, lamp.SIZE if lamp_lit else 0, lamp.SIZE, lamp.SIZE)
    return surface


def enlarged(surface, factor):
    out = cairo.ImageSurface(cairo.FORMAT_RGB24, surface.get_width() * factor,
                             surface.get_height() * factor)
    ctx = cairo.Context(out)
    ctx.scale(factor, factor)
    ctx.set_source_surface(surface)
    ctx.get_source().set_filter(cairo.FILTER_NEAREST)
    ctx.paint()
    return out


def write_previews(pictures, directory):
    os.makedirs(directory, exist_ok=True)
    for name, surface in pictures.items():
        surface.write_to_png(os.path.join(directory, name + ".png"))
    for lit in (False, True):
        composed = editor_preview(pictures, lit)
        suffix = "lit" if lit else "unlit"
        composed.write_to_png(os.path.join(directory, "editor-" + suffix + ".png"))
        enlarged(composed, 3).write_to_png(os.path.join(directory, "editor-" + suffix + "-3x.png"))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--bmp-dir", help="folder to write about/switch/knob/background.bmp into")
    parser.add_argument("--preview-dir", help="folder for PNG previews and the composed editor")
    args = parser.parse_args()
    pictures = {name: draw() for name, draw, _ in PICTURES}
    if args.bmp_dir:
        for name, _, store_size in PICTURES:
            bmp24.write_bmp(os.path.join(args.bmp_dir, name + ".bmp"), pictures[name], store_size)
    if args.preview_dir:
        write_previews(pictures, args.preview_dir)


if __name__ == "__main__":
    main()
