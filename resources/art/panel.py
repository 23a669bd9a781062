"""The editor background: cheeks, group titles, labels, row numbers and the logo plate."""

import math

import cairo

import layout
import look

CHEEK = 6
TOP_ROW_LABEL_BASELINE = 50
LFO_LABEL_BASELINE = 122
TITLE_BASELINE = 31
LFO_TITLE_BASELINE = 108


def draw_cheek(ctx, x):
    wood = cairo.LinearGradient(x, 0, x + CHEEK, 0)
    wood.add_color_stop_rgb(0.0, *look.WOOD_DARK)
    wood.add_color_stop_rgb(0.45, *look.WOOD_LIGHT)
    wood.add_color_stop_rgb(1.0, *look.WOOD_DARK)
    ctx.rectangle(x, 0, CHEEK, layout.HEIGHT)
    ctx.set_source(wood)
    ctx.fill()
    ctx.set_line_width(0.6)
    for i, offset in enumerate((1.6, 3.1, 4.4)):
        ctx.move_to(x + offset, 0)
        for y in range(0, layout.HEIGHT + 8, 8):
            ctx.line_to(x + offset + 0.35 * math.sin(y * 0.09 + i * 2.1), y)
        ctx.set_source_rgba(0.18, 0.1, 0.05, 0.35)
        ctx.stroke()


def draw_frame_edges(ctx):
    inner = layout.WIDTH - 2 * CHEEK
    ctx.set_source_rgb(*look.PANEL_LIGHT)
    ctx.rectangle(CHEEK, 0, inner, 1)
    ctx.fill()
    ctx.set_source_rgb(*look.PANEL_DARK)
    ctx.rectangle(CHEEK, layout.HEIGHT - 1, inner, 1)
    ctx.fill()


def draw_screw(ctx, x, y):
    ctx.arc(x, y, 2.6, 0, 2 * math.pi)
    head = cairo.LinearGradient(x - 2, y - 2, x + 2, y + 2)
    head.add_color_stop_rgb(0.0, *look.rgb("#8d939b"))
    head.add_color_stop_rgb(1.0, *look.rgb("#33373d"))
    ctx.set_source(head)
    ctx.fill()
    ctx.set_line_width(0.9)
    ctx.set_source_rgb(*look.PANEL_DARK)
    ctx.move_to(x - 1.8, y + 1.0)
    ctx.line_to(x + 1.8, y - 1.0)
    ctx.stroke()


def captioned_rule(ctx, text, left, right, baseline):
    """A group title centred between two hairlines that span the group's knobs."""
    look.set_font(ctx, look.TITLE_FONT, 11)
    width = look.centred_text(ctx, text, (left + right) / 2.0, baseline, look.ACCENT, spacing=2.0)
    text_left = round((left + right) / 2.0 - width / 2.0)
    rule_y = baseline - 3.5
    ctx.set_source_rgb(*look.RULE)
    ctx.rectangle(left, rule_y, text_left - 5 - left, 1)
    ctx.rectangle(text_left + width + 5, rule_y, right - (text_left + width + 5), 1)
    ctx.fill()


def knob_label(ctx, text, knob_x, baseline):
    look.set_font(ctx, look.LABEL_FONT, 9)
    look.centred_text(ctx, text, knob_x + layout.KNOB / 2.0, baseline, look.LABEL, spacing=0.5)


def row_badge(ctx, number, block_x, row_y):
    cx = block_x - 12.5
    cy = row_y + layout.KNOB / 2.0
    ctx.new_path()
    ctx.arc(cx, cy, 6.0, 0, 2 * math.pi)
    ctx.set_source_rgb(*look.PANEL_DARK)
    ctx.fill_preserve()
    ctx.set_line_width(1.0)
    ctx.set_source_rgb(*look.ACCENT_DIM)
    ctx.stroke()
    look.set_font(ctx, look.LABEL_FONT, 9)
    look.centred_text(ctx, number, cx, cy + 3.3, look.ACCENT)


def draw_groups(ctx):
    captioned_rule(ctx, "TOLVEK", 16, 128, TITLE_BASELINE)
    captioned_rule(ctx, "LFO", 16, 128, LFO_TITLE_BASELINE)
    captioned_rule(ctx, "RESONATORS", 152, 398, TITLE_BASELINE)
    for x, y, label in layout.KNOBS.values():
        if label:
            baseline = TOP_ROW_LABEL_BASELINE if y == layout.ROW_Y[0] else LFO_LABEL_BASELINE
            knob_label(ctx, label, x, baseline)
    for block in (layout.LEFT_BLOCK_X, layout.RIGHT_BLOCK_X):
        for x, head in zip(block, layout.RESONATOR_COLUMNS):
            knob_label(ctx, head, x, TOP_ROW_LABEL_BASELINE)
    for number, (x, y) in layout.ROW_NUMBERS.items():
        row_badge(ctx, number, x, y)


def draw_switch_label(ctx):
    left, top, right, bottom = layout.SWITCH
    look.set_font(ctx, look.LABEL_FONT, 9)
    look.left_text(ctx, layout.SWITCH_LABEL, right + 6, (top + bottom) / 2.0 + 3.3, look.LABEL,
                   spacing=0.5)


def draw_logo_plate(ctx):
    left, top, right, bottom = layout.ABOUT_AREA
    radius = 4.0
    ctx.new_path()
    ctx.arc(right - radius - 0.5, top + radius + 0.5, radius, -math.pi / 2, 0)
    ctx.arc(right - radius - 0.5, bottom - radius - 0.5, radius, 0, math.pi / 2)
    ctx.arc(left + radius + 0.5, bottom - radius - 0.5, radius, math.pi / 2, math.pi)
    ctx.arc(left + radius + 0.5, top + radius + 0.5, radius, math.pi, 1.5 * math.pi)
    ctx.close_path()
    ctx.set_source_rgb(*look.PANEL_DARK)
    ctx.fill_preserve()
    ctx.set_line_width(1.0)
    ctx.set_source_rgb(*look.RULE)
    ctx.stroke()
    draw_logo(ctx, (left + right) / 2.0, bottom - 9.5, 17)


def draw_logo(ctx, centre_x, baseline, size):
    look.set_font(ctx, look.LOGO_FONT, size)
    maker, product = "zav", layout.PRODUCT[3:]
    maker_width = ctx.text_extents(maker).x_advance
    product_width = ctx.text_extents(product).x_advance
    x = round(centre_x - (maker_width + product_width) / 2.0)
    look.left_text(ctx, maker, x, baseline, look.LABEL)
    look.left_text(ctx, product, x + maker_width, baseline, look.ACCENT)


def draw_chassis(ctx):
    draw_frame_edges(ctx)
    draw_cheek(ctx, 0)
    draw_cheek(ctx, layout.WIDTH - CHEEK)
    for x, y in ((12, 8), (layout.WIDTH - 12, 8), (12, layout.HEIGHT - 8),
                 (layout.WIDTH - 12, layout.HEIGHT - 8)):
        draw_screw(ctx, x, y)


def background_picture():
    surface, ctx = look.new_surface(layout.WIDTH, layout.HEIGHT)
    draw_chassis(ctx)
    draw_groups(ctx)
    draw_switch_label(ctx)
    draw_logo_plate(ctx)
    return surface
