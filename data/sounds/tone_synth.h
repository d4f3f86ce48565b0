#pragma once
// Additive synthesis of the default alarm tones. A tone is a list of notes on one timeline;
// every note fades to silence before the tone ends, so the sound loops without a click.
#include <cstdint>
#include <string>
#include <vector>

namespace zt::sounds {

enum class Voice {
    Bell,     // struck bell: inharmonic partials, long decay
    Marimba,  // wooden bar: fundamental and fourth harmonic, short decay
    Beep,     // soft electronic beep: odd harmonics, flat with rounded edges
};

struct Note {
    double start { 0 };   // seconds
    double length { 0 };  // seconds until silence
    double frequency { 0 };
    double loudness { 1 };
    Voice voice { Voice::Bell };
};

struct Tone {
    std::string file_name;
    double seconds { 0 };
    std::vector<Note> notes;
};

constexpr uint32_t kSampleRate = 22050;

// Renders the tone at kSampleRate, normalised to a peak of about -1 dBFS.
std::vector<int16_t> render(const Tone& tone);

// The shipped tones, in the order the generator writes them.
std::vector<Tone> default_tones();

}  // namespace zt::sounds
