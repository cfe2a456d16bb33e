#include "WindowScaling.h"
#include "display/LedDigit.h"

#include <QFontMetrics>

namespace WindowScaling {

using LayoutScaling::roundHalfEven;

void RecordLayout(LayoutWindow& window, LayoutScaling::LayoutTable& table) {
    table = LayoutScaling::LayoutTable{};
    table.entries.reserve(window.controls().size() + 1);
    table.OrigHeight = roundHalfEven(window.layoutHeightTwips());
    table.OrigWidth = roundHalfEven(window.layoutWidthTwips());
    int index = 0;
    for (const BoardControlRef& c : window.controls()) {
        LayoutScaling::LayoutEntry e;
        e.control = index++;
        const QString& type = c.typeName;
        if (type == QLatin1String("Lumidig")) {
            e.Size = roundHalfEven(static_cast<const LedDigit*>(c.widget)->Size());
        } else if (type == QLatin1String("PictureBox") || type == QLatin1String("Image")) {
            e.Height = roundHalfEven(twips::height(c.widget));
            e.Width = roundHalfEven(twips::width(c.widget));
        } else if (type == QLatin1String("Label")) {
            e.Height = roundHalfEven(twips::height(c.widget));
            e.Width = roundHalfEven(twips::width(c.widget));
            const auto* label = static_cast<const LabelControl*>(c.widget);
            e.FontSize = roundHalfEven(label->FontSize());
            e.TextWidth = roundHalfEven(
                static_cast<double>(QFontMetrics(label->font()).horizontalAdvance(label->text()) * twips::kPerPixel));
        } else if (type == QLatin1String("Shape")) {
            e.Height = roundHalfEven(twips::height(c.widget));
            e.Width = roundHalfEven(twips::width(c.widget));
            e.BorderWidth = roundHalfEven(static_cast<const ShapeControl*>(c.widget)->BorderWidth());
        } else {
            continue;
        }
        e.Left = roundHalfEven(twips::left(c.widget));
        e.Top = roundHalfEven(twips::top(c.widget));
        table.entries.push_back(e);
    }
}

void StretchLayout(LayoutWindow& window, const LayoutScaling::LayoutTable& table) {
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
    for (const LayoutScaling::LayoutEntry& e : table.entries) {
        if (e.control < 0 || static_cast<std::size_t>(e.control) >= controls.size()) {
            continue;
        }
        const BoardControlRef& c = controls[static_cast<std::size_t>(e.control)];
        const LayoutScaling::StretchedEntry s = LayoutScaling::stretch(e, table, width, height);
        if (s.Left) {
            twips::setLeft(c.widget, *s.Left);
        }
        if (s.Top) {
            twips::setTop(c.widget, *s.Top);
        }
        if (s.Width) {
            twips::setWidth(c.widget, *s.Width);
        }
        if (s.Height) {
            twips::setHeight(c.widget, *s.Height);
        }
        if (s.FontSize) {
            static_cast<LabelControl*>(c.widget)->setFontSize(*s.FontSize);
        }
        if (s.BorderWidth) {
            static_cast<ShapeControl*>(c.widget)->setBorderWidth(*s.BorderWidth);
        }
        if (s.Size) {
            static_cast<LedDigit*>(c.widget)->setSize(*s.Size);
        }
    }
    w->setUpdatesEnabled(wasEnabled);
    w->update();
}

void SetLedType(LayoutWindow& window, int value) {
    for (const BoardControlRef& c : window.controls()) {
        if (c.typeName == QLatin1String("Lumidig") || c.typeName == QLatin1String("Glowdig") ||
            c.typeName == QLatin1String("Beamdig")) {
            static_cast<LedDigit*>(c.widget)->setLedType(value);
        }
    }
}

} // namespace WindowScaling
