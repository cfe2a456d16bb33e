#pragma once
#include <QSet>
#include <QString>
#include <functional>

class QWidget;

// Tells the operator what is wrong with the feed: on the error output and, through show, on the board's
// screen. Each problem is told once per run, however often it happens.
class FeedNotice {
public:
    using Show = std::function<void(const QString& text)>;
    explicit FeedNotice(Show show = {}) : m_show(std::move(show)) {}

    void tell(const QString& text);

private:
    Show m_show;
    QSet<QString> m_told;
};

// A notice along the bottom of the board that leaves the board in charge: not modal, never taking the
// keyboard, closed with its OK button or left standing while the game goes on.
void showFeedNoticeOver(QWidget* board, const QString& text);
