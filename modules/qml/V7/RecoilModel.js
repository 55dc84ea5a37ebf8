.pragma library

// Recoil data as the page edits it: per game a flat list of twelve weapon records of seven
// fields (weapon i at 7i..7i+6), per fire key a selection [game, weapon, fire time, fire period],
// and the two built-in vertical-offset presets. No native calls here, so it is testable alone.

var GAMES = 3
var WEAPONS = 12
var FIELDS = 7
var FIRE_KEYS = 3

var X_MIN = -30
var X_MAX = 30
var Y_MIN = 0
var Y_MAX = 60
var TIMES_MIN = 1
var TIMES_MAX = 255
var FIRE_TIME_MAX = 255
var PERIOD_MIN = 10
var PERIOD_MAX = 255

// Offset sources: the two preset tables, then the values typed per weapon.
var SOURCE_STANDARD = 0
var SOURCE_LIGHT = 1
var SOURCE_CUSTOM = 2

// Built-in weapons per game: name, horizontal, vertical, steps, enabled, pointer return.
var DEFAULTS = [
    [["Assault Rifle", 0, 6, 30, 1, 0], ["Carbine", 0, 5, 30, 1, 0],
     ["Battle Rifle", 1, 9, 20, 1, 0], ["SMG", 0, 4, 35, 1, 0],
     ["Compact SMG", 1, 5, 32, 1, 0], ["Light MG", 0, 8, 60, 1, 0],
     ["Marksman Rifle", 0, 10, 10, 1, 0], ["Bolt Rifle", 0, 0, 1, 0, 0],
     ["Pump Shotgun", 0, 12, 8, 1, 0], ["Pistol", 0, 7, 15, 1, 0],
     ["Machine Pistol", 1, 6, 25, 1, 0], ["Bullpup Rifle", 0, 6, 30, 1, 0]],
    [["Rifle Mk1", 0, 7, 30, 1, 0], ["Rifle Mk2", 1, 6, 30, 1, 0],
     ["Rifle Mk3", 0, 8, 25, 1, 0], ["SMG Mk1", 0, 4, 30, 1, 0],
     ["SMG Mk2", 0, 5, 40, 1, 0], ["SMG Mk3", 1, 3, 45, 1, 0],
     ["LMG Mk1", 0, 9, 75, 1, 0], ["LMG Mk2", 1, 10, 100, 1, 0],
     ["DMR Mk1", 0, 11, 20, 1, 0], ["Shotgun Mk1", 0, 14, 7, 1, 0],
     ["Sidearm Mk1", 0, 6, 12, 1, 0], ["Sidearm Mk2", 1, 5, 18, 1, 0]],
    [["Standard Rifle", 0, 5, 30, 1, 0], ["Heavy Rifle", 0, 9, 20, 1, 0],
     ["Tactical Rifle", 1, 6, 30, 1, 0], ["Scout SMG", 0, 3, 30, 1, 0],
     ["Assault SMG", 0, 5, 32, 1, 0], ["Support MG", 1, 8, 100, 1, 0],
     ["Squad MG", 0, 7, 80, 1, 0], ["Long Rifle", 0, 0, 5, 0, 0],
     ["Semi-auto Rifle", 0, 10, 15, 1, 0], ["Combat Shotgun", 0, 12, 8, 1, 0],
     ["Auto Pistol", 1, 6, 20, 1, 0], ["Heavy Pistol", 0, 9, 7, 1, 0]]
]

// Vertical pull per game and weapon: bare weapons, and weapons fitted with recoil reduction.
var PRESETS = [
    [[6, 5, 9, 4, 5, 8, 10, 0, 12, 7, 6, 6],
     [7, 6, 8, 4, 5, 3, 9, 10, 11, 14, 6, 5],
     [5, 9, 6, 3, 5, 8, 7, 0, 10, 12, 6, 9]],
    [[4, 3, 6, 3, 3, 5, 7, 0, 8, 5, 4, 4],
     [5, 4, 5, 3, 3, 2, 6, 7, 7, 9, 4, 3],
     [3, 6, 4, 2, 3, 5, 5, 0, 7, 8, 4, 6]]
]

function clamp(v, lo, hi) {
    return Math.max(lo, Math.min(hi, v))
}

// Stored numbers come back as text; anything unreadable counts as the fallback.
function toInt(v, fallback) {
    var n = parseInt(v, 10)
    return isNaN(n) ? fallback : n
}

function toBool(v) {
    if (typeof v === "string")
        return v === "true" || toInt(v, 0) !== 0
    return !!v
}

// A byte as stored by an older save reads as its signed value.
function toSigned(v) {
    return v > 127 && v < 256 ? v - 256 : v
}

function gameIndex(g) {
    return clamp(toInt(g, 0), 0, GAMES - 1)
}

