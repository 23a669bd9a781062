"""The about picture shown over the whole panel: logo, version, credits and a struck, ringing wave."""

import math

import cairo

import layout
import look
import panel

WAVE_LEFT = 40
WAVE_RIGHT = layout.WIDTH - 40
WAVE_Y = 122
WAVE_HEIGHT = 17


def draw_ringing_wave(ctx):
    ctx.set_line_width(1.6)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    span = WAVE_RIGHT - WAVE_LEFT
    ctx.move_to(WAVE_LEFT, WAVE_Y)
    steps = span * 4
    for i in range(1, steps + 1):
        t = i / steps
        envelope = math.exp(-4.2 * t) * (1.0 - math.exp(-60.0 * t))
        y = WAVE_Y - WAVE_HEIGHT * envelope * math.sin(2 * math.pi * 15 * t)
        ctx.line_to(WAVE_LEFT + span * t, y)
    fade = cairo.LinearGradient(WAVE_LEFT, 0, WAVE_RIGHT, 0)
    fade.add_color_stop_rgb(0.0, *look.ACCENT)
    fade.add_color_stop_rgb(1.0, *look.RULE)
    ctx.set_source(fade)
    ctx.stroke()
    ctx.arc(WAVE_LEFT, WAVE_Y, 3.0, 0, 2 * math.pi)
    ctx.set_source_rgb(*look.POINTER)
    ctx.fill()


def draw_titles(ctx):
    centre = layout.WIDTH / 2.0
    panel.draw_logo(ctx, centre, 66, 40)
    look.set_font(ctx, look.TITLE_FONT, 11)
    look.centred_text(ctx, "MODAL PERCUSSION SYNTHESIZER", centre, 88, look.LABEL, spacing=2.0)


def draw_credits(ctx):
    centre = layout.WIDTH / 2.0
    look.set_font(ctx, look.LABEL_FONT, 11, bold=False)
    look.centred_text(ctx, "version " + layout.VERSION + "  \u00b7  by zav", centre, 164, look.LABEL,
                      spacing=0.3)
    look.set_font(ctx, look.LABEL_FONT, 8, bold=False)
    look.centred_text(ctx, "VST 2 instrument  \u00b7  click to close", centre, 182, look.RULE,
                      spacing=0.5)


def about_picture():
    surface, ctx = look.new_surface(layout.WIDTH, layout.HEIGHT)
    panel.draw_chassis(ctx)
    draw_titles(ctx)
    draw_ringing_wave(ctx)
    draw_credits(ctx)
    return surface
