#include "tools/sound/midi_render.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace vellmora::sounds {
namespace {

struct Event {
    long tick = 0;
    int order = 0;  // at the same tick: controls, then note-offs, then note-ons
    std::string bytes;
};

class Track {
public:
    explicit Track(int channel) : channel_(channel) {}

    void control(int number, int value) {
        add(0, 0,
            {static_cast<char>(0xB0 | channel_), static_cast<char>(number),
             static_cast<char>(value)});
    }
    void program(int number) {
        add(0, 0, {static_cast<char>(0xC0 | channel_), static_cast<char>(number)});
    }
    void note(long start, long length, int pitch, int velocity) {
        if (length <= 0 || pitch < 0 || pitch > 127) {
            return;
        }
        velocity = std::clamp(velocity, 1, 127);
        add(start, 2,
            {static_cast<char>(0x90 | channel_), static_cast<char>(pitch),
             static_cast<char>(velocity)});
        add(start + length, 1, {static_cast<char>(0x80 | channel_), static_cast<char>(pitch), 64});
    }
    void meta(long tick, int type, const std::string& data) {
        std::string bytes{static_cast<char>(0xFF), static_cast<char>(type)};
        bytes += variableLength(static_cast<std::uint32_t>(data.size()));
        add(tick, 0, bytes + data);
    }

    // The track chunk, ending at endTick.
    std::string chunk(long endTick) {
        std::stable_sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::string body;
        long now = 0;
        for (const Event& event : events_) {
            body += variableLength(static_cast<std::uint32_t>(event.tick - now)) + event.bytes;
            now = event.tick;
        }
        body += variableLength(static_cast<std::uint32_t>(std::max(0L, endTick - now)));
        body += std::string("\xFF\x2F\x00", 3);
        return "MTrk" + bigEndian(static_cast<std::uint32_t>(body.size()), 4) + body;
    }

