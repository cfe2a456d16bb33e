#include "FeedNotice.h"
#include <QCoreApplication>
#include <QDebug>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

void FeedNotice::tell(const QString& text) {
    if (m_told.contains(text)) {
        return;
    }
    m_told.insert(text);
    qWarning().noquote() << text;
    if (m_show) {
        m_show(text);
    }
}

void showFeedNoticeOver(QWidget* board, const QString& text) {
    // A panel inside the board window rather than a window of its own: no window system can hand it the
    // keyboard. Further problems are added to the panel already standing.
    auto* notice = board->findChild<QFrame*>(QStringLiteral("feedNotice"), Qt::FindDirectChildrenOnly);
    QLabel* label = nullptr;
    if (notice == nullptr) {
        notice = new QFrame(board);
        notice->setObjectName(QStringLiteral("feedNotice"));
        notice->setFrameShape(QFrame::Box);
        notice->setAutoFillBackground(true);
        QPalette palette = notice->palette();
        palette.setColor(QPalette::Window, QColor(255, 255, 225));
        palette.setColor(QPalette::WindowText, Qt::black);
        palette.setColor(QPalette::ButtonText, Qt::black);
        notice->setPalette(palette);
        notice->setFocusPolicy(Qt::NoFocus);
        auto* layout = new QHBoxLayout(notice);
        label = new QLabel(notice);
        label->setObjectName(QStringLiteral("feedNoticeText"));
        // What it says can hold an address or a folder name as the user typed them: never read as markup.
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setFocusPolicy(Qt::NoFocus);
        auto* ok = new QPushButton(QCoreApplication::translate("FeedNotice", "OK"), notice);
        ok->setFocusPolicy(Qt::NoFocus);
        QObject::connect(ok, &QPushButton::clicked, notice, &QObject::deleteLater);
        layout->addWidget(label, 1);
        layout->addWidget(ok, 0, Qt::AlignTop);
    } else {
        label = notice->findChild<QLabel*>(QStringLiteral("feedNoticeText"));
    }
    label->setText(label->text().isEmpty() ? text : label->text() + QLatin1Char('\n') + text);
    const int margin = 8;
    const int width = std::max(200, std::min(board->width() - 2 * margin, 640));
    notice->setFixedWidth(width);
    notice->adjustSize();
    // Along the bottom edge, clear of the game clock and the scores.
    notice->move((board->width() - width) / 2, std::max(0, board->height() - notice->height() - margin));
    notice->raise();
    notice->show();
}
