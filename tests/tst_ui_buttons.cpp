// The button assignment page end to end: headless runs that click through the scene, checked by
// the commands that reached the emulated mouse and the files the program left.
#include "device/Scrambler.h"
#include "support/FileBackup.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class tst_UiButtons : public QObject
{
    Q_OBJECT

    QString m_binaryDir;
    QTemporaryDir m_tmp;
    std::unique_ptr<FileBackup> m_settings;
    std::unique_ptr<FileBackup> m_macros;

    struct Run
    {
        int status = -1;
        QString err;
        QStringList sent; // in order: command blocks "c: 13 01 80 ..." and data phases "d: 00 ..."
    };

    static QString unscramble(const QString &hex)
    {
        static const uint8_t code[8] = {0, '5', '7', '3', '9', '1', '4', 0};
        const QByteArray raw = QByteArray::fromHex(hex.toLatin1());
        if (raw.size() != 9)
            return {};
        uint8_t block[8];
        std::copy_n(reinterpret_cast<const uint8_t *>(raw.constData()) + 1, 8, block);
        Scrambler::decrypt(block, code);
        return QByteArray(reinterpret_cast<const char *>(block), 7).toHex(' ');
    }

    // Creates macro "name" with the script A down, A up, shows the button page, runs `body`.
    Run run(const QByteArray &body)
    {
        const QByteArray source = R"(
            var macro = ui_View.createMacroIni();
            ui_View.saveMacroIni(macro, ["A    [Down]", "A      [Up]"]);
            for (var i = 0; i < 200 && !find("pageKeydefine"); ++i) wait(50);
            if (!click("funcMenu0")) throw new Error("no function menu");
            wait(600);
            var page = find("pageKeydefine");
            function pickMacro(button) {
                if (!click("keyButton" + button) || !click("keyType4") || !click("keyMacroList"))
                    throw new Error("macro controls");
                wait(300);
                var item = "keyMacroListItem" + page.macroNames.indexOf(macro);
                if (!click(item)) throw new Error("no " + item);
            }
        )" + body;
        const QString script = m_tmp.filePath("buttons.js");
        const QString trace = m_tmp.filePath("buttons.trace");
        QFile::remove(trace);
        QFile f(script);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(source);
        f.close();
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("V7_HID_TRACE"));
        env.remove(QStringLiteral("V7_QML_DIR"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(m_tmp.path());
        p.start(m_binaryDir + QStringLiteral("/v7config"),
                {"--headless", "--simulate", "--hid-trace", trace, "--eval", script});
        Run r;
        if (!p.waitForFinished(90000)) {
            p.kill();
            p.waitForFinished();
            return r;
        }
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.err = QString::fromUtf8(p.readAllStandardError());
        QFile t(trace);
        if (!t.open(QIODevice::ReadOnly))
            return r;
        static const QRegularExpression line(QStringLiteral("^\\S+ (feature-out|out) 1 cmd (.*)$"));
        for (const QString &l : QString::fromLatin1(t.readAll()).split('\n')) {
            const auto m = line.match(l);
            if (m.hasMatch())
                r.sent << (m.captured(1) == QLatin1String("out")
                               ? "d: " + m.captured(2)
                               : "c: " + unscramble(m.captured(2)));
        }
        return r;
    }

    static int indexOf(const QStringList &sent, const QString &command)
    {
        return int(sent.indexOf("c: " + command));
    }

    // The factory table with button 3 replaced, as the mouse receives it (two reports of 32).
    static QStringList table(const QString &button3)
    {
        return {"d: 00 01 00 f0 00 01 00 f1 00 01 00 f2 00 " + button3 +
                    " 01 00 f4 00 07 00 01 00 07 00 02 00 04 00 01 00",
                "d: 00 04 00 02 00" + QStringLiteral(" 00").repeated(28)};
    }

private slots:
    void initTestCase()
    {
        m_binaryDir = qEnvironmentVariable("V7_BINARY_DIR", QDir::currentPath());
        QVERIFY(QFile::exists(m_binaryDir + "/v7config"));
        QVERIFY(m_tmp.isValid());
        QDir(m_binaryDir).mkpath(QStringLiteral("modules/macro"));
        m_settings = std::make_unique<FileBackup>(m_binaryDir + "/modules/setting");
        m_macros = std::make_unique<FileBackup>(m_binaryDir + "/modules/macro");
    }
    void init()
    {
        m_settings->restore();
        m_macros->restore();
        for (int n = 1; n <= 10; ++n)
            QFile::remove(m_binaryDir + QStringLiteral("/modules/setting/p%1.bin").arg(n));
    }
    void cleanupTestCase()
    {
        m_settings.reset();
        m_macros.reset();
    }

    // The macro goes to the lowest free device slot before the table that plays it; a "no" to
    // the safety question first leaves the left button alone.
    void macroThenTable()
    {
        const Run r = run(R"(
            dialogs.nextAnswer(false);
            if (!click("keyButton0") || !click("keyType8")) throw new Error("off");
            pickMacro(3);
            if (!click("keyApply")) throw new Error("no apply");
            wait(800);
            if (dialogs.shown().length !== 1) throw new Error("questions " + dialogs.shown().length);
            if (ui_View.loadMacroIniConfig(macro).join(",") !== "0,1")
                throw new Error("config " + ui_View.loadMacroIniConfig(macro));
        )");
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const int macro = indexOf(r.sent, "13 01 80 00 00 00 00");
        const int keys = indexOf(r.sent, "12 01 40 08 00 00 00");
        QVERIFY2(macro >= 0 && keys > macro, qPrintable(r.sent.join('\n')));
        // Repeat count 1 in the header, A down, A up, end.
        QCOMPARE(r.sent.at(macro + 1),
                 "d: 00 00 01 01 04 81 04 00 00" + QString(" 00").repeated(24));
        QCOMPARE(r.sent.mid(keys + 1, 2), table("09 00 01 00"));
    }

    // With twelve device slots taken by other buttons nothing is sent or assigned, and the page
    // says why.
    void thirteenthMacroIsRefused()
    {
        const Run r = run(R"(
            var t = [];
            for (var i = 0; i < 64; ++i) t.push(0);
            for (var s = 4; s < 16; ++s) { t[4 * s] = 9; t[4 * s + 2] = s - 3; }
            t[0] = 1; t[2] = 0xF0;
            ui_View.ui_12H_SetKeyMatrix(t);
            page.init();
            pickMacro(3);
            if (find("keyExplanation").text !== page.env.s(313))
                throw new Error("explanation " + find("keyExplanation").text);
            if (!click("keyApply")) throw new Error("no apply");
            wait(800);
        )");
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY2(r.sent.filter(QRegularExpression("^c: 13 ")).isEmpty(),
                 qPrintable(r.sent.join('\n')));
        const int keys = int(r.sent.lastIndexOf("c: 12 01 40 08 00 00 00"));
        QVERIFY(keys >= 0);
        const QString first = "d: 00 01 00 f0 00" + QString(" 00").repeated(12) + " 09 00 01 00";
        QVERIFY2(r.sent.at(keys + 1).startsWith(first), qPrintable(r.sent.at(keys + 1)));
    }
};

QTEST_MAIN(tst_UiButtons)
#include "tst_ui_buttons.moc"
