#include "LedImageCache.h"

#include "core/display/LedGlyph.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtGlobal>

#include <cmath>

size_t qHash(const LedImageKey& key, size_t seed) {
    return qHashMulti(seed, key.pixels.width(), key.pixels.height(), key.devicePixelRatio, key.style, key.caption,
                      key.lit, key.back);
}

namespace {

QPainterPath litOutline(const LedGridFit& fit, int style, int caption) {
    QPainterPath path;
    if (style == kLedTypeDots) {
        const double r = fit.dotRadius();
        for (int row = 0; row < kLedDotRows; ++row) {
            for (int column = 0; column < kLedDotColumns; ++column) {
                if (!ledDotLit(caption, row, column)) {
                    continue;
                }
                const LedPoint c = fit.dotCentre(row, column);
                if (fit.squareDots()) {
                    path.addRect(QRectF(c.x - r, c.y - r, 2 * r, 2 * r));
                } else {
                    path.addEllipse(QPointF(c.x, c.y), r, r);
                }
            }
        }
        return path;
    }
    for (int s = 0; s < kLedSegmentCount; ++s) {
        const auto segment = static_cast<LedSegment>(s);
        if (!ledSegmentLit(caption, segment)) {
            continue;
        }
        QPolygonF polygon;
        for (const LedPoint& corner : ledSegmentPolygon(segment)) {
            const LedPoint p = fit.map(corner);
            polygon << QPointF(p.x, p.y);
        }
        path.addPolygon(polygon);
        path.closeSubpath();
    }
    return path;
}

} // namespace

QImage renderLedDigit(const LedImageKey& key) {
    const qreal dpr = (key.devicePixelRatio > 0 && std::isfinite(key.devicePixelRatio)) ? key.devicePixelRatio : 1.0;
    const QSize device(std::max(1, qRound(key.pixels.width() * dpr)), std::max(1, qRound(key.pixels.height() * dpr)));
    // An opaque picture is stored without alpha: it then copies straight onto an opaque window's backing store
    // instead of being converted pixel by pixel.
    const bool opaque = qAlpha(key.back) == 255;
    QImage image(device, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor::fromRgba(key.back));
    if (ledSegmentMask(key.caption) != 0U) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        // Fitted in device pixels, so bar edges stay on whole pixels on a scaled screen as well.
        painter.fillPath(litOutline(LedGridFit(device.width(), device.height()), key.style, key.caption),
                         QColor::fromRgba(key.lit));
    }
    image.setDevicePixelRatio(dpr);
    return image;
}

LedImageCache& LedImageCache::instance() {
    static LedImageCache cache;
    return cache;
}

QImage LedImageCache::image(const LedImageKey& key) {
    ++m_clock;
    auto it = m_entries.find(key);
    if (it != m_entries.end()) {
        it->lastUse = m_clock;
        return it->image;
    }
    QImage image = renderLedDigit(key);
    m_bytes += image.sizeInBytes();
    m_entries.insert(key, Entry{image, m_clock});
    evictBeyondBudget();
    return image;
}

void LedImageCache::setBudget(qint64 bytes) {
    m_budget = std::max<qint64>(0, bytes);
    evictBeyondBudget();
}

void LedImageCache::clear() {
    m_entries.clear();
    m_bytes = 0;
}

void LedImageCache::evictBeyondBudget() {
    // The picture just made is the newest and stays, even when it alone is over budget.
    while (m_bytes > m_budget && m_entries.size() > 1) {
        auto oldest = m_entries.begin();
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it->lastUse < oldest->lastUse) {
                oldest = it;
            }
        }
        m_bytes -= oldest->image.sizeInBytes();
        m_entries.erase(oldest);
    }
}
