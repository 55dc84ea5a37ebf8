// Takes the README's pictures of the window: run by scripts/screenshots.sh.
var out = __outDir;
function settle() {
    for (var i = 0; i < 100 && !scene.ready; ++i)
        wait(50);
    wait(1200);
}
function shoot(name) {
    wait(900);
    if (!grab(out + "/" + name + ".png"))
        throw new Error("cannot write " + name);
}
settle();
shoot("window");
var pages = ["buttons", "macros", "lighting", "sensor", "recoil"];
for (var i = 0; i < pages.length; ++i) {
    if (!click("funcMenu" + i))
        throw new Error("no function menu entry " + i);
    shoot(pages[i]);
}
click("menuUp0");
shoot("settings");
// The second skin, stored like a user would.
click("globalSkin1");
click("globalApply");
for (var j = 0; j < pages.length; ++j) {
    click("funcMenu" + j);
    shoot(pages[j] + "-ember");
}
