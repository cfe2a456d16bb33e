#pragma once
#include <QString>
#include <QWidget>
#include <functional>

class QTextBrowser;

// The help viewer: a resizable, modeless window that shows the help file from the program's folder.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // Reads the help file from the program's folder.
    explicit HelpWindow(QWidget* parent = nullptr);
    // Reads the help file from folder instead (tests, or a program laid out differently).
    explicit HelpWindow(const QString& folder, QWidget* parent = nullptr);

    // Opens the program's one help window, creating and loading it when none is open, otherwise raising the open
    // one. The window deletes itself when closed, so the next call reads the file afresh.
    static HelpWindow* showHelp(const QString& folder = QString(), std::function<bool(int)> passKeyOn = {});

    // Offered every key pressed while the help is in front, as its Windows key code; answers whether it took the
    // key (the board's command keys), which the help then leaves alone. Without one the help keeps every key.
    void setKeyPassOn(std::function<bool(int)> passKeyOn) { m_passKeyOn = std::move(passKeyOn); }

    static QString helpFileName();
    static QString helpFilePath(const QString& folder);
    static QString missingFileMessage();

    // The rich-text box that shows the help text.
    QTextBrowser* const rtbHelp;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadHelpText();
    void placeTextBox();
    void applyMinimumSize();

    bool passedOn(QKeyEvent* event);

    QString m_folder;
    std::function<bool(int)> m_passKeyOn;
};
