"""Where the editor puts its controls on the 413 x 197 panel, and the words printed for them."""

WIDTH = 413
HEIGHT = 197
KNOB = 36

# tag: (x, y, label)
KNOBS = {
    1: (16, 55, "MASTER"), 0: (54, 55, "SCALE"), 2: (92, 55, "MAT."),
    17: (16, 127, "STEREO"), 16: (54, 127, "SPEED"), 3: (92, 127, "DEPTH"),
    4: (152, 55, None), 8: (190, 55, None), 12: (228, 55, None),
    5: (152, 94, None), 9: (190, 94, None), 13: (228, 94, None),
    6: (286, 55, None), 10: (324, 55, None), 14: (362, 55, None),
    7: (286, 94, None), 11: (324, 94, None), 15: (362, 94, None),
}

RESONATOR_COLUMNS = ("TUNE", "RESON.", "GAIN")
LEFT_BLOCK_X = (152, 190, 228)
RIGHT_BLOCK_X = (286, 324, 362)
ROW_Y = (55, 94)
ROW_NUMBERS = {"1": (LEFT_BLOCK_X[0], ROW_Y[0]), "2": (LEFT_BLOCK_X[0], ROW_Y[1]),
               "3": (RIGHT_BLOCK_X[0], ROW_Y[0]), "4": (RIGHT_BLOCK_X[0], ROW_Y[1])}

SWITCH = (137, 145, 153, 161)
SWITCH_LABEL = "LFO ON/OFF"
ABOUT_AREA = (267, 153, 395, 184)

PRODUCT = "zavTolvek"
VERSION = "1.0"
