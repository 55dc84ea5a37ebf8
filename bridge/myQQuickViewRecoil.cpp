#include "bridge/myQQuickView.h"

#include "bridge/RecoilStore.h"
#include "device/Hid_Thread.h"

QVariantList myQQuickView::getGundata(QVariant gameNo)
{
    return RecoilStore().gunData(gameNo);
}

void myQQuickView::saveGundata(QVariant gameNo, QVariantList gunData)
{
    RecoilStore().saveGunData(gameNo, gunData);
}

QVariantList myQQuickView::getSelGundata(QVariant selGun)
{
    return RecoilStore().selection(selGun);
}

void myQQuickView::saveSelGundata(QVariant selGun, QVariantList gunData)
{
    RecoilStore().saveSelection(selGun, gunData);
}

void myQQuickView::v7_0CH_SetPressGun(uchar xOffset, uchar yOffset, uchar times, uchar enable,
                                      uchar cursorBack, uchar fireKey)
{
    if (!transport())
        return;
    const QVariantList options = ui_83H_GetKeyboardoption();
    // Without the option bytes, writing them back would overwrite them with zeros.
    if (!transport()->lastGetSucceeded())
        return;
    uchar o[4] = {};
    for (int i = 0; i < 4; ++i)
        o[i] = uchar(options.value(i).toUInt());
    o[3] = enable ? uchar(o[3] | 0x08) : uchar(o[3] & ~0x08);
    ui_03H_SetKeyboardoption(o[0], o[1], o[2], o[3]);
    // The option byte says the vertical pull runs upwards on this mouse.
    const uchar y = o[2] ? uchar(-int(yOffset)) : yOffset;
    ui_04H_SetButtonSensitivity(cursorBack, times, xOffset, y, fireKey);
}
