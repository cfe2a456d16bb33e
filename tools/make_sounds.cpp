// Writes the board's default sounds, horn.wav and buzzer.wav, into the folder given (the program's folder).
// Run by the build; 16-bit PCM, 44.1 kHz mono, which every sound layer plays.
#include "core/sound/ArenaSounds.h"
#include <cstdio>
#include <sndfile.h>
#include <string>
#include <vector>

namespace {
constexpr int kRate = 44100;

bool writeWav(const std::string& path, const std::vector<float>& samples) {
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        std::fprintf(stderr, "make_sounds: cannot write %s: %s\n", path.c_str(), sf_strerror(nullptr));
        return false;
    }
    const auto frames = static_cast<sf_count_t>(samples.size());
    const bool ok = sf_writef_float(file, samples.data(), frames) == frames;
    sf_close(file);
    return ok;
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const bool ok = writeWav(folder + "/horn.wav", synthesizeHorn(kRate)) &&
                    writeWav(folder + "/buzzer.wav", synthesizeBuzzer(kRate));
    return ok ? 0 : 1;
}
