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
        // In order, after the start-up reads every run makes: command blocks, unscrambled, as
        // "c: 11 08 08", and data phases as "d: 00 09 0f" (report ID first), trailing zero
        // bytes dropped.
        QStringList sent;
    };

    SceneRun();
    bool isValid() const;
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
