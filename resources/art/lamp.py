"""The on/off switch: a 16 x 16 panel lamp, unlit above (value 0) and lit red below (value 1)."""

import math

import cairo

import look

SIZE = 16
CENTRE = SIZE / 2.0
BEZEL_RADIUS = 6.8
LENS_RADIUS = 4.8


def draw_bezel(ctx):
    ctx.arc(CENTRE + 0.3, CENTRE + 0.5, BEZEL_RADIUS - 0.3, 0, 2 * math.pi)
    ctx.set_source_rgba(0, 0, 0, 0.5)
    ctx.fill()
    ring = cairo.LinearGradient(CENTRE - 5, CENTRE - 7, CENTRE + 5, CENTRE + 7)
    ring.add_color_stop_rgb(0.0, *look.rgb("#9aa0a8"))
    ring.add_color_stop_rgb(1.0, *look.rgb("#2a2e33"))
    ctx.arc(CENTRE, CENTRE, BEZEL_RADIUS, 0, 2 * math.pi)
    ctx.set_source(ring)
    ctx.fill()
    ctx.arc(CENTRE, CENTRE, LENS_RADIUS + 0.9, 0, 2 * math.pi)
    ctx.set_source_rgb(*look.rgb("#0e0f11"))
    ctx.fill()


def draw_lens(ctx, centre_colour, edge_colour):
    lens = cairo.RadialGradient(CENTRE - 1.0, CENTRE - 1.2, 0.5, CENTRE, CENTRE, LENS_RADIUS)
    lens.add_color_stop_rgb(0.0, *look.rgb(centre_colour))
    lens.add_color_stop_rgb(1.0, *look.rgb(edge_colour))
    ctx.arc(CENTRE, CENTRE, LENS_RADIUS, 0, 2 * math.pi)
    ctx.set_source(lens)
    ctx.fill()


def draw_glint(ctx, alpha):
    ctx.save()
    ctx.translate(CENTRE - 1.8, CENTRE - 2.0)
    ctx.scale(1.6, 1.1)
    ctx.arc(0, 0, 1.0, 0, 2 * math.pi)
    ctx.restore()
    ctx.set_source_rgba(1, 1, 1, alpha)
    ctx.fill()


def draw_lamp(ctx, lit):
    ctx.set_source_rgb(*look.PANEL)
    ctx.rectangle(0, 0, SIZE, SIZE)
    ctx.fill()
    draw_bezel(ctx)
    if lit:
        draw_lens(ctx, "#fff0e0", "#e0140c")
        ctx.arc(CENTRE, CENTRE, LENS_RADIUS, 0, 2 * math.pi)
        glow = cairo.RadialGradient(CENTRE, CENTRE, 1.5, CENTRE, CENTRE, LENS_RADIUS)
        glow.add_color_stop_rgba(0.0, 1, 0.25, 0.15, 0.0)
        glow.add_color_stop_rgba(1.0, 1, 0.1, 0.05, 0.6)
        ctx.set_source(glow)
        ctx.fill()
        draw_glint(ctx, 0.7)
    else:
        draw_lens(ctx, "#5a2a26", "#240e0c")
        draw_glint(ctx, 0.35)


def switch_picture():
    surface, ctx = look.new_surface(SIZE, 2 * SIZE)
    for lit in (False, True):
        ctx.save()
        ctx.translate(0, SIZE if lit else 0)
        ctx.rectangle(0, 0, SIZE, SIZE)
        ctx.clip()
        draw_lamp(ctx, lit)
        ctx.restore()
    return surface
