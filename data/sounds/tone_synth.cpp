#include "data/sounds/tone_synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zt::sounds {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

struct Partial {
    double ratio;
    double level;
    double decay;  // per second, on top of the voice's decay
};

std::vector<Partial> partials(Voice voice)
{
    switch (voice) {
    case Voice::Bell:
        return { { 1.0, 1.0, 0.0 }, { 2.0, 0.35, 1.5 }, { 2.76, 0.25, 2.5 }, { 5.40, 0.08, 5.0 } };
    case Voice::Marimba:
        return { { 1.0, 1.0, 0.0 }, { 4.0, 0.20, 8.0 }, { 9.2, 0.04, 14.0 } };
    case Voice::Beep:
        return { { 1.0, 1.0, 0.0 }, { 3.0, 0.18, 0.0 }, { 5.0, 0.06, 0.0 } };
    }
    return {};
}

// Amplitude at time t into a note: a short attack, a decay that suits the voice, and a
// raised-cosine release over the last 20 % so the note is silent at its end.
double envelope(Voice voice, double t, double length)
{
    const double attack = voice == Voice::Beep ? 0.008 : 0.003;
    double level = t < attack ? t / attack : 1.0;
    if (voice == Voice::Bell)
        level *= std::exp(-2.2 * t);
    else if (voice == Voice::Marimba)
        level *= std::exp(-6.0 * t);
    const double release_start = length * 0.8;
    if (t > release_start)
        level *= 0.5 * (1 + std::cos(std::numbers::pi * (t - release_start) / (length - release_start)));
    return level;
}

void add_note(std::vector<double>& mix, const Note& note)
{
    const auto first = static_cast<size_t>(std::lround(note.start * kSampleRate));
    const auto count = static_cast<size_t>(std::lround(note.length * kSampleRate));
    const auto parts = partials(note.voice);
    for (size_t i = 0; i < count && first + i < mix.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double sample = 0;
        for (const Partial& p : parts)
            sample += p.level * std::exp(-p.decay * t) * std::sin(kTwoPi * note.frequency * p.ratio * t);
        mix[first + i] += note.loudness * envelope(note.voice, t, note.length) * sample;
    }
}

double pitch(int semitones_from_a4)
{
    return 440.0 * std::pow(2.0, semitones_from_a4 / 12.0);
}

}  // namespace

std::vector<int16_t> render(const Tone& tone)
{
    std::vector<double> mix(static_cast<size_t>(std::lround(tone.seconds * kSampleRate)), 0.0);
    for (const Note& note : tone.notes)
        add_note(mix, note);
    double peak = 0;
    for (double s : mix)
        peak = std::max(peak, std::abs(s));
    const double gain = peak > 0 ? 0.89 * 32767 / peak : 0;
    std::vector<int16_t> out(mix.size());
    std::transform(mix.begin(), mix.end(), out.begin(),
                   [gain](double s) { return static_cast<int16_t>(std::lround(s * gain)); });
    return out;
}

std::vector<Tone> default_tones()
{
    std::vector<Tone> tones;

    // A rising bell chime, C6 E6 G6 C7, twice, then a held chord that dies away.
    Tone chime { "ZunAlarm1.wav", 4.0, {} };
    const int chime_steps[] = { 3, 7, 10, 15 };
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 4; ++i)
            chime.notes.push_back({ round * 1.0 + i * 0.22, 1.3, pitch(chime_steps[i]), 0.8, Voice::Bell });
    for (int step : { 3, 7, 15 })
        chime.notes.push_back({ 2.1, 1.85, pitch(step), 0.55, Voice::Bell });
    tones.push_back(chime);

    // A marimba figure in G major, light and bouncing.
    Tone marimba { "ZunAlarm2.wav", 3.2, {} };
    const int figure[] = { -2, 2, 5, 10, 5, 2, 5, 10, 14, 10 };
    for (int i = 0; i < 10; ++i)
        marimba.notes.push_back({ i * 0.16, 0.7, pitch(figure[i]), i % 4 == 0 ? 1.0 : 0.75, Voice::Marimba });
    for (int step : { -2, 2, 10 })
        marimba.notes.push_back({ 1.9, 1.2, pitch(step), 0.7, Voice::Marimba });
    tones.push_back(marimba);

    // The classic bedside beep: four pairs of short beeps per second-and-a-half, clearly audible.
    Tone beeps { "ZunAlarm3.wav", 3.0, {} };
    for (int group = 0; group < 2; ++group)
        for (int i = 0; i < 4; ++i)
            beeps.notes.push_back({ group * 1.5 + i * 0.16, 0.09, 2093.0, 0.9, Voice::Beep });
    tones.push_back(beeps);

    // A gentle two-note call, a falling fifth, like a doorbell in a quiet house.
    Tone call { "ZunAlarm4.wav", 3.0, {} };
    call.notes.push_back({ 0.0, 1.4, pitch(7), 0.9, Voice::Bell });
    call.notes.push_back({ 0.5, 2.4, pitch(0), 0.9, Voice::Bell });
    tones.push_back(call);

    return tones;
}

}  // namespace zt::sounds
