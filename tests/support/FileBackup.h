#pragma once

#include <QDir>
#include <QFile>
#include <QMap>

// Keeps the files of a folder as they were, so a test that writes the data folder's files leaves
// them unchanged: files it changed get their old content back, files it created go. Also reads
// and writes whole files for tests.
class FileBackup
{
public:
    explicit FileBackup(const QString &folder) : m_folder(folder + QLatin1Char('/'))
    {
        for (const QString &name : QDir(folder).entryList(QDir::Files))
            m_files.insert(name, read(m_folder + name));
    }
    ~FileBackup() { restore(); }
    FileBackup(const FileBackup &) = delete;
    FileBackup &operator=(const FileBackup &) = delete;

    void restore() const
    {
        for (const QString &name : QDir(m_folder).entryList(QDir::Files))
            if (!m_files.contains(name))
                QFile::remove(m_folder + name);
        for (auto it = m_files.cbegin(); it != m_files.cend(); ++it)
            if (!QFile::exists(m_folder + it.key()) || read(m_folder + it.key()) != it.value())
                write(m_folder + it.key(), it.value());
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
    QString m_folder; // with its closing slash
    QMap<QString, QByteArray> m_files;
};
