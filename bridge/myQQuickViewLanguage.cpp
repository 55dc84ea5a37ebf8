#include "bridge/myQQuickView.h"

#include "bridge/i18n/LanguageFile.h"
#include "platform/Dialogs.h"

#include <QFile>
#include <QStandardPaths>

QString myQQuickView::messageString(int i) const
{
    return m_messageStrings.value(i);
}

QVariantMap myQQuickView::chkLanguages()
{
    return LanguageFile::catalog();
}

QStringList myQQuickView::getGlobalStrings(QString langCode)
{
    const LanguageFile file(langCode);
    m_messageStrings = file.messageStrings();
    return file.globalStrings();
}

QStringList myQQuickView::getProductLayoutStrings_V7(QString langCode)
{
    return LanguageFile(langCode).layoutStrings();
}

QString myQQuickView::getCustomFilePath()
{
    const QString path = Dialogs::instance().openFileName(
        tr("Open File"), QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
        tr("Image Files(*.png)"));
    if (path.isEmpty())
        return QString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Dialogs::instance().warning(tr("%1").arg(messageString(2)),
                                    QStringLiteral("%1%2").arg(messageString(3), path));
        return QString();
    }
    return path;
}
