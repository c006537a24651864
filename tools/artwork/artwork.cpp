// Draws the pictures of the program: zestovar-artwork KIND WIDTH HEIGHT SEED OUT.jpg
//
// KIND is default (the picture of a recipe without one), splash, logo, or the kind of a recipe
// picture: vorspeise, suppe, hauptgericht, dessert, backwaren, getraenke, and for baked goods also
// kuchen, brot and plaetzchen. The seed varies colours and details, so every recipe of the book gets
// a picture of its own that stays the same from build to build.
//
// Shapes are signed distance functions; a pixel's coverage comes from its distance to the edge, which
// gives smooth edges and, with a wider edge, soft shadows.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <numbers>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace {

constexpr double kPi = std::numbers::pi;

// ---------------------------------------------------------------------------------------------------
// Colours, canvas, random numbers

struct Color {
  double r = 0, g = 0, b = 0;
};

Color rgb(int hex) {
  return {static_cast<double>((hex >> 16) & 255), static_cast<double>((hex >> 8) & 255),
          static_cast<double>(hex & 255)};
}

Color mix(Color a, Color b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Color scaled(Color c, double f) { return {c.r * f, c.g * f, c.b * f}; }

Color lighter(Color c, double t) { return mix(c, {255, 255, 255}, t); }
Color darker(Color c, double t) { return mix(c, {0, 0, 0}, t); }

class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height), px_(static_cast<std::size_t>(width) * height) {}

  int width() const { return width_; }
  int height() const { return height_; }

  void blend(int x, int y, Color c, double alpha) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || alpha <= 0) return;
    Color& p = px_[static_cast<std::size_t>(y) * width_ + x];
    p = mix(p, c, alpha);
  }

  std::vector<unsigned char> bytes() const {
    std::vector<unsigned char> out;
    out.reserve(px_.size() * 3);
    for (const Color& c : px_)
      for (double v : {c.r, c.g, c.b}) out.push_back(static_cast<unsigned char>(std::clamp(std::lround(v), 0L, 255L)));
    return out;
  }

 private:
  int width_, height_;
  std::vector<Color> px_;
};

// SplitMix64: small, and the same numbers on every machine, so pictures do not change between builds.
class Rng {
 public:
  // Neighbouring seeds must not give shifted copies of one sequence: the seed is scrambled first.
  explicit Rng(std::uint64_t seed) : state_(seed) { state_ = next() ^ 0x632BE59BD9B4E019ULL; }
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  double uniform(double lo, double hi) { return lo + (hi - lo) * static_cast<double>(next() >> 11) * 0x1.0p-53; }
  int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
  template <typename T, std::size_t N>
  const T& pick(const std::array<T, N>& items) {
    return items[static_cast<std::size_t>(below(static_cast<int>(N)))];
  }

 private:
  std::uint64_t state_;
};

