#include "tools/vsthost/MidiSong.h"

namespace vsthost {

int64_t MidiSong::frameAt(int64_t time, int32_t sampleRate) const {
    // Split so that time * sampleRate cannot overflow on long songs.
    const int64_t whole = time / unitsPerSecond;
    const int64_t rest = time % unitsPerSecond;
    return whole * sampleRate + (rest * sampleRate + unitsPerSecond / 2) / unitsPerSecond;
}

double MidiSong::secondsAt(int64_t time) const {
    return static_cast<double>(time) / static_cast<double>(unitsPerSecond);
}

}  // namespace vsthost
