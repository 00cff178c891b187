// A piece of music as a readable score text: parts, sections with chords and melodies, drum
// grids and the order of the sections.
//
//   tempo 96                 beats a minute; "beats 4" sets the beats of a bar (default 4)
//   part lead melody program=74 channel=1 volume=100 pan=64 reverb=50 octave=0
//   part keys comp program=5 octave=4
//   part bass bass program=33 octave=2
//   part kit drums           (always MIDI channel 10)
//        kinds: melody (notes written out), comp (chords in a style), bass (a style), drums;
//        program is the General MIDI number 1 to 128; channel 1 to 16; octave moves a melody
//        by octaves and sets the register of comp and bass parts
//   groove NAME ... end      a drum grid: lines "kick x...x...", one step a character
//                            (x hit, X accent, o soft, . rest), all steps spread over a bar;
//                            drums: kick snare rim clap hat openhat pedalhat ride bell crash
//                            tamb shaker lowtom midtom hightom cowbell
//   section NAME ... end     chords "C | Am7 | Dm7 G7 | C" (a bar between bars, the chords of
//                            a bar share it equally), then one line per sounding part:
//                              melody part: notes "e5:1 d5:0.5 c5 | g4:4" (name, octave,
//                                ":beats", the length carrying over to the next notes;
//                                "r" rest; "~" after the length ties into the next note;
//                                "!" accents), every bar filled exactly
//                              comp part: a style: pad, block, arp, stab, strum
//                              bass part: a style: root, rootfifth, walk, eighths
//                              drums part: a groove name, optionally "fill=NAME" for the
//                                section's last bar
//   form A A B A             the order of the sections
//
// "#" at the start of a word starts a comment. Chords: root (C, F#, Bb), quality ("", m, 7, maj7,
// m7, 6, m6, 9, sus4, sus2, dim, aug, m7b5, add9) and an optional bass note after "/".
#pragma once

#include <map>
#include <string>
#include <vector>

namespace vellmora::sounds {

enum class PartKind { Melody, Comp, Bass, Drums };

struct Part {
    std::string name;
    PartKind kind = PartKind::Melody;
    int program = 1;  // General MIDI number, 1 to 128
    int channel = 0;  // 0 to 15
    int volume = 100;
    int pan = 64;
    int reverb = 40;
    int octave = 0;
};

struct Chord {
    int root = 0;                // pitch class 0 (C) to 11
    std::vector<int> intervals;  // semitones above the root, the root's 0 first
    int bass = 0;                // pitch class of the lowest note
    double beats = 4;
};

struct Note {
    int pitch = -1;  // MIDI note number, -1 for a rest
    double beats = 1;
    bool tie = false;
    bool accent = false;
};

struct DrumHit {
    int note = 0;
    int step = 0;
    int velocity = 0;
};

struct Groove {
    int steps = 16;
    std::vector<DrumHit> hits;
};

struct PartLine {
    std::vector<Note> notes;  // melody parts
    std::string style;        // comp and bass parts; the groove of drum parts
    std::string fill;         // drum parts
};

struct Section {
    std::string name;
    std::vector<std::vector<Chord>> bars;
    std::map<std::string, PartLine> parts;
};

struct Score {
    double tempo = 100;
    int beatsPerBar = 4;
    std::vector<Part> parts;
    std::map<std::string, Groove> grooves;
    std::map<std::string, Section> sections;
    std::vector<std::string> form;
};

// Reads and checks a score. False with "file:line: what" in error.
bool readScore(const std::string& path, Score& out, std::string& error);

// Seconds the whole form lasts.
double scoreSeconds(const Score& score);

}  // namespace vellmora::sounds