// Smooth value noise in [0, 1] for grain, crumb and cloth.
double hashNoise(int x, int y, std::uint32_t seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u + seed;
  h = (h ^ (h >> 13)) * 1274126177u;
  return static_cast<double>((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

double noise(double x, double y, std::uint32_t seed) {
  const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  const double fx = x - ix, fy = y - iy;
  const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  const double a = hashNoise(ix, iy, seed), b = hashNoise(ix + 1, iy, seed);
  const double c = hashNoise(ix, iy + 1, seed), d = hashNoise(ix + 1, iy + 1, seed);
  return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

// ---------------------------------------------------------------------------------------------------
// Shapes: a signed distance (negative inside, in pixels) and a bounding box

using Distance = std::function<double(double, double)>;
using Paint = std::function<Color(double, double)>;

struct Shape {
  Distance d;
  double x0, y0, x1, y1;
};

Shape circle(double cx, double cy, double r) {
  return {[=](double x, double y) { return std::hypot(x - cx, y - cy) - r; }, cx - r, cy - r, cx + r, cy + r};
}

// Inigo Quilez's ellipse approximation: good near the edge, which is all that coverage needs.
double ellipseDistance(double px, double py, double rx, double ry) {
  const double k0 = std::hypot(px / rx, py / ry);
  const double k1 = std::hypot(px / (rx * rx), py / (ry * ry));
  return k1 > 0 ? k0 * (k0 - 1) / k1 : -std::min(rx, ry);
}

Shape ellipse(double cx, double cy, double rx, double ry, double angle = 0) {
  const double c = std::cos(angle), s = std::sin(angle);
  const double r = std::max(rx, ry);
  return {[=](double x, double y) {
            const double dx = x - cx, dy = y - cy;
            return ellipseDistance(dx * c + dy * s, -dx * s + dy * c, rx, ry);
          },
          cx - r, cy - r, cx + r, cy + r};
}

Shape roundedBox(double cx, double cy, double hw, double hh, double radius, double angle = 0) {
  const double c = std::cos(angle), s = std::sin(angle);
  const double r = std::hypot(hw, hh);
  return {[=](double x, double y) {
            const double dx = x - cx, dy = y - cy;
            const double qx = std::abs(dx * c + dy * s) - hw + radius, qy = std::abs(-dx * s + dy * c) - hh + radius;
            return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - radius;
          },
          cx - r, cy - r, cx + r, cy + r};
}

Shape segment(double ax, double ay, double bx, double by, double thickness) {
  const double h = thickness / 2;
  return {[=](double x, double y) {
            const double px = x - ax, py = y - ay, vx = bx - ax, vy = by - ay;
            const double len2 = vx * vx + vy * vy;
            const double t = len2 > 0 ? std::clamp((px * vx + py * vy) / len2, 0.0, 1.0) : 0.0;
            return std::hypot(px - vx * t, py - vy * t) - h;
          },
          std::min(ax, bx) - h, std::min(ay, by) - h, std::max(ax, bx) + h, std::max(ay, by) + h};
}

Shape polygon(std::vector<std::pair<double, double>> pts) {
  double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
  for (const auto& [x, y] : pts) {
    x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
  }
  return {[pts = std::move(pts)](double x, double y) {
            double d = 1e18;
            bool inside = false;
            for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
              const auto [ax, ay] = pts[i];
              const auto [bx, by] = pts[j];
              const double ex = bx - ax, ey = by - ay, wx = x - ax, wy = y - ay;
              const double t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0, 1.0);
              d = std::min(d, std::hypot(wx - ex * t, wy - ey * t));
              if ((ay > y) != (by > y) && x < ax + (bx - ax) * (y - ay) / (by - ay)) inside = !inside;
            }
            return inside ? -d : d;
          },
          x0, y0, x1, y1};
}

Shape unite(const Shape& a, const Shape& b) {
  return {[da = a.d, db = b.d](double x, double y) { return std::min(da(x, y), db(x, y)); }, std::min(a.x0, b.x0),
          std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

Shape intersect(const Shape& a, const Shape& b) {
  return {[da = a.d, db = b.d](double x, double y) { return std::max(da(x, y), db(x, y)); }, std::max(a.x0, b.x0),
          std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

// The band of width w around the shape's edge.
Shape outline(const Shape& a, double w) {
  return {[da = a.d, w](double x, double y) { return std::abs(da(x, y)) - w / 2; }, a.x0 - w, a.y0 - w, a.x1 + w,
          a.y1 + w};
}

Shape grown(const Shape& a, double by) {
  return {[da = a.d, by](double x, double y) { return da(x, y) - by; }, a.x0 - by, a.y0 - by, a.x1 + by, a.y1 + by};
}

Shape moved(const Shape& a, double dx, double dy) {
  return {[da = a.d, dx, dy](double x, double y) { return da(x - dx, y - dy); }, a.x0 + dx, a.y0 + dy, a.x1 + dx,
          a.y1 + dy};
}

Paint solid(Color c) {
  return [c](double, double) { return c; };
}

Paint linear(double ax, double ay, Color ca, double bx, double by, Color cb) {
  const double vx = bx - ax, vy = by - ay, len2 = std::max(vx * vx + vy * vy, 1e-9);
  return [=](double x, double y) { return mix(ca, cb, ((x - ax) * vx + (y - ay) * vy) / len2); };
}

Paint radial(double cx, double cy, double r, Color inner, Color outer) {
  return [=](double x, double y) { return mix(inner, outer, std::hypot(x - cx, y - cy) / r); };
}

// Fills a shape. blur widens the soft edge (shadows, glows); opacity scales the coverage.
void fill(Canvas& canvas, const Shape& shape, const Paint& paint, double opacity = 1.0, double blur = 1.0) {
  const int x0 = std::max(0, static_cast<int>(std::floor(shape.x0 - blur - 1)));
  const int y0 = std::max(0, static_cast<int>(std::floor(shape.y0 - blur - 1)));
  const int x1 = std::min(canvas.width() - 1, static_cast<int>(std::ceil(shape.x1 + blur + 1)));
  const int y1 = std::min(canvas.height() - 1, static_cast<int>(std::ceil(shape.y1 + blur + 1)));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      const double d = shape.d(px, py);
      const double t = std::clamp(0.5 - d / blur, 0.0, 1.0);
      const double coverage = blur > 1.0 ? t * t * (3 - 2 * t) : t;
      if (coverage > 0) canvas.blend(x, y, paint(px, py), coverage * opacity);
    }
}

void fill(Canvas& canvas, const Shape& shape, Color c, double opacity = 1.0, double blur = 1.0) {
  fill(canvas, shape, solid(c), opacity, blur);
}

void shadow(Canvas& canvas, const Shape& shape, double s, double opacity = 0.35) {
  fill(canvas, moved(grown(shape, 2 * s), 4 * s, 7 * s), Color{40, 25, 15}, opacity, 14 * s);
}

// A soft white sheen on the lit side of a shape.
void sheen(Canvas& canvas, const Shape& shape, double opacity = 0.35) {
  fill(canvas, shape, Color{255, 255, 255}, opacity, 3.0);
}

// ---------------------------------------------------------------------------------------------------
// Backgrounds

void backgroundWood(Canvas& c, Rng& rng) {
  static constexpr std::array<int, 4> woods = {0xB07A4A, 0x9C6B43, 0xC4935E, 0x8A5A3A};
  const Color base = rgb(rng.pick(woods));
  const auto seed = static_cast<std::uint32_t>(rng.next());
  const double plank = c.height() / rng.uniform(3.2, 4.5);
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) {
      const int row = static_cast<int>(y / plank);
      const double tint = 0.9 + 0.2 * hashNoise(row, 7, seed);
      const double grain = noise(x / 40.0 + row * 13, y / 3.0, seed);
      const double fine = noise(x / 6.0, y / 1.5, seed + 1);
      Color p = scaled(base, tint * (0.86 + 0.18 * grain + 0.06 * fine));
      const double edge = std::fmod(y, plank);
      if (edge < 1.2 || plank - edge < 0.6) p = darker(p, 0.45);
      c.blend(x, y, p, 1);
    }
}

void backgroundGingham(Canvas& c, Rng& rng) {
  static constexpr std::array<int, 5> cloths = {0xC8443C, 0x3E6FB0, 0x4E9A5B, 0xE08A2E, 0x8E5BA8};
  const Color cloth = rgb(rng.pick(cloths));
  const double band = std::max(8.0, c.width() / rng.uniform(12.0, 18.0));
  const double angle = rng.uniform(-0.15, 0.15), co = std::cos(angle), si = std::sin(angle);
  const auto seed = static_cast<std::uint32_t>(rng.next());
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) {
      const double u = x * co + y * si, v = -x * si + y * co;
      auto stripe = [band](double t) {
        const double f = std::fmod(std::fmod(t, 2 * band) + 2 * band, 2 * band);
        return std::clamp(std::min(f, 2 * band - f) - band / 2 + 0.5, 0.0, 1.0);
      };
      const double a = stripe(u), b = stripe(v);
      Color p = mix(Color{250, 246, 238}, cloth, 0.42 * (a + b));
      p = scaled(p, 0.94 + 0.08 * noise(x / 1.3, y / 1.3, seed));
      c.blend(x, y, p, 1);
    }
}

void backgroundLinen(Canvas& c, Rng& rng) {
  static constexpr std::array<int, 5> tones = {0xF2E6CF, 0xE4EDE2, 0xF1DCD6, 0xDCE6F0, 0xEFE8D8};
  const Color tone = rgb(rng.pick(tones));
  const auto seed = static_cast<std::uint32_t>(rng.next());
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) {
      const double weave = 0.5 * noise(x / 1.2, y / 9.0, seed) + 0.5 * noise(x / 9.0, y / 1.2, seed + 3);
      c.blend(x, y, scaled(tone, 0.9 + 0.1 * weave), 1);
    }
}

void vignette(Canvas& c, double strength) {
  const double cx = c.width() / 2.0, cy = c.height() / 2.0;
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) {
      const double d = std::hypot((x - cx) / cx, (y - cy) / cy);
      c.blend(x, y, Color{30, 18, 10}, strength * std::clamp(d - 0.55, 0.0, 1.0));
    }
}

void tableBackground(Canvas& c, Rng& rng) {
  switch (rng.below(3)) {
    case 0:
      backgroundWood(c, rng);
      break;
    case 1:
      backgroundGingham(c, rng);
      break;
    default:
      backgroundLinen(c, rng);
      break;
  }
  vignette(c, 0.45);
}

// ---------------------------------------------------------------------------------------------------
// Tableware

// A plate seen slightly from above; returns the shape of its well, where the food goes.
Shape plate(Canvas& c, Rng& rng, double cx, double cy, double rx, double ry, double s) {
  static constexpr std::array<int, 6> rims = {0xFFFFFF, 0xFFFFFF, 0x2F5D8C, 0xC0392B, 0x3C8D5A, 0xD4A017};
  const Shape outer = ellipse(cx, cy, rx, ry);
  shadow(c, outer, s);
  fill(c, outer, radial(cx - rx * 0.3, cy - ry * 0.5, rx * 1.6, Color{255, 255, 253}, Color{214, 212, 208}));
  const int rim = rng.pick(rims);
  if (rim != 0xFFFFFF) fill(c, outline(ellipse(cx, cy, rx - 4 * s, ry - 4 * s * ry / rx), 2.2 * s), rgb(rim), 0.85);
  const Shape well = ellipse(cx, cy + 2 * s, rx * 0.7, ry * 0.7);
  fill(c, well, radial(cx + rx * 0.1, cy + ry * 0.2, rx * 0.8, Color{250, 250, 248}, Color{226, 224, 220}));
  fill(c, outline(moved(well, 0, -1.5 * s), 2.5 * s), Color{150, 145, 140}, 0.25, 3 * s);
  return well;
}

void fork(Canvas& c, double x, double top, double bottom, double s) {
  const Color steel{200, 204, 210};
  const Paint metal = linear(x - 6 * s, 0, Color{245, 247, 250}, x + 6 * s, 0, Color{150, 155, 165});
  Shape handle = roundedBox(x, (top + bottom) / 2 + 20 * s, 3.2 * s, (bottom - top) / 2 - 20 * s, 3 * s);
  Shape head = roundedBox(x, top + 18 * s, 6 * s, 5 * s, 3 * s);
  for (int i = 0; i < 4; ++i) {
    const double tx = x - 4.8 * s + i * 3.2 * s;
    head = unite(head, segment(tx, top + 1 * s, tx, top + 16 * s, 1.8 * s));
  }
  const Shape all = unite(unite(handle, head), segment(x, top + 20 * s, x, top + 30 * s, 4 * s));
  shadow(c, all, s * 0.5, 0.3);
  fill(c, all, metal);
  fill(c, segment(x - 1.5 * s, top + 26 * s, x - 1.5 * s, bottom - 6 * s, 1.2 * s), lighter(steel, 0.7), 0.6);
}

void knife(Canvas& c, double x, double top, double bottom, double s) {
  const Paint metal = linear(x - 6 * s, 0, Color{245, 247, 250}, x + 6 * s, 0, Color{150, 155, 165});
  const double mid = top + (bottom - top) * 0.48;
  const Shape blade = polygon(
      {{x - 4 * s, top + 6 * s}, {x - 1 * s, top}, {x + 4.5 * s, top + 10 * s}, {x + 4.5 * s, mid}, {x - 4 * s, mid}});
  const Shape handle = roundedBox(x, (mid + bottom) / 2, 4.2 * s, (bottom - mid) / 2, 3.5 * s);
  const Shape all = unite(blade, handle);
  shadow(c, all, s * 0.5, 0.3);
  fill(c, all, metal);
  fill(c, segment(x - 2.5 * s, top + 8 * s, x - 2.5 * s, mid - 2 * s, 1.2 * s), Color{255, 255, 255}, 0.6);
}

void spoon(Canvas& c, double x, double top, double bottom, double s, double angle) {
  const double ca = std::cos(angle), sa = std::sin(angle);
  auto at = [&](double dx, double dy) { return std::pair{x + dx * ca - dy * sa, top + dx * sa + dy * ca}; };
  const auto [hx, hy] = at(0, 12 * s);
  const auto [ex, ey] = at(0, bottom - top);
  const auto [nx, ny] = at(0, 22 * s);
  const Shape all = unite(ellipse(hx, hy, 8.5 * s, 12 * s, angle), segment(nx, ny, ex, ey, 4.5 * s));
  shadow(c, all, s * 0.5, 0.3);
  fill(c, all, linear(x - 8 * s, top, Color{245, 247, 250}, x + 8 * s, top + 20 * s, Color{150, 155, 165}));
  fill(c, ellipse(hx - 2 * s, hy - 3 * s, 3 * s, 5 * s, angle), Color{255, 255, 255}, 0.5, 3 * s);
}

void steam(Canvas& c, double cx, double bottom, double height, double s, double phase) {
  for (int k = -1; k <= 1; ++k) {
    const double x0 = cx + k * 16 * s;
    for (int i = 0; i < 18; ++i) {
      const double t0 = i / 18.0, t1 = (i + 1) / 18.0;
      auto px = [&](double t) { return x0 + 5 * s * std::sin(t * 2.4 * kPi + phase + k); };
      fill(c, segment(px(t0), bottom - t0 * height, px(t1), bottom - t1 * height, 3.2 * s), Color{255, 255, 255},
           0.35 * std::sin(t0 * kPi) + 0.05, 2.0);
    }
  }
}

void herbs(Canvas& c, Rng& rng, const Shape& area, double cx, double cy, double rx, double ry, int count, double s) {
  for (int i = 0; i < count; ++i) {
    const double a = rng.uniform(0, 2 * kPi), r = std::sqrt(rng.uniform(0, 1));
    const double x = cx + std::cos(a) * rx * r, y = cy + std::sin(a) * ry * r;
    if (area.d(x, y) > -2) continue;
    fill(c, ellipse(x, y, rng.uniform(1.2, 2.4) * s, rng.uniform(0.8, 1.5) * s, rng.uniform(0, kPi)),
         mix(Color{46, 110, 40}, Color{90, 160, 60}, rng.uniform(0, 1)));
  }
}

// ---------------------------------------------------------------------------------------------------
// Dishes. Every dish is drawn around (cx, cy) at scale s (1 for a 240 x 180 picture).

void soupBowl(Canvas& c, Rng& rng, double cx, double cy, double s, bool withSpoon) {
  static constexpr std::array<int, 6> soups = {0xD2452F, 0xE8892C, 0x7FA83A, 0xC9A25A, 0xEBD9A8, 0x9C5A35};
  static constexpr std::array<int, 6> bowls = {0xF5F1E8, 0x2F6E9E, 0xC65B3B, 0x4F8A63, 0xE2B93B, 0xF5F1E8};
  const Color soup = rgb(rng.pick(soups));
  const Color bowl = rgb(rng.pick(bowls));
  const double rx = 78 * s, ry = 28 * s, depth = 46 * s;
  const Shape rim = ellipse(cx, cy, rx, ry);
  const Shape body =
      unite(intersect(ellipse(cx, cy, rx, depth + ry * 0.4), roundedBox(cx, cy + depth, rx + 2, depth, 0)), rim);
  const Shape foot = roundedBox(cx, cy + depth + 2 * s, 26 * s, 6 * s, 4 * s);
  shadow(c, unite(body, foot), s);
  fill(c, foot, darker(bowl, 0.25));
  fill(c, body, linear(cx - rx, 0, lighter(bowl, 0.25), cx + rx, 0, darker(bowl, 0.3)));
  sheen(c, ellipse(cx - rx * 0.55, cy + depth * 0.45, 7 * s, 16 * s, 0.5), 0.35);
  fill(c, rim, lighter(bowl, 0.35));
  const Shape surface = ellipse(cx, cy + 1.5 * s, rx - 7 * s, ry - 4 * s);
  fill(c, surface, radial(cx - rx * 0.2, cy - ry * 0.4, rx, lighter(soup, 0.2), darker(soup, 0.2)));
  fill(c, outline(surface, 2 * s), darker(soup, 0.4), 0.35, 2 * s);
  switch (rng.below(3)) {
    case 0:  // a swirl of cream
      for (int i = 0; i < 40; ++i) {
        const double t0 = i / 40.0 * 3 * kPi, t1 = (i + 1) / 40.0 * 3 * kPi;
        const double r0 = 4 * s + t0 * 4.2 * s, r1 = 4 * s + t1 * 4.2 * s;
        fill(c,
             segment(cx + r0 * std::cos(t0), cy + 1.5 * s + r0 * std::sin(t0) * ry / rx, cx + r1 * std::cos(t1),
                     cy + 1.5 * s + r1 * std::sin(t1) * ry / rx, 3.2 * s),
             Color{250, 246, 236}, 0.9);
      }
      break;
    case 1:  // croutons
      for (int i = 0; i < 7; ++i) {
        const double x = cx + rng.uniform(-40, 40) * s, y = cy + rng.uniform(-10, 10) * s;
        fill(c, roundedBox(x, y, 4.5 * s, 3.5 * s, 1.2 * s, rng.uniform(0, kPi)),
             linear(x - 4 * s, y - 4 * s, Color{240, 196, 110}, x + 4 * s, y + 4 * s, Color{178, 118, 52}));
      }
      break;
    default:  // vegetable pieces
      for (int i = 0; i < 12; ++i) {
        const double x = cx + rng.uniform(-48, 48) * s, y = cy + rng.uniform(-12, 12) * s;
        if (surface.d(x, y) > -4 * s) continue;
        const Color v = rng.below(2) ? Color{236, 128, 40} : Color{110, 170, 70};
        fill(c, roundedBox(x, y, 3 * s, 2.2 * s, 1 * s, rng.uniform(0, kPi)), v);
      }
      break;
  }
  herbs(c, rng, surface, cx, cy, rx * 0.7, ry * 0.7, 18, s);
  if (withSpoon) spoon(c, cx + rx + 14 * s, cy - 20 * s, cy + 60 * s, s, -0.2);
  steam(c, cx, cy - 10 * s, 60 * s, s, rng.uniform(0, 6));
}

void mainCourse(Canvas& c, Rng& rng, double cx, double cy, double s) {
  const Shape well = plate(c, rng, cx, cy, 92 * s, 70 * s, s);
  // sauce
  static constexpr std::array<int, 4> sauces = {0x7A3E1C, 0xE9D9B0, 0xB8452A, 0x9A6A2A};
  const Color sauce = rgb(rng.pick(sauces));
  const Shape pool =
      unite(ellipse(cx + 10 * s, cy + 8 * s, 36 * s, 22 * s, 0.2), circle(cx + 36 * s, cy + 18 * s, 12 * s));
  fill(c, pool, sauce, 0.95);
  sheen(c, ellipse(cx + 2 * s, cy + 2 * s, 12 * s, 4 * s, 0.2), 0.25);
  // the main piece
  const int meatKind = rng.below(3);
  const Color meat = meatKind == 0 ? Color{128, 66, 34} : meatKind == 1 ? Color{214, 150, 64} : Color{238, 160, 130};
  const Shape piece = ellipse(cx + 14 * s, cy - 2 * s, 34 * s, 20 * s, rng.uniform(-0.4, 0.1));
  shadow(c, piece, s * 0.4, 0.35);
  fill(c, piece, radial(cx + 2 * s, cy - 14 * s, 50 * s, lighter(meat, 0.25), darker(meat, 0.3)));
  const auto grain = static_cast<std::uint32_t>(rng.next());
  if (meatKind == 0) {
    for (int i = -2; i <= 2; ++i)
      fill(c,
           intersect(segment(cx + (i * 12 - 8) * s, cy - 22 * s, cx + (i * 12 + 10) * s, cy + 18 * s, 3 * s),
                     grown(piece, -3 * s)),
           Color{50, 24, 12}, 0.7);
  } else if (meatKind == 1) {  // breaded: crumbs
    fill(
        c, piece,
        [&](double x, double y) {
          return mix(Color{240, 190, 100}, Color{150, 90, 30}, noise(x / 2.2, y / 2.2, grain));
        },
        0.55);
  } else {  // fish: flakes
    for (int i = -2; i <= 2; ++i)
      fill(c, intersect(outline(circle(cx - 30 * s + i * 9 * s, cy - 2 * s, 30 * s), 1.3 * s), grown(piece, -3 * s)),
           Color{255, 235, 220}, 0.7);
  }
  sheen(c, ellipse(cx + 4 * s, cy - 12 * s, 12 * s, 4 * s, -0.2), 0.3);
  // side dish
  const int side = rng.below(3);
  if (side == 0) {  // potatoes
    for (int i = 0; i < 4; ++i) {
      const double x = cx - 40 * s + (i % 2) * 14 * s, y = cy - 16 * s + i * 10 * s;
      const Shape p = ellipse(x, y, 11 * s, 8.5 * s, rng.uniform(-0.5, 0.5));
      shadow(c, p, s * 0.3, 0.3);
      fill(c, p, radial(x - 4 * s, y - 4 * s, 14 * s, Color{252, 226, 140}, Color{206, 160, 60}));
    }
  } else if (side == 1) {  // rice
    const Shape mound = ellipse(cx - 36 * s, cy + 2 * s, 24 * s, 20 * s);
    shadow(c, mound, s * 0.3, 0.25);
    fill(c, mound, radial(cx - 42 * s, cy - 6 * s, 30 * s, Color{255, 255, 250}, Color{222, 218, 205}));
    for (int i = 0; i < 60; ++i) {
      const double a = rng.uniform(0, 2 * kPi), r = std::sqrt(rng.uniform(0, 1)) * 20 * s;
      fill(c,
           ellipse(cx - 36 * s + std::cos(a) * r, cy + 2 * s + std::sin(a) * r * 0.85, 2.2 * s, 0.9 * s,
                   rng.uniform(0, kPi)),
           Color{205, 200, 188}, 0.5);
    }
  } else {  // noodles
    for (int i = 0; i < 14; ++i) {
      const double y = cy - 18 * s + i * 3 * s, ph = rng.uniform(0, 6);
      for (int k = 0; k < 10; ++k) {
        auto px = [&](int j) { return cx - 58 * s + j * 4.4 * s; };
        auto py = [&](int j) { return y + 3 * s * std::sin(j * 0.9 + ph) + std::abs(j - 5) * 0.9 * s; };
        fill(c, segment(px(k), py(k), px(k + 1), py(k + 1), 2.8 * s),
             mix(Color{246, 214, 120}, Color{214, 170, 70}, k / 10.0));
      }
    }
  }
  // vegetables
  const int veg = rng.below(3);
  for (int i = 0; i < 9; ++i) {
    const double x = cx - 18 * s + rng.uniform(-14, 30) * s, y = cy + 26 * s + rng.uniform(-6, 8) * s;
    if (well.d(x, y) > -6 * s) continue;
    if (veg == 0)
      fill(c, circle(x, y, 3.6 * s), radial(x - 1.2 * s, y - 1.2 * s, 5 * s, Color{150, 210, 90}, Color{60, 130, 40}));
    else if (veg == 1)
      fill(c, roundedBox(x, y, 6 * s, 1.8 * s, 1.8 * s, rng.uniform(-0.6, 0.6)),
           linear(x, y - 2 * s, Color{250, 160, 60}, x, y + 2 * s, Color{210, 100, 20}));
    else
      fill(c, roundedBox(x, y, 8 * s, 1.6 * s, 1.6 * s, rng.uniform(-0.5, 0.5)),
           linear(x, y - 2 * s, Color{120, 180, 70}, x, y + 2 * s, Color{50, 110, 40}));
  }
  herbs(c, rng, well, cx + 10 * s, cy - 2 * s, 40 * s, 24 * s, 14, s);
}

void starter(Canvas& c, Rng& rng, double cx, double cy, double s) {
  const Shape well = plate(c, rng, cx, cy, 84 * s, 64 * s, s);
  const int variant = rng.below(3);
  if (variant == 0) {  // salad
    for (int i = 0; i < 22; ++i) {
      const double a = rng.uniform(0, 2 * kPi), r = std::sqrt(rng.uniform(0, 1)) * 38 * s;
      const double x = cx + std::cos(a) * r, y = cy + std::sin(a) * r * 0.75;
      const double ang = rng.uniform(0, kPi);
      const Color leaf = mix(Color{70, 140, 45}, Color{170, 210, 90}, rng.uniform(0, 1));
      const Shape l = ellipse(x, y, rng.uniform(11, 17) * s, rng.uniform(6, 9) * s, ang);
      fill(c, l, darker(leaf, 0.35), 0.5, 3 * s);
      fill(c, l, radial(x, y, 16 * s, lighter(leaf, 0.15), leaf));
      fill(c,
           segment(x - std::cos(ang) * 9 * s, y - std::sin(ang) * 9 * s, x + std::cos(ang) * 9 * s,
                   y + std::sin(ang) * 9 * s, 1 * s),
           lighter(leaf, 0.5), 0.7);
    }
    for (int i = 0; i < 5; ++i) {  // tomato slices
      const double x = cx + rng.uniform(-30, 30) * s, y = cy + rng.uniform(-22, 22) * s;
      const double r = rng.uniform(7, 9.5) * s;
      fill(c, circle(x, y, r), Color{200, 40, 30});
      fill(c, circle(x, y, r - 1.8 * s), Color{236, 80, 60});
      for (int k = 0; k < 3; ++k) {
        const double a = k * 2 * kPi / 3 + 0.4;
        fill(c, ellipse(x + std::cos(a) * r * 0.45, y + std::sin(a) * r * 0.45, r * 0.28, r * 0.18, a),
             Color{250, 200, 120});
      }
    }
    for (int i = 0; i < 4; ++i) {  // cucumber
      const double x = cx + rng.uniform(-34, 34) * s, y = cy + rng.uniform(-24, 24) * s;
      fill(c, circle(x, y, 7 * s), Color{40, 100, 40});
      fill(c, circle(x, y, 5.8 * s), Color{214, 236, 170});
      fill(c, circle(x, y, 2.8 * s), Color{180, 210, 130});
    }
    for (int i = 0; i < 6; ++i) {  // cheese
      const double x = cx + rng.uniform(-30, 30) * s, y = cy + rng.uniform(-20, 20) * s;
      fill(c, roundedBox(x, y, 4 * s, 4 * s, 1 * s, rng.uniform(0, 1)), Color{250, 248, 236});
    }
  } else if (variant == 1) {  // bruschetta
    for (int i = 0; i < 3; ++i) {
      const double x = cx + (i - 1) * 32 * s, y = cy + (i == 1 ? -8 : 6) * s;
      const double ang = rng.uniform(-0.5, 0.5);
      const Shape bread = roundedBox(x, y, 15 * s, 22 * s, 8 * s, ang);
      shadow(c, bread, s * 0.4, 0.35);
      fill(c, bread, Color{160, 100, 40});
      const auto grain = static_cast<std::uint32_t>(rng.next());
      fill(c, grown(bread, -3 * s), [&](double px, double py) {
        return mix(Color{236, 196, 120}, Color{200, 150, 80}, noise(px / 2.5, py / 2.5, grain));
      });
      for (int k = 0; k < 9; ++k) {
        const double tx = x + rng.uniform(-9, 9) * s, ty = y + rng.uniform(-15, 15) * s;
        fill(c, roundedBox(tx, ty, 3.5 * s, 3 * s, 1.2 * s, rng.uniform(0, 1)),
             radial(tx - 1, ty - 1, 5 * s, Color{240, 90, 70}, Color{180, 30, 20}));
      }
      fill(c, ellipse(x + 3 * s, y - 8 * s, 7 * s, 3.5 * s, ang + 0.6), Color{60, 140, 50});
      fill(c, segment(x - 2 * s, y - 11 * s, x + 8 * s, y - 5 * s, 0.8 * s), Color{140, 200, 110}, 0.7);
    }
  } else {  // stuffed eggs
    for (int i = 0; i < 5; ++i) {
      const double a = i * 2 * kPi / 5 - kPi / 2;
      const double x = cx + std::cos(a) * 30 * s, y = cy + std::sin(a) * 22 * s;
      const Shape white = ellipse(x, y, 15 * s, 10 * s, a);
      shadow(c, white, s * 0.3, 0.3);
      fill(c, white, radial(x - 3 * s, y - 3 * s, 16 * s, Color{255, 255, 255}, Color{225, 222, 212}));
      const Shape yolk = ellipse(x, y - 1 * s, 8 * s, 6 * s, a);
      fill(c, yolk, radial(x - 2 * s, y - 3 * s, 9 * s, Color{255, 220, 100}, Color{232, 170, 40}));
      for (int k = 0; k < 9; ++k)
        fill(c, circle(x + rng.uniform(-5, 5) * s, y + rng.uniform(-4, 3) * s, 0.6 * s), Color{200, 60, 30}, 0.8);
    }
    herbs(c, rng, well, cx, cy, 20 * s, 14 * s, 10, s);
  }
}

void dessertGlass(Canvas& c, Rng& rng, double cx, double cy, double s) {
  static constexpr std::array<int, 6> fruits = {0xC0283C, 0x6B2D6E, 0xE8A33A, 0x7CB342, 0xD9577A, 0x5B3A29};
  const Color fruit = rgb(rng.pick(fruits));
  const Color cream{252, 246, 232};
  const double top = cy - 52 * s, bottom = cy + 20 * s, hw = 46 * s;
  const Shape bowl = intersect(ellipse(cx, top, hw, bottom - top + 4 * s),
                               roundedBox(cx, (top + bottom) / 2 + 6, hw + 2, (bottom - top) / 2 + 6, 0));
  const Shape stem = segment(cx, bottom, cx, cy + 52 * s, 6 * s);
  const Shape foot = ellipse(cx, cy + 54 * s, 30 * s, 8 * s);
  shadow(c, unite(unite(bowl, stem), foot), s, 0.3);
  fill(c, foot, linear(cx - 30 * s, 0, Color{230, 236, 240}, cx + 30 * s, 0, Color{170, 180, 190}), 0.9);
  fill(c, stem, linear(cx - 3 * s, 0, Color{240, 245, 248}, cx + 3 * s, 0, Color{160, 170, 180}), 0.9);
  // layers inside the glass
  const Shape inside = grown(bowl, -2.5 * s);
  const double l1 = cy - 8 * s, l2 = cy - 26 * s;
  fill(c, intersect(inside, roundedBox(cx, (l1 + bottom) / 2 + 10, hw, (bottom - l1) / 2 + 10, 0)),
       radial(cx - 10 * s, l1, 50 * s, lighter(fruit, 0.2), darker(fruit, 0.3)));
  fill(c, intersect(inside, roundedBox(cx, (l2 + l1) / 2, hw, (l1 - l2) / 2, 0)), darker(cream, 0.05));
  const int layer = rng.below(2);
  fill(c, intersect(inside, roundedBox(cx, (top + l2) / 2, hw, (l2 - top) / 2, 0)),
       layer ? mix(fruit, cream, 0.55) : Color{150, 100, 60});
  // wavy borders between the layers
  for (double x = cx - hw; x < cx + hw; x += 3 * s) {
    fill(c, intersect(circle(x, l1 + 1.5 * s * std::sin(x * 0.3), 3 * s), inside), darker(fruit, 0.1));
    fill(c, intersect(circle(x, l2 + 1.5 * s * std::cos(x * 0.25), 2.6 * s), inside), cream);
  }
  // glass
  fill(c, outline(bowl, 2 * s), Color{255, 255, 255}, 0.55);
  fill(c, ellipse(cx, top, hw, 8 * s), Color{255, 255, 255}, 0.25);
  fill(c, outline(ellipse(cx, top, hw, 8 * s), 1.6 * s), Color{255, 255, 255}, 0.8);
  sheen(c, ellipse(cx - hw * 0.65, cy - 20 * s, 4 * s, 16 * s, 0.25), 0.45);
  // cream top with a berry
  for (int i = 0; i < 4; ++i) {
    const double r = (16 - i * 3.5) * s;
    const Shape blob = ellipse(cx, top - 2 * s - i * 7 * s, r * 1.4, r * 0.75);
    fill(c, blob, radial(cx - 6 * s, top - 8 * s - i * 7 * s, r * 1.6, Color{255, 255, 252}, Color{228, 220, 205}));
  }
  const Shape berry = circle(cx + 2 * s, top - 32 * s, 8 * s);
  fill(c, berry, radial(cx - 1 * s, top - 35 * s, 11 * s, lighter(fruit, 0.35), darker(fruit, 0.25)));
  sheen(c, circle(cx - 1 * s, top - 35 * s, 2.2 * s), 0.7);
  fill(c, ellipse(cx + 11 * s, top - 36 * s, 7 * s, 3 * s, -0.5), Color{70, 150, 60});
  fill(c, ellipse(cx + 8 * s, top - 41 * s, 6 * s, 2.6 * s, -1.3), Color{90, 170, 70});
}

void pudding(Canvas& c, Rng& rng, double cx, double cy, double s) {
  static constexpr std::array<int, 5> bodies = {0xF3E3B5, 0x6E4128, 0xF0C6CF, 0xF6E9C8, 0xE9C46A};
  static constexpr std::array<int, 4> sauces = {0xA3152A, 0x6B2D6E, 0xD98E04, 0x4A2A18};
  const Color body = rgb(rng.pick(bodies)), sauce = rgb(rng.pick(sauces));
  plate(c, rng, cx, cy + 14 * s, 90 * s, 56 * s, s);
  const Shape dome =
      unite(intersect(ellipse(cx, cy + 10 * s, 38 * s, 48 * s), roundedBox(cx, cy - 12 * s, 40 * s, 22 * s, 0)),
            ellipse(cx, cy + 10 * s, 38 * s, 11 * s));
  shadow(c, dome, s * 0.5, 0.3);
  fill(c, dome, linear(cx - 38 * s, 0, lighter(body, 0.25), cx + 38 * s, 0, darker(body, 0.2)));
  // sauce running down from the top
  Shape run = ellipse(cx, cy - 34 * s, 24 * s, 7 * s);
  for (int i = 0; i < 6; ++i) {
    const double x = cx + (i - 2.5) * 8 * s, len = rng.uniform(8, 26) * s;
    run = unite(run, segment(x, cy - 34 * s, x, cy - 34 * s + len, 5 * s));
  }
  fill(c, intersect(run, grown(dome, 1)),
       radial(cx - 6 * s, cy - 38 * s, 36 * s, lighter(sauce, 0.2), darker(sauce, 0.2)));
  sheen(c, ellipse(cx - 24 * s, cy - 10 * s, 4 * s, 12 * s), 0.35);
  fill(c, ellipse(cx + 40 * s, cy + 22 * s, 20 * s, 6 * s), sauce, 0.9);
  for (int i = 0; i < 3; ++i) {
    const double x = cx + (30 + i * 9) * s, y = cy + (16 + (i % 2) * 6) * s;
    fill(c, circle(x, y, 5 * s), radial(x - 1.5 * s, y - 1.5 * s, 7 * s, lighter(sauce, 0.4), darker(sauce, 0.1)));
  }
  fill(c, ellipse(cx + 6 * s, cy - 40 * s, 7 * s, 3 * s, -0.4), Color{70, 150, 60});
}

void iceCream(Canvas& c, Rng& rng, double cx, double cy, double s) {
  static constexpr std::array<int, 7> scoops = {0xFFF3D6, 0x7B4A2C, 0xF4A6B8, 0xB7DB8A, 0xFFE07A, 0xC9A0DC, 0xF7B267};
  const Shape bowl =
      unite(intersect(ellipse(cx, cy + 6 * s, 56 * s, 46 * s), roundedBox(cx, cy + 30 * s, 58 * s, 24 * s, 0)),
            ellipse(cx, cy + 6 * s, 56 * s, 12 * s));
  shadow(c, bowl, s, 0.3);
  const Color bc = rng.below(2) ? Color{230, 236, 244} : Color{120, 170, 210};
  fill(c, bowl, linear(cx - 56 * s, 0, lighter(bc, 0.3), cx + 56 * s, 0, darker(bc, 0.25)));
  for (int i = 0; i < 3; ++i) {
    const double x = cx + (i - 1) * 28 * s, y = cy - (i == 1 ? 22 : 4) * s;
    const Color sc = rgb(rng.pick(scoops));
    const Shape scoop = circle(x, y, 22 * s);
    fill(c, moved(scoop, 2 * s, 4 * s), darker(sc, 0.5), 0.3, 6 * s);
    fill(c, scoop, radial(x - 7 * s, y - 8 * s, 30 * s, lighter(sc, 0.35), darker(sc, 0.15)));
    sheen(c, ellipse(x - 8 * s, y - 9 * s, 5 * s, 3 * s, -0.6), 0.4);
  }
  const Shape wafer = roundedBox(cx + 40 * s, cy - 34 * s, 6 * s, 24 * s, 2 * s, 0.4);
  fill(c, wafer, Color{222, 170, 90});
  for (int k = -3; k <= 3; ++k)
    fill(c,
         intersect(segment(cx + 30 * s + k * 5 * s, cy - 60 * s, cx + 52 * s + k * 5 * s, cy - 8 * s, 0.8 * s), wafer),
         Color{170, 110, 50}, 0.7);
}

void cake(Canvas& c, Rng& rng, double cx, double cy, double s) {
  static constexpr std::array<int, 6> icings = {0xFCE4EC, 0x5D3A24, 0xFFF8E7, 0xF8BBD0, 0xFFE082, 0xD7ECC8};
  static constexpr std::array<int, 4> sponges = {0xF3D28A, 0x6E3F22, 0xF5DDA0, 0xE8B86D};
  const Color icing = rgb(rng.pick(icings)), sponge = rgb(rng.pick(sponges));
  // cake stand
  const Shape stand = ellipse(cx, cy + 42 * s, 84 * s, 16 * s);
  shadow(c, unite(stand, roundedBox(cx, cy + 58 * s, 14 * s, 14 * s, 3 * s)), s);
  fill(c, roundedBox(cx, cy + 60 * s, 12 * s, 14 * s, 3 * s),
       linear(cx - 12 * s, 0, Color{250, 250, 250}, cx + 12 * s, 0, Color{180, 180, 180}));
  fill(c, stand, radial(cx - 20 * s, cy + 36 * s, 90 * s, Color{255, 255, 255}, Color{200, 200, 200}));
  const double top = cy - 26 * s, bottom = cy + 38 * s, rx = 64 * s, ry = 16 * s;
  const Shape side = unite(roundedBox(cx, (top + bottom) / 2, rx, (bottom - top) / 2, 0), ellipse(cx, bottom, rx, ry));
  fill(c, side, linear(cx - rx, 0, lighter(sponge, 0.2), cx + rx, 0, darker(sponge, 0.25)));
  // a cream layer across the middle
  const double mid = (top + bottom) / 2 + 4 * s;
  fill(c, intersect(side, outline(ellipse(cx, mid, rx, ry), 5 * s)), Color{252, 246, 236});
  // icing on top with drips
  Shape cap = ellipse(cx, top, rx + 1, ry);
  for (int i = 0; i < 11; ++i) {
    const double a = kPi * (i + 0.5) / 11;
    const double x = cx - std::cos(a) * rx * 0.98, y = top + std::sin(a) * ry;
    cap = unite(cap, segment(x, y - 2 * s, x, y + rng.uniform(4, 16) * s, 7 * s));
  }
  fill(c, intersect(cap, grown(side, 1)), linear(cx - rx, 0, lighter(icing, 0.3), cx + rx, 0, darker(icing, 0.15)));
  fill(c, ellipse(cx, top, rx - 2 * s, ry - 2 * s), radial(cx - 20 * s, top - 6 * s, rx, lighter(icing, 0.4), icing));
  static constexpr std::array<int, 4> berries = {0xD32F2F, 0x3949AB, 0xF9A825, 0x8E24AA};
  const Color berry = rgb(rng.pick(berries));
  for (int i = 0; i < 7; ++i) {
    const double a = 2 * kPi * i / 7 + 0.3;
    const double x = cx + std::cos(a) * rx * 0.68, y = top + std::sin(a) * ry * 0.6 - 4 * s;
    fill(c, circle(x, y, 6.5 * s), radial(x - 2 * s, y - 2 * s, 9 * s, lighter(berry, 0.4), darker(berry, 0.3)));
    sheen(c, circle(x - 2 * s, y - 2.5 * s, 1.5 * s), 0.7);
  }
  sheen(c, roundedBox(cx - rx * 0.7, (top + bottom) / 2 + 6 * s, 4 * s, 16 * s, 4 * s), 0.25);
}

void bread(Canvas& c, Rng& rng, double cx, double cy, double s) {
  // cutting board
  const Shape board = roundedBox(cx, cy + 18 * s, 104 * s, 46 * s, 12 * s);
  shadow(c, board, s);
  const auto grain = static_cast<std::uint32_t>(rng.next());
  fill(c, board, [&](double x, double y) {
    return scaled(Color{196, 150, 100}, 0.88 + 0.16 * noise(x / 30.0, y / 2.5, grain));
  });
  fill(c, outline(board, 2 * s), Color{120, 80, 45}, 0.5);
  const Color crust = rng.below(2) ? Color{176, 108, 48} : Color{140, 82, 40};
  const Shape loaf = ellipse(cx, cy + 4 * s, 80 * s, 38 * s);
  shadow(c, loaf, s * 0.5, 0.4);
  fill(c, loaf, radial(cx - 26 * s, cy - 20 * s, 100 * s, lighter(crust, 0.3), darker(crust, 0.35)));
  fill(
      c, loaf,
      [&](double x, double y) {
        return mix(Color{255, 240, 220}, darker(crust, 0.3), noise(x / 3.0, y / 3.0, grain + 9));
      },
      0.15);
  const int cuts = 3 + rng.below(2);
  for (int i = 0; i < cuts; ++i) {
    const double x = cx + (i - (cuts - 1) / 2.0) * 30 * s;
    const Shape cut = ellipse(x, cy + 2 * s, 6 * s, 24 * s, 0.5);
    fill(c, cut, Color{246, 214, 160});
    fill(c, outline(cut, 2 * s), darker(crust, 0.3), 0.6);
  }
  for (int i = 0; i < 80; ++i) {  // flour
    const double a = rng.uniform(0, 2 * kPi), r = std::sqrt(rng.uniform(0, 1));
    fill(c, circle(cx + std::cos(a) * 70 * s * r, cy - 4 * s + std::sin(a) * 26 * s * r, rng.uniform(0.6, 1.4) * s),
         Color{250, 248, 244}, 0.6);
  }
  sheen(c, ellipse(cx - 30 * s, cy - 18 * s, 24 * s, 6 * s, -0.15), 0.2);
}

void cookies(Canvas& c, Rng& rng, double cx, double cy, double s) {
  plate(c, rng, cx, cy, 96 * s, 70 * s, s);
  const int shape = rng.below(2);
  const std::array<std::pair<double, double>, 6> spots = {
      {{-34, -20}, {6, -28}, {44, -14}, {-40, 16}, {0, 10}, {40, 22}}};
  for (const auto& [ox, oy] : spots) {
    const double x = cx + ox * s, y = cy + oy * s;
    if (shape == 0) {  // round cookies with chocolate
      const Shape ck = circle(x, y, 17 * s);
      shadow(c, ck, s * 0.3, 0.35);
      fill(c, ck, radial(x - 5 * s, y - 6 * s, 22 * s, Color{236, 190, 120}, Color{190, 128, 60}));
      for (int k = 0; k < 6; ++k)
        fill(c,
             roundedBox(x + rng.uniform(-10, 10) * s, y + rng.uniform(-10, 10) * s, 2.2 * s, 1.8 * s, 0.8 * s,
                        rng.uniform(0, 1)),
             Color{80, 45, 25});
    } else {  // iced stars
      std::vector<std::pair<double, double>> pts;
      const double turn = rng.uniform(0, 1);
      for (int k = 0; k < 10; ++k) {
        const double a = turn + k * kPi / 5, r = (k % 2 ? 8.5 : 19) * s;
        pts.push_back({x + std::cos(a) * r, y + std::sin(a) * r});
      }
      const Shape star = grown(polygon(pts), -1.5 * s);
      shadow(c, star, s * 0.3, 0.35);
      fill(c, star, Color{214, 160, 90});
      static constexpr std::array<int, 4> icings = {0xFFFFFF, 0xF8BBD0, 0xFFF59D, 0xB3E5FC};
      fill(c, grown(star, -3 * s), rgb(rng.pick(icings)));
      for (int k = 0; k < 5; ++k)
        fill(c, circle(x + rng.uniform(-6, 6) * s, y + rng.uniform(-6, 6) * s, 1.2 * s),
             rgb(rng.pick(std::array<int, 3>{0xE53935, 0x43A047, 0x1E88E5})));
    }
  }
}

void drink(Canvas& c, Rng& rng, double cx, double cy, double s) {
  static constexpr std::array<int, 7> drinks = {0xF28C28, 0xD7263D, 0x9BC53D, 0xF9C80E, 0xE85D9A, 0x8B5A2B, 0x5BC0EB};
  const Color liquid = rgb(rng.pick(drinks));
  const double top = cy - 62 * s, bottom = cy + 58 * s;
  const Shape glass = polygon({{cx - 36 * s, top}, {cx + 36 * s, top}, {cx + 28 * s, bottom}, {cx - 28 * s, bottom}});
  shadow(c, glass, s, 0.3);
  fill(c, glass, Color{230, 240, 245}, 0.35);
  const double level = top + 22 * s;
  const Shape drinkShape =
      intersect(grown(glass, -3 * s), roundedBox(cx, (level + bottom) / 2, 40 * s, (bottom - level) / 2, 0));
  fill(c, drinkShape, linear(cx, level, lighter(liquid, 0.2), cx, bottom, darker(liquid, 0.25)), 0.92);
  fill(c, intersect(drinkShape, roundedBox(cx, level, 40 * s, 2 * s, 0)), lighter(liquid, 0.45));
  // ice cubes and bubbles
  for (int i = 0; i < 3; ++i) {
    const double x = cx + (i - 1) * 17 * s, y = level + (10 + (i % 2) * 18) * s;
    fill(c, intersect(roundedBox(x, y, 9 * s, 9 * s, 2.5 * s, rng.uniform(-0.4, 0.4)), drinkShape),
         Color{255, 255, 255}, 0.4);
  }
  for (int i = 0; i < 14; ++i)
    fill(c,
         intersect(outline(circle(cx + rng.uniform(-22, 22) * s, rng.uniform(level + 20 * s, bottom - 6 * s),
                                  rng.uniform(1, 2.4) * s),
                           0.8 * s),
                   drinkShape),
         Color{255, 255, 255}, 0.7);
  // straw
  static constexpr std::array<int, 4> straws = {0xE53935, 0x1E88E5, 0x43A047, 0xFB8C00};
  const Color straw = rgb(rng.pick(straws));
  fill(c, segment(cx + 8 * s, bottom - 16 * s, cx + 30 * s, top - 26 * s, 5 * s), straw);
  for (int k = 0; k < 8; ++k) {
    const double t = (k + 0.5) / 8;
    const double x = cx + 8 * s + t * 22 * s, y = bottom - 16 * s + t * (top - 26 * s - bottom + 16 * s);
    fill(c, intersect(circle(x, y, 3 * s), segment(cx + 8 * s, bottom - 16 * s, cx + 30 * s, top - 26 * s, 5 * s)),
         Color{255, 255, 255}, 0.9);
  }
  // glass edges and shine
  fill(c, outline(glass, 1.8 * s), Color{255, 255, 255}, 0.6);
  fill(c, roundedBox(cx, top, 36 * s, 1.8 * s, 1.8 * s), Color{255, 255, 255}, 0.8);
  sheen(c, roundedBox(cx - 24 * s, cy, 2.5 * s, 40 * s, 2.5 * s, 0.07), 0.5);
  // a slice of fruit on the rim
  static constexpr std::array<int, 3> fruits = {0xF9E04B, 0x9CCC65, 0xFFA726};
  const Color fruit = rgb(rng.pick(fruits));
  const double fx = cx - 34 * s, fy = top + 2 * s;
  fill(c, circle(fx, fy, 17 * s), darker(fruit, 0.15));
  fill(c, circle(fx, fy, 14.5 * s), lighter(fruit, 0.35));
  for (int k = 0; k < 8; ++k) {
    const double a = k * kPi / 4;
    fill(c,
         polygon({{fx, fy},
                  {fx + std::cos(a - 0.3) * 12.5 * s, fy + std::sin(a - 0.3) * 12.5 * s},
                  {fx + std::cos(a + 0.3) * 12.5 * s, fy + std::sin(a + 0.3) * 12.5 * s}}),
         fruit);
  }
  fill(c, circle(fx, fy, 2 * s), lighter(fruit, 0.6));
  if (rng.below(2)) {  // mint
    fill(c, ellipse(cx + 14 * s, top - 6 * s, 9 * s, 4 * s, -0.6), Color{60, 150, 70});
    fill(c, ellipse(cx + 20 * s, top - 10 * s, 8 * s, 3.5 * s, 0.5), Color{80, 170, 80});
  }
}

// ---------------------------------------------------------------------------------------------------
// The bitmap font: 5 x 7 cells; lower-case letters with descenders sit two rows lower.

struct Glyph {
  std::string_view ch;  // UTF-8
  int drop;
  std::array<std::string_view, 7> rows;
};

// clang-format off
constexpr std::array<Glyph, 79> kFont = {{
  {"A", 0, {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
  {"B", 0, {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
  {"C", 0, {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
  {"D", 0, {"###..", "#..#.", "#...#", "#...#", "#...#", "#..#.", "###.."}},
  {"E", 0, {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
  {"F", 0, {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
  {"G", 0, {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
  {"H", 0, {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
  {"I", 0, {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
  {"J", 0, {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
  {"K", 0, {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
  {"L", 0, {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
  {"M", 0, {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
  {"N", 0, {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"}},
  {"O", 0, {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
  {"P", 0, {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
  {"Q", 0, {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
  {"R", 0, {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
  {"S", 0, {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
  {"T", 0, {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
  {"U", 0, {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
  {"V", 0, {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
  {"W", 0, {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
  {"X", 0, {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
  {"Y", 0, {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
  {"Z", 0, {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
  {"a", 0, {".....", ".....", ".###.", "....#", ".####", "#...#", ".####"}},
  {"b", 0, {"#....", "#....", "#.##.", "##..#", "#...#", "#...#", "####."}},
  {"c", 0, {".....", ".....", ".###.", "#....", "#....", "#...#", ".###."}},
  {"d", 0, {"....#", "....#", ".##.#", "#..##", "#...#", "#...#", ".####"}},
  {"e", 0, {".....", ".....", ".###.", "#...#", "#####", "#....", ".###."}},
  {"f", 0, {"..##.", ".#..#", ".#...", "###..", ".#...", ".#...", ".#..."}},
  {"g", 2, {".....", ".####", "#...#", "#...#", ".####", "....#", ".###."}},
  {"h", 0, {"#....", "#....", "#.##.", "##..#", "#...#", "#...#", "#...#"}},
  {"i", 0, {"..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."}},
  {"j", 2, {"...#.", ".....", "..##.", "...#.", "...#.", "#..#.", ".##.."}},
  {"k", 0, {"#....", "#....", "#..#.", "#.#..", "##...", "#.#..", "#..#."}},
  {"l", 0, {".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
  {"m", 0, {".....", ".....", "##.#.", "#.#.#", "#.#.#", "#...#", "#...#"}},
  {"n", 0, {".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"}},
  {"o", 0, {".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."}},
  {"p", 2, {".....", "####.", "#...#", "#...#", "####.", "#....", "#...."}},
  {"q", 2, {".....", ".####", "#...#", "#...#", ".####", "....#", "....#"}},
  {"r", 0, {".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."}},
  {"s", 0, {".....", ".....", ".####", "#....", ".###.", "....#", "####."}},
  {"t", 0, {".#...", ".#...", "###..", ".#...", ".#...", ".#..#", "..##."}},
  {"u", 0, {".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"}},
  {"v", 0, {".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
  {"w", 0, {".....", ".....", "#...#", "#...#", "#.#.#", "#.#.#", ".#.#."}},
  {"x", 0, {".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#"}},
  {"y", 2, {".....", "#...#", "#...#", "#...#", ".####", "....#", ".###."}},
  {"z", 0, {".....", ".....", "#####", "...#.", "..#..", ".#...", "#####"}},
  {"ä", 0, {".#.#.", ".....", ".###.", "....#", ".####", "#...#", ".####"}},
  {"ö", 0, {".#.#.", ".....", ".###.", "#...#", "#...#", "#...#", ".###."}},
  {"ü", 0, {".#.#.", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"}},
  {"ß", 0, {".##..", "#..#.", "#..#.", "#.#..", "#..#.", "#...#", "#.##."}},
  {"0", 0, {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
  {"1", 0, {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
  {"2", 0, {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
  {"3", 0, {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
  {"4", 0, {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
  {"5", 0, {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
  {"6", 0, {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
  {"7", 0, {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
  {"8", 0, {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
  {"9", 0, {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
  {"'", 0, {"..#..", "..#..", ".#...", ".....", ".....", ".....", "....."}},
  {".", 0, {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
  {",", 2, {".....", ".....", ".....", ".##..", ".##..", "..#..", ".#..."}},
  {"-", 0, {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
  {":", 0, {".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."}},
  {"!", 0, {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}},
  {"?", 0, {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."}},
  {"&", 0, {".##..", "#..#.", "#.#..", ".#...", "#.#.#", "#..#.", ".##.#"}},
  {"/", 0, {"....#", "....#", "...#.", "..#..", ".#...", "#....", "#...."}},
  {"Ä", 0, {"#...#", ".###.", "#...#", "#...#", "#####", "#...#", "#...#"}},
  {"Ö", 0, {"#...#", ".###.", "#...#", "#...#", "#...#", "#...#", ".###."}},
  {"Ü", 0, {"#...#", ".....", "#...#", "#...#", "#...#", "#...#", ".###."}},
  {" ", 0, {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
}};
// clang-format on

// Splits UTF-8 text into the glyphs of the font; characters it lacks are left out.
std::vector<const Glyph*> glyphs(std::string_view text) {
  std::vector<const Glyph*> out;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t len = (static_cast<unsigned char>(text[i]) & 0xE0) == 0xC0 ? 2 : 1;
    const std::string_view ch = text.substr(i, len);
    for (const Glyph& g : kFont)
      if (g.ch == ch) out.push_back(&g);
    i += len;
  }
  return out;
}

double textWidth(std::string_view text, double scale) {
  const auto gs = glyphs(text);
  return gs.empty() ? 0 : (static_cast<double>(gs.size()) * 6 - 1) * scale;
}

// Each lit font pixel is a slightly rounded square, so large text looks drawn rather than blocky.
Shape textShape(std::string_view text, double x, double y, double scale) {
  std::vector<std::pair<double, double>> dots;
  double gx = x;
  for (const Glyph* g : glyphs(text)) {
    for (int row = 0; row < 7; ++row)
      for (int col = 0; col < 5; ++col)
        if (g->rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] == '#')
          dots.push_back({gx + (col + 0.5) * scale, y + (row + g->drop + 0.5) * scale});
    gx += 6 * scale;
  }
  const double h = scale * 0.5 + 0.35, r = scale * 0.4;
  return {[dots, h, r](double px, double py) {
            double d = 1e9;
            for (const auto& [cx, cy] : dots) {
              if (std::abs(px - cx) > h + 2 || std::abs(py - cy) > h + 2) continue;
              const double qx = std::abs(px - cx) - h + r, qy = std::abs(py - cy) - h + r;
              d = std::min(d, std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - r);
            }
            return d;
          },
          x - 1, y - 1, gx + 1, y + 9 * scale + 1};
}

void text(Canvas& c, std::string_view t, double x, double y, double scale, Color color, Color shade) {
  const Shape shape = textShape(t, x, y, scale);
  fill(c, moved(shape, scale * 0.35, scale * 0.45), shade, 0.45, scale * 0.8);
  fill(c, shape, linear(0, y, lighter(color, 0.2), 0, y + 7 * scale, darker(color, 0.1)));
}

// ---------------------------------------------------------------------------------------------------
// The program's own pictures

void chefsHat(Canvas& c, double cx, double cy, double s) {
  Shape puff = circle(cx, cy - 14 * s, 17 * s);
  puff = unite(puff, circle(cx - 17 * s, cy - 6 * s, 13 * s));
  puff = unite(puff, circle(cx + 17 * s, cy - 6 * s, 13 * s));
  puff = unite(puff, roundedBox(cx, cy + 4 * s, 20 * s, 12 * s, 3 * s));
  const Shape band = roundedBox(cx, cy + 16 * s, 21 * s, 7 * s, 2.5 * s);
  shadow(c, unite(puff, band), s * 0.6, 0.35);
  fill(c, puff, radial(cx - 10 * s, cy - 22 * s, 50 * s, Color{255, 255, 255}, Color{210, 214, 222}));
  for (int k = -1; k <= 1; ++k)
    fill(c, intersect(segment(cx + k * 9 * s, cy - 2 * s, cx + k * 7 * s, cy + 10 * s, 1.4 * s), puff),
         Color{180, 186, 196}, 0.5, 2.0);
  fill(c, band, linear(cx - 21 * s, 0, Color{250, 250, 252}, cx + 21 * s, 0, Color{196, 200, 210}));
  fill(c, outline(band, 1 * s), Color{170, 175, 185}, 0.6);
}

void lemonSlice(Canvas& c, double cx, double cy, double r) {
  fill(c, circle(cx, cy, r), radial(cx - r * 0.3, cy - r * 0.3, r * 1.4, Color{255, 230, 90}, Color{230, 180, 20}));
  fill(c, circle(cx, cy, r * 0.86), Color{255, 250, 215});
  for (int k = 0; k < 10; ++k) {
    const double a = k * kPi / 5;
    fill(c,
         grown(polygon({{cx, cy},
                        {cx + std::cos(a - 0.27) * r * 0.78, cy + std::sin(a - 0.27) * r * 0.78},
                        {cx + std::cos(a + 0.27) * r * 0.78, cy + std::sin(a + 0.27) * r * 0.78}}),
               -r * 0.035),
         radial(cx, cy, r * 0.8, Color{255, 236, 120}, Color{250, 208, 40}));
  }
}

void leaf(Canvas& c, double cx, double cy, double len, double angle) {
  const double ca = std::cos(angle), sa = std::sin(angle);
  fill(c, ellipse(cx, cy, len, len * 0.38, angle),
       linear(cx - ca * len, cy - sa * len, Color{120, 190, 80}, cx + ca * len, cy + sa * len, Color{50, 120, 45}));
  fill(c, segment(cx - ca * len * 0.9, cy - sa * len * 0.9, cx + ca * len * 0.9, cy + sa * len * 0.9, len * 0.06),
       Color{190, 230, 150}, 0.7);
}

void drawDefault(Canvas& c, Rng&) {
  const double s = std::min(c.width(), c.height()) / 128.0;
  const double cx = c.width() / 2.0, cy = c.height() / 2.0;
  fill(c, roundedBox(cx, cy, c.width(), c.height(), 0),
       radial(cx, cy * 0.7, c.width() * 0.9, Color{252, 248, 238}, Color{232, 220, 196}));
  const Shape rim = circle(cx, cy + 2 * s, 42 * s);
  shadow(c, rim, s * 0.6, 0.3);
  fill(c, rim, radial(cx - 14 * s, cy - 14 * s, 70 * s, Color{255, 255, 255}, Color{210, 208, 204}));
  fill(c, outline(circle(cx, cy + 2 * s, 38.5 * s), 1.6 * s), Color{232, 160, 60}, 0.8);
  const Shape well = circle(cx, cy + 2 * s, 28 * s);
  fill(c, well, radial(cx + 6 * s, cy + 8 * s, 34 * s, Color{252, 252, 250}, Color{228, 226, 222}));
  fill(c, outline(moved(well, 0, -1 * s), 2 * s), Color{150, 145, 140}, 0.25, 2 * s);
  // a friendly smile in the well, as if the plate waits for something good
  for (int i = 0; i < 12; ++i) {
    const double a0 = 0.25 * kPi + i * 0.5 * kPi / 12, a1 = 0.25 * kPi + (i + 1) * 0.5 * kPi / 12;
    fill(c,
         segment(cx + std::cos(a0) * 14 * s, cy + std::sin(a0) * 12 * s, cx + std::cos(a1) * 14 * s,
                 cy + std::sin(a1) * 12 * s, 2.4 * s),
         Color{215, 160, 90}, 0.7);
  }
  fill(c, circle(cx - 8 * s, cy - 4 * s, 2.4 * s), Color{215, 160, 90}, 0.7);
  fill(c, circle(cx + 8 * s, cy - 4 * s, 2.4 * s), Color{215, 160, 90}, 0.7);
  fork(c, cx - 54 * s, cy - 38 * s, cy + 44 * s, s * 0.8);
  knife(c, cx + 54 * s, cy - 40 * s, cy + 44 * s, s * 0.8);
}

void drawLogo(Canvas& c, Rng&) {
  const double s = std::min(c.width(), c.height()) / 96.0;
  const double cx = c.width() / 2.0, cy = c.height() / 2.0;
  fill(c, roundedBox(cx, cy, c.width(), c.height(), 0), Color{255, 255, 255});
  const Shape badge = circle(cx, cy, 44 * s);
  fill(c, moved(badge, 1.5 * s, 2.5 * s), Color{60, 40, 20}, 0.3, 5 * s);
  fill(c, badge, radial(cx - 14 * s, cy - 16 * s, 62 * s, Color{255, 214, 80}, Color{232, 120, 30}));
  fill(c, outline(circle(cx, cy, 40 * s), 1.5 * s), Color{255, 244, 200}, 0.8);
  leaf(c, cx + 22 * s, cy + 24 * s, 11 * s, -0.7);
  leaf(c, cx - 22 * s, cy + 24 * s, 11 * s, 0.7 + kPi);
  chefsHat(c, cx, cy - 2 * s, s * 0.95);
  fill(c, textShape("Z", cx - 4 * s, cy + 7.6 * s, 1.6 * s), Color{232, 120, 30});
}

void drawSplash(Canvas& c, Rng& rng) {
  const double w = c.width(), h = c.height();
  const double s = std::min(w / 368.0, h / 225.0);
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) {
      const double t = (0.6 * x / w + 0.4 * y / h);
      c.blend(x, y, mix(Color{255, 238, 160}, Color{244, 150, 60}, t), 1);
    }
  // large soft circles for warmth
  for (int i = 0; i < 6; ++i)
    fill(c, circle(rng.uniform(0, w), rng.uniform(0, h), rng.uniform(30, 80) * s), Color{255, 255, 255}, 0.12, 20 * s);
  // a lemon slice and leaves in the upper right corner, a bowl of soup on the left
  lemonSlice(c, w - 18 * s, 14 * s, 36 * s);
  leaf(c, w - 66 * s, 12 * s, 15 * s, 0.3);
  leaf(c, w - 50 * s, 42 * s, 12 * s, -0.9);
  fill(c, roundedBox(w / 2, h - 28 * s, w, 30 * s, 0), Color{140, 80, 40}, 0.85);
  fill(c, roundedBox(w / 2, h - 44 * s, w, 2 * s, 0), Color{90, 50, 25}, 0.5, 2 * s);
  Rng soup(7);
  soupBowl(c, soup, 82 * s, 128 * s, 0.78 * s, false);
  // the product name
  const Color ink{120, 45, 20};
  const double tx = 162 * s;
  text(c, "Quenna's", tx, 56 * s, 3.2 * s, ink, Color{90, 30, 0});
  text(c, "Zestovar", tx, 90 * s, 4 * s, Color{200, 60, 30}, Color{90, 30, 0});
  text(c, "Das Rezeptbuch", tx + 2 * s, 136 * s, 2 * s, Color{90, 50, 30}, Color{255, 255, 255});
  const std::string_view version = "Version 3.0";
  text(c, version, w - textWidth(version, 1.6 * s) - 10 * s, h - 22 * s, 1.6 * s, Color{255, 240, 210},
       Color{40, 20, 5});
}

void drawRecipe(Canvas& c, Rng& rng, std::string_view kind) {
  tableBackground(c, rng);
  const double s = std::min(c.width() / 240.0, c.height() / 180.0);
  const double cx = c.width() / 2.0, cy = c.height() / 2.0;
  if (kind == "vorspeise") {
    starter(c, rng, cx, cy, s);
    if (rng.below(2)) fork(c, cx + 100 * s, cy - 60 * s, cy + 60 * s, s * 0.9);
  } else if (kind == "suppe") {
    soupBowl(c, rng, cx - 6 * s, cy - 6 * s, s, true);
  } else if (kind == "hauptgericht") {
    mainCourse(c, rng, cx, cy, s);
    fork(c, cx - 106 * s, cy - 62 * s, cy + 64 * s, s * 0.9);
    knife(c, cx + 106 * s, cy - 64 * s, cy + 64 * s, s * 0.9);
  } else if (kind == "dessert") {
    switch (rng.below(3)) {
      case 0:
        dessertGlass(c, rng, cx, cy + 12 * s, s);
        break;
      case 1:
        pudding(c, rng, cx, cy + 4 * s, s);
        break;
      default:
        iceCream(c, rng, cx, cy + 14 * s, s);
        break;
    }
  } else if (kind == "kuchen") {
    cake(c, rng, cx, cy - 2 * s, s);
  } else if (kind == "brot") {
    bread(c, rng, cx, cy - 6 * s, s);
  } else if (kind == "plaetzchen") {
    cookies(c, rng, cx, cy, s);
  } else if (kind == "backwaren") {
    const int which = rng.below(3);
    if (which == 0) cake(c, rng, cx, cy - 2 * s, s);
    if (which == 1) bread(c, rng, cx, cy - 6 * s, s);
    if (which == 2) cookies(c, rng, cx, cy, s);
  } else {
    drink(c, rng, cx, cy + 8 * s, s);
  }
}

bool isRecipeKind(std::string_view kind) {
  for (std::string_view k :
       {"vorspeise", "suppe", "hauptgericht", "dessert", "backwaren", "kuchen", "brot", "plaetzchen", "getraenke"})
    if (kind == k) return true;
  return false;
}

void writeJpeg(const char* path, int width, int height, const std::vector<unsigned char>& rgb) {
  FILE* out = std::fopen(path, "wb");
  if (!out) {
    std::perror(path);
    std::exit(1);
  }
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, out);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 88, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<unsigned char*>(&rgb[static_cast<std::size_t>(cinfo.next_scanline) * width * 3]);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  if (std::fclose(out) != 0) {
    std::perror(path);
    std::exit(1);
  }
}

int usage() {
  std::fprintf(stderr,
               "usage: zestovar-artwork KIND WIDTH HEIGHT SEED OUT.jpg\n"
               "  KIND: default, splash, logo, vorspeise, suppe, hauptgericht, dessert, backwaren,\n"
               "        kuchen, brot, plaetzchen, getraenke\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) return usage();
  const std::string_view kind = argv[1];
  char* end = nullptr;
  const long width = std::strtol(argv[2], &end, 10);
  if (*end) return usage();
  const long height = std::strtol(argv[3], &end, 10);
  if (*end) return usage();
  const unsigned long long seed = std::strtoull(argv[4], &end, 10);
  if (*end) return usage();
  if (width <= 0 || height <= 0 || width > 4096 || height > 4096) return usage();
  if (kind != "default" && kind != "splash" && kind != "logo" && !isRecipeKind(kind)) return usage();

  Canvas canvas(static_cast<int>(width), static_cast<int>(height));
  Rng rng(seed);
  if (kind == "default")
    drawDefault(canvas, rng);
  else if (kind == "splash")
    drawSplash(canvas, rng);
  else if (kind == "logo")
    drawLogo(canvas, rng);
  else
    drawRecipe(canvas, rng, kind);
  writeJpeg(argv[5], canvas.width(), canvas.height(), canvas.bytes());
  return 0;
}
