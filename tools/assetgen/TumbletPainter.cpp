#include "TumbletPainter.h"

#include <cmath>

#include "GemPainter.h"
#include "Palette.h"

namespace assetgen {

namespace {
const Color kLine = Color::hex(0x2a1530);

void limb(Canvas& c, Pt from, Pt to, double width, const Color& col, const Color& outline) {
    cairo_move_to(c.cr(), from.x, from.y);
    cairo_line_to(c.cr(), to.x, to.y);
    c.strokePath(outline, width + 2);
    cairo_move_to(c.cr(), from.x, from.y);
    cairo_line_to(c.cr(), to.x, to.y);
    c.strokePath(col, width);
}
}  // namespace

void TumbletPainter::face(Canvas& c, double cx, double cy, double r, const Pose& p, bool cheeks) {
    const double fx = cx + p.faceShift * r * 0.22;
    for (int s : {-1, 1}) {
        const double ex = fx + s * r * 0.34, ey = cy - r * 0.08;
        const double rx = r * 0.26, ry = r * 0.32;
        if (p.blink > 0.5) {
            cairo_move_to(c.cr(), ex - rx, ey + ry * 0.1);
            cairo_curve_to(c.cr(), ex - rx * 0.4, ey + ry * 0.6, ex + rx * 0.4, ey + ry * 0.6, ex + rx, ey + ry * 0.1);
            c.strokePath(kLine, std::max(1.0, r * 0.08));
            continue;
        }
        c.ellipse(ex, ey, rx, ry);
        c.fillPath(Color::hex(0xFFFFFF), true);
        c.strokePath(kLine, std::max(0.8, r * 0.06));
        const double px = ex + p.lookX * rx * 0.38, py = ey + p.lookY * ry * 0.35 + ry * 0.1;
        c.ellipse(px, py, rx * 0.58, ry * 0.6);
        c.fillPath(Color::hex(0x24143a));
        c.circle(px - rx * 0.22, py - ry * 0.25, rx * 0.24);
        c.fillPath(Color::hex(0xFFFFFF));
        c.circle(px + rx * 0.2, py + ry * 0.22, rx * 0.1);
        c.fillPath(Color::hex(0xFFFFFF, 0.8));
    }
    if (cheeks) {
        for (int s : {-1, 1}) {
            c.ellipse(fx + s * r * 0.6, cy + r * 0.3, r * 0.14, r * 0.09);
            c.fillPath(Color::hex(0xff6f8a, 0.55));
        }
    }
    const double my = cy + r * 0.36;
    if (p.mouth > 0.2) {
        c.ellipse(fx, my + r * 0.04, r * 0.12 + r * 0.06 * p.mouth, r * 0.07 + r * 0.12 * p.mouth);
        c.fillPath(Color::hex(0x6a1830), true);
        c.strokePath(kLine, std::max(0.7, r * 0.05));
    } else {
        cairo_move_to(c.cr(), fx - r * 0.16, my - r * 0.02);
        cairo_curve_to(c.cr(), fx - r * 0.08, my + r * 0.1, fx + r * 0.08, my + r * 0.1, fx + r * 0.16, my - r * 0.02);
        c.strokePath(kLine, std::max(0.8, r * 0.06));
    }
}

void TumbletPainter::creature(Canvas& c, int type, double cx, double cy, double r, const Pose& p) {
    const Color base = Palette::gem(type), light = Palette::gemLight(type), dark = Palette::gemDark(type);
    const Color bodyCol = type == 7 ? Color::hex(0xf4f6ff) : base.lighter(0.15);
    // Legs and feet behind the body.
    for (int s : {-1, 1}) {
        Pt hip{cx + s * r * 0.35, cy + r * 0.7};
        Pt foot = hip + Pt{0, r * 0.38};
        if (p.legPhase >= 0) {
            const double a = std::sin(p.legPhase + (s > 0 ? 0 : kPi)) * 0.9;
            foot = Pt{cx + r * 0.05, cy + r * 0.72} + Pt::polar(r * 0.62, kPi / 2 - a);
            foot.y -= std::max(0.0, std::cos(p.legPhase + (s > 0 ? 0 : kPi))) * r * 0.18;
            hip = Pt{cx + r * 0.05 + s * r * 0.1, cy + r * 0.65};
        }
        limb(c, hip, foot, r * 0.16, dark.mix(base, 0.4), kLine);
        c.ellipse(foot.x + r * 0.1, foot.y, r * 0.22, r * 0.13);
        c.fillPath(dark.mix(base, 0.3), true);
        c.strokePath(kLine, std::max(0.8, r * 0.06));
    }
    // Arms.
    for (int s : {-1, 1}) {
        const double a = p.armAngle + s * p.armSwing;
        const Pt shoulder{cx + s * r * 0.82, cy + r * 0.15};
        const Pt hand = shoulder + Pt{s * std::cos(a) * r * 0.45, -std::sin(a) * r * 0.45};
        limb(c, shoulder, hand, r * 0.14, bodyCol, kLine);
        c.circle(hand.x, hand.y, r * 0.14);
        c.fillPath(bodyCol, true);
        c.strokePath(kLine, std::max(0.7, r * 0.05));
    }
    // Body.
    c.ellipse(cx, cy, r, r * 0.96);
    c.fillRadial2(cx - r * 0.35, cy - r * 0.4, 0, cx, cy, r * 1.05, {{0, light.lighter(0.2)}, {0.55, bodyCol}, {1, base.mix(dark, 0.35)}},
                  true);
    c.strokePath(kLine, std::max(1.0, r * 0.08));
    c.ellipse(cx + p.faceShift * r * 0.1, cy + r * 0.45, r * 0.55, r * 0.38);
    c.fillPath(Color::hex(0xFFFFFF, 0.22));
    // The little gem it wears on its head.
    GemPainter::draw(c, type, cx - r * 0.05, cy - r * 1.02, r * 0.36, 0, false, 0.6);
    face(c, cx, cy + r * 0.05, r, p);
}

void TumbletPainter::inGemFrame(Canvas& c, int type, int frame, int frames) {
    const double t = static_cast<double>(frame) / frames;
    GemPainter::draw(c, type, 25, 25, GemPainter::kCellRadius, 0, true, 0.0);
    Pose p;
    // Looks left, ahead, right, up, blinks, ahead again.
    if (frame < 5) p.lookX = -1;
    else if (frame < 8) p.lookX = 0;
    else if (frame < 13) p.lookX = 1;
    else if (frame < 16) p.lookY = -1;
    else if (frame < 18) p.blink = 1;
    const double bob = std::sin(t * 2 * kPi) * 0.6;
    Canvas f(c.width(), c.height());
    const double fr = 14.0;
    // A soft lighter patch inside the stone: the creature's round body glimpsed through the facets.
    f.circle(25, 27 + bob, fr);
    f.fillRadial(25, 27 + bob, 0, fr, {{0, Palette::gemLight(type).withAlpha(0.55)}, {1, Palette::gemLight(type).withAlpha(0)}});
    face(f, 25, 26 + bob, fr, p, true);
    // The face sits inside the gem, a little dimmed by the stone.
    c.save();
    GemPainter::path(c, type, 25, 25, GemPainter::kCellRadius * 0.98);
    cairo_clip(c.cr());
    c.draw(f, 0, 0, 0.92);
    c.restore();
    c.circle(17, 15, 2.2);
    c.fillPath(Color::hex(0xFFFFFF, 0.75));
}

void TumbletPainter::fallingFrame(Canvas& c, int type, int frame, int frames) {
    const double t = static_cast<double>(frame) / frames;
    Pose p;
    p.mouth = 0.8;
    p.lookX = 0.6;
    p.lookY = -0.4;
    p.faceShift = 0.6;
    p.armAngle = 1.0 + 0.35 * std::sin(t * 6 * kPi);
    p.armSwing = 0.3 * std::sin(t * 6 * kPi);
    Canvas body(80, 80);
    creature(body, type, 40, 43, 19.5, p);
    c.drawTransformed(body, 40, 40, 1, 1, t * 2 * kPi);
    // Little motion puffs behind the tumble.
    for (int k = 0; k < 3; ++k) {
        const double a = t * 2 * kPi + kPi + k * 0.45;
        const Pt q = Pt{40, 40} + Pt::polar(30, a);
        c.circle(q.x, q.y, 2.2 - k * 0.5);
        c.fillPath(Color::hex(0xFFFFFF, 0.45 - k * 0.12));
    }
}

void TumbletPainter::runningFrame(Canvas& c, int type, int frame, int frames) {
    const double t = static_cast<double>(frame) / frames;
    const double phase = t * 4 * kPi;  // two strides per loop
    const double bob = -std::abs(std::sin(phase)) * 3.0;
    c.ellipse(41, 67, 15 + bob * 0.8, 3.2);
    c.fillPath(Color::hex(0x000000, 0.28));
    Pose p;
    p.lookX = 1;
    p.faceShift = 0.7;
    p.legPhase = phase;
    p.armAngle = 0.2;
    p.armSwing = 0.7 * std::sin(phase);
    p.mouth = 0.3 + 0.3 * std::abs(std::sin(phase));
    Canvas body(80, 80);
    creature(body, type, 40, 38, 18, p);
    c.drawTransformed(body, 40, 40 + bob + 4, 1, 1, 0.12);
    // Dust kicked up behind.
    const double puff = std::fmod(t * 2, 1.0);
    for (int k = 0; k < 2; ++k) {
        const double pp = std::fmod(puff + k * 0.5, 1.0);
        c.circle(22 - pp * 12, 68 - pp * 6, 2 + pp * 3);
        c.fillPath(Color::hex(0xe8dcc8, 0.5 * (1 - pp)));
    }
}

void TumbletPainter::shardFrame(Canvas& c, int type, int frame, int frames) {
    const double a = 2 * kPi * frame / frames;
    const double squash = 0.55 + 0.45 * std::abs(std::cos(a * 1.0));
    c.save();
    cairo_translate(c.cr(), 10, 10);
    cairo_rotate(c.cr(), a);
    cairo_scale(c.cr(), 1.0, squash);
    const std::vector<Pt> pts = {{-6.5, -5}, {7, -3}, {1.5, 7}};
    c.polygon(pts);
    c.fillPath(Palette::gem(type), true);
    c.strokePath(Palette::gemDark(type), 1.0);
    c.polygon({{-6.5, -5}, {7, -3}, {0.5, 0}});
    c.fillPath(Palette::gemLight(type).withAlpha(0.85));
    c.polygon({{0.5, 0}, {7, -3}, {1.5, 7}});
    c.fillPath(Palette::gemDark(type).withAlpha(0.35));
    c.restore();
    c.circle(7, 7, 1.2);
    c.fillPath(Color::hex(0xFFFFFF, 0.4 + 0.4 * std::abs(std::sin(a))));
}

}  // namespace assetgen
