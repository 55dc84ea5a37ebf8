#!/usr/bin/env python3
"""Writes the SVG sources of both skins into art/skin<N>/<dir>/<name>.svg.

scripts/render-art.sh runs this and renders every SVG to
modules/img/skin<N>/<dir>/<name>.png at the SVG's own pixel size:

  frame/bg.png            1000x600  window: header 0..56, left column 0..184
                                    (y 56..536), footer 536..600, radius 14
  frame/title.png          220x40   emblem + "V7" wordmark + STUDIO
  frame/web_0..2.png       120x28   web link button: normal, hover, pressed
  menu/set_0..2.png         32x32   settings button: normal, hover, pressed
  menu/close_0..2.png       32x32   close button: normal, hover, pressed
  func/f<i>_<s>.png         40x40   function icons i 0..4 (buttons, macro,
                                    lighting, sensor, recoil); s 0 normal,
                                    1 hover, 2 selected
  button/btn_0..3.png       96x32   push button for a BorderImage with 10 px
                                    borders: normal, hover, pressed, disabled
  page/mouse.png           260x360  mouse top view (button centres in MOUSE_SPOTS)
  page/mouse_glow.png      260x360  the mouse outline as a glow only
  bg/pattern.png            64x64   seamless overlay tile

Only the palette differs between skins; one function draws each asset.
"""
import math
import os

SKINS = {
    1: dict(  # Graphite
        name="Graphite",
        base="#14171d", panel="#1b1f27", side="#171b22", head="#1e232c",
        head2="#171a21", line="#2b313c", edge="#343b48",
        accent="#22d3ee", accent_hi="#a5f3fc", accent_lo="#0e7490",
        dim="#7b8494", light="#e6ebf2", white="#ffffff",
        danger="#e5484d", shell="#232833", shell_hi="#2f3643", shell_lo="#12151a",
    ),
    2: dict(  # Ember
        name="Ember",
        base="#17120f", panel="#211a16", side="#1b1512", head="#251d18",
        head2="#1b1512", line="#3a2e26", edge="#46372d",
        accent="#ff7a1a", accent_hi="#ffc08a", accent_lo="#a6410a",
        dim="#8f8177", light="#f3ebe4", white="#ffffff",
        danger="#e5484d", shell="#2a211c", shell_hi="#382c25", shell_lo="#130f0c",
    ),
}

# Centres of the clickable regions in page/mouse.png, by button index.
MOUSE_SPOTS = {0: (80, 70), 1: (180, 70), 2: (130, 62), 3: (22, 190),
               4: (22, 140), 5: (130, 118), 6: (130, 148), 7: (34, 96)}


