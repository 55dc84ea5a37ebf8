#include "platform/Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include <cstdio>

namespace {

std::unique_ptr<Dialogs> &current()
{
    static std::unique_ptr<Dialogs> d = std::make_unique<ScriptedDialogs>();
    return d;
}

} // namespace

Dialogs &Dialogs::instance()
{
    return *current();
}

void Dialogs::setInstance(std::unique_ptr<Dialogs> dialogs)
{
    if (dialogs)
        current() = std::move(dialogs);
}

void WidgetDialogs::warning(const QString &title, const QString &text)
{
    QMessageBox::warning(nullptr, title, text, QMessageBox::Ok);
}

void WidgetDialogs::information(const QString &title, const QString &text)
{
    QMessageBox::information(nullptr, title, text, QMessageBox::Ok);
}

bool WidgetDialogs::question(const QString &title, const QString &text, bool defaultYes)
{
    // The one question the program asks is a caution before a risky change.
    return QMessageBox::warning(nullptr, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                                defaultYes ? QMessageBox::Ok : QMessageBox::Cancel) ==
           QMessageBox::Ok;
}

QString WidgetDialogs::openFileName(const QString &caption, const QString &dir,
                                    const QString &filter)
{
    return QFileDialog::getOpenFileName(nullptr, caption, dir, filter);
}

QString WidgetDialogs::saveFileName(const QString &caption, const QString &dir,
                                    const QString &filter)
{
    return QFileDialog::getSaveFileName(nullptr, caption, dir, filter);
}

void ScriptedDialogs::record(const QString &title, const QString &text)
{
    m_shown.append({title, text});
    if (m_echo)
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(title), qUtf8Printable(text));
}

void ScriptedDialogs::warning(const QString &title, const QString &text)
{
    record(title, text);
}

void ScriptedDialogs::information(const QString &title, const QString &text)
{
    record(title, text);
}

bool ScriptedDialogs::question(const QString &title, const QString &text, bool defaultYes)
{
    record(title, text);
    return m_answers.isEmpty() ? defaultYes : m_answers.takeFirst();
}

QString ScriptedDialogs::takeFile()
{
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}

QString ScriptedDialogs::openFileName(const QString &, const QString &, const QString &)
{
    return takeFile();
}

QString ScriptedDialogs::saveFileName(const QString &, const QString &, const QString &)
{
    return takeFile();
}

void ScriptedDialogs::clear()
{
    m_files.clear();
    m_answers.clear();
    m_shown.clear();
}
