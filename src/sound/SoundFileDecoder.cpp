#include "SoundFileDecoder.h"
#include "core/sound/PlaybackTiming.h"
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#define ENABLE_SNDFILE_WINDOWS_PROTOTYPES 1
#endif
#include <sndfile.h>

namespace {
SNDFILE* openForReading(const QString& path, SF_INFO* info) {
#ifdef Q_OS_WIN
    return sf_wchar_open(reinterpret_cast<const wchar_t*>(path.utf16()), SFM_READ, info);
#else
    return sf_open(QFile::encodeName(path).constData(), SFM_READ, info);
#endif
}
} // namespace

DecodedSound decodeSoundFile(const QString& path) {
    DecodedSound sound;
    // libsndfile would also open a directory or a device node; only plain files are sounds.
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        return sound;
    }
    SF_INFO info{};
    SNDFILE* file = openForReading(path, &info);
    if (file == nullptr) {
        return sound;
    }
    if (soundFitsInMemory(info.frames, info.samplerate, info.channels)) {
        // Integer files are read as floats scaled to full scale, so 8-bit and 32-bit sounds play equally loud.
        sf_command(file, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
        sound.samples.resize(static_cast<std::size_t>(info.frames) * static_cast<std::size_t>(info.channels));
        const sf_count_t read = sf_readf_float(file, sound.samples.data(), info.frames);
        sound.samples.resize(static_cast<std::size_t>(std::max<sf_count_t>(read, 0)) *
                             static_cast<std::size_t>(info.channels));
        sound.samples.shrink_to_fit();
        sound.sampleRate = info.samplerate;
        sound.channels = info.channels;
    }
    sf_close(file);
    if (sound.samples.empty()) {
        sound = DecodedSound{};
    }
    return sound;
}
