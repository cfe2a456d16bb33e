// The windows in French and German: the board's fixed captions, the start-up window and the options dialog show
// their translations, and every text fits its box, on the board at its designed size and stretched to 1920x1080.
#include <QtTest>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTranslator>

#include <memory>

#include "BoardFixture.h"
#include "FakeOptionsDialogs.h"
#include "app/SplashWindow.h"
#include "board/BoardWindow.h"
#include "core/settings/SettingsStore.h"
#include "display/BoardControls.h"
#include "settings/OptionsDialog.h"

using namespace Qt::StringLiterals;

namespace {

QRect onBoard(const QWidget* w, const QWidget* board) {
    return QRect(w->mapTo(board, QPoint(0, 0)), w->size());
}

// Installs the translation of one language for as long as it lives; English needs none.
struct Language {
    explicit Language(const QString& code) {
        if (code == QLatin1String("en"))
            return;
        const QString folder = qEnvironmentVariable("RINKMASTER_QM_DIR");
        translator = std::make_unique<QTranslator>();
        loaded = translator->load(QStringLiteral("rinkmaster_") + code, folder);
        if (loaded)
            QCoreApplication::installTranslator(translator.get());
    }
    ~Language() {
        if (translator)
            QCoreApplication::removeTranslator(translator.get());
    }
    std::unique_ptr<QTranslator> translator;
    bool loaded = true;
};

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    void boardCaptions_data();
    void boardCaptions();
    void splashTexts_data() { boardCaptions_data(); }
    void splashTexts();
    void optionsTexts_data() { boardCaptions_data(); }
    void optionsTexts();
};

void TestTranslations::boardCaptions_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("goal");
    QTest::addColumn<QString>("penalty");
    QTest::addColumn<QString>("period");
    QTest::newRow("en") << "en"
                        << "GOAL"
                        << "Penalty"
                        << "Period";
    QTest::newRow("fr") << "fr"
                        << "BUT"
                        << "Pénalité"
                        << "Période";
    QTest::newRow("de") << "de"
                        << "TOR"
                        << "Strafe"
                        << "Drittel";
}

void TestTranslations::boardCaptions() {
    QFETCH(QString, language);
    QFETCH(QString, goal);
    QFETCH(QString, penalty);
    QFETCH(QString, period);
    const Language tr(language);
    QVERIFY2(tr.loaded, "translation not found (RINKMASTER_QM_DIR)");
    BoardFixture f;
    BoardWindow* b = f.board.get();
    f.show();
    QCOMPARE(f.control<LabelControl>(u"lblGoalH"_s)->text(), goal);
    QCOMPARE(f.control<LabelControl>(u"lblGoalV"_s)->text(), goal);
    QCOMPARE(f.control<LabelControl>(u"lblPenaltyH"_s)->text(), penalty);
    QCOMPARE(f.control<LabelControl>(u"lblPenaltyV"_s)->text(), penalty);
    QCOMPARE(f.control<LabelControl>(u"lblPeriod"_s)->text(), period);
    // The team names are what the user typed, in every language.
    QCOMPARE(f.control<LabelControl>(u"lblHome"_s)->text(), QStringLiteral("Home"));

    struct Caption {
        LabelControl* label;
        QList<QWidget*> neighbours;
    };
    const QList<Caption> captions{
        {f.control<LabelControl>(u"lblGoalH"_s),
         {f.control<ShapeControl>(u"shpGoalH"_s), f.control<LabelControl>(u"lblGoalV"_s),
          f.control<ShapeControl>(u"shpGoalV"_s)}},
        {f.control<LabelControl>(u"lblGoalV"_s),
         {f.control<ShapeControl>(u"shpGoalV"_s), f.control<LabelControl>(u"lblGoalH"_s),
          f.control<ShapeControl>(u"shpGoalH"_s)}},
        {f.control<LabelControl>(u"lblPenaltyH"_s),
         {f.controls<ShapeControl>(u"shpPenaltyH"_s)[0], f.controls<ShapeControl>(u"shpPenaltyH"_s)[1],
          f.field("HomeBack"), f.field("PenaltyTH1"), f.field("picGoalBack")}},
        {f.control<LabelControl>(u"lblPenaltyV"_s),
         {f.controls<ShapeControl>(u"shpPenaltyV"_s)[0], f.controls<ShapeControl>(u"shpPenaltyV"_s)[1],
          f.field("VisitorBack"), f.field("PenaltyTV1"), f.field("picGoalBack")}},
        {f.control<LabelControl>(u"lblPeriod"_s),
         {f.field("PeriodBack"), f.field("PenaltyTH1"), f.field("PenaltyTV1"), f.field("PenaltyTH2"),
          f.field("PenaltyTV2")}},
        {f.control<LabelControl>(u"lblCreatedBy"_s),
         {f.control<LabelControl>(u"lblPenaltyH"_s), f.control<LabelControl>(u"lblPenaltyV"_s), f.field("TimeBack"),
          f.control<ShapeControl>(u"shpGoalH"_s), f.control<ShapeControl>(u"shpGoalV"_s)}},
    };
    for (const QSize size : {QSize(), QSize(1920, 1080)}) {
        if (size.isValid()) {
            b->resize(size);
            QCoreApplication::processEvents();
        }
        for (const Caption& c : captions) {
            const QString where = c.label->objectName() + QStringLiteral(" '") + c.label->text() +
                                  QStringLiteral("' at ") + QString::number(b->width()) + QLatin1Char('x') +
                                  QString::number(b->height());
            const QRect box = onBoard(c.label, b);
            QVERIFY2(c.label->fontMetrics().horizontalAdvance(c.label->text()) <= c.label->width(),
                     qPrintable(where + QStringLiteral(" is cut off")));
            QVERIFY2(b->rect().contains(box), qPrintable(where + QStringLiteral(" leaves the board")));
            for (QWidget* n : c.neighbours) {
                QVERIFY2(!box.intersects(onBoard(n, b)),
                         qPrintable(where + QStringLiteral(" overlaps ") + n->objectName()));
            }
        }
    }
}

