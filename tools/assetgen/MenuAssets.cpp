// Buttons of Data/menus/ (wooden plates with their label; the mouse-over
// picture glows), the animated page arrows, toggles and option captions.

#include <cmath>
#include <string>

#include "Generators.h"
#include "Palette.h"
#include "PanelKit.h"
#include "Registry.h"
#include "Rng.h"
#include "TextPainter.h"

namespace assetgen {

namespace {

const std::string M = "Data/menus/";

void button(Canvas& c, const std::string& label, bool lit, double leftPad, double maxText) {
    const double w = c.width(), h = c.height();
    const double inset = lit ? 4 : 4;
    PanelKit::woodPlate(c, leftPad + inset, inset - 1, w - leftPad - inset * 2, h - inset * 2 - 1, std::min(14.0, h * 0.3),
                        lit, Rng::hash(label));
    const double pw = w - leftPad - inset * 2 - 16;
    const double size = TextPainter::fit(label, pw, (h - inset * 2) * 0.62, maxText);
    TextStyle st = TextStyle::plate(size);
    if (lit) {
        st.top = Color::hex(0xFFFFFF);
        st.bottom = Color::hex(0xffe07a);
        st.glow = Color::hex(0xffd060, 0.7);
        st.glowRadius = size * 0.25;
    }
    TextPainter::draw(c, label, leftPad + (w - leftPad) / 2.0, h / 2.0 - 1.5, st);
}

void arrowFrame(Canvas& c, int frame, int frames, bool right, bool lit) {
    const double t = static_cast<double>(frame) / frames;
    const double nudge = 3.5 * std::sin(t * 2 * kPi);
    Canvas a(95, 40);
    const double ox = 2 + nudge + 2;
    // Arrow: rounded wooden shaft with a gold head, pointing right.
    std::vector<Pt> shape = {{ox + 4, 13}, {ox + 56, 13}, {ox + 56, 5}, {ox + 84, 20}, {ox + 56, 35}, {ox + 56, 27}, {ox + 4, 27}};
    Canvas sh(95, 40);
    sh.polygon(shape);
    sh.fillPath(Color::hex(0x000000, 0.5));
    sh.blur(2.5);
    a.draw(sh, 1, 2);
    if (lit) {
        Canvas glow(95, 40);
        glow.polygon(shape);
        glow.fillPath(Color::hex(0xffc94a));
        glow.blur(5);
        a.draw(glow, 0, 0);
    }
    a.save();
    a.polygon(shape);
    cairo_set_line_join(a.cr(), CAIRO_LINE_JOIN_ROUND);
    a.fillLinear(0, 5, 0, 35,
                 lit ? std::initializer_list<Stop>{{0, Color::hex(0xfff6c0)}, {0.5, Color::hex(0xffc848)}, {1, Color::hex(0xc07818)}}
                     : std::initializer_list<Stop>{{0, Color::hex(0xf4d488)}, {0.5, Color::hex(0xd89a38)}, {1, Color::hex(0x8a5418)}},
                 true);
    a.strokePath(Color::hex(0x3a1e0e), 2);
    a.restore();
    a.roundRect(ox + 6, 15, 48, 3, 1.5);
    a.fillPath(Color::hex(0xFFFFFF, 0.5));
    // A glint runs along the arrow once per loop.
    const double gx = ox - 10 + t * 110;
    a.save();
    a.polygon(shape);
    cairo_clip(a.cr());
    a.rect(gx, 0, 8, 40);
    a.fillLinear(gx, 0, gx + 8, 0, {{0, Color::hex(0xFFFFFF, 0)}, {0.5, Color::hex(0xFFFFFF, 0.6)}, {1, Color::hex(0xFFFFFF, 0)}});
    a.restore();
    if (lit) PanelKit::sparkle(a, ox + 80, 12, 4, Color::hex(0xFFFFFF, 0.5 + 0.5 * std::abs(std::sin(t * 2 * kPi))));
    if (right) {
        c.draw(a, 0, 0);
    } else {
        c.save();
        cairo_translate(c.cr(), 95, 0);
        cairo_scale(c.cr(), -1, 1);
        cairo_set_source_surface(c.cr(), a.surface(), 0, 0);
        cairo_paint(c.cr());
        c.restore();
    }
}

void toggle(Canvas& c, bool on, bool lit) {
    PanelKit::woodPlate(c, 4, 3, 72, 33, 10, lit, on ? 61 : 62);
    const Color lamp = on ? Color::hex(0x7cff7a) : Color::hex(0x5a3a2a);
    if (on) c.glowSpot(19, 19.5, 11, Color::hex(0x9aff8a, lit ? 0.9 : 0.6));
    c.circle(19, 19.5, 5.5);
    c.fillRadial2(17.5, 18, 0, 19, 19.5, 6, {{0, lamp.lighter(0.6)}, {1, lamp.darker(0.3)}}, true);
    c.strokePath(Color::hex(0x2a1406), 1.2);
    TextStyle st = TextStyle::plate(18);
    if (lit) {
        st.glow = Color::hex(0xffd060, 0.7);
        st.glowRadius = 4;
    }
    TextPainter::draw(c, on ? "On" : "Off", 47, 19, st);
}

// The options captions stand on the book's dark writing area, so they are plain pale cream.
// Each picture is placed by its top-left corner: the slider captions are as wide as twice the
// distance from their left edge to the sliders' centre, so their centred text stands over the
// sliders; "Full Screen" ends just before the toggle at its right.
void optionCaption(Canvas& c, const std::string& text, double maxSize, Align align, double capCentreY) {
    const double rim = 3;
    TextStyle st = TextStyle::plate(TextPainter::fit(text, c.width() - 2 * rim, c.height() - 2 * rim, maxSize));
    st.top = Color::hex(0xFFFDF2);
    st.bottom = Color::hex(0xFFEBC4);
    st.outlineWidth = 0;
    st.shadow.a = 0;
    const double x = align == Align::Centre ? c.width() / 2.0 : c.width() - rim;
    TextPainter::draw(c, text, x, capCentreY, st, align);
}

}  // namespace

void registerMenuAssets(Registry& r) {
    struct B { const char* name; const char* label; double leftPad; double maxText; };
    const B buttons[] = {
        {"OK", "OK", 0, 26}, {"OK2", "OK", 0, 26}, {"Cancel", "Cancel", 0, 24}, {"Create", "Create", 0, 24},
        {"Delete", "Delete", 0, 24}, {"Yes", "Yes", 0, 26}, {"No", "No", 0, 26},
        {"changeplayer", "Change Player", 15, 28}, {"play", "Play", 0, 44}, {"titleoptions", "Options", 15, 30},
        {"exit", "Exit", 15, 30}, {"Hint", "Hint", 0, 20}, {"Menu", "Menu", 0, 20}, {"resume", "Resume", 0, 30},
        {"options", "Options", 0, 30}, {"help", "Help", 0, 30}, {"saveandexit", "Save and Exit", 0, 28},
        {"credits", "Credits", 0, 24}, {"clear", "Clear", 0, 24},
    };
    for (const B& b : buttons) {
        const std::string label = b.label;
        const double pad = b.leftPad, maxText = b.maxText;
        r.image(M + b.name + ".png", [=](Canvas& c, const Asset&) { button(c, label, false, pad, maxText); });
        r.image(M + b.name + "MO.png", [=](Canvas& c, const Asset&) { button(c, label, true, pad, maxText); });
    }
    r.strip(M + "arrowright.png", [](Canvas& c, int f, const Asset& a) { arrowFrame(c, f, a.frames, true, false); });
    r.strip(M + "arrowrightMO.png", [](Canvas& c, int f, const Asset& a) { arrowFrame(c, f, a.frames, true, true); });
    r.strip(M + "arrowleft.png", [](Canvas& c, int f, const Asset& a) { arrowFrame(c, f, a.frames, false, false); });
    r.strip(M + "arrowleftMO.png", [](Canvas& c, int f, const Asset& a) { arrowFrame(c, f, a.frames, false, true); });
    r.image(M + "on.png", [](Canvas& c, const Asset&) { toggle(c, true, false); });
    r.image(M + "onMO.png", [](Canvas& c, const Asset&) { toggle(c, true, true); });
    r.image(M + "off.png", [](Canvas& c, const Asset&) { toggle(c, false, false); });
    r.image(M + "offMO.png", [](Canvas& c, const Asset&) { toggle(c, false, true); });
    r.image(M + "OptionsTop.png", [](Canvas& c, const Asset&) { optionCaption(c, "Options", 30, Align::Centre, 20); });
    r.image(M + "Music.png", [](Canvas& c, const Asset&) { optionCaption(c, "Music", 20, Align::Centre, 10); });
    r.image(M + "Sound.png", [](Canvas& c, const Asset&) { optionCaption(c, "Sound", 20, Align::Centre, 10); });
    r.image(M + "Details.png", [](Canvas& c, const Asset&) { optionCaption(c, "Detail", 20, Align::Centre, 10); });
    r.image(M + "FullScreen.png", [](Canvas& c, const Asset&) { optionCaption(c, "Full Screen", 20, Align::Right, 9); });
}

}  // namespace assetgen
