// Turns a score into a standard MIDI file: the written melodies as they are, the comp, bass
// and drum parts played from the chords in their styles.
#pragma once

#include <string>

#include "tools/sound/score.h"

namespace vellmora::sounds {

inline constexpr int kTicksPerBeat = 480;

// The bytes of a format 1 MIDI file: a tempo track, then one track a part. Every track ends
// exactly at the end of the form, so the piece loops without a gap or an overhang.
std::string renderMidi(const Score& score);

}  // namespace vellmora::sounds