void TestTranslations::splashTexts() {
    QFETCH(QString, language);
    const Language tr(language);
    SplashWindow splash(SplashServices{});
    QCOMPARE(splash.clickLabel->text().isEmpty(), false);
    if (language != QLatin1String("en"))
        QVERIFY(splash.clickLabel->text() != QStringLiteral("Click to continue."));
    // A hint that does not fit steps its font down; a translation may cost it a pixel, no more.
    for (QLabel* l : {splash.madeByLabel, splash.clickLabel, splash.label1, splash.label2}) {
        QVERIFY2(l->font().pixelSize() >= 10, qPrintable(l->text()));
        QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->width(), qPrintable(l->text()));
    }
}

void TestTranslations::optionsTexts() {
    QFETCH(QString, language);
    const Language tr(language);
    SettingsVariables settings = defaultSettings("/opt/rinkmaster", '/');
    InMemorySettingsStore store;
    FakeOptionsDialogs dialogs;
    OptionsDialog dialog(
        settings, store, [](bool) {}, dialogs);
    dialog.show();
    if (language == QLatin1String("de"))
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Optionen"));

    for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
        // Command buttons wrap their caption: every word fits the width and every line the height.
        QStyleOptionButton option;
        option.initFrom(b);
        option.text = b->text();
        const QRect area = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b);
        const QRect needed =
            b->fontMetrics().boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, b->text());
        QVERIFY2(needed.width() <= area.width() && needed.height() <= b->height(),
                 qPrintable(QStringLiteral("button '%1' needs %2x%3 in %4x%5")
                                .arg(b->text())
                                .arg(needed.width())
                                .arg(needed.height())
                                .arg(b->width())
                                .arg(b->height())));
    }
    for (QRadioButton* r : dialog.findChildren<QRadioButton*>()) {
        const int indicator = r->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) + 4;
        QVERIFY2(indicator + r->fontMetrics().horizontalAdvance(r->text()) <= r->width(), qPrintable(r->text()));
    }
    for (QGroupBox* g : dialog.findChildren<QGroupBox*>())
        QVERIFY2(g->fontMetrics().horizontalAdvance(g->title()) <= g->width(), qPrintable(g->title()));
    for (QLabel* l : dialog.findChildren<QLabel*>()) {
        // The measuring labels of the team-name fit lie outside the dialog and hold team names.
        if (qobject_cast<LabelControl*>(l) || l->text().isEmpty() || l->wordWrap())
            continue;
        QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->width(), qPrintable(l->text()));
    }
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
