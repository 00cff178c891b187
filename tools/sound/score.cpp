#include "tools/sound/score.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <sstream>

namespace vellmora::sounds {
namespace {

struct ParseError {
    std::string what;
};

[[noreturn]] void fail(const std::string& what) {
    throw ParseError{what};
}

// A "#" at the start or after white space begins a comment; inside a word it is a sharp.
std::string withoutComment(const std::string& line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
            return line.substr(0, i);
        }
    }
    return line;
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    std::string word;
    while (in >> word) {
        out.push_back(word);
    }
    return out;
}

// "C", "F#", "Bb" at the start of text: the pitch class; advances pos.
int pitchClass(const std::string& text, std::size_t& pos) {
    static const int kNatural[] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    if (pos >= text.size()) {
        fail("missing note name");
    }
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(text[pos])));
    if (letter < 'a' || letter > 'g') {
        fail("bad note name in " + text);
    }
    int pc = kNatural[letter - 'a'];
    ++pos;
    if (pos < text.size() && text[pos] == '#') {
        ++pc;
        ++pos;
    } else if (pos < text.size() && text[pos] == 'b') {
        // After the letter a "b" is always a flat: "bb4" is B flat 4, "Bbm7" B flat minor.
        ++pos;
        --pc;
    }
    return (pc + 12) % 12;
}

Chord parseChord(const std::string& text) {
    static const std::map<std::string, std::vector<int>> kQualities = {
        {"", {0, 4, 7}},         {"m", {0, 3, 7}},         {"7", {0, 4, 7, 10}},
        {"maj7", {0, 4, 7, 11}}, {"m7", {0, 3, 7, 10}},    {"6", {0, 4, 7, 9}},
        {"m6", {0, 3, 7, 9}},    {"9", {0, 4, 7, 10, 14}}, {"sus4", {0, 5, 7}},
        {"sus2", {0, 2, 7}},     {"dim", {0, 3, 6}},       {"aug", {0, 4, 8}},
        {"m7b5", {0, 3, 6, 10}}, {"add9", {0, 4, 7, 14}},  {"7sus4", {0, 5, 7, 10}},
        {"dim7", {0, 3, 6, 9}},  {"madd9", {0, 3, 7, 14}}, {"maj9", {0, 4, 7, 11, 14}},
    };
    Chord chord;
    std::size_t pos = 0;
    const std::string head = text.substr(0, text.find('/'));
    chord.root = pitchClass(head, pos);
    const auto quality = kQualities.find(head.substr(pos));
    if (quality == kQualities.end()) {
        fail("unknown chord " + text);
    }
    chord.intervals = quality->second;
    chord.bass = chord.root;
    if (const auto slash = text.find('/'); slash != std::string::npos) {
        std::size_t bassPos = 0;
        const std::string bass = text.substr(slash + 1);
        chord.bass = pitchClass(bass, bassPos);
        if (bassPos != bass.size()) {
            fail("bad bass note in " + text);
        }
    }
    return chord;
}

// Splits "a b | c | d e" into bars of words.
std::vector<std::vector<std::string>> bars(const std::vector<std::string>& items) {
    std::vector<std::vector<std::string>> out(1);
    for (const std::string& item : items) {
        if (item == "|") {
            out.emplace_back();
        } else {
            out.back().push_back(item);
        }
    }
    return out;
}

std::vector<Note> parseNotes(const std::vector<std::string>& items, const Section& section,
                             const Score& score, int octaveShift) {
    const auto noteBars = bars(items);
    if (noteBars.size() != section.bars.size()) {
        fail("the notes have " + std::to_string(noteBars.size()) + " bars, the chords " +
             std::to_string(section.bars.size()));
    }
    std::vector<Note> notes;
    double length = 1;
    for (std::size_t bar = 0; bar < noteBars.size(); ++bar) {
        double filled = 0;
        for (std::string token : noteBars[bar]) {
            Note note;
            if (!token.empty() && token.back() == '!') {
                note.accent = true;
                token.pop_back();
            }
            if (!token.empty() && token.back() == '~') {
                note.tie = true;
                token.pop_back();
            }
            const auto colon = token.find(':');
            if (colon != std::string::npos) {
                length = std::atof(token.c_str() + colon + 1);
                if (!(length > 0)) {
                    fail("bad length in " + token);
                }
                token.resize(colon);
            }
            note.beats = length;
            if (token != "r") {
                std::size_t pos = 0;
                const int pc = pitchClass(token, pos);
                if (pos >= token.size() || !std::isdigit(static_cast<unsigned char>(token[pos]))) {
                    fail("missing octave in " + token);
                }
                const int octave = std::atoi(token.c_str() + pos) + octaveShift;
                note.pitch = 12 * (octave + 1) + pc;
                // Accidentals that cross the octave: "cb4" is B3, "b#3" is C4.
                const char letter =
                    static_cast<char>(std::tolower(static_cast<unsigned char>(token[0])));
                if (letter == 'c' && pc == 11) {
                    note.pitch -= 12;
                } else if (letter == 'b' && pc == 0) {
                    note.pitch += 12;
                }
                if (note.pitch < 0 || note.pitch > 127) {
                    fail("note out of range: " + token);
                }
            }
            filled += note.beats;
            notes.push_back(note);
        }
        if (std::abs(filled - score.beatsPerBar) > 1e-6) {
            fail("bar " + std::to_string(bar + 1) + " holds " + std::to_string(filled) + " beats");
        }
    }
    return notes;
}

