// zt-make-sounds OUT_FOLDER: writes the default alarm tones as 16-bit PCM mono waves.
#include <cstdio>
#include <filesystem>

#include "data/sounds/tone_synth.h"
#include "data/sounds/wave_file.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: zt-make-sounds OUT_FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    for (const auto& tone : zt::sounds::default_tones()) {
        zt::sounds::Wave wave { zt::sounds::kSampleRate, 1, 16, zt::sounds::render(tone) };
        if (!zt::sounds::write_file(folder / tone.file_name, zt::sounds::encode_wave(wave))) {
            std::fprintf(stderr, "zt-make-sounds: cannot write %s\n", (folder / tone.file_name).c_str());
            return 2;
        }
        std::printf("%s\t%zu samples\n", tone.file_name.c_str(), wave.samples.size());
    }
    return 0;
}
