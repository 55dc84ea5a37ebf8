// GIO first: its headers use "signals" as a member name, which Qt's keyword would replace.
#include <gio/gio.h>

#include "bridge/desktop/GnomePointerSettings.h"
#include "bridge/desktop/KdePointerSettings.h"
#include "bridge/desktop/PointerSteps.h"
#include "bridge/myQQuickView.h"
#include "support/FileBackup.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

// The sensor page's pointer steps go into the current profile and then, converted, to the
// desktop: GNOME through GSettings (an in-memory store here), KDE through kdeglobals.

namespace {

// Records every pointer action as one line ("speed 10", "getMouse", "setMouse 6 10 1");
// refuses them all while `refuse` is set.
class RecordingPointerSettings final : public PointerSettings
{
public:
    QStringList calls;
    bool refuse = false;
    MouseArray mouse{6, 10, 0};

    bool setMouseSpeed(unsigned v) override { return record("speed", v); }
    bool setWheelScrollLines(unsigned v) override { return record("lines", v); }
    bool setDoubleClickTime(unsigned v) override { return record("doubleClick", v); }
    bool getMouse(MouseArray &out) override
    {
        out = refuse ? out : mouse;
        return record("getMouse");
    }
    bool setMouse(const MouseArray &in) override
    {
        mouse = refuse ? mouse : in;
        return record(QStringLiteral("setMouse %1 %2").arg(in[0]).arg(in[1]), in[2]);
    }

private:
    bool record(const QString &call, std::optional<unsigned> value = {})
    {
        calls.append(value ? QStringLiteral("%1 %2").arg(call).arg(*value) : call);
        return !refuse;
    }
};

// A fresh handle on GNOME's mouse schema, to see what the program wrote.
struct GnomeMouse
{
    GSettings *settings = nullptr;
    GnomeMouse()
    {
        GSettingsSchemaSource *source = g_settings_schema_source_get_default();
        g_autoptr(GSettingsSchema) schema =
            source ? g_settings_schema_source_lookup(source, GnomePointerSettings::schemaId, TRUE)
                   : nullptr;
        if (schema)
            settings = g_settings_new_full(schema, nullptr, nullptr);
    }
    ~GnomeMouse() { g_clear_object(&settings); }
    double speed() const { return g_settings_get_double(settings, "speed"); }
    int doubleClick() const { return g_settings_get_int(settings, "double-click"); }
    QString accelProfile() const
    {
        g_autofree gchar *profile = g_settings_get_string(settings, "accel-profile");
        return QString::fromUtf8(profile);
    }
};

} // namespace

class tst_Pointer : public QObject
{
    Q_OBJECT

    FileBackup m_profiles{QStringLiteral("./modules/setting")};
    std::unique_ptr<myQQuickView> m_view;
    RecordingPointerSettings *m_fake = nullptr;

private slots:
    void init()
    {
        m_view = std::make_unique<myQQuickView>();
        auto fake = std::make_unique<RecordingPointerSettings>();
        m_fake = fake.get();
        m_view->setPointerSettings(std::move(fake));
    }
    void cleanup()
    {
        m_view.reset();
        m_profiles.restore();
    }

