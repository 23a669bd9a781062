// The built-in demo: a short phrase in D major at 100 beats per minute that
// moves from low chords through repeated notes to a run at the top of the
// keyboard and ends on a wide chord, so that a first listen hears the whole
// range of an instrument.
#pragma once

#include "tools/vsthost/MidiSong.h"

namespace vsthost {

MidiSong demoPhrase();

}  // namespace vsthost