const std::map<std::string, int>& drumNotes() {
    static const std::map<std::string, int> kDrums = {
        {"kick", 36},   {"snare", 38},    {"rim", 37},     {"clap", 39},
        {"hat", 42},    {"pedalhat", 44}, {"openhat", 46}, {"ride", 51},
        {"bell", 53},   {"crash", 49},    {"tamb", 54},    {"shaker", 70},
        {"lowtom", 45}, {"midtom", 47},   {"hightom", 50}, {"cowbell", 56},
    };
    return kDrums;
}

int intValue(const std::string& text, int low, int high) {
    std::size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (...) {
        fail("bad number " + text);
    }
    if (used != text.size() || value < low || value > high) {
        fail("number out of range: " + text);
    }
    return value;
}

Part parsePart(const std::vector<std::string>& w) {
    if (w.size() < 3) {
        fail("part needs a name and a kind");
    }
    Part part;
    part.name = w[1];
    static const std::map<std::string, PartKind> kKinds = {{"melody", PartKind::Melody},
                                                           {"comp", PartKind::Comp},
                                                           {"bass", PartKind::Bass},
                                                           {"drums", PartKind::Drums}};
    const auto kind = kKinds.find(w[2]);
    if (kind == kKinds.end()) {
        fail("unknown part kind " + w[2]);
    }
    part.kind = kind->second;
    part.channel = part.kind == PartKind::Drums ? 9 : 0;
    part.octave = part.kind == PartKind::Comp ? 4 : part.kind == PartKind::Bass ? 2 : 0;
    for (std::size_t i = 3; i < w.size(); ++i) {
        const auto equals = w[i].find('=');
        if (equals == std::string::npos) {
            fail("expected key=value: " + w[i]);
        }
        const std::string key = w[i].substr(0, equals);
        const std::string value = w[i].substr(equals + 1);
        if (key == "program") {
            part.program = intValue(value, 1, 128);
        } else if (key == "channel") {
            part.channel = intValue(value, 1, 16) - 1;
        } else if (key == "volume") {
            part.volume = intValue(value, 0, 127);
        } else if (key == "pan") {
            part.pan = intValue(value, 0, 127);
        } else if (key == "reverb") {
            part.reverb = intValue(value, 0, 127);
        } else if (key == "octave") {
            part.octave = intValue(value, -4, 8);
        } else {
            fail("unknown part setting " + key);
        }
    }
    return part;
}

const Part* findPart(const Score& score, const std::string& name) {
    for (const Part& part : score.parts) {
        if (part.name == name) {
            return &part;
        }
    }
    return nullptr;
}

