#include "bridge/i18n/Languages.h"

#include "bridge/ViewText.h"
#include "bridge/i18n/LanguageFile.h"
#include "platform/Dialogs.h"

#include <QFile>
#include <QStandardPaths>

QVariantMap Languages::catalog() const
{
    return LanguageFile::catalog();
}

QStringList Languages::globalStrings(const QString &langCode)
{
    const LanguageFile file(langCode);
    m_messageStrings = file.messageStrings();
    return file.globalStrings();
}

QStringList Languages::productLayoutStrings(const QString &langCode) const
{
    return LanguageFile(langCode).layoutStrings();
}

QString Languages::customFilePath() const
{
    const QString path = Dialogs::instance().openFileName(
        viewText("Open File"), QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
        viewText("Image Files(*.png)"));
    if (path.isEmpty())
        return QString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Dialogs::instance().warning(viewText("%1").arg(messageString(2)),
                                    QStringLiteral("%1%2").arg(messageString(3), path));
        return QString();
    }
    return path;
}
