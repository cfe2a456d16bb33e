#include "settings/KeyCaptureDialog.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>

#include "display/BoardControls.h"
#include "input/KeyTranslate.h"

namespace {

void setLabelFont(QLabel* label, const QString& family, double points) {
    QFont font(family);
    font.setPixelSize(twips::pointsToPixels(points));
    label->setFont(font);
}

// The longest prompts need a third line in the label's two-line height: the font steps down a pixel at a
// time until the wrapped text fits, so the end of the prompt is never cut off.
void fitWrappedText(QLabel* label) {
    QFont font = label->font();
    const QRect box(0, 0, label->width(), 100000);
    while (font.pixelSize() > 8 &&
           QFontMetrics(font).boundingRect(box, Qt::TextWordWrap, label->text()).height() > label->height()) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    label->setFont(font);
}

} // namespace

KeyCaptureDialog::KeyCaptureDialog(KeyCaptureExchange& exchange, const WorkingKeys& workingKeys,
                                   std::function<void()> beep, QWidget* parent)
    : QDialog(parent), m_exchange(exchange), m_workingKeys(workingKeys), m_beep(std::move(beep)) {
    setObjectName(QStringLiteral("frmChooseKey"));
    setWindowTitle(tr("Choose Key"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(twips::toPixels(4680), twips::toPixels(2415));
    setFocusPolicy(Qt::StrongFocus);

    chooseLabel = new QLabel(this);
    chooseLabel->setObjectName(QStringLiteral("lblChoose"));
    twips::place(chooseLabel, 120, 120, 4335, 855);
    chooseLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    chooseLabel->setWordWrap(true);
    setLabelFont(chooseLabel, QStringLiteral("Times New Roman"), 18);

    usedLabel = new QLabel(tr("This is not a valid key, please choose another or close this window to return."), this);
    usedLabel->setObjectName(QStringLiteral("lblUsed"));
    twips::place(usedLabel, 60, 1080, 4575, 1215);
    usedLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    usedLabel->setWordWrap(true);
    setLabelFont(usedLabel, QStringLiteral("Arial"), 18);
    QPalette red = usedLabel->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    usedLabel->setPalette(red);
    fitWrappedText(usedLabel);
    usedLabel->hide();

    showPrompt();
}

void KeyCaptureDialog::showPrompt() {
    // The prompt names the command in words the options dialog gave; both are in the user's language.
    const QString command = QCoreApplication::translate("OptionsDialog", m_exchange.keyPrompt.c_str());
    chooseLabel->setText(tr("Press the key you would like to %1.").arg(command));
    fitWrappedText(chooseLabel);
    m_exchange.chosenKey.assign(1, '0');
}

void KeyCaptureDialog::keyPressed(int keyCode) {
    if (captureKeyPress(m_exchange, keyCode, m_workingKeys)) {
        usedLabel->hide();
        accept();
        return;
    }
    usedLabel->show();
    if (m_beep)
        m_beep();
    else
        QApplication::beep();
}

bool KeyCaptureDialog::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // No shortcut of the program may take a key meant for this window.
        event->accept();
        return true;
    case QEvent::KeyPress:
        // Straight to the key handler, before Tab can move the focus or Escape close the window.
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    default:
        return QDialog::event(event);
    }
}

void KeyCaptureDialog::keyPressEvent(QKeyEvent* event) {
    event->accept();
    keyPressed(windowsKeyCode(event));
}
