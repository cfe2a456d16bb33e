#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "core/settings/Settings.h"
#include "settings/QSettingsStore.h"
#include "settings/SettingsErrorReporter.h"
#include "settings/SettingsSetup.h"

using namespace Qt::StringLiterals;

namespace {

QByteArray fileText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

struct ShownDialog {
    QWidget* parent = nullptr;
    QString title;
    QString text;
};

} // namespace

class TestQSettingsStore : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void roundTrip_data();
    void roundTrip();
    void absentValuesAreAbsent();
    void sectionsAreGroupsOfTheFile();
    void firstRunWritesOnlyTheConvertedKeys();
    void savedSettingsLoadBack();
    void handEditedFile_data();
    void handEditedFile();
    void unwritableStore_data();
    void unwritableStore();
    void failureReachesTheUserOnce();
    void successShowsNothing();
    void realMessageBoxIsAWarning();
    void settingsOption_data();
    void settingsOption();
    void storeChosenByTheCommandLine();
    void programFolderIsNative();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::vector<ShownDialog> m_shown;
};

void TestQSettingsStore::initTestCase() {
    // The user's own store stays out of reach of every test.
    QStandardPaths::setTestModeEnabled(true);
}

void TestQSettingsStore::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_shown.clear();
    setStoreFailureDialog([this](QWidget* parent, const QString& title, const QString& text) {
        m_shown.push_back({parent, title, text});
    });
}

void TestQSettingsStore::cleanup() {
    setStoreFailureDialog({});
    m_dir.reset();
}

void TestQSettingsStore::roundTrip_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("number") << u"ColorSettings"_s << u"BorderColor"_s << u"16777215"_s;
    QTest::newRow("negative number") << u"ColorSettings"_s << u"TimeColor"_s << u"-1"_s;
    QTest::newRow("empty team name") << u"TextSettings"_s << u"HomeText"_s << QString();
    QTest::newRow("comma") << u"TextSettings"_s << u"VisitorText"_s << u"Kärpät, Oulu"_s;
    QTest::newRow("blanks around") << u"TextSettings"_s << u"HomeText"_s << u"  Lions  "_s;
    QTest::newRow("windows path") << u"KeySettings"_s << u"BuzzerFile"_s << u"C:\\Program Files\\RM\\buzzer.wav"_s;
    QTest::newRow("at sign first") << u"TextSettings"_s << u"HomeText"_s << u"@Variant(junk)"_s;
    QTest::newRow("ini syntax") << u"TextSettings"_s << u"HomeText"_s << u"[a]=b;c #d"_s;
    QTest::newRow("quotes") << u"TextSettings"_s << u"VisitorText"_s << u"\"Q\" 'R'"_s;
    QTest::newRow("line break") << u"TextSettings"_s << u"VisitorText"_s << u"Two\nLines"_s;
    QTest::newRow("decimal size") << u"TextSettings"_s << u"TeamSize"_s << u"12.5"_s;
    QTest::newRow("marker") << u"KeySettings"_s << u"IsKeyCode"_s << u"Yes"_s;
}

void TestQSettingsStore::roundTrip() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const QString file = path(u"rt.ini"_s);
    {
        QSettingsStore store(file);
        store.write(section.toStdString(), key.toStdString(), value.toStdString());
        std::string error;
        QVERIFY2(store.flush(&error), error.c_str());
    }
    QSettingsStore again(file);
    const std::optional<std::string> read = again.read(section.toStdString(), key.toStdString());
    QVERIFY(read.has_value());
    QCOMPARE(QString::fromStdString(*read), value);
}

void TestQSettingsStore::absentValuesAreAbsent() {
    QSettingsStore store(path(u"none.ini"_s));
    QVERIFY(!store.read("ColorSettings", "TimeColor").has_value());
    QCOMPARE(store.readText("ColorSettings", "TimeColor", "255"), std::string("255"));
    store.write("ColorSettings", "LEDBack", "0");
    QVERIFY(!store.read("KeySettings", "LEDBack").has_value());
    QCOMPARE(store.read("ColorSettings", "LEDBack").value_or("absent"), std::string("0"));
}

