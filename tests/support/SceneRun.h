#pragma once

#include "support/FileBackup.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// Headless runs of the program against the emulated mouse, driven by a script, with what reached
// the mouse read back from the HID trace. The runtime files that runs write under the build
// folder's modules/ are put back by restore().
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
    // A runtime file of the build folder: "setting/p1.bin".
    QString file(const QString &relative) const;

    // Puts the runtime files back and removes the profiles and macros that runs created.
    void restore();
    Result run(const QByteArray &script);

    // Script lines that wait for the pages, then show page `index` through the function menu.
    static QByteArray showPage(int index);

private:
    QString m_binaryDir;
    QTemporaryDir m_tmp;
    std::vector<std::unique_ptr<FileBackup>> m_backups;
};
