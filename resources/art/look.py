"""Colours, fonts and text helpers shared by every picture, so they look like one product."""

import cairo


def rgb(hex_colour):
    value = int(hex_colour.lstrip("#"), 16)
    return ((value >> 16) & 255) / 255.0, ((value >> 8) & 255) / 255.0, (value & 255) / 255.0


# Knobs and the lamp are drawn opaque on this exact colour, so every place they sit
# on the panel must be painted with it and nothing else.
PANEL = rgb("#23272c")
PANEL_LIGHT = rgb("#2e333a")
PANEL_DARK = rgb("#181b1f")
RULE = rgb("#4b525c")
LABEL = rgb("#ddd6c8")
ACCENT = rgb("#eaa23c")
ACCENT_DIM = rgb("#8a6630")
TRACK = rgb("#121417")
POINTER = rgb("#fbf4e6")
WOOD_LIGHT = rgb("#8a5a32")
WOOD_DARK = rgb("#4e2f18")

LABEL_FONT = "Roboto Condensed"
TITLE_FONT = "Roboto Condensed"
LOGO_FONT = "Comfortaa"


def new_surface(width, height, colour=PANEL):
    surface = cairo.ImageSurface(cairo.FORMAT_RGB24, width, height)
    ctx = cairo.Context(surface)
    ctx.set_source_rgb(*colour)
    ctx.paint()
    return surface, ctx


def set_font(ctx, family, size, bold=True):
    ctx.select_font_face(family, cairo.FONT_SLANT_NORMAL,
                         cairo.FONT_WEIGHT_BOLD if bold else cairo.FONT_WEIGHT_NORMAL)
    ctx.set_font_size(size)
    options = cairo.FontOptions()
    options.set_antialias(cairo.ANTIALIAS_GRAY)
    options.set_hint_style(cairo.HINT_STYLE_SLIGHT)
    options.set_hint_metrics(cairo.HINT_METRICS_ON)
    ctx.set_font_options(options)


def spaced_width(ctx, text, spacing):
    return sum(ctx.text_extents(ch).x_advance for ch in text) + spacing * (len(text) - 1)


def show_spaced(ctx, text, x, baseline, spacing):
    # Whole-pixel glyph origins keep hinted small capitals evenly spaced.
    for ch in text:
        ctx.move_to(round(x), baseline)
        ctx.show_text(ch)
        x += ctx.text_extents(ch).x_advance + spacing
    return x


def centred_text(ctx, text, centre_x, baseline, colour, spacing=0.0):
    """Draws text centred on centre_x, snapped to whole pixels so small capitals stay crisp."""
    width = spaced_width(ctx, text, spacing)
    ctx.set_source_rgb(*colour)
    show_spaced(ctx, text, round(centre_x - width / 2.0), baseline, spacing)
    return width


def left_text(ctx, text, x, baseline, colour, spacing=0.0):
    ctx.set_source_rgb(*colour)
    return show_spaced(ctx, text, x, baseline, spacing)