void TestQSettingsStore::sectionsAreGroupsOfTheFile() {
    const QString file = path(u"groups.ini"_s);
    QSettingsStore store(file);
    store.write("ColorSettings", "TimeColor", "255");
    store.write("PicSettings", "LEDType", "1");
    QVERIFY(store.flush(nullptr));
    const QByteArray text = fileText(file);
    QVERIFY2(text.contains("[ColorSettings]\nTimeColor=255\n"), text.constData());
    QVERIFY2(text.contains("[PicSettings]\nLEDType=1\n"), text.constData());
    QCOMPARE(store.location(), QDir::toNativeSeparators(file));
}

void TestQSettingsStore::firstRunWritesOnlyTheConvertedKeys() {
    const QString file = path(u"first.ini"_s);
    {
        QSettingsStore store(file);
        SettingsVariables settings;
        loadSettings(settings, store, "/opt/rm", '/', nullptr);
        QVERIFY(store.flush(nullptr));
        QCOMPARE(settings, defaultSettings("/opt/rm", '/'));
    }
    QSettings written(file, QSettings::IniFormat);
    QCOMPARE(written.childGroups(), QStringList{u"KeySettings"_s});
    written.beginGroup(u"KeySettings"_s);
    QStringList keys = written.childKeys();
    keys.sort();
    QCOMPARE(keys, (QStringList{u"BuzzerKey"_s, u"ClearKey"_s, u"HornKey"_s, u"IsKeyCode"_s, u"ResetClockKey"_s,
                                u"StartStopClockKey"_s}));
    QCOMPARE(written.value(u"StartStopClockKey"_s).toString(), u"83"_s);
    QCOMPARE(written.value(u"IsKeyCode"_s).toString(), u"Yes"_s);
}

void TestQSettingsStore::savedSettingsLoadBack() {
    const QString file = path(u"saved.ini"_s);
    SettingsVariables saved = defaultSettings("/opt/rm", '/');
    saved.HomeText = "Kärpät, Oulu";
    saved.VisitorText = "";
    saved.TeamSize = 125000;
    saved.ScoreColor = 65535;
    saved.StartStopClockKey = 190;
    saved.BuzzerFile = "/home/me/Sounds/buzz ä.wav";
    {
        QSettingsStore store(file);
        store.write("KeySettings", "IsKeyCode", "Yes");
        saveSettings(saved, store);
        QVERIFY(store.flush(nullptr));
    }
    QSettingsStore store(file);
    SettingsVariables loaded;
    loadSettings(loaded, store, "/elsewhere", '/', nullptr);
    QCOMPARE(loaded, saved);
}

void TestQSettingsStore::handEditedFile_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("homeText");
    QTest::addColumn<int>("timeColor");
    QTest::addColumn<qint64>("teamSize");
    QTest::newRow("unquoted comma") << QByteArray("[TextSettings]\nHomeText=Red, White\n") << u"Red, White"_s << 255
                                    << qint64(240000);
    QTest::newRow("not numbers") << QByteArray("[ColorSettings]\nTimeColor=red\n[TextSettings]\nTeamSize=big\n")
                                 << u"Home"_s << 255 << qint64(240000);
    QTest::newRow("blanks around numbers")
        << QByteArray("[ColorSettings]\nTimeColor= 65280 \n[TextSettings]\nTeamSize = 30\n") << u"Home"_s << 65280
        << qint64(300000);
    QTest::newRow("garbage lines") << QByteArray("\x01\x02garbage\n[[[\n=\n[ColorSettings]\nTimeColor=16\n")
                                   << u"Home"_s << 16 << qint64(240000);
    QTest::newRow("binary") << QByteArray("\xff\xfe\x00\x00\xc3\x28", 6) << u"Home"_s << 255 << qint64(240000);
    QTest::newRow("empty file") << QByteArray() << u"Home"_s << 255 << qint64(240000);
}

