#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

// Every message box and file dialog goes through here, so a headless run or a test never
// blocks on a modal window.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    static Dialogs &instance();
    // Takes ownership; the previous instance is destroyed.
    static void setInstance(std::unique_ptr<Dialogs> dialogs);

    virtual void warning(const QString &title, const QString &text) = 0;
    virtual void information(const QString &title, const QString &text) = 0;
    virtual bool question(const QString &title, const QString &text, bool defaultYes) = 0;
    // Empty when cancelled.
    virtual QString openFileName(const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    virtual QString saveFileName(const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
};

// Real Qt boxes and file dialogs.
class WidgetDialogs final : public Dialogs
{
public:
    void warning(const QString &title, const QString &text) override;
    void information(const QString &title, const QString &text) override;
    bool question(const QString &title, const QString &text, bool defaultYes) override;
    QString openFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;
};

// Boxes go to standard error and are recorded; answers come from a script's queue.
class ScriptedDialogs final : public Dialogs
{
public:
    explicit ScriptedDialogs(bool echoToStderr = true) : m_echo(echoToStderr) {}

    void warning(const QString &title, const QString &text) override;
    void information(const QString &title, const QString &text) override;
    bool question(const QString &title, const QString &text, bool defaultYes) override;
    QString openFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;

    void nextFile(const QString &path) { m_files.append(path); }
    void nextAnswer(bool yes) { m_answers.append(yes); }
    // [title, text] of every box shown so far.
    const QList<QStringList> &shown() const { return m_shown; }
    void clear();

private:
    void record(const QString &title, const QString &text);
    QString takeFile();

    bool m_echo;
    QList<QString> m_files;
    QList<bool> m_answers;
    QList<QStringList> m_shown;
};
