#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

// Headless runs of the program against the emulated mouse, driven by a script, with what reached
// the mouse read back from the HID trace. Every run uses this object's own data folder, filled
// from the build folder's modules/ and filled afresh by restore().
class SceneRun
{
public:
    struct Result
    {
        int status = -1;
        QString err;
        // In order: command blocks, unscrambled, as "c: 11 08 00 00 00 00 00", and data phases
        // as "d: 00 09 0f …" (report ID first).
        QStringList sent;

        // The command blocks whose command byte is `code` ("11"), or all of them.
        QStringList commands(const QString &code = {}) const;
        QStringList data() const;
    };

    SceneRun();
    bool isValid() const;
    QString binaryDir() const { return m_binaryDir; }
    // A runtime file of the data folder: "setting/p1.bin".
    QString file(const QString &relative) const;

    // Empties the data folder and fills it again with the shipped files.
    void restore();
    Result run(const QByteArray &script);

    // Script lines that wait for the pages and the opening animation, then define
    // check(ok, what) and press(name, …), which clicks each item or fails the run.
    static QByteArray prologue();
    // The prologue, then page `index` shown through the function menu.
    static QByteArray showPage(int index);

private:
    QString m_binaryDir;
    QTemporaryDir m_tmp; // the script, the trace and the data folder
};