void TestQSettingsStore::handEditedFile() {
    QFETCH(QByteArray, text);
    QFETCH(QString, homeText);
    QFETCH(int, timeColor);
    QFETCH(qint64, teamSize);
    const QString file = path(u"edited.ini"_s);
    writeFile(file, text);
    QSettingsStore store(file);
    SettingsVariables settings;
    loadSettings(settings, store, "/opt/rm", '/', nullptr);
    QCOMPARE(QString::fromStdString(settings.HomeText), homeText);
    QCOMPARE(settings.TimeColor, timeColor);
    QCOMPARE(settings.TeamSize, teamSize);

    // The next OK in the options dialog writes a clean store over the edited one.
    settings.HomeText = "Lions";
    saveSettings(settings, store);
    QVERIFY(store.flush(nullptr));
    QSettingsStore again(file);
    SettingsVariables reloaded;
    loadSettings(reloaded, again, "/opt/rm", '/', nullptr);
    QCOMPARE(reloaded, settings);
}

void TestQSettingsStore::unwritableStore_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder is a file") << u"under-file"_s;
    QTest::newRow("file is a folder") << u"folder"_s;
    QTest::newRow("read-only file") << u"read-only"_s;
    QTest::newRow("read-only folder") << u"read-only-folder"_s;
}

void TestQSettingsStore::unwritableStore() {
    QFETCH(QString, kind);
    QString file;
    if (kind == u"under-file"_s) {
        writeFile(path(u"plain"_s), "x");
        file = path(u"plain/settings.ini"_s);
    } else if (kind == u"folder"_s) {
        file = path(u"taken"_s);
        QVERIFY(QDir().mkpath(file));
    } else if (kind == u"read-only"_s) {
        file = path(u"ro.ini"_s);
        writeFile(file, "[TextSettings]\nHomeText=Old\n");
        QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadUser);
        if (QFileInfo(file).isWritable())
            QSKIP("this user may write read-only files (root)");
    } else {
        const QString folder = path(u"ro-folder"_s);
        QVERIFY(QDir().mkpath(folder));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        file = folder + u"/settings.ini"_s;
        if (QFileInfo(folder).isWritable())
            QSKIP("this user may write into read-only folders (root)");
    }

    QSettingsStore store(file);
    store.write("TextSettings", "HomeText", "Lions");
    std::string error;
    QVERIFY(!store.flush(&error));
    QVERIFY2(QString::fromStdString(error).contains(QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath())),
             error.c_str());
    // The run goes on with what was set.
    QCOMPARE(store.read("TextSettings", "HomeText").value_or("absent"), std::string("Lions"));
    // Still failing on a second try, and the failure reaches the user.
    QVERIFY(!flushSettingsOrReport(store, nullptr));
    QCOMPARE(m_shown.size(), std::size_t(1));

    // Once the store can be written again, the next flush writes what the run has set.
    if (kind == u"under-file"_s) {
        QVERIFY(QFile::remove(path(u"plain"_s)));
        QVERIFY(QDir().mkpath(path(u"plain"_s)));
    } else if (kind == u"folder"_s) {
        QVERIFY(QDir().rmdir(file));
    } else if (kind == u"read-only"_s) {
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    } else {
        QFile::setPermissions(QFileInfo(file).absolutePath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    store.write("TextSettings", "VisitorText", "Tigers");
    QVERIFY2(store.flush(&error), error.c_str());
    QVERIFY(fileText(file).contains("HomeText=Lions"));
    QVERIFY(fileText(file).contains("VisitorText=Tigers"));
}

void TestQSettingsStore::failureReachesTheUserOnce() {
    InMemorySettingsStore store;
    store.setFlushFailure("The settings file /x/y.ini could not be written.");
    QWidget parent;
    QVERIFY(!flushSettingsOrReport(store, &parent));
    QCOMPARE(m_shown.size(), std::size_t(1));
    QCOMPARE(m_shown[0].parent, &parent);
    QCOMPARE(m_shown[0].title, u"Rinkmaster"_s);
    QVERIFY(m_shown[0].text.contains(u"could not be saved"_s));
    QVERIFY(m_shown[0].text.contains(u"stay in effect for this session"_s));
    QVERIFY(m_shown[0].text.contains(u"/x/y.ini"_s));
}

void TestQSettingsStore::successShowsNothing() {
    InMemorySettingsStore store;
    QVERIFY(flushSettingsOrReport(store, nullptr));
    QSettingsStore fileStore(path(u"ok.ini"_s));
    fileStore.write("PicSettings", "LEDType", "1");
    QVERIFY(flushSettingsOrReport(fileStore, nullptr));
    QVERIFY(m_shown.empty());
}

void TestQSettingsStore::realMessageBoxIsAWarning() {
    setStoreFailureDialog({});
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->accept();
    });
    reportStoreFailure(nullptr, u"The settings file /x/y.ini could not be written."_s);
    QCOMPARE(title, u"Rinkmaster"_s);
    QCOMPARE(icon, QMessageBox::Warning);
    QVERIFY(text.startsWith(u"The settings could not be saved. They stay in effect for this session."_s));
    QVERIFY(text.contains(u"/x/y.ini"_s));
}

