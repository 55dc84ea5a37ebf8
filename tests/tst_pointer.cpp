// GIO first: its headers use "signals" as a member name, which Qt's keyword would replace.
#include <gio/gio.h>

#include "bridge/desktop/GnomePointerSettings.h"
#include "bridge/desktop/KdePointerSettings.h"
#include "bridge/desktop/PointerSteps.h"
#include "bridge/myQQuickView.h"
#include "support/RecordingPointerSettings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString cursorKey = QStringLiteral("sensor/cursorSpeed_V7");

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// A fresh handle on GNOME's mouse schema, to see what the program wrote.
struct GnomeMouse
{
    GSettings *settings = nullptr;
    GnomeMouse()
    {
        if (GSettingsSchemaSource *source = g_settings_schema_source_get_default())
            if (GSettingsSchema *schema =
                    g_settings_schema_source_lookup(source, GnomePointerSettings::schemaId, TRUE)) {
                settings = g_settings_new_full(schema, nullptr, nullptr);
                g_settings_schema_unref(schema);
            }
    }
    ~GnomeMouse()
    {
        if (settings)
            g_object_unref(settings);
    }
    double speed() const { return g_settings_get_double(settings, "speed"); }
    int doubleClick() const { return g_settings_get_int(settings, "double-click"); }
    QString accelProfile() const
    {
        gchar *p = g_settings_get_string(settings, "accel-profile");
        const QString result = QString::fromUtf8(p);
        g_free(p);
        return result;
    }
};

} // namespace

// The page's steps go into the current profile first and then, converted, to the desktop. Runs
// from the build directory; the profile files it touches are put back afterwards.
class tst_Pointer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void stepsAreStoredAndConverted_data();
    void stepsAreStoredAndConverted();
    void refusedActionKeepsTheStoredStep_data();
    void refusedActionKeepsTheStoredStep();
    void missingStepReadsZero();
    void accelerationKeepsThresholds();
    void accelerationFailures();
    void desktopIsChosenFromEnvironment_data();
    void desktopIsChosenFromEnvironment();
    void gnomeValuesThroughGSettings_data();
    void gnomeValuesThroughGSettings();
    void gnomeRefusesWhatItCannotTake();
    void gnomeAcceleration();
    void kdeGlobalsKeepsOtherLines();
    void kdeGlobalsCreatedWhenMissing();
    void kdeGlobalsImmutableEntryRefused();

private:
    std::unique_ptr<myQQuickView> m_view;
    RecordingPointerSettings *m_fake = nullptr;
    QMap<QString, QByteArray> m_savedProfiles;
    QStringList m_missingProfiles;
};

void tst_Pointer::initTestCase()
{
    QVERIFY2(QDir(QStringLiteral("./modules/setting")).exists(), "run from the build directory");
    for (int n = 1; n <= 10; ++n) {
        const QString path = QStringLiteral("./modules/setting/p%1.bin").arg(n);
        if (QFile::exists(path))
            m_savedProfiles.insert(path, readAll(path));
        else
            m_missingProfiles.append(path);
    }
    m_view = std::make_unique<myQQuickView>();
}

void tst_Pointer::init()
{
    auto fake = std::make_unique<RecordingPointerSettings>();
    m_fake = fake.get();
    m_view->setPointerSettings(std::move(fake));
}

void tst_Pointer::cleanupTestCase()
{
    m_view.reset(); // writes the profiles back before they are restored
    for (auto it = m_savedProfiles.cbegin(); it != m_savedProfiles.cend(); ++it)
        writeAll(it.key(), it.value());
    for (const QString &path : std::as_const(m_missingProfiles))
        QFile::remove(path);
}

