#pragma once
#include <cairo.h>

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "Color.h"
#include "Pt.h"

namespace assetgen {

class Rng;

struct Stop {
    double offset;
    Color color;
};

// An ARGB32 cairo surface with the path and paint helpers the painters share.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(Canvas&& other) noexcept;
    Canvas& operator=(Canvas&& other) noexcept;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    uint32_t* row(int y);
    const uint32_t* row(int y) const;

    Canvas copy() const;
    void clear();
    void fill(const Color& c);
    void source(const Color& c);
    void save() { cairo_save(cr_); }
    void restore() { cairo_restore(cr_); }

    // Paths (appended to the current path).
    void rect(double x, double y, double w, double h);
    void roundRect(double x, double y, double w, double h, double r);
    void circle(double cx, double cy, double r);
    void ellipse(double cx, double cy, double rx, double ry, double angle = 0);
    void polygon(const std::vector<Pt>& pts);
    void smoothClosed(const std::vector<Pt>& pts, double tension = 0.5);
    void smoothOpen(const std::vector<Pt>& pts, double tension = 0.5);
    void star(double cx, double cy, double outer, double inner, int points, double rotation = -kPi / 2);
    void roundStar(double cx, double cy, double outer, double inner, int points, double rotation = -kPi / 2);

    // Fill or stroke the current path; preserve keeps it for a second pass.
    void fillPath(const Color& c, bool preserve = false);
    void strokePath(const Color& c, double width, bool preserve = false);
    void fillLinear(double x0, double y0, double x1, double y1, std::initializer_list<Stop> stops, bool preserve = false);
    void fillRadial(double cx, double cy, double r0, double r1, std::initializer_list<Stop> stops, bool preserve = false);
    void fillRadial2(double fx, double fy, double r0, double cx, double cy, double r1, std::initializer_list<Stop> stops,
                     bool preserve = false);

    // Soft round light: alpha falls off smoothly to nothing at the radius.
    void glowSpot(double cx, double cy, double radius, const Color& c, double strength = 1.0);

    // Compositing of whole canvases.
    void draw(const Canvas& src, double x, double y, double alpha = 1.0,
              cairo_operator_t op = CAIRO_OPERATOR_OVER);
    void drawScaled(const Canvas& src, double x, double y, double w, double h, double alpha = 1.0);
    void drawTransformed(const Canvas& src, double cx, double cy, double scaleX, double scaleY, double radians,
                         double alpha = 1.0);

    // Pixel effects.
    void blur(double radius);
    void tint(const Color& c);                 // keep alpha, replace colour
    void multiplyAlpha(double factor);
    void grain(Rng& rng, double amount);       // hand-made speckle on visible pixels
    void paperTexture(uint64_t seed, double amount, double scale = 1.0);
    void floorDark(int minimum);               // lift near-black so masking never bites
    Canvas shadowOf(const Color& c, double blurRadius) const;

private:
    int width_ = 0, height_ = 0;
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
};

}  // namespace assetgen
