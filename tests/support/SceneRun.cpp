#include "support/SceneRun.h"

#include "app/DataDir.h"
#include "device/Scrambler.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace {

// Command blocks go out scrambled with the emulated mouse's secrecy code.
QString unscramble(const QString &hex)
{
    static const uint8_t code[8] = {0, '5', '7', '3', '9', '1', '4', 0};
    QByteArray raw = QByteArray::fromHex(hex.toLatin1());
    if (raw.size() != 9)
        return {};
    Scrambler::decrypt(reinterpret_cast<uint8_t *>(raw.data()) + 1, code);
    return raw.mid(1, 7).toHex(' ');
}

} // namespace

SceneRun::SceneRun() : m_binaryDir(qEnvironmentVariable("V7_BINARY_DIR", QDir::currentPath()))
{
    restore();
}

bool SceneRun::isValid() const
{
    return m_tmp.isValid() && QFile::exists(m_binaryDir + QStringLiteral("/v7config"));
}

QString SceneRun::file(const QString &relative) const
{
    return m_tmp.filePath(QStringLiteral("data/modules/")) + relative;
}

void SceneRun::restore()
{
    const QString data = m_tmp.filePath(QStringLiteral("data"));
    QDir(data).removeRecursively();
    // The sources' files, as a build folder's modules/ may hold what earlier runs left there.
    const QString source = qEnvironmentVariable("V7_SOURCE_DIR");
    DataDir::seed((source.isEmpty() ? m_binaryDir : source) + QStringLiteral("/modules"), data);
    // Seeding copies files only; runs expect the empty folders too.
    for (const char *folder : {"macro", "gun"})
        QDir().mkpath(file(QLatin1String(folder)));
}

SceneRun::Result SceneRun::run(const QByteArray &script)
{
    const QString path = m_tmp.filePath(QStringLiteral("scene.js"));
    const QString trace = m_tmp.filePath(QStringLiteral("scene.trace"));
    QFile::remove(trace);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(script);
    f.close();

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("V7_HID_TRACE"));
    env.remove(QStringLiteral("V7_QML_DIR"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(m_tmp.path()); // the program finds its files by its own path
    p.start(m_binaryDir + QStringLiteral("/v7config"),
            {QStringLiteral("--headless"), QStringLiteral("--simulate"),
             QStringLiteral("--hid-trace"), trace, QStringLiteral("--eval"), path,
             QStringLiteral("--data-dir"), m_tmp.filePath(QStringLiteral("data"))});
    Result r;
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        r.err = QStringLiteral("timed out");
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.err = QString::fromUtf8(p.readAllStandardError());
    QFile t(trace);
    if (!t.open(QIODevice::ReadOnly))
        return r;
    static const QRegularExpression line(QStringLiteral("^\\S+ (feature-out|out) 1 cmd (.*)$"));
    static const QRegularExpression zeros(QStringLiteral("( 00)+$"));
    for (const QString &l : QString::fromLatin1(t.readAll()).split(QLatin1Char('\n'))) {
        const auto m = line.match(l);
        if (m.hasMatch())
            r.sent << (m.captured(1) == QLatin1String("out")
                           ? QStringLiteral("d: ") + m.captured(2).remove(zeros)
                           : QStringLiteral("c: ") + unscramble(m.captured(2)).remove(zeros));
    }
    // The start-up reads end with 91H.
    r.sent.remove(0, r.sent.indexOf(QStringLiteral("c: 91")) + 1);
    return r;
}

QByteArray SceneRun::prologue()
{
    return "for (var i = 0; i < 400 && !scene.ready; ++i) wait(50);\n"
           "function check(ok, what) { if (!ok) throw new Error(what); }\n"
           "function press() { for (var i = 0; i < arguments.length; ++i) "
           "check(click(arguments[i]), 'cannot click ' + arguments[i]); }\n";
}

QByteArray SceneRun::showPage(int index)
{
    return prologue() + "press('funcMenu" + QByteArray::number(index) + "');\nwait(600);\n";
}
