// Ids of the editor's BITMAP resources, as numbered in zavtolvek.rc.
#pragma once

constexpr int kAboutBitmapId = 128;
constexpr int kSwitchBitmapId = 129;
constexpr int kKnobStripBitmapId = 130;
constexpr int kBackgroundBitmapId = 131;
