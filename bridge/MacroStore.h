#pragma once

#include "platform/DataPaths.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

// The Macro Files: one INI file per macro, "<folder>/<name>.bin". Every name is checked before it
// reaches a path, so nothing outside the folder is ever touched.
class MacroStore
{
public:
    // More lines than any device slot can hold; a file claiming more is cut here.
    static constexpr int kMaxLines = 4096;

    explicit MacroStore(const QString &folder = DataPaths::macros());

    // Path of a macro, or nothing when the name cannot name a file in the folder.
    std::optional<QString> path(const QString &name) const;
    bool exists(const QString &name) const;

    // "Macro. 001", "Macro. 002", ...: the first name without a file. Empty on failure.
    QString create() const;
    bool remove(const QString &name) const;
    QStringList names() const;
    bool rename(const QString &oldName, const QString &newName) const;

    QStringList script(const QString &name) const;
    bool saveScript(const QString &name, const QStringList &lines) const;

    // [index, repeat]; index -1 when the macro was bound on another device kind.
    QVariantList config(const QString &name, int deviceKind) const;
    bool setConfig(const QString &name, const QVariantList &config, int deviceKind) const;
    int boundIndex(const QString &name) const;
    uint repeat(const QString &name) const;

    // The name a file gets when imported: its file name less the last four characters.
    static QString importName(const QString &source);
    // Copies a user's file in under its own name; the name, or empty when refused or failed.
    QString importFile(const QString &source) const;
    bool exportFile(const QString &name, const QString &target) const;

private:
    QString m_folder;
};
