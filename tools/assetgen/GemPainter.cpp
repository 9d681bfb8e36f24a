#include "GemPainter.h"

#include <algorithm>
#include <cmath>

#include "Palette.h"

namespace assetgen {

namespace {

std::vector<Pt> subdivide(const std::vector<Pt>& p, int parts) {
    std::vector<Pt> out;
    for (size_t i = 0; i < p.size(); ++i)
        for (int k = 0; k < parts; ++k) out.push_back(Pt::lerp(p[i], p[(i + 1) % p.size()], static_cast<double>(k) / parts));
    return out;
}

std::vector<Pt> chamfer(const std::vector<Pt>& p, double cut) {
    std::vector<Pt> out;
    for (size_t i = 0; i < p.size(); ++i) {
        const Pt prev = p[(i + p.size() - 1) % p.size()], cur = p[i], next = p[(i + 1) % p.size()];
        out.push_back(Pt::lerp(cur, prev, cut));
        out.push_back(Pt::lerp(cur, next, cut));
    }
    return out;
}

// Normalised shape (about unit radius) before placing.
std::vector<Pt> unitShape(int type) {
    std::vector<Pt> p;
    switch (type) {
        case 1: {  // heart
            for (int i = 0; i < 24; ++i) {
                const double t = 2 * kPi * i / 24;
                const double s = std::sin(t);
                p.push_back({16 * s * s * s,
                             -(13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t))});
            }
            double minY = 1e9, maxY = -1e9;
            for (const Pt& q : p) minY = std::min(minY, q.y), maxY = std::max(maxY, q.y);
            for (Pt& q : p) q = {q.x / 16.0 * 1.02, (q.y - (minY + maxY) / 2) / ((maxY - minY) / 2) * 0.97};
            break;
        }
        case 2:  // square, emerald cut
            p = chamfer({{-0.86, -0.86}, {0.86, -0.86}, {0.86, 0.86}, {-0.86, 0.86}}, 0.22);
            break;
        case 3: {  // teardrop, tip up
            for (int i = 0; i < 24; ++i) {
                const double t = 2 * kPi * i / 24;
                p.push_back({std::sin(t) * std::pow(std::sin(t / 2), 1.1) * 1.1, -std::cos(t) * 1.0 + 0.06});
            }
            break;
        }
        case 4: {  // triangle, point up
            std::vector<Pt> tri;
            for (int i = 0; i < 3; ++i) tri.push_back(Pt::polar(1.3, -kPi / 2 + i * 2 * kPi / 3) + Pt{0, 0.24});
            p = subdivide(chamfer(tri, 0.12), 1);
            break;
        }
        case 5:  // diamond
            p = subdivide(chamfer({{0, -1.06}, {0.9, 0}, {0, 1.06}, {-0.9, 0}}, 0.06), 2);
            break;
        case 6:  // hexagon
            for (int i = 0; i < 6; ++i) p.push_back(Pt::polar(1.0, -kPi / 2 + i * kPi / 3));
            p = subdivide(p, 2);
            break;
        default:  // round
            for (int i = 0; i < 16; ++i) p.push_back(Pt::polar(0.96, -kPi / 2 + i * kPi / 8));
            break;
    }
    return p;
}

double signedArea(const std::vector<Pt>& p) {
    double a = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        const Pt& u = p[i];
        const Pt& v = p[(i + 1) % p.size()];
        a += u.x * v.y - v.x * u.y;
    }
    return a / 2;
}

}  // namespace

std::vector<Pt> GemPainter::outline(int type, double cx, double cy, double r, double rotation) {
    std::vector<Pt> p = unitShape(type);
    for (Pt& q : p) q = Pt{cx, cy} + (q * r).rotated(rotation);
    return p;
}

void GemPainter::path(Canvas& c, int type, double cx, double cy, double r, double rotation) {
    c.polygon(outline(type, cx, cy, r, rotation));
}

