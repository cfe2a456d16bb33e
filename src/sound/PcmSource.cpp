#include "PcmSource.h"
#include <algorithm>
#include <cstring>

PcmSource::PcmSource(QObject* parent) : QIODevice(parent) {}

bool PcmSource::begin(const QByteArray* pcm, qint64 offset, qint64 startThresholdBytes) {
    end();
    m_pcm = pcm;
    m_offset = std::clamp<qint64>(offset, 0, pcm != nullptr ? pcm->size() : 0);
    m_startThreshold = std::max<qint64>(startThresholdBytes, 1);
    // Unbuffered: QIODevice must not read ahead, or atEnd() would turn true before the sink has the bytes.
    return open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

void PcmSource::end() {
    if (isOpen()) {
        close();
    }
    m_pcm = nullptr;
    m_offset = 0;
}

qint64 PcmSource::size() const {
    return std::min(m_startThreshold, bytesAvailable());
}

qint64 PcmSource::bytesAvailable() const {
    const qint64 left = m_pcm != nullptr ? m_pcm->size() - m_offset : 0;
    return left + QIODevice::bytesAvailable();
}

bool PcmSource::atEnd() const {
    return bytesAvailable() <= 0;
}

qint64 PcmSource::readData(char* data, qint64 maxSize) {
    if (m_pcm == nullptr || maxSize <= 0) {
        return 0;
    }
    const qint64 n = std::min(maxSize, m_pcm->size() - m_offset);
    if (n <= 0) {
        return 0;
    }
    std::memcpy(data, m_pcm->constData() + m_offset, static_cast<std::size_t>(n));
    m_offset += n;
    return n;
}

qint64 PcmSource::writeData(const char*, qint64) {
    return -1;
}
