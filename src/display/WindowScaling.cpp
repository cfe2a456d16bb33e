#include "WindowScaling.h"
#include "display/LedDigit.h"

#include <QFontMetrics>

namespace window_scaling {

using layout_scaling::roundHalfEven;

void recordLayout(LayoutWindow& window, layout_scaling::LayoutTable& table) {
    table = layout_scaling::LayoutTable{};
    table.entries.reserve(window.controls().size() + 1);
    table.origHeight = roundHalfEven(window.layoutHeightTwips());
    table.origWidth = roundHalfEven(window.layoutWidthTwips());
    int index = 0;
    for (const BoardControlRef& c : window.controls()) {
        layout_scaling::LayoutEntry e;
        e.control = index++;
        const QString& type = c.typeName;
        if (type == QLatin1String("Lumidig")) {
            e.size = roundHalfEven(static_cast<const LedDigit*>(c.widget)->ledSize());
        } else if (type == QLatin1String("PictureBox") || type == QLatin1String("Image")) {
            e.height = roundHalfEven(twips::height(c.widget));
            e.width = roundHalfEven(twips::width(c.widget));
        } else if (type == QLatin1String("Label")) {
            e.height = roundHalfEven(twips::height(c.widget));
            e.width = roundHalfEven(twips::width(c.widget));
            const auto* label = static_cast<const LabelControl*>(c.widget);
            e.fontSize = roundHalfEven(label->fontSize());
            e.textWidth = roundHalfEven(
                static_cast<double>(QFontMetrics(label->font()).horizontalAdvance(label->text()) * twips::kPerPixel));
        } else if (type == QLatin1String("Shape")) {
            e.height = roundHalfEven(twips::height(c.widget));
            e.width = roundHalfEven(twips::width(c.widget));
            e.borderWidth = roundHalfEven(static_cast<const ShapeControl*>(c.widget)->borderWidth());
        } else {
            continue;
        }
        e.left = roundHalfEven(twips::left(c.widget));
        e.top = roundHalfEven(twips::top(c.widget));
        table.entries.push_back(e);
    }
}

void stretchLayout(LayoutWindow& window, const layout_scaling::LayoutTable& table) {
    QWidget* w = window.window();
    if (w->isMinimized() || !table.recorded()) {
        return;
    }
    // Hiding a top-level window on every resize would flicker, lose the maximised state and the focus:
    // painting is held back instead, so no half-moved control is ever seen.
    const bool wasEnabled = w->updatesEnabled();
    w->setUpdatesEnabled(false);
    const double width = window.layoutWidthTwips();
    const double height = window.layoutHeightTwips();
    const auto& controls = window.controls();
    for (const layout_scaling::LayoutEntry& e : table.entries) {
        if (e.control < 0 || static_cast<std::size_t>(e.control) >= controls.size()) {
            continue;
        }
        const BoardControlRef& c = controls[static_cast<std::size_t>(e.control)];
        const layout_scaling::StretchedEntry s = layout_scaling::stretch(e, table, width, height);
        if (s.left) {
            twips::setLeft(c.widget, *s.left);
        }
        if (s.top) {
            twips::setTop(c.widget, *s.top);
        }
        if (s.width) {
            twips::setWidth(c.widget, *s.width);
        }
        if (s.height) {
            twips::setHeight(c.widget, *s.height);
        }
        if (s.fontSize) {
            static_cast<LabelControl*>(c.widget)->setFontSize(*s.fontSize);
        }
        if (s.borderWidth) {
            static_cast<ShapeControl*>(c.widget)->setBorderWidth(*s.borderWidth);
        }
        if (s.size) {
            static_cast<LedDigit*>(c.widget)->setSize(*s.size);
        }
    }
    w->setUpdatesEnabled(wasEnabled);
    w->update();
}

void setLedType(LayoutWindow& window, int value) {
    for (const BoardControlRef& c : window.controls()) {
        if (c.typeName == QLatin1String("Lumidig") || c.typeName == QLatin1String("Glowdig") ||
            c.typeName == QLatin1String("Beamdig")) {
            static_cast<LedDigit*>(c.widget)->setLedType(value);
        }
    }
}

} // namespace window_scaling