void GemPainter::facets(Canvas& c, const std::vector<Pt>& outer, Pt centre, double r, int type, double rotation) {
    const Color base = Palette::gem(type), light = Palette::gemLight(type), dark = Palette::gemDark(type);
    const Pt lightDir = Pt{-0.55, -0.83}.rotated(-rotation);
    const double orient = signedArea(outer) > 0 ? 1.0 : -1.0;
    const Pt shift = Pt{-0.05 * r, -0.07 * r}.rotated(rotation);
    const bool step = (type == 2);
    const std::vector<double> scales = step ? std::vector<double>{1.0, 0.8, 0.6} : std::vector<double>{1.0, 0.56};
    std::vector<std::vector<Pt>> rings;
    for (size_t k = 0; k < scales.size(); ++k) {
        std::vector<Pt> ring;
        const double f = static_cast<double>(k) / (scales.size() - 1);
        for (const Pt& q : outer) ring.push_back(centre + shift * f + (q - centre) * scales[k]);
        rings.push_back(ring);
    }
    cairo_t* cr = c.cr();
    const size_t n = outer.size();
    for (size_t k = 0; k + 1 < rings.size(); ++k) {
        const double steep = 1.0 - 0.35 * k;
        for (size_t i = 0; i < n; ++i) {
            const Pt a = rings[k][i], b = rings[k][(i + 1) % n];
            const Pt edge = b - a;
            Pt normal = Pt{edge.y, -edge.x} * orient;
            const double len = normal.length();
            if (len < 1e-6) continue;
            normal = normal * (1.0 / len);
            const double lit = (normal.x * lightDir.x + normal.y * lightDir.y) * steep + (i % 2 ? 0.06 : -0.04);
            const Color col = lit > 0 ? base.mix(light, lit * 0.8) : base.mix(dark, -lit * 0.7);
            c.polygon({a, b, rings[k + 1][(i + 1) % n], rings[k + 1][i]});
            c.fillPath(col, true);
            c.strokePath(col, 0.6);
        }
    }
    // Table: a soft gradient lit from the upper left.
    const std::vector<Pt>& table = rings.back();
    Pt tc{0, 0};
    for (const Pt& q : table) tc = tc + q;
    tc = tc * (1.0 / table.size());
    c.polygon(table);
    const Pt hl = tc + Pt{-0.3 * r, -0.35 * r};
    if (type == 7) {
        c.fillRadial2(hl.x, hl.y, 0, tc.x, tc.y, r * 0.7,
                      {{0, Color::hex(0xFFFFFF)}, {0.45, Color::hex(0xf4e6ff)}, {1, Color::hex(0xb8d8f0)}}, true);
    } else {
        c.fillRadial2(hl.x, hl.y, 0, tc.x, tc.y, r * 0.7, {{0, light}, {0.5, base.mix(light, 0.25)}, {1, base}}, true);
    }
    cairo_new_path(cr);
    // Faint star facets across the table.
    for (size_t i = 0; i < n; i += (n > 12 ? 2 : 1)) {
        cairo_move_to(cr, tc.x, tc.y);
        cairo_line_to(cr, table[i].x, table[i].y);
    }
    c.strokePath(light.withAlpha(0.28), 0.6);
    // Facet edges.
    for (size_t k = 0; k < rings.size(); ++k) {
        c.polygon(rings[k]);
        c.strokePath(light.withAlpha(k == 0 ? 0.0 : 0.45), 0.7);
    }
    for (size_t i = 0; i < n; ++i) {
        cairo_move_to(cr, rings.front()[i].x, rings.front()[i].y);
        cairo_line_to(cr, rings.back()[i].x, rings.back()[i].y);
    }
    c.strokePath(light.withAlpha(0.22), 0.5);
}

void GemPainter::draw(Canvas& c, int type, double cx, double cy, double r, double rotation, bool shadow,
                      double sparkle) {
    const std::vector<Pt> outer = outline(type, cx, cy, r, rotation);
    const Color light = Palette::gemLight(type), dark = Palette::gemDark(type);
    if (shadow) {
        Canvas s(c.width(), c.height());
        s.polygon(outer);
        s.fillPath(Color::hex(0x000000, 0.55));
        s.blur(r * 0.14);
        c.draw(s, r * 0.07, r * 0.12);
    }
    Pt centre{0, 0};
    for (const Pt& q : outer) centre = centre + q;
    centre = centre * (1.0 / outer.size());
    facets(c, outer, centre, r, type, rotation);

    c.save();
    c.polygon(outer);
    cairo_clip(c.cr());
    // Light passing through the stone brightens its far side.
    c.glowSpot(centre.x + 0.42 * r, centre.y + 0.5 * r, 0.65 * r, light.withAlpha(0.55));
    // Highlight on the near side.
    const Pt h = centre + Pt{-0.34 * r, -0.42 * r};
    c.save();
    cairo_translate(c.cr(), h.x, h.y);
    cairo_rotate(c.cr(), -0.6);
    cairo_scale(c.cr(), 1.0, 0.5);
    c.circle(0, 0, 0.34 * r);
    c.fillRadial(0, 0, 0, 0.34 * r, {{0, Color::hex(0xFFFFFF, 0.85)}, {0.6, Color::hex(0xFFFFFF, 0.35)}, {1, Color::hex(0xFFFFFF, 0)}});
    c.restore();
    c.restore();

    c.polygon(outer);
    c.strokePath(dark.darker(0.25).withAlpha(0.95), std::max(1.0, r * 0.065));

    if (sparkle > 0) {
        const Pt s = centre + Pt{-0.42 * r, -0.5 * r};
        c.glowSpot(s.x, s.y, 0.32 * r, Color::hex(0xFFFFFF, 0.6 * sparkle));
        c.star(s.x, s.y, 0.3 * r * sparkle, 0.05 * r, 4, 0);
        c.fillPath(Color::hex(0xFFFFFF, 0.95));
    }
}

}  // namespace assetgen
