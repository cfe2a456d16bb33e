#pragma once
#include <QColor>
#include <QHash>
#include <QImage>
#include <QSize>

// What one LED digit looks like on screen: everything its pixels depend on.
struct LedImageKey {
    QSize pixels; // the control's size in device-independent pixels
    qreal devicePixelRatio = 1.0;
    int style = 0;    // 0 Lines, 1 Dots
    int caption = -1; // 0..9, -1 dark
    QRgb lit = 0;
    QRgb back = 0;

    friend bool operator==(const LedImageKey&, const LedImageKey&) = default;
};
size_t qHash(const LedImageKey& key, size_t seed = 0);

// Draws one digit into a new image in device pixels, the glyph fitted to the device pixel grid.
QImage renderLedDigit(const LedImageKey& key);

// The finished pictures of the digits on screen, shared by every digit control. The board repaints up to 25
// large digits every tick; drawing a digit from here is a plain copy of its pixels, where rasterising the
// antialiased outline again would cost many times more. The key holds both colours, so a colour change is a
// different picture and shows at once. The least recently used pictures go when the cache outgrows its budget.
class LedImageCache {
public:
    static LedImageCache& instance();

    QImage image(const LedImageKey& key);

    void setBudget(qint64 bytes);
    qint64 bytes() const { return m_bytes; }
    int count() const { return static_cast<int>(m_entries.size()); }
    void clear();

private:
    struct Entry {
        QImage image;
        quint64 lastUse = 0;
    };
    void evictBeyondBudget();

    QHash<LedImageKey, Entry> m_entries;
    qint64 m_bytes = 0;
    qint64 m_budget = 32LL * 1024 * 1024;
    quint64 m_clock = 0;
};