void parseSectionLine(const std::vector<std::string>& w, Section& section, const Score& score) {
    if (w[0] == "chords") {
        for (const auto& bar : bars({w.begin() + 1, w.end()})) {
            if (bar.empty()) {
                fail("empty chord bar");
            }
            std::vector<Chord> chords;
            for (const std::string& name : bar) {
                chords.push_back(parseChord(name));
                chords.back().beats = static_cast<double>(score.beatsPerBar) / bar.size();
            }
            section.bars.push_back(std::move(chords));
        }
        return;
    }
    const Part* part = findPart(score, w[0]);
    if (part == nullptr) {
        fail("unknown part " + w[0]);
    }
    if (section.bars.empty()) {
        fail("the chords come first in a section");
    }
    PartLine line;
    if (part->kind == PartKind::Melody) {
        line.notes = parseNotes({w.begin() + 1, w.end()}, section, score, part->octave);
    } else {
        if (w.size() < 2) {
            fail("missing style for " + w[0]);
        }
        line.style = w[1];
        for (std::size_t i = 2; i < w.size(); ++i) {
            if (w[i].rfind("fill=", 0) == 0) {
                line.fill = w[i].substr(5);
            } else {
                fail("unknown option " + w[i]);
            }
        }
        static const std::vector<std::string> kComp = {"pad", "block", "arp", "stab", "strum"};
        static const std::vector<std::string> kBass = {"root", "rootfifth", "walk", "eighths"};
        const auto known = [](const std::vector<std::string>& list, const std::string& s) {
            return std::find(list.begin(), list.end(), s) != list.end();
        };
        if ((part->kind == PartKind::Comp && !known(kComp, line.style)) ||
            (part->kind == PartKind::Bass && !known(kBass, line.style))) {
            fail("unknown style " + line.style);
        }
        if (part->kind == PartKind::Drums &&
            (!score.grooves.count(line.style) ||
             (!line.fill.empty() && !score.grooves.count(line.fill)))) {
            fail("unknown groove in: " + w[1] + " " + line.fill);
        }
    }
    section.parts[w[0]] = std::move(line);
}

void parseGrooveLine(const std::vector<std::string>& w, Groove& groove, bool first) {
    const auto drum = drumNotes().find(w[0]);
    if (drum == drumNotes().end() || w.size() != 2) {
        fail("expected a drum and its steps");
    }
    const std::string& steps = w[1];
    if (first) {
        groove.steps = static_cast<int>(steps.size());
    } else if (static_cast<int>(steps.size()) != groove.steps) {
        fail("every line of a groove needs the same number of steps");
    }
    for (int i = 0; i < groove.steps; ++i) {
        const char c = steps[i];
        const int velocity = c == 'X' ? 118 : c == 'x' ? 92 : c == 'o' ? 58 : 0;
        if (velocity == 0 && c != '.') {
            fail("bad step " + std::string(1, c));
        }
        if (velocity > 0) {
            groove.hits.push_back({drum->second, i, velocity});
        }
    }
}

}  // namespace

bool readScore(const std::string& path, Score& out, std::string& error) {
    std::ifstream file(path);
    if (!file) {
        error = "cannot read " + path;
        return false;
    }
    Score score;
    std::string line;
    int lineNumber = 0;
    Section* section = nullptr;
    Groove* groove = nullptr;
    bool firstGrooveLine = false;
    try {
        while (std::getline(file, line)) {
            ++lineNumber;
            const auto w = words(withoutComment(line));
            if (w.empty()) {
                continue;
            }
            if (w[0] == "end" && (section != nullptr || groove != nullptr)) {
                section = nullptr;
                groove = nullptr;
            } else if (section != nullptr) {
                parseSectionLine(w, *section, score);
            } else if (groove != nullptr) {
                parseGrooveLine(w, *groove, firstGrooveLine);
                firstGrooveLine = false;
            } else if (w[0] == "tempo" && w.size() == 2) {
                score.tempo = intValue(w[1], 30, 300);
            } else if (w[0] == "beats" && w.size() == 2) {
                score.beatsPerBar = intValue(w[1], 2, 7);
            } else if (w[0] == "part") {
                score.parts.push_back(parsePart(w));
            } else if (w[0] == "groove" && w.size() == 2) {
                groove = &score.grooves[w[1]];
                firstGrooveLine = true;
            } else if (w[0] == "section" && w.size() == 2) {
                section = &score.sections[w[1]];
                section->name = w[1];
            } else if (w[0] == "form") {
                score.form.assign(w.begin() + 1, w.end());
            } else {
                fail("unknown line");
            }
        }
        if (section != nullptr || groove != nullptr) {
            fail("missing end");
        }
        if (score.form.empty()) {
            fail("no form");
        }
        for (const std::string& name : score.form) {
            if (!score.sections.count(name)) {
                fail("form names an unknown section " + name);
            }
        }
    } catch (const ParseError& e) {
        error = path + ":" + std::to_string(lineNumber) + ": " + e.what;
        return false;
    }
    out = std::move(score);
    return true;
}

double scoreSeconds(const Score& score) {
    double beats = 0;
    for (const std::string& name : score.form) {
        beats += static_cast<double>(score.sections.at(name).bars.size()) * score.beatsPerBar;
    }
    return beats * 60.0 / score.tempo;
}

}  // namespace vellmora::sounds
