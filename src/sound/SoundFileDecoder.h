#pragma once
#include <QString>
#include <vector>

// A sound file decoded whole into memory: interleaved float samples at full scale -1..1.
struct DecodedSound {
    std::vector<float> samples;
    int sampleRate = 0;
    int channels = 0;

    long long frameCount() const { return channels > 0 ? static_cast<long long>(samples.size()) / channels : 0; }
    bool isEmpty() const { return samples.empty(); }
};

// Decodes any file libsndfile reads: WAV in every common sample format (8/16/24/32-bit PCM, float, A-law...),
// and AIFF, FLAC and the like as a bonus. Answers an empty sound for a missing, unreadable, broken or empty file
// and for one too long to keep in memory (see soundFitsInMemory). A file cut short inside its sound data plays
// what it holds.
DecodedSound decodeSoundFile(const QString& path);