void tst_Pointer::stepsAreStoredAndConverted_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<uint>("step");
    QTest::addColumn<QString>("sent");
    QTest::newRow("speed 0") << "speed" << 0u << "speed 1";
    QTest::newRow("speed 1") << "speed" << 1u << "speed 2";
    QTest::newRow("speed 5") << "speed" << 5u << "speed 10";
    QTest::newRow("speed 10") << "speed" << 10u << "speed 20";
    QTest::newRow("lines 0") << "lines" << 0u << "lines 1";
    QTest::newRow("lines 2") << "lines" << 2u << "lines 3";
    QTest::newRow("lines 10") << "lines" << 10u << "lines 11";
    QTest::newRow("double-click 0") << "doubleClick" << 0u << "doubleClick 900";
    QTest::newRow("double-click 5") << "doubleClick" << 5u << "doubleClick 550";
    QTest::newRow("double-click 10") << "doubleClick" << 10u << "doubleClick 200";
}

void tst_Pointer::stepsAreStoredAndConverted()
{
    QFETCH(QString, setting);
    QFETCH(uint, step);
    QFETCH(QString, sent);
    uint stored = 0;
    QString key;
    if (setting == QLatin1String("speed")) {
        m_view->setCursorSpeed(step);
        stored = m_view->getCursorSpeed();
        key = cursorKey;
    } else if (setting == QLatin1String("lines")) {
        m_view->setVerticalScrollLines(step);
        stored = m_view->getVerticalScrollLines();
        key = QStringLiteral("sensor/verticalScrollLines_V7");
    } else {
        m_view->setDoubleClickSpeed(step);
        stored = m_view->getDoubleClickSpeed();
        key = QStringLiteral("sensor/doubleClickSpeed_V7");
    }
    QCOMPARE(m_fake->calls, QStringList{sent});
    QCOMPARE(stored, step);
    // The step, not the converted value, is what the profile keeps.
    QCOMPARE(m_view->currentProfile().value(key).toUInt(), step);
}

void tst_Pointer::refusedActionKeepsTheStoredStep_data()
{
    QTest::addColumn<QString>("setting");
    QTest::newRow("speed") << "speed";
    QTest::newRow("lines") << "lines";
    QTest::newRow("double-click") << "doubleClick";
}

void tst_Pointer::refusedActionKeepsTheStoredStep()
{
    QFETCH(QString, setting);
    m_fake->refuse = true;
    if (setting == QLatin1String("speed")) {
        QTest::ignoreMessage(QtDebugMsg, "setCursorSpeed Failed");
        m_view->setCursorSpeed(7);
        QCOMPARE(m_view->getCursorSpeed(), 7u);
    } else if (setting == QLatin1String("lines")) {
        QTest::ignoreMessage(QtDebugMsg, "setVerticalScrollLines Failed");
        m_view->setVerticalScrollLines(4);
        QCOMPARE(m_view->getVerticalScrollLines(), 4u);
    } else {
        QTest::ignoreMessage(QtDebugMsg, "setDoubleClickSpeed Failed");
        m_view->setDoubleClickSpeed(3);
        QCOMPARE(m_view->getDoubleClickSpeed(), 3u);
    }
    QCOMPARE(m_fake->calls.size(), 1);
}

void tst_Pointer::missingStepReadsZero()
{
    m_view->currentProfile().remove(cursorKey);
    QCOMPARE(m_view->getCursorSpeed(), 0u);
    // Whatever the desktop uses: only the profile is asked.
    QVERIFY(m_fake->calls.isEmpty());
}

void tst_Pointer::accelerationKeepsThresholds()
{
    m_fake->mouse = {3, 7, 0};
    QVERIFY(!m_view->getAcceleration());
    m_view->setAcceleration(true);
    QVERIFY(m_view->getAcceleration());
    m_view->setAcceleration(false);
    QCOMPARE(m_fake->calls,
             (QStringList{QStringLiteral("getMouse"), QStringLiteral("getMouse"),
                          QStringLiteral("setMouse 3 7 1"), QStringLiteral("getMouse"),
                          QStringLiteral("getMouse"), QStringLiteral("setMouse 3 7 0")}));
}