function defaultWeapon(game, i) {
    var d = DEFAULTS[gameIndex(game)][clamp(i, 0, WEAPONS - 1)]
    return {
        "name": d[0],
        "index": i,
        "xOffset": d[1],
        "yOffset": d[2],
        "times": d[3],
        "isEnable": d[4] === 1,
        "cursorBack": d[5] === 1
    }
}

function defaultGame(game) {
    var list = []
    for (var i = 0; i < WEAPONS; ++i)
        list = list.concat(recordOf(defaultWeapon(game, i)))
    return list
}

// The seven stored fields of a weapon, booleans as 0/1 like the shipped files.
function recordOf(w) {
    return [String(w.name), w.index, w.xOffset, w.yOffset, w.times,
            w.isEnable ? 1 : 0, w.cursorBack ? 1 : 0]
}

// The list of one game as read, made whole: a short list (a record missing from the file) keeps
// the records it has, in order, and the rest come from the built-in table.
function normalise(game, list) {
    var out = defaultGame(game)
    var have = Math.min(WEAPONS, Math.floor((list ? list.length : 0) / FIELDS))
    for (var i = 0; i < have; ++i)
        out = setWeapon(out, i, weaponFrom(list, i, defaultWeapon(game, i)))
    return out
}

function weaponFrom(list, i, fallback) {
    var b = FIELDS * i
    var name = list[b] === undefined || list[b] === null ? "" : String(list[b])
    return {
        "name": name,
        "index": toInt(list[b + 1], fallback.index),
        "xOffset": clamp(toSigned(toInt(list[b + 2], fallback.xOffset)), X_MIN, X_MAX),
        "yOffset": clamp(toInt(list[b + 3], fallback.yOffset), Y_MIN, Y_MAX),
        "times": clamp(toInt(list[b + 4], fallback.times), TIMES_MIN, TIMES_MAX),
        "isEnable": list[b + 5] === undefined ? fallback.isEnable : toBool(list[b + 5]),
        "cursorBack": list[b + 6] === undefined ? fallback.cursorBack : toBool(list[b + 6])
    }
}

// The list as it goes to the file: names without outer spaces, which the file would drop anyway.
function forSaving(list) {
    var out = list.slice()
    for (var i = 0; i < WEAPONS; ++i)
        out[FIELDS * i] = String(out[FIELDS * i]).trim()
    return out
}

// Weapon i of a normalised game list.
function weapon(list, i) {
    return weaponFrom(list, i, defaultWeapon(0, i))
}

// A copy of the list with weapon i replaced; the other records stay as they are.
function setWeapon(list, i, w) {
    var out = list.slice()
    var r = recordOf(w)
    for (var f = 0; f < FIELDS; ++f)
        out[FIELDS * i + f] = r[f]
    return out
}

function clampPeriod(p) {
    return clamp(toInt(p, PERIOD_MIN), PERIOD_MIN, PERIOD_MAX)
}

function defaultSelection(k) {
    return {
        "game": 0,
        "weapon": clamp(k, 0, FIRE_KEYS - 1),
        "fireTime": 3,
        "firePeriod": PERIOD_MIN
    }
}

// A fire-key selection as read; empty or short lists fall back to the defaults.
function selection(k, list) {
    var d = defaultSelection(k)
    if (!list || list.length < 4)
        return d
    return {
        "game": gameIndex(list[0]),
        "weapon": clamp(toInt(list[1], d.weapon), 0, WEAPONS - 1),
        "fireTime": clamp(toInt(list[2], d.fireTime), 0, FIRE_TIME_MAX),
        "firePeriod": clampPeriod(list[3])
    }
}

function selectionList(s) {
    return [s.game, s.weapon, s.fireTime, clampPeriod(s.firePeriod)]
}

function sameSelection(a, b) {
    return selectionList(a).join(",") === selectionList(b).join(",")
}

// The vertical offset sent for a weapon: a preset's value, or the typed one.
function verticalOffset(source, game, i, typed) {
    if (source === SOURCE_STANDARD || source === SOURCE_LIGHT)
        return PRESETS[source][gameIndex(game)][clamp(i, 0, WEAPONS - 1)]
    return clamp(toInt(typed, 0), Y_MIN, Y_MAX)
}

// The arguments of v7_0CH_SetPressGun, in its order: xOffset, yOffset, times, isEnable,
// cursorBack, fire key, each a byte.
function pressGunArgs(w, source, game, i, fireKey) {
    return [w.xOffset & 0xFF, verticalOffset(source, game, i, w.yOffset), w.times & 0xFF,
            w.isEnable ? 1 : 0, w.cursorBack ? 1 : 0, clamp(fireKey, 0, FIRE_KEYS - 1)]
}