    static std::string variableLength(std::uint32_t value) {
        std::string out(1, static_cast<char>(value & 0x7F));
        while ((value >>= 7) != 0) {
            out.insert(out.begin(), static_cast<char>(0x80 | (value & 0x7F)));
        }
        return out;
    }
    static std::string bigEndian(std::uint32_t value, int bytes) {
        std::string out;
        for (int i = bytes - 1; i >= 0; --i) {
            out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
        return out;
    }

private:
    void add(long tick, int order, std::string bytes) {
        events_.push_back({tick, order, std::move(bytes)});
    }

    int channel_;
    std::vector<Event> events_;
};

// Small repeatable variations of loudness, so repeated bars do not sound stamped out.
class Humaniser {
public:
    explicit Humaniser(std::uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
    int vary(int velocity, int spread) {
        state_ = state_ * 1664525u + 1013904223u;
        const int offset = static_cast<int>((state_ >> 16) % (2 * spread + 1)) - spread;
        return velocity + offset;
    }

private:
    std::uint32_t state_;
};

long ticks(double beats) {
    return std::lround(beats * kTicksPerBeat);
}

// The pitch of pitch class pc in [low, low + 12).
int inRegister(int pc, int low) {
    return low + ((pc - low) % 12 + 12) % 12;
}

// Close voicing of the chord from the register's bottom note up.
std::vector<int> voicing(const Chord& chord, int low) {
    std::vector<int> notes;
    for (int interval : chord.intervals) {
        notes.push_back(inRegister(chord.root + interval, low));
    }
    std::sort(notes.begin(), notes.end());
    notes.erase(std::unique(notes.begin(), notes.end()), notes.end());
    return notes;
}

struct ChordAt {
    const Chord* chord;
    long start;
    long length;
    bool barStart;
    const Chord* next;  // the chord after this one in the piece (wrapping to the start)
};

void playComp(Track& track, const std::string& style, const ChordAt& at, int low, Humaniser& h,
              int beatsPerBar) {
    const std::vector<int> notes = voicing(*at.chord, low);
    const long beat = kTicksPerBeat;
    if (style == "pad") {
        for (int pitch : notes) {
            track.note(at.start, at.length - 10, pitch, h.vary(60, 3));
        }
    } else if (style == "block") {
        for (long t = 0; t < at.length; t += beat) {
            const int accent = (at.barStart && t == 0) ? 8 : 0;
            for (int pitch : notes) {
                track.note(at.start + t, beat / 2, pitch, h.vary(60 + accent, 4));
            }
        }
    } else if (style == "stab") {
        for (long t = beat / 2; t < at.length; t += beat) {
            for (int pitch : notes) {
                track.note(at.start + t, beat / 4, pitch, h.vary(66, 5));
            }
        }
    } else if (style == "strum") {
        const long step = std::min(at.length, 2 * beat);
        for (long t = 0; t < at.length; t += step) {
            for (std::size_t i = 0; i < notes.size(); ++i) {
                const long lag = static_cast<long>(i) * 18;
                track.note(at.start + t + lag, step - lag - 20, notes[i], h.vary(64, 4));
            }
        }
    } else {  // arp: up through the chord and its octave, then back down
        std::vector<int> pattern = notes;
        pattern.push_back(notes.front() + 12);
        for (int i = static_cast<int>(notes.size()) - 1; i > 0; --i) {
            pattern.push_back(notes[i]);
        }
        int i = 0;
        for (long t = 0; t < at.length; t += beat / 2, ++i) {
            const int accent = (t % beat == 0) ? 6 : 0;
            track.note(at.start + t, beat / 2 - 20, pattern[i % pattern.size()],
                       h.vary(56 + accent, 4));
        }
    }
    (void)beatsPerBar;
}

void playBass(Track& track, const std::string& style, const ChordAt& at, int low, Humaniser& h) {
    const long beat = kTicksPerBeat;
    const int root = inRegister(at.chord->bass, low);
    const int fifth = inRegister(at.chord->root + 7, low);
    const int third = inRegister(at.chord->root + at.chord->intervals.at(1), low);
    if (style == "root") {
        const long step = std::min(at.length, 2 * beat);
        for (long t = 0; t < at.length; t += step) {
            track.note(at.start + t, step - 40, root, h.vary(t == 0 ? 92 : 80, 4));
        }
    } else if (style == "rootfifth") {
        const long step = std::min(at.length, 2 * beat);
        int i = 0;
        for (long t = 0; t < at.length; t += step, ++i) {
            track.note(at.start + t, step - 40, i % 2 == 0 ? root : fifth, h.vary(88, 4));
        }
    } else if (style == "walk") {
        const int target = inRegister(at.next->bass, low);
        const int approach = target > root ? target - 1 : target + 1;
        const std::vector<int> line = at.length >= 4 * beat
                                          ? std::vector<int>{root, third, fifth, approach}
                                      : at.length >= 2 * beat ? std::vector<int>{root, approach}
                                                              : std::vector<int>{root};
        const long step = at.length / static_cast<long>(line.size());
        for (std::size_t i = 0; i < line.size(); ++i) {
            track.note(at.start + static_cast<long>(i) * step, step - 30, line[i],
                       h.vary(i == 0 ? 92 : 82, 4));
        }
    } else {  // eighths, with an octave leap before the next chord
        int i = 0;
        for (long t = 0; t < at.length; t += beat / 2, ++i) {
            const bool last = t + beat / 2 >= at.length;
            track.note(at.start + t, beat / 2 - 40, last ? root + 12 : root,
                       h.vary(i % 2 == 0 ? 90 : 74, 4));
        }
    }
}

void playGroove(Track& track, const Groove& groove, long barStart, long barLength, Humaniser& h) {
    for (const DrumHit& hit : groove.hits) {
        const long at = barStart + barLength * hit.step / groove.steps;
        track.note(at, 60, hit.note, h.vary(hit.velocity, 6));
    }
}

}  // namespace

std::string renderMidi(const Score& score) {
    // The chords of the whole form, in order, so each knows the one after it.
    struct Placed {
        const Section* section;
        int bar;
        ChordAt at;
        bool sectionStart;
        bool sectionEnd;
        long barStartTick;
        int occurrence;
    };
    std::vector<Placed> placed;
    const long barLength = ticks(score.beatsPerBar);
    long now = 0;
    int occurrence = 0;
    for (const std::string& name : score.form) {
        const Section& section = score.sections.at(name);
        for (std::size_t bar = 0; bar < section.bars.size(); ++bar) {
            long start = now;
            for (std::size_t c = 0; c < section.bars[bar].size(); ++c) {
                const Chord& chord = section.bars[bar][c];
                placed.push_back({&section,
                                  static_cast<int>(bar),
                                  {&chord, start, ticks(chord.beats), c == 0, nullptr},
                                  bar == 0 && c == 0,
                                  bar + 1 == section.bars.size(),
                                  now,
                                  occurrence});
                start += ticks(chord.beats);
            }
            now += barLength;
        }
        ++occurrence;
    }
    const long endTick = now;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        placed[i].at.next = placed[(i + 1) % placed.size()].at.chord;
    }