void TestQSettingsStore::settingsOption_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("given");
    QTest::addColumn<QString>("file");
    QTest::newRow("absent") << QStringList{u"rinkmaster"_s} << false << QString();
    QTest::newRow("separate") << QStringList{u"rinkmaster"_s, u"--settings"_s, u"/tmp/a.ini"_s} << true
                              << u"/tmp/a.ini"_s;
    QTest::newRow("joined") << QStringList{u"rinkmaster"_s, u"--settings=/tmp/b.ini"_s} << true << u"/tmp/b.ini"_s;
    QTest::newRow("among others") << QStringList{u"rinkmaster"_s, u"-platform"_s, u"xcb"_s, u"--settings"_s, u"c.ini"_s}
                                  << true << u"c.ini"_s;
    QTest::newRow("no file") << QStringList{u"rinkmaster"_s, u"--settings"_s} << true << QString();
    QTest::newRow("empty file") << QStringList{u"rinkmaster"_s, u"--settings="_s} << true << QString();
    QTest::newRow("program name only") << QStringList{u"--settings"_s} << false << QString();
    QTest::newRow("no arguments") << QStringList{} << false << QString();
}

void TestQSettingsStore::settingsOption() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, given);
    QFETCH(QString, file);
    const std::optional<QString> found = settingsFileFromArguments(arguments);
    QCOMPARE(found.has_value(), given);
    if (found)
        QCOMPARE(*found, file);
}

void TestQSettingsStore::storeChosenByTheCommandLine() {
    const QString file = path(u"chosen.ini"_s);
    std::unique_ptr<SettingsStore> store = openSettingsStore({u"rinkmaster"_s, u"--settings"_s, file});
    auto* fileStore = dynamic_cast<QSettingsStore*>(store.get());
    QVERIFY(fileStore);
    QCOMPARE(fileStore->location(), QDir::toNativeSeparators(file));
    store->write("TextSettings", "HomeText", "Lions");
    QVERIFY(store->flush(nullptr));
    QVERIFY(fileText(file).contains("HomeText=Lions"));

    // A forgotten file name never falls through to the user's store.
    std::unique_ptr<SettingsStore> memory = openSettingsStore({u"rinkmaster"_s, u"--settings"_s});
    QVERIFY(dynamic_cast<InMemorySettingsStore*>(memory.get()));

    std::unique_ptr<SettingsStore> native = openSettingsStore({u"rinkmaster"_s});
    auto* nativeStore = dynamic_cast<QSettingsStore*>(native.get());
    QVERIFY(nativeStore);
#ifndef Q_OS_WIN
    QVERIFY2(nativeStore->location().endsWith(u"/Rinkmaster/Rinkmaster.conf"_s), qPrintable(nativeStore->location()));
#endif
}

void TestQSettingsStore::programFolderIsNative() {
    const std::string folder = programFolder();
    QCOMPARE(QString::fromStdString(folder), QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
#ifdef Q_OS_WIN
    QCOMPARE(nativePathSeparator(), '\\');
#else
    QCOMPARE(nativePathSeparator(), '/');
#endif
}

QTEST_MAIN(TestQSettingsStore)
#include "tst_qsettingsstore.moc"
