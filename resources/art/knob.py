"""The knob strip: one 36 x 36 frame per position, pointer turning clockwise over 270 degrees."""

import math

import cairo

import look

SIZE = 36
FRAMES = 128
SWEEP_DEGREES = 270.0
CENTRE = SIZE / 2.0
TRACK_RADIUS = 15.6
BODY_RADIUS = 12.2


def frame_angle(frame):
    """Degrees clockwise from straight up: -135 at frame 0, +135 at the last frame."""
    return -SWEEP_DEGREES / 2.0 + SWEEP_DEGREES * frame / (FRAMES - 1)


def cairo_angle(degrees_from_up):
    # cairo measures from the +x axis toward +y, which is clockwise on screen.
    return math.radians(degrees_from_up - 90.0)


def polar(radius, degrees_from_up):
    a = math.radians(degrees_from_up)
    return CENTRE + radius * math.sin(a), CENTRE - radius * math.cos(a)


def draw_track(ctx, angle):
    start = cairo_angle(-SWEEP_DEGREES / 2.0)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_line_width(2.4)
    ctx.set_source_rgb(*look.TRACK)
    ctx.arc(CENTRE, CENTRE, TRACK_RADIUS, start, cairo_angle(SWEEP_DEGREES / 2.0))
    ctx.stroke()
    ctx.set_line_width(2.0)
    ctx.set_source_rgb(*look.ACCENT)
    ctx.arc(CENTRE, CENTRE, TRACK_RADIUS, start, max(cairo_angle(angle), start + 0.001))
    ctx.stroke()


def draw_body(ctx):
    ctx.arc(CENTRE + 0.4, CENTRE + 1.2, BODY_RADIUS + 0.6, 0, 2 * math.pi)
    ctx.set_source_rgba(0, 0, 0, 0.45)
    ctx.fill()
    rim = cairo.LinearGradient(CENTRE - 9, CENTRE - 11, CENTRE + 9, CENTRE + 11)
    rim.add_color_stop_rgb(0.0, *look.rgb("#7b818a"))
    rim.add_color_stop_rgb(0.5, *look.rgb("#3a3f46"))
    rim.add_color_stop_rgb(1.0, *look.rgb("#1c1f23"))
    ctx.arc(CENTRE, CENTRE, BODY_RADIUS, 0, 2 * math.pi)
    ctx.set_source(rim)
    ctx.fill()
    face = cairo.RadialGradient(CENTRE - 3, CENTRE - 4, 1, CENTRE, CENTRE, BODY_RADIUS - 1.6)
    face.add_color_stop_rgb(0.0, *look.rgb("#4d535b"))
    face.add_color_stop_rgb(1.0, *look.rgb("#2b2f35"))
    ctx.arc(CENTRE, CENTRE, BODY_RADIUS - 1.6, 0, 2 * math.pi)
    ctx.set_source(face)
    ctx.fill()


def draw_pointer(ctx, angle):
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    inner = polar(3.2, angle)
    outer = polar(BODY_RADIUS - 2.4, angle)
    ctx.set_line_width(3.4)
    ctx.set_source_rgba(0, 0, 0, 0.35)
    ctx.move_to(inner[0] + 0.3, inner[1] + 0.6)
    ctx.line_to(outer[0] + 0.3, outer[1] + 0.6)
    ctx.stroke()
    ctx.set_line_width(2.2)
    ctx.set_source_rgb(*look.POINTER)
    ctx.move_to(*inner)
    ctx.line_to(*outer)
    ctx.stroke()


def draw_frame(ctx, frame):
    ctx.set_source_rgb(*look.PANEL)
    ctx.rectangle(0, 0, SIZE, SIZE)
    ctx.fill()
    angle = frame_angle(frame)
    draw_track(ctx, angle)
    draw_body(ctx)
    draw_pointer(ctx, angle)


def knob_strip():
    surface, ctx = look.new_surface(SIZE, SIZE * FRAMES)
    for frame in range(FRAMES):
        ctx.save()
        ctx.translate(0, frame * SIZE)
        ctx.rectangle(0, 0, SIZE, SIZE)
        ctx.clip()
        draw_frame(ctx, frame)
        ctx.restore()
    return surface
