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
    Hid_Thread *hid = transport();
    if (!hid)
        return;
    uchar o0 = 0, o1 = 0, o2 = 0, o3 = 0;
    hid->hid_83H_GetKeyboardoption(o0, o1, o2, o3);
    o3 = enable ? uchar(o3 | 0x08) : uchar(o3 & ~0x08);
    hid->hid_03H_SetKeyboardoption(o0, o1, o2, o3);
    // The option byte says the vertical pull runs upwards on this mouse.
    const uchar y = o2 ? uchar(-int(yOffset)) : yOffset;
    hid->hid_04H_SetButtonSensitivity(cursorBack, times, xOffset, y, fireKey);
}
