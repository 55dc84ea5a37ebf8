.pragma library

// Macro Script lines: a value followed by a command right-aligned in the last ten characters.
// The native encoder and store read exactly these strings.

var commandWidth = 10
var down = "    [Down]"
var up = "      [Up]"
var delay = "   [Delay]"

var minDelay = 10
var maxDelay = 65535
var defaultDelay = 1000

function clampDelay(ms) {
    var n = Math.round(Number(ms))
    if (!isFinite(n))
        return defaultDelay
    return Math.max(minDelay, Math.min(maxDelay, n))
}

function downLine(name) {
    return name + down
}

function upLine(name) {
    return name + up
}

function delayLine(ms) {
    return clampDelay(ms) + delay
}

// A key or button added by hand: pressed, then released.
function keyLines(name) {
    return name ? [downLine(name), upLine(name)] : []
}

// { kind: "down" | "up" | "delay" | "", value } of one line; key names keep their spaces.
function parse(line) {
    var s = String(line)
    if (s.length < commandWidth)
        return { kind: "", value: s }
    var command = s.slice(-commandWidth)
    var value = s.slice(0, s.length - commandWidth)
    var kind = command === down ? "down" : command === up ? "up" : command === delay ? "delay" : ""
    return { kind: kind, value: kind ? value : s }
}

// New lines go before the selected line, or at the end when none is selected. The selection
// moves with its line, so lines added one after another keep their order.
function insert(lines, added, selected) {
    var out = lines.slice()
    var valid = selected >= 0 && selected < out.length
    var at = valid ? selected : out.length
    Array.prototype.splice.apply(out, [at, 0].concat(added))
    return { lines: out, selected: valid ? selected + added.length : -1 }
}

function remove(lines, selected) {
    if (selected < 0 || selected >= lines.length)
        return { lines: lines.slice(), selected: selected }
    var out = lines.slice()
    out.splice(selected, 1)
    return { lines: out, selected: out.length ? Math.min(selected, out.length - 1) : -1 }
}

function move(lines, selected, delta) {
    var to = selected + delta
    if (selected < 0 || selected >= lines.length || to < 0 || to >= lines.length)
        return { lines: lines.slice(), selected: selected }
    var out = lines.slice()
    var line = out.splice(selected, 1)[0]
    out.splice(to, 0, line)
    return { lines: out, selected: to }
}

// Turns captured key transitions into lines. With pauses on, the time since the previous
// recorded transition becomes a delay line (gaps below the shortest delay are dropped).
// A release without its press (a key held when recording began) and repeated presses of a
// held key are ignored; finish() releases keys still held, so a macro never leaves one down.
function Recorder(withPauses) {
    this.withPauses = !!withPauses
    this.last = -1
    this.held = []
}

Recorder.prototype.event = function (isDown, name, ms) {
    if (!name)
        return []
    var i = this.held.indexOf(name)
    if (isDown ? i >= 0 : i < 0)
        return []
    if (isDown)
        this.held.push(name)
    else
        this.held.splice(i, 1)
    var out = []
    if (this.withPauses && this.last >= 0 && ms - this.last >= minDelay)
        out.push(delayLine(ms - this.last))
    this.last = ms
    out.push(isDown ? downLine(name) : upLine(name))
    return out
}

Recorder.prototype.finish = function () {
    var out = []
    while (this.held.length)
        out.push(upLine(this.held.pop()))
    return out
}