void tst_Pointer::accelerationFailures()
{
    m_fake->refuse = true;
    QTest::ignoreMessage(QtDebugMsg, "setAcceleration Failed");
    m_view->setAcceleration(true);
    // A failed read never writes an array it did not get.
    QCOMPARE(m_fake->calls, QStringList{QStringLiteral("getMouse")});
    QTest::ignoreMessage(QtDebugMsg, "getAcceleration Failed");
    QVERIFY(!m_view->getAcceleration());
}

void tst_Pointer::desktopIsChosenFromEnvironment_data()
{
    QTest::addColumn<QByteArray>("desktop");
    QTest::addColumn<QString>("backend");
    QTest::newRow("gnome") << QByteArray("GNOME") << "gnome";
    QTest::newRow("ubuntu") << QByteArray("ubuntu:GNOME") << "gnome";
    QTest::newRow("plasma") << QByteArray("KDE") << "kde";
    QTest::newRow("xfce") << QByteArray("XFCE") << "none";
    QTest::newRow("unset") << QByteArray() << "none";
}

void tst_Pointer::desktopIsChosenFromEnvironment()
{
    QFETCH(QByteArray, desktop);
    QFETCH(QString, backend);
    const QByteArray saved = qgetenv("XDG_CURRENT_DESKTOP");
    qputenv("XDG_CURRENT_DESKTOP", desktop);
    const std::unique_ptr<PointerSettings> settings = PointerSettings::forDesktop();
    qputenv("XDG_CURRENT_DESKTOP", saved);
    QString found = QStringLiteral("none");
    if (dynamic_cast<GnomePointerSettings *>(settings.get()))
        found = QStringLiteral("gnome");
    else if (dynamic_cast<KdePointerSettings *>(settings.get()))
        found = QStringLiteral("kde");
    QCOMPARE(found, backend);
}

void tst_Pointer::gnomeValuesThroughGSettings_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<uint>("step");
    QTest::addColumn<double>("expected");
    QTest::newRow("speed 0") << "speed" << 0u << -0.9;
    QTest::newRow("speed 5") << "speed" << 5u << 0.0;
    QTest::newRow("speed 7") << "speed" << 7u << 0.4;
    QTest::newRow("speed 10") << "speed" << 10u << 1.0;
    QTest::newRow("double-click 0") << "doubleClick" << 0u << 900.0;
    QTest::newRow("double-click 5") << "doubleClick" << 5u << 550.0;
    QTest::newRow("double-click 10") << "doubleClick" << 10u << 200.0;
}

void tst_Pointer::gnomeValuesThroughGSettings()
{
    QFETCH(QString, setting);
    QFETCH(uint, step);
    QFETCH(double, expected);
    GnomeMouse mouse;
    if (!mouse.settings)
        QSKIP("GNOME's mouse schema is not installed");
    // The view picks the backend of the running desktop (GNOME here) on first use.
    m_view->setPointerSettings(nullptr);
    if (setting == QLatin1String("speed")) {
        m_view->setCursorSpeed(step);
        QVERIFY(qAbs(mouse.speed() - expected) < 1e-9);
    } else {
        m_view->setDoubleClickSpeed(step);
        QCOMPARE(mouse.doubleClick(), int(expected));
    }
}

