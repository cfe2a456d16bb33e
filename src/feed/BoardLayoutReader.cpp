#include "BoardLayoutReader.h"
#include "core/display/LayoutScaling.h"
#include "display/BoardControls.h"
#include "display/BoardView.h"
#include "display/LedDigit.h"
#include <QCoreApplication>
#include <QHash>

namespace {

OleColor ole(const QColor& c) {
    return toOleColor(c);
}

LayoutAlign alignOf(Qt::Alignment a) {
    if (a & Qt::AlignRight) {
        return LayoutAlign::Right;
    }
    if (a & Qt::AlignHCenter) {
        return LayoutAlign::Center;
    }
    return LayoutAlign::Left;
}

} // namespace

BoardLayout readBoardLayout(const BoardView& board) {
    const layout_scaling::LayoutTable& table = board.layoutTable();
    BoardLayout layout;
    layout.origWidth = table.origWidth;
    layout.origHeight = table.origHeight;
    layout.frameWidth = layout_scaling::roundHalfEven(board.outerWidthTwips() - board.layoutWidthTwips());
    layout.frameHeight = layout_scaling::roundHalfEven(board.outerHeightTwips() - board.layoutHeightTwips());
    layout.lostText = QCoreApplication::translate("BoardFeed", "Connection lost").toStdString();
    const std::vector<BoardControlRef>& controls = board.controls();
    QHash<int, const layout_scaling::LayoutEntry*> recorded;
    for (const layout_scaling::LayoutEntry& e : table.entries) {
        recorded.insert(e.control, &e);
    }
    QHash<const QWidget*, int> index;
    QHash<QString, int> elements;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const BoardControlRef& ref = controls[i];
        index.insert(ref.widget, static_cast<int>(i));
        LayoutControl c;
        c.name = ref.name.toStdString();
        c.element = elements[ref.name]++;
        c.parent = index.value(ref.widget->parentWidget(), -1);
        c.hidden = ref.widget->isHidden();
        if (const layout_scaling::LayoutEntry* e = recorded.value(static_cast<int>(i), nullptr)) {
            c.left = e->left;
            c.top = e->top;
            c.width = e->width;
            c.height = e->height;
            c.size = e->size;
            c.borderWidth = e->borderWidth;
            c.fontPoints = e->fontSize;
            c.textWidth = e->textWidth;
        } else {
            // Not recorded (an empty click area): nothing to draw.
            c.hidden = true;
        }
        if (ref.name.startsWith(QLatin1String("PlayerT"))) {
            // Shown or not by the game (the page decides from the state), there only while the option is on.
            c.hidden = !board.showsPlayerNumbers();
        }
        if (ref.typeName == QLatin1String("Lumidig")) {
            const auto* d = static_cast<const LedDigit*>(ref.widget);
            c.type = LayoutControlType::Digit;
            c.lit = ole(d->litColor());
            c.back = ole(d->backColor());
        } else if (ref.typeName == QLatin1String("Shape")) {
            const auto* s = static_cast<const ShapeControl*>(ref.widget);
            c.type = LayoutControlType::Shape;
            c.border = ole(s->borderColor());
            if (s->filled()) {
                c.fill = ole(s->fillColor());
            }
            c.kind = s->kind() == ShapeControl::Kind::Oval     ? LayoutShapeKind::Oval
                     : s->kind() == ShapeControl::Kind::Circle ? LayoutShapeKind::Circle
                                                               : LayoutShapeKind::Rectangle;
        } else if (ref.typeName == QLatin1String("Label")) {
            const auto* l = static_cast<const LabelControl*>(ref.widget);
            c.type = LayoutControlType::Label;
            c.text = l->text().toStdString();
            c.bold = l->font().bold();
            c.family = l->font().family().toStdString();
            c.align = alignOf(l->alignment());
            c.alignTop = (l->alignment() & Qt::AlignTop) != 0;
            c.fore = ole(l->foreColor());
        } else if (ref.typeName == QLatin1String("PictureBox")) {
            c.type = LayoutControlType::Box;
            c.back = ole(static_cast<const PictureBoxControl*>(ref.widget)->backColor());
        } else {
            c.hidden = true;
        }
        layout.controls.push_back(std::move(c));
    }
    return layout;
}
