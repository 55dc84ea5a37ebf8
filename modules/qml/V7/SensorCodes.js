.pragma library

// Encodings of the sensor page: DPI values and their stage bytes per sensor type, the polling
// rate byte, and the colour numbers of the DPI indicator.

// Stage byte: bit 7 disables the stage, bit 6 doubles the value, bits 0..5 count steps.
var disabledByte = 0x80

// [DPI, stage byte] offered per sensor type (0 ANDS3050, 1 ANDS3320, 2 ANDS5050, 3 ANDS3325).
var dpiTables = [
    [[250, 0x01], [500, 0x02], [750, 0x03], [1000, 0x04], [1250, 0x05], [1500, 0x06],
     [1750, 0x07], [2000, 0x08], [2500, 0x45], [3000, 0x46], [3500, 0x47], [4000, 0x48]],
    [[500, 0x02], [1000, 0x04], [1750, 0x07], [2000, 0x08], [2500, 0x0A], [3000, 0x0C],
     [3500, 0x0E], [4000, 0x48], [5000, 0x4A], [6000, 0x4C], [7000, 0x4E]],
    [[250, 0x02], [500, 0x04], [750, 0x06], [1000, 0x08], [1250, 0x0A], [1500, 0x46],
     [1750, 0x47], [2000, 0x48], [2500, 0x4A], [2750, 0x4B]],
    [[600, 0x05], [800, 0x07], [1000, 0x09], [1200, 0x0B], [1600, 0x0F], [2000, 0x13],
     [2400, 0x17], [2800, 0x1B], [3200, 0x1F], [3600, 0x23], [4000, 0x27], [4500, 0x2C],
     [5000, 0x31], [6000, 0x5D], [7000, 0x62], [8000, 0x67], [10000, 0x71]]
]

var defaultDpi = [
    [500, 1000, 1500, 2000, 0, 0, 0, 0],
    [1000, 2500, 3500, 7000, 0, 0, 0, 0],
    [500, 1000, 1500, 2500, 0, 0, 0, 0],
    [1000, 2000, 4000, 8000, 0, 0, 0, 0]
]

// An unknown sensor type is treated as the first one, so the page never offers nothing.
function sensorType(type) {
    var t = Number(type)
    return t >= 0 && t < dpiTables.length && t === Math.floor(t) ? t : 0
}

// The DPI values the device takes for a sensor type, lowest first.
function dpiValues(type) {
    return dpiTables[sensorType(type)].map(function (e) { return e[0] })
}

// What a stage may hold: 0 switches the stage off.
function stageChoices(type) {
    return [0].concat(dpiValues(type))
}

function stageByte(type, dpi) {
    var table = dpiTables[sensorType(type)]
    var v = Number(dpi)
    for (var i = 0; i < table.length; ++i)
        if (table[i][0] === v)
            return table[i][1]
    return disabledByte
}

function stageBytes(type, values) {
    var out = []
    for (var i = 0; i < 8; ++i)
        out.push(stageByte(type, i < values.length ? values[i] : 0))
    return out
}

// The DPI a stage byte stands for; 0 for a disabled stage.
function displayedDpi(type, b) {
    b = Number(b) & 0xFF
    if (b & 0x80)
        return 0
    var n = b & 0x3F
    var t = sensorType(type)
    var dpi = t === 3 ? (n + 1) * 100 : t === 2 ? n * 125 : n * 250
    return (b & 0x40) ? dpi * 2 : dpi
}

// Polling rate: index 0..3 is 125, 250, 500, 1000 Hz; the byte has one bit, 1000 Hz lowest.
var rates = [125, 250, 500, 1000]
var defaultRateIndex = 2

function rateByte(index) {
    return 0x01 << (3 - index)
}

// 1-based position of the lowest set bit, 0 when none.
function logByte(b) {
    b = Number(b) & 0xFF
    for (var i = 0; i < 8; ++i)
        if (b & (1 << i))
            return i + 1
    return 0
}

// Nothing stored reads as 0: that is the default rate, not 1000 Hz.
function rateIndex(b) {
    if ((Number(b) & 0xFF) === 0)
        return defaultRateIndex
    return Math.max(0, Math.min(3, 4 - logByte(b)))
}

// The colour numbers the indicator takes when the logo LED drives it.
var colorIds = ["#ff0000", "#00ff00", "#0000ff", "#ffff00", "#ff00ff", "#00ffff", "#ff8000",
                "#ffffff"]

function clamp(v, lo, hi) {
    v = Math.round(Number(v))
    return isNaN(v) ? lo : Math.max(lo, Math.min(hi, v))
}