def svg(w, h, body, defs=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">\n<defs>{defs}</defs>\n{body}\n</svg>\n')


def vgrad(gid, stops, x1=0, y1=0, x2=0, y2=1):
    s = "".join(f'<stop offset="{o}" stop-color="{c}" stop-opacity="{a}"/>'
                for o, c, a in stops)
    return (f'<linearGradient id="{gid}" x1="{x1}" y1="{y1}" x2="{x2}" '
            f'y2="{y2}">{s}</linearGradient>')


def glow_filter(fid, dev, opacity=0.7):
    return (f'<filter id="{fid}" x="-50%" y="-50%" width="200%" height="200%">'
            f'<feGaussianBlur in="SourceGraphic" stdDeviation="{dev}" result="b"/>'
            f'<feComponentTransfer in="b" result="g"><feFuncA type="linear" '
            f'slope="{opacity}"/></feComponentTransfer>'
            f'<feMerge><feMergeNode in="g"/><feMergeNode in="SourceGraphic"/>'
            f'</feMerge></filter>')


# ---- shared shapes -------------------------------------------------------

def wordmark_v7(x, y, h, v_fill, seven_fill):
    """Slanted block "V7"; h is the cap height, returns (svg, width)."""
    k = h / 24.0
    v = [(0, 0), (6.5, 0), (11.5, 15), (16.5, 0), (23, 0), (14.8, 24), (8.2, 24)]
    s = [(26, 0), (46, 0), (46, 5), (36.5, 24), (29.6, 24), (38.4, 5.4), (26, 5.4)]

    def poly(pts, fill):
        p = " ".join(f"{x + px * k:.2f},{y + py * k:.2f}" for px, py in pts)
        return f'<polygon points="{p}" fill="{fill}"/>'
    # skewX shears around y = 0; shift so the baseline stays put.
    return (f'<g transform="translate({math.tan(math.radians(12)) * (y + h):.2f} 0) '
            f'skewX(-12)">{poly(v, v_fill)}{poly(s, seven_fill)}</g>', 46 * k)


# Angular stroke letters on a 6 x 10 grid (I is 0 wide).
LETTERS = {
    "S": "M6,0H1.5L0,1.5V3.5L1.5,5H4.5L6,6.5V8.5L4.5,10H0",
    "T": "M0,0H6M3,0V10",
    "U": "M0,0V8.5L1.5,10H4.5L6,8.5V0",
    "D": "M0,0H4.5L6,1.5V8.5L4.5,10H0Z",
    "I": "M0,0V10",
    "O": "M1.5,0H4.5L6,1.5V8.5L4.5,10H1.5L0,8.5V1.5Z",
}


def caps(text, x, y, h, color, spacing, width=1.3):
    k = h / 10.0
    out = []
    for ch in text:
        out.append(f'<path transform="translate({x:.2f} {y:.2f}) scale({k:.3f})" '
                   f'd="{LETTERS[ch]}" fill="none" stroke="{color}" '
                   f'stroke-width="{width / k:.3f}" stroke-linejoin="miter"/>')
        x += (0 if ch == "I" else 6 * k) + spacing
    return "".join(out)


def emblem(cx, cy, r, p, gid):
    """Hexagon ring with an upward arrow head: the program's mark."""
    hexa = " ".join(f"{cx + r * math.cos(math.radians(a)):.2f},"
                    f"{cy + r * math.sin(math.radians(a)):.2f}"
                    for a in range(-90, 270, 60))
    ri = r * 0.5
    arrow = (f"M{cx:.2f},{cy - ri * 1.1:.2f} L{cx + ri:.2f},{cy + ri * 0.8:.2f} "
             f"L{cx:.2f},{cy + ri * 0.25:.2f} L{cx - ri:.2f},{cy + ri * 0.8:.2f}Z")
    return (f'<polygon points="{hexa}" fill="{p["accent"]}" fill-opacity="0.12" '
            f'stroke="url(#{gid})" stroke-width="{r * 0.16:.2f}" stroke-linejoin="round"/>'
            f'<path d="{arrow}" fill="url(#{gid})"/>')


def gear_path(cx, cy, ro, ri, hole, teeth=8):
    pts = []
    step = 2 * math.pi / teeth
    for i in range(teeth):
        a = i * step
        for da, r in ((-0.30, ri), (-0.17, ro), (0.17, ro), (0.30, ri)):
            pts.append((cx + r * math.cos(a + da * step * 1.6),
                        cy + r * math.sin(a + da * step * 1.6)))
    d = "M" + " L".join(f"{x:.2f},{y:.2f}" for x, y in pts) + "Z"
    d += (f" M{cx + hole:.2f},{cy:.2f} A{hole},{hole} 0 1 0 {cx - hole:.2f},{cy:.2f}"
          f" A{hole},{hole} 0 1 0 {cx + hole:.2f},{cy:.2f}Z")
    return d


# ---- frame ---------------------------------------------------------------

def frame_bg(p):
    W, H = 1000, 600
    hexw = 28.0
    hexh = hexw * math.sqrt(3) / 2  # hex tile height of a flat-topped grid
    t = hexw / 4
    hexd = (f"M{t},0 H{3 * t} L{hexw},{hexh / 2} L{3 * t},{hexh} H{t} L0,{hexh / 2}Z "
            f"M{hexw},{hexh / 2} H{hexw + 2 * t}")
    defs = (
        f'<clipPath id="win"><rect width="{W}" height="{H}" rx="14"/></clipPath>'
        + vgrad("head", [(0, p["head"], 1), (1, p["head2"], 1)])
        + vgrad("foot", [(0, p["head2"], 1), (1, p["head"], 1)])
        + vgrad("side", [(0, p["side"], 1), (1, p["base"], 1)], 0, 0, 1, 0)
        + vgrad("acc", [(0, p["accent"], 0), (0.5, p["accent"], 0.9), (1, p["accent"], 0)], 0, 0, 1, 0)
        + vgrad("accs", [(0, p["accent"], 0.0), (0.5, p["accent"], 0.5), (1, p["accent"], 0.0)])
        + f'<radialGradient id="lite" cx="0.62" cy="0" r="0.9">'
          f'<stop offset="0" stop-color="{p["panel"]}" stop-opacity="1"/>'
          f'<stop offset="1" stop-color="{p["base"]}" stop-opacity="1"/></radialGradient>'
        + f'<radialGradient id="fade" cx="0.85" cy="0.05" r="0.95">'
          f'<stop offset="0" stop-color="#fff" stop-opacity="1"/>'
          f'<stop offset="1" stop-color="#fff" stop-opacity="0.15"/></radialGradient>'
        + f'<mask id="texm"><rect x="184" y="56" width="816" height="480" fill="url(#fade)"/></mask>'
        + f'<pattern id="hex" width="{1.5 * hexw}" height="{hexh}" patternUnits="userSpaceOnUse" '
          f'x="184" y="56"><path d="{hexd}" fill="none" stroke="{p["light"]}" '
          f'stroke-width="1"/><path transform="translate({0.75 * hexw} {hexh / 2})" d="{hexd}" '
          f'fill="none" stroke="{p["light"]}" stroke-width="1"/></pattern>'
        + f'<pattern id="scan" width="4" height="4" patternUnits="userSpaceOnUse">'
          f'<rect width="4" height="1" fill="#000" fill-opacity="0.18"/></pattern>'
    )
    body = f'''<g clip-path="url(#win)">
<rect width="{W}" height="{H}" fill="url(#lite)"/>
<rect x="184" y="56" width="816" height="480" fill="url(#hex)" opacity="0.035" mask="url(#texm)"/>
<rect x="0" y="56" width="184" height="480" fill="url(#side)"/>
<rect x="0" y="56" width="184" height="480" fill="url(#scan)" opacity="0.5"/>
<rect x="183" y="56" width="1" height="480" fill="{p["line"]}"/>
<rect x="184" y="56" width="1" height="480" fill="{p["white"]}" fill-opacity="0.025"/>
<rect x="183" y="150" width="1" height="240" fill="url(#accs)"/>
<rect width="{W}" height="56" fill="url(#head)"/>
<rect y="55" width="{W}" height="1" fill="{p["line"]}"/>
<rect y="55" x="0" width="420" height="1" fill="url(#acc)" opacity="0.8"/>
<rect y="536" width="{W}" height="64" fill="url(#foot)"/>
<rect y="536" width="{W}" height="1" fill="{p["line"]}"/>
<rect y="537" width="{W}" height="1" fill="{p["white"]}" fill-opacity="0.03"/>
<path d="M330,0 L360,0 L304,56 L274,56Z" fill="{p["white"]}" fill-opacity="0.018"/>
<path d="M372,0 L380,0 L324,56 L316,56Z" fill="{p["accent"]}" fill-opacity="0.05"/>
</g>
<rect x="0.5" y="0.5" width="{W - 1}" height="{H - 1}" rx="13.5" fill="none" stroke="{p["edge"]}"/>
<rect x="1.5" y="1.5" width="{W - 3}" height="{H - 3}" rx="12.5" fill="none" stroke="{p["white"]}" stroke-opacity="0.04"/>'''
    return svg(W, H, body, defs)


def frame_title(p):
    defs = (vgrad("em", [(0, p["accent_hi"], 1), (1, p["accent"], 1)])
            + vgrad("sv", [(0, p["accent"], 1), (1, p["accent_lo"], 1)])
            + glow_filter("gl", 1.6, 0.45))
    mark, w = wordmark_v7(44, 9, 22, p["white"], "url(#sv)")
    body = (f'<g filter="url(#gl)">{emblem(20, 20, 14, p, "em")}</g>'
            f'{mark}'
            f'<rect x="{44 + w + 12:.1f}" y="12" width="1" height="16" fill="{p["dim"]}" fill-opacity="0.5"/>'
            + caps("STUDIO", 44 + w + 23, 15.5, 9, p["light"], 3.6, 1.3))
    return svg(220, 40, body, defs)


def frame_web(p, state):
    fill = [(p["panel"], p["base"]), (p["shell_hi"], p["panel"]), (p["base"], p["panel"])][state]
    border_op = [0.45, 1.0, 0.8][state]
    glyph = [p["accent"], p["accent_hi"], p["accent_lo"]][state]
    text = [p["light"], p["white"], p["dim"]][state]
    dy = 1 if state == 2 else 0
    defs = vgrad("f", [(0, fill[0], 1), (1, fill[1], 1)]) + glow_filter("gl", 2, 0.5)
    cx, cy = 35, 14 + dy
    globe = (f'<g fill="none" stroke="{glyph}" stroke-width="1.4">'
             f'<circle cx="{cx}" cy="{cy}" r="7"/>'
             f'<ellipse cx="{cx}" cy="{cy}" rx="3" ry="7"/>'
             f'<path d="M{cx - 7},{cy} H{cx + 7} M{cx - 6},{cy - 3.5} H{cx + 6} M{cx - 6},{cy + 3.5} H{cx + 6}" stroke-width="1"/></g>')
    mark, w = wordmark_v7(50, 7.5 + dy, 13, text, glyph)
    ax = 50 + w + 12
    link = (f'<path d="M{ax + 1},{10 + dy} H{ax + 7} V{16 + dy} M{ax + 7},{10 + dy} L{ax},{17 + dy}" '
            f'fill="none" stroke="{glyph}" stroke-width="1.5" stroke-linecap="round" stroke-linejoin="round" opacity="0.9"/>')
    halo = (f'<rect x="1" y="1" width="118" height="26" rx="7" fill="none" stroke="{p["accent"]}" '
            f'stroke-opacity="0.35" stroke-width="2" filter="url(#gl)"/>') if state == 1 else ""
    body = (f'{halo}<rect x="0.5" y="0.5" width="119" height="27" rx="7" fill="url(#f)" '
            f'stroke="{p["accent"]}" stroke-opacity="{border_op}"/>'
            f'<rect x="1.5" y="1.5" width="117" height="1" rx="0.5" fill="{p["white"]}" fill-opacity="{0.0 if state == 2 else 0.07}"/>'
            f'<g filter="{"url(#gl)" if state == 1 else "none"}">{globe}</g>{mark}{link}')
    return svg(120, 28, body, defs)


# ---- menu ----------------------------------------------------------------

def menu_button(p, kind, state):
    bg = ["", f'<rect x="1" y="1" width="30" height="30" rx="8" fill="{p["white"]}" fill-opacity="0.08" '
              f'stroke="{p["white"]}" stroke-opacity="0.10"/>',
          f'<rect x="1" y="1" width="30" height="30" rx="8" fill="#000" fill-opacity="0.28" '
          f'stroke="{p["white"]}" stroke-opacity="0.06"/>'][state]
    col = [p["dim"], p["light"], p["accent"]][state]
    if kind == "close":
        if state == 1:
            bg = (f'<rect x="1" y="1" width="30" height="30" rx="8" fill="{p["danger"]}" fill-opacity="0.85"/>'
                  f'<rect x="2" y="2" width="28" height="1" fill="#fff" fill-opacity="0.18"/>')
            col = "#ffffff"
        elif state == 2:
            bg = f'<rect x="1" y="1" width="30" height="30" rx="8" fill="#8f1d22" fill-opacity="0.9"/>'
            col = "#f4c7c9"
        glyph = (f'<path d="M11,11 L21,21 M21,11 L11,21" stroke="{col}" stroke-width="2" '
                 f'stroke-linecap="round"/>')
    else:
        glyph = f'<path d="{gear_path(16, 16, 9.5, 7, 3.2)}" fill="{col}" fill-rule="evenodd"/>'
    return svg(32, 32, bg + glyph)


# ---- function icons ------------------------------------------------------

def icon_mouse(c):
    return (f'<rect x="11" y="5" width="18" height="30" rx="9" fill="none" stroke="{c}" stroke-width="2"/>'
            f'<path d="M20,5.5 A9,9 0 0 0 12,13 V17 H20 Z" fill="{c}"/>'
            f'<path d="M20,6 V17 H28" fill="none" stroke="{c}" stroke-width="1.6"/>'
            f'<rect x="19" y="9" width="2" height="5" rx="1" fill="{c}" opacity="0.75"/>')


def icon_macro(c):
    # keycap: outer skirt and a raised top face, a play mark on the face
    return (f'<rect x="5" y="6" width="30" height="28" rx="5" fill="none" stroke="{c}" stroke-width="2"/>'
            f'<rect x="10" y="9.5" width="20" height="17" rx="3" fill="{c}" fill-opacity="0.14" '
            f'stroke="{c}" stroke-width="1.4" stroke-opacity="0.8"/>'
            f'<path d="M12,26.5 L8,32 M28,26.5 L32,32" stroke="{c}" stroke-width="1.2" opacity="0.6"/>'
            f'<path d="M17.5,13.5 L24.5,18 L17.5,22.5 Z" fill="{c}" stroke="{c}" stroke-width="1.2" '
            f'stroke-linejoin="round"/>')


def icon_light(c):
    rays = "".join(
        f'<path d="M{20 + 13 * math.cos(math.radians(a)):.2f},{17 + 13 * math.sin(math.radians(a)):.2f} '
        f'L{20 + 17 * math.cos(math.radians(a)):.2f},{17 + 17 * math.sin(math.radians(a)):.2f}"/>'
        for a in (-180, -135, -90, -45, 0))
    return (f'<g stroke="{c}" stroke-width="2" stroke-linecap="round" fill="none">{rays}</g>'
            f'<path d="M20,9 A8,8 0 0 1 25,23.2 V26 H15 V23.2 A8,8 0 0 1 20,9 Z" fill="none" '
            f'stroke="{c}" stroke-width="2" stroke-linejoin="round"/>'
            f'<path d="M16,29.5 H24 M17.5,33 H22.5" stroke="{c}" stroke-width="2" stroke-linecap="round"/>'
            f'<circle cx="20" cy="17" r="3" fill="{c}" opacity="0.85"/>')


def icon_sensor(c):
    ticks = "".join(
        f'<path d="M{20 + 10.5 * math.cos(math.radians(a)):.2f},{20 + 10.5 * math.sin(math.radians(a)):.2f} '
        f'L{20 + 12.5 * math.cos(math.radians(a)):.2f},{20 + 12.5 * math.sin(math.radians(a)):.2f}"/>'
        for a in range(-60, 241, 30) if a % 90)
    return (f'<circle cx="20" cy="20" r="13.5" fill="none" stroke="{c}" stroke-width="2"/>'
            f'<g stroke="{c}" stroke-width="1.3" opacity="0.6">{ticks}</g>'
            f'<circle cx="20" cy="20" r="5" fill="none" stroke="{c}" stroke-width="2"/>'
            f'<circle cx="20" cy="20" r="1.6" fill="{c}"/>'
            f'<path d="M20,2 V10 M20,30 V38 M2,20 H10 M30,20 H38" stroke="{c}" stroke-width="2" stroke-linecap="round"/>')


def icon_recoil(c):
    # reticle low left, the kick drawn as a rising curved arrow
    return (f'<circle cx="16" cy="24" r="9" fill="none" stroke="{c}" stroke-width="2"/>'
            f'<path d="M16,12 V17 M16,31 V36 M4,24 H9 M23,24 H28" stroke="{c}" stroke-width="2" stroke-linecap="round"/>'
            f'<circle cx="16" cy="24" r="2" fill="{c}"/>'
            f'<path d="M24,16 C29,14 31,11 32,8" fill="none" stroke="{c}" stroke-width="2" stroke-linecap="round"/>'
            f'<path d="M28.2,8.6 L33.2,3.5 L35,10.2 Z" fill="{c}" stroke="{c}" stroke-width="1" stroke-linejoin="round"/>'
            f'<circle cx="21" cy="7" r="1.3" fill="{c}" opacity="0.6"/><circle cx="26" cy="20" r="1.3" fill="{c}" opacity="0.6"/>')


ICONS = [icon_mouse, icon_macro, icon_light, icon_sensor, icon_recoil]


def func_icon(p, i, state):
    c = [p["dim"], p["light"], p["accent"]][state]
    defs = glow_filter("gl", 1.8, 0.55)
    g = ICONS[i](c)
    return svg(40, 40, f'<g filter="url(#gl)">{g}</g>' if state == 2 else g, defs)


# ---- button --------------------------------------------------------------

def push_button(p, state):
    top, bot = [(p["panel"], p["base"]), (p["shell_hi"], p["panel"]),
                (p["base"], p["head2"]), (p["side"], p["side"])][state]
    stroke, sop = [(p["accent"], 0.6), (p["accent"], 1.0), (p["accent"], 0.9), (p["dim"], 0.35)][state]
    defs = (vgrad("f", [(0, top, 1), (1, bot, 1)])
            + vgrad("tint", [(0, p["accent"], 0.16), (1, p["accent"], 0.04)]))
    tint = '<rect x="1" y="1" width="94" height="30" rx="5.5" fill="url(#tint)"/>' if state in (1, 2) else ""
    hi = (f'<rect x="2" y="1.5" width="92" height="1" fill="{p["white"]}" fill-opacity="0.08"/>'
          if state in (0, 1) else
          f'<rect x="2" y="1.5" width="92" height="2" fill="#000" fill-opacity="0.25"/>' if state == 2 else "")
    body = (f'<rect x="0.5" y="0.5" width="95" height="31" rx="6" fill="url(#f)" '
            f'stroke="{stroke}" stroke-opacity="{sop}"/>{tint}{hi}')
    return svg(96, 32, body, defs)


# ---- page ----------------------------------------------------------------

# Mouse body, symmetric around x = 130: the left half as cubic segments from
# the nose to the tail; the right half is its mirror image.
LEFT_HALF = [((92, 8), (56, 12), (40, 28)), ((28, 40), (25, 62), (24, 88)),
             ((23, 112), (19, 128), (19, 150)), ((19, 172), (14, 196), (14, 228)),
             ((14, 268), (22, 302), (42, 326)), ((62, 346), (94, 354), (130, 354))]


def body_path():
    fmt = lambda pt: f"{pt[0]},{pt[1]}"
    d = "M130,8 " + " ".join(f"C{fmt(a)} {fmt(b)} {fmt(c)}" for a, b, c in LEFT_HALF)
    starts = [(130, 8)] + [seg[2] for seg in LEFT_HALF[:-1]]
    for (a, b, c), p0 in zip(reversed(LEFT_HALF), reversed(starts)):
        m = lambda pt: (260 - pt[0], pt[1])
        d += f" C{fmt(m(b))} {fmt(m(a))} {fmt(m(p0))}"
    return d + " Z"


BODY = body_path()
MIRROR = 'transform="matrix(-1 0 0 1 260 0)"'


def mouse(p):
    a = p["accent"]
    wheel_mid = "#5b6270" if p["name"] == "Graphite" else "#6b5a4e"
    defs = (
        f'<radialGradient id="shell" cx="0.5" cy="0.55" r="0.6">'
        f'<stop offset="0" stop-color="{p["shell_hi"]}"/><stop offset="0.75" stop-color="{p["shell"]}"/>'
        f'<stop offset="1" stop-color="{p["shell_lo"]}"/></radialGradient>'
        + vgrad("btn", [(0, p["shell_hi"], 1), (1, p["shell"], 1)], 0.2, 0, 0.5, 1)
        + vgrad("key", [(0, p["shell_hi"], 1), (1, p["shell"], 1)])
        + vgrad("well", [(0, "#000", 0.55), (1, "#000", 0.25)])
        + vgrad("wheel", [(0, p["shell"], 1), (0.5, wheel_mid, 1), (1, p["shell"], 1)], 0, 0, 1, 0)
        + vgrad("sidebtn", [(0, p["shell_hi"], 1), (1, p["shell_lo"], 1)], 0, 0, 1, 0)
        + vgrad("em", [(0, p["accent_hi"], 1), (1, a, 1)])
        + '<pattern id="grip" width="4" height="4" patternUnits="userSpaceOnUse" '
          'patternTransform="rotate(35)"><rect width="4" height="1.3" fill="#000" fill-opacity="0.35"/></pattern>'
        + '<filter id="soft" x="-20%" y="-20%" width="140%" height="140%"><feGaussianBlur stdDeviation="5"/></filter>'
        + '<filter id="sglow" x="-50%" y="-10%" width="200%" height="120%"><feGaussianBlur stdDeviation="3"/></filter>'
        + f'<clipPath id="body"><path d="{BODY}"/></clipPath>'
    )
    # Side panel: everything outside this line (clipped to the body) is the grip wing.
    wing = ("M54,14 C46,28 43,56 43,90 C43,112 43,124 41,146 C38,176 34,206 38,236 "
            "C42,276 54,306 76,336 L0,360 L0,0 Z")
    # Left button: front edge comes from the body clip, outer edge is the wing.
    lbtn = ("M116,0 L54,0 L54,14 C46,28 43,56 43,90 C43,110 43,124 42,134 "
            "C70,130 98,122 116,116 Z")
    ridges = "".join(f'<rect x="122" y="{y}" width="16" height="1.4" fill="#000" fill-opacity="0.35"/>'
                     for y in range(45, 82, 5))
    strip = "M38,214 C40,282 76,334 130,337 C184,334 220,282 222,214"

    def side(y):
        return (f'<rect x="14" y="{y - 22}" width="16" height="44" rx="7" fill="url(#sidebtn)" '
                f'stroke="#000" stroke-opacity="0.55"/>'
                f'<rect x="16.5" y="{y - 18}" width="1.5" height="36" rx="0.75" fill="{p["white"]}" fill-opacity="0.12"/>')

    def both(el):
        return f'{el}<g {MIRROR}>{el}</g>'
    body = f'''<ellipse cx="130" cy="196" rx="112" ry="152" fill="#000" opacity="0.5" filter="url(#soft)"/>
<path d="{BODY}" fill="url(#shell)"/>
<g clip-path="url(#body)">
  {both(f'<path d="{wing}" fill="{p["shell_lo"]}"/><path d="{wing}" fill="url(#grip)"/>')}
  {both(f'<path d="{lbtn}" fill="url(#btn)" stroke="#000" stroke-opacity="0.6" stroke-width="1.2"/>')}
  {both(f'<path d="M54,15 C46,29 44,56 44,90 C44,110 44,122 43,132" fill="none" stroke="{p["white"]}" stroke-opacity="0.07"/>')}
  {both(f'<path d="M42,236 C46,276 58,306 78,332" fill="none" stroke="{p["white"]}" stroke-opacity="0.07"/>')}
  {both(f'<path d="M58,146 L122,206" fill="none" stroke="#000" stroke-opacity="0.35" stroke-width="1.2"/>'
        f'<path d="M58,147.5 L122,207.5" fill="none" stroke="{p["white"]}" stroke-opacity="0.05"/>')}
  <rect x="117" y="24" width="26" height="146" rx="13" fill="url(#well)" stroke="#000" stroke-opacity="0.4"/>
  <rect x="121" y="40" width="18" height="44" rx="9" fill="url(#wheel)" stroke="#000" stroke-opacity="0.6"/>
  {ridges}
  <rect x="123" y="41" width="14" height="1" fill="#fff" fill-opacity="0.2"/>
  <rect x="123" y="107" width="14" height="22" rx="5" fill="url(#key)" stroke="#000" stroke-opacity="0.6"/>
  <rect x="123" y="137" width="14" height="22" rx="5" fill="url(#key)" stroke="#000" stroke-opacity="0.6"/>
  <path d="M127,121 L130,115 L133,121" fill="none" stroke="{p["light"]}" stroke-opacity="0.7" stroke-width="1.4" stroke-linejoin="round"/>
  <path d="M127,145 L130,151 L133,145" fill="none" stroke="{p["light"]}" stroke-opacity="0.7" stroke-width="1.4" stroke-linejoin="round"/>
  <circle cx="130" cy="96" r="2" fill="{a}"/>
  <circle cx="130" cy="96" r="4.5" fill="{a}" opacity="0.35" filter="url(#sglow)"/>
  <path d="{strip}" fill="none" stroke="{a}" stroke-width="8" opacity="0.5" filter="url(#sglow)"/>
  <path d="{strip}" fill="none" stroke="{a}" stroke-width="2.2" stroke-linecap="round"/>
  <path d="{strip}" fill="none" stroke="{p["accent_hi"]}" stroke-width="0.8" stroke-linecap="round" opacity="0.8"/>
  <g opacity="0.9">{emblem(130, 262, 15, p, "em")}</g>
</g>
<path d="{BODY}" fill="none" stroke="#000" stroke-opacity="0.7" stroke-width="1.5"/>
<path d="M40,29 C56,13 92,9 130,9 C168,9 204,13 220,29" fill="none" stroke="{p["white"]}" stroke-opacity="0.16"/>
{side(140)}{side(190)}
<circle cx="34" cy="96" r="7" fill="{p["shell"]}" stroke="#000" stroke-opacity="0.6"/>
<circle cx="34" cy="96" r="4.6" fill="none" stroke="{a}" stroke-width="1.6"/>
<circle cx="34" cy="96" r="1.7" fill="{a}"/>'''
    return svg(260, 360, body, defs)


def mouse_glow(p):
    defs = f'<filter id="g" x="-20%" y="-20%" width="140%" height="140%"><feGaussianBlur stdDeviation="5"/></filter>'
    body = (f'<path d="{BODY}" fill="none" stroke="{p["accent"]}" stroke-width="8" opacity="0.7" filter="url(#g)"/>'
            f'<path d="{BODY}" fill="none" stroke="{p["accent"]}" stroke-width="3" opacity="0.5" filter="url(#g)"/>'
            f'<path d="{BODY}" fill="none" stroke="{p["accent_hi"]}" stroke-width="1.5" opacity="0.9"/>')
    return svg(260, 360, body, defs)


# ---- tile ----------------------------------------------------------------

def pattern(p):
    lines = "".join(f'<path d="M{x},64 L{x + 64},0" />' for x in range(-64, 64, 16))
    body = (f'<g stroke="{p["light"]}" stroke-opacity="0.025" stroke-width="1">{lines}</g>'
            f'<g fill="{p["accent"]}" fill-opacity="0.06"><rect x="0" y="0" width="1" height="1"/>'
            f'<rect x="32" y="32" width="1" height="1"/></g>')
    return svg(64, 64, body)


# ---- main ----------------------------------------------------------------

def assets(p):
    yield "frame/bg", frame_bg(p)
    yield "frame/title", frame_title(p)
    for s in range(3):
        yield f"frame/web_{s}", frame_web(p, s)
        yield f"menu/set_{s}", menu_button(p, "set", s)
        yield f"menu/close_{s}", menu_button(p, "close", s)
        for i in range(5):
            yield f"func/f{i}_{s}", func_icon(p, i, s)
    for s in range(4):
        yield f"button/btn_{s}", push_button(p, s)
    yield "page/mouse", mouse(p)
    yield "page/mouse_glow", mouse_glow(p)
    yield "bg/pattern", pattern(p)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for n, p in SKINS.items():
        for name, text in assets(p):
            path = os.path.join(here, f"skin{n}", name + ".svg")
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w") as f:
                f.write(text)


if __name__ == "__main__":
    main()