    // The step is what the profile keeps, also when the desktop refuses the converted value.
    void stepsAreStoredAndConverted_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("key");
        QTest::addColumn<uint>("step");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<QString>("sent");
        const std::tuple<int, uint, bool, const char *> rows[] = {
            {0, 0, false, "speed 1"},          {0, 1, false, "speed 2"},
            {0, 10, false, "speed 20"},        {1, 0, false, "lines 1"},
            {1, 10, false, "lines 11"},        {2, 0, false, "doubleClick 900"},
            {2, 10, false, "doubleClick 200"}, {0, 7, true, "speed 14"},
            {1, 4, true, "lines 5"},           {2, 3, true, "doubleClick 690"}};
        const std::pair<const char *, const char *> settings[] = {
            {"CursorSpeed", "sensor/cursorSpeed_V7"},
            {"VerticalScrollLines", "sensor/verticalScrollLines_V7"},
            {"DoubleClickSpeed", "sensor/doubleClickSpeed_V7"}};
        for (const auto &[setting, step, refuse, sent] : rows) {
            const auto [name, key] = settings[setting];
            QTest::addRow("%s %u%s", name, step, refuse ? " refused" : "")
                << QString::fromLatin1(name) << QString::fromLatin1(key) << step << refuse
                << QString::fromLatin1(sent);
        }
    }
    void stepsAreStoredAndConverted()
    {
        QFETCH(QString, setting);
        QFETCH(QString, key);
        QFETCH(uint, step);
        QFETCH(bool, refuse);
        QFETCH(QString, sent);
        m_fake->refuse = refuse;
        if (refuse)
            QTest::ignoreMessage(QtDebugMsg, qPrintable("set" + setting + " Failed"));
        QVERIFY(QMetaObject::invokeMethod(m_view.get(), qPrintable("set" + setting),
                                          Q_ARG(uint, step)));
        uint got = 0;
        QVERIFY(QMetaObject::invokeMethod(m_view.get(), qPrintable("get" + setting),
                                          Q_RETURN_ARG(uint, got)));
        QCOMPARE(m_fake->calls, QStringList{sent});
        QCOMPARE(got, step);
        QCOMPARE(m_view->currentProfile().value(key).toUInt(), step);
    }

    // Acceleration changes only the flag of the desktop's array, and never writes an array it
    // could not read.
    void acceleration()
    {
        m_fake->mouse = {3, 7, 0};
        QVERIFY(!m_view->getAcceleration());
        m_view->setAcceleration(true);
        QVERIFY(m_view->getAcceleration());
        m_view->setAcceleration(false);
        QCOMPARE(m_fake->calls, QStringList({"getMouse", "getMouse", "setMouse 3 7 1", "getMouse",
                                             "getMouse", "setMouse 3 7 0"}));
        m_fake->calls.clear();
        m_fake->refuse = true;
        QTest::ignoreMessage(QtDebugMsg, "setAcceleration Failed");
        m_view->setAcceleration(true);
        QCOMPARE(m_fake->calls, QStringList{"getMouse"});
        QTest::ignoreMessage(QtDebugMsg, "getAcceleration Failed");
        QVERIFY(!m_view->getAcceleration());
    }

    void desktopIsChosenFromEnvironment()
    {
        const auto restore = qScopeGuard([] { qputenv("XDG_CURRENT_DESKTOP", "GNOME"); });
        const auto chosen = [](const char *desktop) {
            qputenv("XDG_CURRENT_DESKTOP", desktop);
            return PointerSettings::forDesktop();
        };
        QVERIFY(dynamic_cast<GnomePointerSettings *>(chosen("ubuntu:GNOME").get()));
        QVERIFY(dynamic_cast<KdePointerSettings *>(chosen("KDE").get()));
        QVERIFY(dynamic_cast<NoPointerSettings *>(chosen("XFCE").get()));
    }

    // The view picks GNOME from the environment on first use and writes its mouse schema;
    // what GNOME cannot take is refused and leaves the value before.
    void gnome()
    {
        GnomeMouse mouse;
        if (!mouse.settings)
            QSKIP("GNOME's mouse schema is not installed");
        m_view->setPointerSettings(nullptr);
        for (const auto &[step, speed] : {std::pair{0u, -0.9}, {5u, 0.0}, {10u, 1.0}}) {
            m_view->setCursorSpeed(step);
            QVERIFY2(qAbs(mouse.speed() - speed) < 1e-9, qPrintable(QString::number(step)));
        }
        QTest::ignoreMessage(QtDebugMsg, "setCursorSpeed Failed");
        m_view->setCursorSpeed(11);
        QVERIFY(qAbs(mouse.speed() - 1.0) < 1e-9);
        // Step 13 wraps around below zero; the desktop must not get a nonsense time.
        m_view->setDoubleClickSpeed(5);
        QTest::ignoreMessage(QtDebugMsg, "setDoubleClickSpeed Failed");
        m_view->setDoubleClickSpeed(13);
        QCOMPARE(mouse.doubleClick(), 550);
        QTest::ignoreMessage(QtDebugMsg, "setVerticalScrollLines Failed");
        m_view->setVerticalScrollLines(2);

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
    }

    // kdeglobals keeps every other line; a locked entry and values out of range are refused.
    void kdeGlobals_data()
    {
        QTest::addColumn<QByteArray>("before"); // empty: no file
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<bool>("ok");
        QTest::newRow("other lines kept")
            << QByteArray("[General]\nColorScheme=Breeze\n\n[KDE]\nSingleClick=false\n"
                          "WheelScrollLines=3\n\n[WM]\nactiveFont=Noto Sans,10,-1,5,50,0\n")
            << QByteArray("[General]\nColorScheme=Breeze\n\n[KDE]\nSingleClick=false\n"
                          "WheelScrollLines=5\nDoubleClickInterval=550\n\n[WM]\n"
                          "activeFont=Noto Sans,10,-1,5,50,0\n")
            << true;
        QTest::newRow("created") << QByteArray()
                                 << QByteArray(
                                        "[KDE]\nWheelScrollLines=5\nDoubleClickInterval=550\n")
                                 << true;
        QTest::newRow("locked") << QByteArray("[KDE]\nWheelScrollLines[$i]=3\n")
                                << QByteArray("[KDE]\nWheelScrollLines[$i]=3\n") << false;
    }
    void kdeGlobals()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(bool, ok);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kdeglobals"));
        if (!before.isEmpty())
            QVERIFY(FileBackup::write(path, before));
        KdePointerSettings kde(path, false);
        QCOMPARE(kde.setWheelScrollLines(5), ok);
        if (ok)
            QVERIFY(kde.setDoubleClickTime(550));
        QVERIFY(!kde.setDoubleClickTime(PointerSteps::doubleClickMs(13)));
        QVERIFY(!kde.setMouseSpeed(10));
        PointerSettings::MouseArray array{};
        QVERIFY(!kde.getMouse(array));
        QCOMPARE(FileBackup::read(path), after);
    }
};

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
