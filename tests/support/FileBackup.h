#pragma once

#include <QDir>
#include <QFile>
#include <QMap>
#include <QString>

// Keeps the files of a folder as they were, so a test that writes the data folder's files leaves
// them unchanged: files it changed get their old content back, files it created go. Also reads
// and writes whole files for tests.
class FileBackup
{
public:
    explicit FileBackup(const QString &folder) : m_folder(folder)
    {
        for (const QString &name : QDir(folder).entryList(QDir::Files))
            m_files.insert(name, read(path(name)));
    }
    ~FileBackup() { restore(); }
    FileBackup(const FileBackup &) = delete;
    FileBackup &operator=(const FileBackup &) = delete;

    void restore() const
    {
        for (const QString &name : QDir(m_folder).entryList(QDir::Files))
            if (!m_files.contains(name))
                QFile::remove(path(name));
        for (auto it = m_files.cbegin(); it != m_files.cend(); ++it) {
            if (QFile::exists(path(it.key())) && read(path(it.key())) == it.value())
                continue;
            QFile f(path(it.key()));
            if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
                f.write(it.value());
        }
    }

    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static bool write(const QString &path, const QByteArray &content)
    {
        QFile f(path);
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               f.write(content) == content.size();
    }

private:
    QString path(const QString &name) const { return m_folder + QLatin1Char('/') + name; }

    QString m_folder;
    QMap<QString, QByteArray> m_files;
};