void tst_Pointer::gnomeRefusesWhatItCannotTake()
{
    GnomeMouse mouse;
    if (!mouse.settings)
        QSKIP("GNOME's mouse schema is not installed");
    m_view->setPointerSettings(std::make_unique<GnomePointerSettings>());
    QTest::ignoreMessage(QtDebugMsg, "setVerticalScrollLines Failed");
    m_view->setVerticalScrollLines(2);
    QCOMPARE(m_view->getVerticalScrollLines(), 2u);

    // Step 13 wraps around below zero; the desktop must not get a nonsense time.
    m_view->setDoubleClickSpeed(5);
    QTest::ignoreMessage(QtDebugMsg, "setDoubleClickSpeed Failed");
    m_view->setDoubleClickSpeed(13);
    QCOMPARE(mouse.doubleClick(), 550);
    QCOMPARE(m_view->getDoubleClickSpeed(), 13u);

    // Beyond GNOME's range.
    m_view->setCursorSpeed(10);
    QTest::ignoreMessage(QtDebugMsg, "setCursorSpeed Failed");
    m_view->setCursorSpeed(11);
    QVERIFY(qAbs(mouse.speed() - 1.0) < 1e-9);
}

void tst_Pointer::gnomeAcceleration()
{
    GnomeMouse mouse;
    if (!mouse.settings)
        QSKIP("GNOME's mouse schema is not installed");
    m_view->setPointerSettings(std::make_unique<GnomePointerSettings>());
    m_view->setAcceleration(false);
    QCOMPARE(mouse.accelProfile(), QStringLiteral("flat"));
    QVERIFY(!m_view->getAcceleration());
    m_view->setAcceleration(true);
    QCOMPARE(mouse.accelProfile(), QStringLiteral("default"));
    QVERIFY(m_view->getAcceleration());

    // A profile that already accelerates is the user's choice and stays.
    g_settings_set_string(mouse.settings, "accel-profile", "adaptive");
    m_view->setAcceleration(true);
    QCOMPARE(mouse.accelProfile(), QStringLiteral("adaptive"));

    PointerSettings::MouseArray array{};
    GnomePointerSettings gnome;
    QVERIFY(gnome.getMouse(array));
    QCOMPARE(array, (PointerSettings::MouseArray{6, 10, 1}));
}

void tst_Pointer::kdeGlobalsKeepsOtherLines()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("kdeglobals"));
    writeAll(path, "[General]\nColorScheme=Breeze\n\n[KDE]\nSingleClick=false\n"
                   "WheelScrollLines=3\n\n[WM]\nactiveFont=Noto Sans,10,-1,5,50,0\n");
    KdePointerSettings kde(path, false);
    QVERIFY(kde.setWheelScrollLines(5));
    QVERIFY(kde.setDoubleClickTime(550));
    QCOMPARE(readAll(path), QByteArray("[General]\nColorScheme=Breeze\n\n[KDE]\nSingleClick=false\n"
                                       "WheelScrollLines=5\nDoubleClickInterval=550\n\n[WM]\n"
                                       "activeFont=Noto Sans,10,-1,5,50,0\n"));
    QVERIFY(!kde.setMouseSpeed(10));
    PointerSettings::MouseArray array{};
    QVERIFY(!kde.getMouse(array));
    // Out of range values never reach the file.
    QVERIFY(!kde.setDoubleClickTime(PointerSteps::doubleClickMs(13)));
}

void tst_Pointer::kdeGlobalsCreatedWhenMissing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("kdeglobals"));
    KdePointerSettings kde(path, false);
    QVERIFY(kde.setWheelScrollLines(1));
    QCOMPARE(readAll(path), QByteArray("[KDE]\nWheelScrollLines=1\n"));
}

void tst_Pointer::kdeGlobalsImmutableEntryRefused()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("kdeglobals"));
    const QByteArray locked("[KDE]\nWheelScrollLines[$i]=3\n");
    writeAll(path, locked);
    KdePointerSettings kde(path, false);
    QVERIFY(!kde.setWheelScrollLines(5));
    QCOMPARE(readAll(path), locked);
}

int main(int argc, char **argv)
{
    // Before anything touches GIO: GNOME values go to an in-memory store, never the user's.
    qputenv("GSETTINGS_BACKEND", "memory");
    qputenv("XDG_CURRENT_DESKTOP", "GNOME");
    QApplication app(argc, argv);
    tst_Pointer test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pointer.moc"