    std::string file = "MThd" + Track::bigEndian(6, 4) + Track::bigEndian(1, 2) +
                       Track::bigEndian(static_cast<std::uint32_t>(score.parts.size() + 1), 2) +
                       Track::bigEndian(kTicksPerBeat, 2);
    Track tempo(0);
    const auto microseconds = static_cast<std::uint32_t>(std::lround(60000000.0 / score.tempo));
    tempo.meta(0, 0x51, Track::bigEndian(microseconds, 3));
    tempo.meta(0, 0x58, std::string{static_cast<char>(score.beatsPerBar), 2, 24, 8});
    file += tempo.chunk(endTick);

    for (std::size_t p = 0; p < score.parts.size(); ++p) {
        const Part& part = score.parts[p];
        Track track(part.channel);
        Humaniser h(static_cast<std::uint32_t>(p + 1));
        track.meta(0, 0x03, part.name);
        if (part.kind != PartKind::Drums) {
            track.control(0, 0);
            track.program(part.program - 1);
        }
        track.control(7, part.volume);
        track.control(10, part.pan);
        track.control(91, part.reverb);
        const int low = 12 * (part.octave + 1);
        // Melodies: the written notes of each section, in form order.
        if (part.kind == PartKind::Melody) {
            long t = 0;
            for (const std::string& name : score.form) {
                const Section& section = score.sections.at(name);
                const auto line = section.parts.find(part.name);
                if (line != section.parts.end()) {
                    long at = t;
                    long held = 0;
                    for (const Note& note : line->second.notes) {
                        held += ticks(note.beats);
                        if (!note.tie) {
                            const bool onBeat = (at % kTicksPerBeat) == 0;
                            const int velocity = 80 + (onBeat ? 6 : 0) + (note.accent ? 18 : 0);
                            track.note(at, held - std::min(held / 10, 40L), note.pitch,
                                       h.vary(velocity, 4));
                            at += held;
                            held = 0;
                        }
                    }
                }
                t += static_cast<long>(section.bars.size()) * barLength;
            }
        } else {
            for (const Placed& item : placed) {
                const auto line = item.section->parts.find(part.name);
                if (line == item.section->parts.end()) {
                    continue;
                }
                if (part.kind == PartKind::Comp) {
                    playComp(track, line->second.style, item.at, low, h, score.beatsPerBar);
                } else if (part.kind == PartKind::Bass) {
                    playBass(track, line->second.style, item.at, low, h);
                } else if (item.at.barStart) {
                    const bool fill = item.sectionEnd && !line->second.fill.empty();
                    const Groove& groove =
                        score.grooves.at(fill ? line->second.fill : line->second.style);
                    playGroove(track, groove, item.barStartTick, barLength, h);
                    // A cymbal marks each new section after the first.
                    if (item.sectionStart && item.barStartTick > 0) {
                        track.note(item.barStartTick, 120, 49, h.vary(96, 4));
                    }
                }
            }
        }
        file += track.chunk(endTick);
    }
    return file;
}

}  // namespace vellmora::sounds
