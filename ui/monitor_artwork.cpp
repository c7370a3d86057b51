#include "ui/monitor_artwork.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <utility>

namespace vorn {
namespace {

struct Colour {
    double r, g, b;
};

Colour Mix(Colour a, Colour b, double t)
{
    return Colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// The colour at t along a gradient of (position, colour) stops.
Colour Ramp(std::initializer_list<std::pair<double, Colour>> stops, double t)
{
    const auto* first = stops.begin();
    if (t <= first->first) return first->second;
    for (const auto* stop = first + 1; stop != stops.end(); ++stop) {
        const auto& previous = *(stop - 1);
        if (t <= stop->first) return Mix(previous.second, stop->second, (t - previous.first) / (stop->first - previous.first));
    }
    return (stops.end() - 1)->second;
}

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

// A signed distance in units: negative inside.
using Shape = std::function<double(double, double)>;

Shape Box(double x0, double y0, double x1, double y1, double radius = 0.0)
{
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const double hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
    return [=](double px, double py) {
        const double qx = std::abs(px - cx) - hx, qy = std::abs(py - cy) - hy;
        return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - radius;
    };
}

Shape Circle(double cx, double cy, double radius)
{
    return [=](double px, double py) { return std::hypot(px - cx, py - cy) - radius; };
}

Shape Polygon(std::vector<std::pair<double, double>> points)
{
    return [points = std::move(points)](double px, double py) {
        double best = 1e30;
        bool inside = false;
        const std::size_t n = points.size();
        for (std::size_t i = 0; i < n; ++i) {
            const auto [ax, ay] = points[i];
            const auto [bx, by] = points[(i + n - 1) % n];
            const double ex = bx - ax, ey = by - ay, wx = px - ax, wy = py - ay;
            const double t = Clamp01((wx * ex + wy * ey) / (ex * ex + ey * ey));
            best = std::min(best, (wx - ex * t) * (wx - ex * t) + (wy - ey * t) * (wy - ey * t));
            if ((ay > py) != (by > py) && px < ax + (py - ay) * ex / ey) inside = !inside;
        }
        return inside ? -std::sqrt(best) : std::sqrt(best);
    };
}

Shape Ring(double cx, double cy, double radius, double width)
{
    const double middle = radius - width / 2;
    return [=](double px, double py) { return std::abs(std::hypot(px - cx, py - cy) - middle) - width / 2; };
}

Shape Intersect(std::vector<Shape> shapes)
{
    return [shapes = std::move(shapes)](double px, double py) {
        double d = -1e30;
        for (const Shape& shape : shapes)
            d = std::max(d, shape(px, py));
        return d;
    };
}

Shape Union(std::vector<Shape> shapes)
{
    return [shapes = std::move(shapes)](double px, double py) {
        double d = 1e30;
        for (const Shape& shape : shapes)
            d = std::min(d, shape(px, py));
        return d;
    };
}

// Half planes, y growing downwards.
Shape Below(double y) { return [=](double, double py) { return y - py; }; }
Shape Above(double y) { return [=](double, double py) { return py - y; }; }
Shape LeftOf(double x) { return [=](double px, double) { return px - x; }; }

// A repeatable pseudo-random number in [0, 1): the same art every time.
double Noise(std::uint64_t n)
{
    n = (n * 2654435761u + 0x9E3779B9u) & 0xFFFFFFFFu;
    n ^= n >> 15;
    n = (n * 2246822519u) & 0xFFFFFFFFu;
    return static_cast<double>(n ^ (n >> 13)) / 4294967296.0;
}

double LeftMeadow(double x) { return 120 + 0.011 * (x - 4) * (x - 4); }
double RightMeadow(double x) { return 126 + 0.016 * (x - 214) * (x - 214); }

// The screen, as the monitor's glass shows it: 211 x 159 units.
constexpr double kScreenLeft = 9, kScreenTop = 10, kScreenRight = 220, kScreenBottom = 169;

// The wallpaper at a point of the screen, in units from its top left.
Colour Landscape(double x, double y)
{
    constexpr double sunX = 168.0, sunY = 30.0;
    Colour c = Ramp({{0, {46, 98, 186}}, {60, {98, 152, 222}}, {100, {186, 216, 242}}, {112, {226, 236, 240}}}, y);
    const double d = std::hypot(x - sunX, y - sunY);
    c = Mix(c, {255, 244, 210}, std::min(1.0, std::pow(std::max(0.0, 1 - d / 70), 2) * 0.75));
    c = Mix(c, {255, 252, 236}, Clamp01(7.5 - d));
    // Clouds: soft clusters of circles with flat bottoms.
    for (const auto& [cx, cy, s] : {std::tuple{40.0, 28.0, 1.0}, {118.0, 18.0, 0.7}}) {
        double cd = 1e30;
        for (const auto& [bx, by, br] :
             {std::tuple{-14.0, 3.0, 7.0}, {-5.0, -2.0, 9.0}, {6.0, 0.0, 8.0}, {15.0, 4.0, 6.0}, {0.0, 5.0, 7.0}})
            cd = std::min(cd, std::hypot(x - cx - bx * s, y - cy - by * s) - br * s);
        cd = std::max(cd, y - cy - 6 * s);
        const double a = Clamp01((0.5 - cd) / 3.0);
        if (a > 0) c = Mix(c, Mix({255, 255, 255}, {214, 226, 240}, std::max(0.0, (y - cy + 6 * s) / (12 * s))), a * 0.9);
    }
    // Distant mountains, hazy towards their feet.
    const double ridge =
        86 - 13 * std::sin(x * 0.031 + 0.6) - 6 * std::sin(x * 0.083 + 2.1) - 2.5 * std::sin(x * 0.21 + 1.0);
    double a = Clamp01(y - ridge + 0.5);
    if (a > 0)
        c = Mix(c,
                y < ridge + 20 ? Ramp({{0, {120, 146, 186}}, {1, {136, 160, 196}}}, (y - ridge) / 20)
                               : Mix({136, 160, 196}, {178, 198, 220}, std::min(1.0, (y - ridge - 20) / 14)),
                a);
    // Rolling hills behind the lake.
    const double hills = 104 - 6 * std::sin(x * 0.045 + 0.4) - 3 * std::sin(x * 0.11 + 1.3);
    a = Clamp01(y - hills + 0.5);
    if (a > 0) c = Mix(c, Mix({104, 160, 100}, {70, 128, 76}, std::min(1.0, (y - hills) / 10)), a);
    // The lake, mirroring the sky, with ripples and glints under the sun.
    constexpr double shore = 112.0;
    if (y > shore) {
        const double t = (y - shore) / 47;
        Colour water = Ramp({{0, {168, 206, 236}}, {0.4, {96, 150, 206}}, {1, {48, 98, 168}}}, t);
        const auto row = static_cast<std::uint64_t>(y);
        const double reach = 24 - t * 12;
        for (std::uint64_t k = 0; k < 2; ++k) {
            if (row % 3 == 0 && Noise(row * 5 + k) < 0.7) {
                const double sx = Noise(row * 7 + k * 3 + 1) * 211, half = 4 + Noise(row * 11 + k) * 16;
                if (std::abs(x - sx) < half)
                    water = Mix(water, {214, 234, 250}, 0.5 * std::sqrt(1 - std::abs(x - sx) / half));
            }
        }
        if (std::abs(x - sunX) < reach &&
            Noise(row * 977 + static_cast<std::uint64_t>(x) / 3) < 0.45 * std::pow(1 - std::abs(x - sunX) / reach, 1.5))
            water = Mix(water, {255, 250, 226}, 0.65);
        c = Mix(c, water, Clamp01(y - shore));
    }
    // Meadows on either side and grass along the bottom, lit at the crest.
    for (const double edge : {LeftMeadow(x), RightMeadow(x), 152 - 2.5 * std::sin(x * 0.06)}) {
        a = Clamp01(y - edge + 0.5);
        if (a > 0) {
            c = Mix(c, Ramp({{0, {132, 196, 86}}, {12, {98, 170, 68}}, {40, {58, 124, 48}}}, y - edge), a);
            c = Mix(c, {190, 226, 120}, a * std::max(0.0, 1 - (y - edge) / 2.0) * 0.6);
        }
    }
    return c;
}

class Canvas {
public:
    Canvas(DiagramScale scale, Colour fill, SIZE units = kDiagramPictureSize)
        : k_(scale.dpi / static_cast<double>(kBaseDpi)),
          width_(scale.Pixels(units.cx)),
          height_(scale.Pixels(units.cy)),
          pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill)
    {
    }

    double K() const { return k_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    Colour& At(int x, int y) { return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + x]; }
    // The centre of a pixel, in units.
    double U(int pixel) const { return (pixel + 0.5) / k_; }
    int Px(double units) const { return static_cast<int>(std::floor(units * k_)); }

    void Blend(int x, int y, Colour c, double alpha)
    {
        if (alpha <= 0 || x < 0 || y < 0 || x >= width_ || y >= height_) return;
        Colour& p = At(x, y);
        p = alpha >= 1 ? c : Mix(p, c, alpha);
    }

    // Paints `shape` within the box (units): a sharp edge one pixel wide, or
    // a soft one `soft` units wide.
    template <typename Paint>
    void Fill(const Shape& shape, Paint paint, double x0, double y0, double x1, double y1, double opacity = 1.0,
              double soft = 0.0)
    {
        const int px0 = std::max(0, Px(x0) - 1), py0 = std::max(0, Px(y0) - 1);
        const int px1 = std::min(width_, Px(x1) + 2), py1 = std::min(height_, Px(y1) + 2);
        for (int y = py0; y < py1; ++y)
            for (int x = px0; x < px1; ++x) {
                const double u = U(x), v = U(y);
                const double d = shape(u, v);
                const double a = soft > 0 ? 0.5 - d / soft : 0.5 - d * k_;
                if (a > 0) Blend(x, y, paint(u, v), std::min(a, 1.0) * opacity);
            }
    }
    void Fill(const Shape& shape, Colour colour, double x0, double y0, double x1, double y1, double opacity = 1.0,
              double soft = 0.0)
    {
        Fill(shape, [colour](double, double) { return colour; }, x0, y0, x1, y1, opacity, soft);
    }

    MonitorArtwork Take(int hintCentreY) const
    {
        MonitorArtwork art;
        art.width = width_;
        art.height = height_;
        art.hintCentreY = hintCentreY;
        art.pixels.reserve(pixels_.size());
        for (const Colour& c : pixels_)
            art.pixels.push_back(Rgb{static_cast<std::uint8_t>(std::lround(std::clamp(c.r, 0.0, 255.0))),
                                     static_cast<std::uint8_t>(std::lround(std::clamp(c.g, 0.0, 255.0))),
                                     static_cast<std::uint8_t>(std::lround(std::clamp(c.b, 0.0, 255.0)))});
        return art;
    }

private:
    double k_;
    int width_;
    int height_;
    std::vector<Colour> pixels_;
};

void DrawFirs(Canvas& c)
{
    struct Fir {
        double x, y, h;
    };
    std::vector<Fir> firs;
    for (const auto& [x, h] : {std::pair{22.0, 12.0}, {30.0, 9.0}, {13.0, 8.0}})
        firs.push_back({x, LeftMeadow(x) + 2, h});
    for (const auto& [x, h] : {std::pair{199.0, 11.0}, {206.0, 8.0}, {191.0, 7.0}})
        firs.push_back({x, RightMeadow(x) + 2, h});
    firs.insert(firs.end(), {{61, 104, 6}, {67, 105, 5}, {140, 101, 5}});
    for (Fir fir : firs) {
        const double x = kScreenLeft + fir.x, y = kScreenTop + fir.y, h = fir.h;
        c.Fill(Box(x - 0.7, y - 2, x + 0.7, y + 1.5), Colour{86, 60, 36}, x - 2, y - 3, x + 2, y + 2);
        c.Fill(
            Polygon({{x, y - h}, {x + h * 0.36, y - 1}, {x - h * 0.36, y - 1}}),
            [=](double px, double) { return Mix({36, 104, 52}, {22, 72, 40}, (px - x + h * 0.36) / (h * 0.72)); },
            x - h, y - h - 1, x + h, y + 1);
    }
}

// Repeated box blurs of a coverage mask: close enough to a gaussian.
void Blur(std::vector<double>& m, int width, int height, int radius)
{
    std::vector<double> line;
    for (int pass = 0; pass < 3; ++pass)
        for (const bool rows : {true, false}) {
            const int n = rows ? width : height, lines = rows ? height : width;
            for (int l = 0; l < lines; ++l) {
                const auto at = [&](int i) -> double& {
                    return rows ? m[static_cast<std::size_t>(l) * width + i] : m[static_cast<std::size_t>(i) * width + l];
                };
                line.assign(static_cast<std::size_t>(n) + 1, 0.0);
                for (int i = 0; i < n; ++i)
                    line[static_cast<std::size_t>(i) + 1] = line[static_cast<std::size_t>(i)] + at(i);
                for (int i = 0; i < n; ++i)
                    at(i) = (line[static_cast<std::size_t>(std::min(n, i + radius + 1))] -
                             line[static_cast<std::size_t>(std::max(0, i - radius))]) /
                            (2 * radius + 1);
            }
        }
}

// "Vorn" from circles and strokes, its left at x on the baseline; the
// right end of the word through `right`.
Shape VornLetters(double x, double baseline, double& right)
{
    constexpr double cap = 40.0, xHeight = 29.0, stroke = 7.5;
    const double top = baseline - cap, xTop = baseline - xHeight;
    std::vector<Shape> shapes;
    // V: two strokes meeting at the baseline, cut flat at the top and bottom.
    constexpr double vWidth = 37.0;
    shapes.push_back(Intersect({Polygon({{x, top},
                                         {x + stroke + 1.5, top},
                                         {x + vWidth / 2, baseline - 12},
                                         {x + vWidth - stroke - 1.5, top},
                                         {x + vWidth, top},
                                         {x + vWidth / 2 + stroke / 2 + 1.0, baseline},
                                         {x + vWidth / 2 - stroke / 2 - 1.0, baseline}}),
                                Below(top), Above(baseline)}));
    x += vWidth + 2.0;
    // o: a ring, overshooting the x-height a little as round letters do.
    const double r = xHeight / 2 + 0.8;
    shapes.push_back(Ring(x + r, baseline - xHeight / 2, r, stroke));
    x += 2 * r + 3.5;
    // r: a stem and the start of an arch.
    constexpr double arch = 13.0;
    shapes.push_back(Box(x, xTop, x + stroke, baseline));
    shapes.push_back(Intersect({Ring(x + arch, xTop + arch, arch, stroke * 0.9), Above(xTop + arch), LeftOf(x + arch * 1.55)}));
    x += arch * 1.55 + 3.0;
    // n: two stems joined by an arch.
    shapes.push_back(Box(x, xTop, x + stroke, baseline));
    shapes.push_back(Intersect({Ring(x + arch, xTop + arch, arch, stroke * 0.9), Above(xTop + arch)}));
    shapes.push_back(Box(x + 2 * arch - stroke, xTop + arch - 1, x + 2 * arch, baseline));
    right = x + 2 * arch;
    return Union(std::move(shapes));
}

// The banner's motif: a screen whose four corners glow, a pointer on its way.
void DrawSmallMonitor(Canvas& c, double x0, double y0)
{
    constexpr double w = 78, h = 54;
    const double sx0 = x0 + 5, sy0 = y0 + 5, sx1 = x0 + w - 5, sy1 = y0 + h - 8;
    const Colour amber{255, 196, 64};
    const std::pair<double, double> corners[] = {{sx0, sy0}, {sx1, sy0}, {sx0, sy1}, {sx1, sy1}};
    for (const auto& [cx, cy] : corners)
        c.Fill(Circle(cx, cy, 0.1), amber, cx - 20, cy - 20, cx + 20, cy + 20, 0.7, 30);
    c.Fill(Box(x0 + w / 2 - 9, y0 + h - 2, x0 + w / 2 + 9, y0 + h + 7),
           [=](double, double py) { return Mix({200, 206, 216}, {140, 150, 166}, (py - y0 - h) / 8); }, x0, y0 + h - 2,
           x0 + w, y0 + h + 8);
    c.Fill(Box(x0 + w / 2 - 22, y0 + h + 6, x0 + w / 2 + 22, y0 + h + 10, 2),
           [=](double, double py) { return Mix({232, 236, 242}, {160, 170, 186}, (py - y0 - h - 6) / 4); }, x0,
           y0 + h + 5, x0 + w, y0 + h + 11);
    c.Fill(Box(x0, y0, x0 + w, y0 + h, 4), Colour{28, 40, 70}, x0 - 1, y0 - 1, x0 + w + 1, y0 + h + 1);
    c.Fill(Box(x0 + 1, y0 + 1, x0 + w - 1, y0 + h - 1, 3.2),
           [=](double, double py) { return Mix({236, 240, 246}, {176, 186, 202}, (py - y0) / h); }, x0, y0, x0 + w,
           y0 + h);
    c.Fill(Box(sx0 - 1, sy0 - 1, sx1 + 1, sy1 + 1), Colour{40, 50, 72}, sx0 - 1, sy0 - 1, sx1 + 1, sy1 + 1);
    c.Fill(
        Box(sx0, sy0, sx1, sy1),
        [&](double px, double py) {
            Colour col = Mix({18, 38, 92}, {34, 72, 140}, (py - sy0) / (sy1 - sy0));
            double d = 1e30;
            for (const auto& [cx, cy] : corners)
                d = std::min(d, std::hypot(px - cx, py - cy));
            col = Mix(col, {255, 176, 56}, 0.7 * std::exp(-(d / 12.0) * (d / 12.0)));
            // A lit quarter disc in each corner, brightest right in the corner.
            const double a = Clamp01(6.5 - d);
            return Mix(col, Mix({255, 250, 220}, {255, 200, 84}, d / 6.5), a);
        },
        sx0, sy0, sx1, sy1);
    const double px = sx1 - 22, py = sy0 + 16;
    std::vector<std::pair<double, double>> arrow;
    for (const auto& [ax, ay] :
         {std::pair{0.0, 0.0}, {0.0, 11.5}, {2.8, 8.8}, {5.0, 13.5}, {7.0, 12.6}, {4.9, 8.2}, {8.6, 8.2}})
        arrow.emplace_back(px + ax, py + ay);
    const Shape pointer = Polygon(arrow);
    c.Fill(pointer, Colour{255, 255, 255}, px - 2, py - 2, px + 11, py + 16);
    c.Fill([pointer](double x, double y) { return std::abs(pointer(x, y)) - 0.45; }, Colour{10, 16, 30}, px - 2,
           py - 2, px + 11, py + 16);
}

}  // namespace

MonitorArtwork DrawBannerArtwork(DiagramScale scale)
{
    Canvas c(scale, Colour{0, 0, 0}, kBannerSize);
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            const double u = c.U(x) - 0.5, v = c.U(y) - 0.5;  // the 100 % pixel's own coordinates
            Colour base =
                Ramp({{0.0, {14, 44, 100}}, {0.55, {28, 86, 160}}, {1.0, {58, 138, 206}}}, u / (kBannerSize.cx - 1));
            // A broad soft sheen behind the motif, and a slightly darker floor.
            const double d = std::hypot(u - 250, (v - 40) * 1.6);
            base = Mix(base, {120, 190, 240}, std::pow(std::max(0.0, 1 - d / 110), 2) * 0.45);
            c.At(x, y) = Mix(base, {8, 26, 64}, std::pow(std::max(0.0, (v - 50) / 40), 2) * 0.35);
        }
    // Gentle arcs sweeping across, like light on glass.
    c.Fill(Circle(60, 230, 200), Colour{255, 255, 255}, 0, 0, kBannerSize.cx, kBannerSize.cy, 0.07);
    c.Fill(Circle(340, -120, 190), Colour{255, 255, 255}, 0, 0, kBannerSize.cx, kBannerSize.cy, 0.06);
    double right = 0;
    const Shape letters = VornLetters(20.0, 52.0, right);
    // Their shadow: the letters' coverage blurred, a little down and right.
    std::vector<double> mask(static_cast<std::size_t>(c.Width()) * static_cast<std::size_t>(c.Height()), 0.0);
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            mask[static_cast<std::size_t>(y) * c.Width() + x] = Clamp01(0.5 - letters(c.U(x), c.U(y)) * c.K());
    Blur(mask, c.Width(), c.Height(), std::max(1, static_cast<int>(std::lround(2 * c.K()))));
    const int dx = static_cast<int>(std::lround(2 * c.K())), dy = static_cast<int>(std::lround(3 * c.K()));
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            const double a = mask[static_cast<std::size_t>(y) * c.Width() + x];
            if (a > 0.002) c.Blend(x + dx, y + dy, Colour{4, 16, 44}, a * 0.55);
        }
    c.Fill(letters, [](double, double py) { return Ramp({{10, {255, 255, 255}}, {52, {196, 224, 252}}}, py); }, 16, 8,
           right + 4, 56);
    // An accent under the tag line in the glow's amber, fading out to the right.
    for (int y = c.Px(76); y < std::max(c.Px(77), c.Px(76) + 1); ++y)
        for (int x = c.Px(22); x < c.Px(170); ++x)
            c.Blend(x, y, Colour{255, 196, 64}, 0.85 * std::pow(std::max(0.0, 1 - (c.U(x) - 22) / 148), 1.5));
    DrawSmallMonitor(c, 212, 14);
    return c.Take(0);
}

MonitorArtwork DrawMonitorArtwork(DiagramScale scale, Rgb surround, int hintLines, int hintWidth)
{
    Canvas c(scale, Colour{static_cast<double>(surround.r), static_cast<double>(surround.g),
                           static_cast<double>(surround.b)});
    constexpr double left = 1, top = 2, right = 228, bottom = 186;  // the case
    constexpr double mid = (left + right) / 2;
    // The stand: a neck and an oval foot, both brushed metal.
    c.Fill(Polygon({{mid - 17, bottom - 2}, {mid + 17, bottom - 2}, {mid + 21, 209}, {mid - 21, 209}}),
           [=](double px, double) {
               return Ramp({{0, {150, 156, 166}}, {0.3, {206, 210, 218}}, {0.55, {226, 229, 234}}, {1, {152, 158, 168}}},
                           (px - mid + 21) / 42);
           },
           mid - 23, bottom - 2, mid + 23, 210);
    const Shape neck = Polygon({{mid - 17, bottom - 2}, {mid + 17, bottom - 2}, {mid + 21, 209}, {mid - 21, 209}});
    c.Fill([neck](double x, double y) { return std::abs(neck(x, y)) - 0.4; }, Colour{110, 116, 126}, mid - 23, bottom,
           mid + 23, 210);
    c.Fill(Box(mid - 62, 205, mid + 62, 221, 8), Colour{104, 110, 120}, mid - 64, 203, mid + 64, 223);
    c.Fill(Box(mid - 61, 206, mid + 61, 220, 7),
           [=](double, double py) { return Ramp({{205, {246, 247, 250}}, {211, {214, 218, 225}}, {220, {160, 166, 176}}}, py); },
           mid - 64, 203, mid + 64, 223);
    c.Fill(Box(mid - 24, 206, mid + 24, 209, 1.5), Colour{140, 146, 156}, mid - 26, 205, mid + 26, 210, 0.6);
    // The case: a dark outline, then a bevelled silver face lit from above.
    c.Fill(Box(left, top, right, bottom, 7), Colour{86, 92, 104}, 0, 0, 230, bottom + 2);
    c.Fill(Box(left + 1, top + 1, right - 1, bottom - 1, 6),
           [=](double, double py) {
               return Ramp({{top, {250, 251, 253}}, {top + 6, {226, 229, 235}}, {bottom - 20, {206, 210, 218}},
                            {bottom, {168, 174, 184}}},
                           py);
           },
           0, 0, 230, bottom + 2);
    c.Fill(Box(left + 3, top + 3, right - 3, bottom - 3, 4.5),
           [=](double, double py) {
               return Ramp({{top, {214, 218, 225}}, {kScreenBottom, {200, 205, 214}}, {bottom, {184, 190, 200}}}, py);
           },
           0, 0, 230, bottom + 2);
    // The chin: a highlight under the screen, a power light and three keys.
    c.Fill(Box(left + 6, kScreenBottom + 1, right - 6, kScreenBottom + 2), Colour{250, 251, 253}, left + 6,
           kScreenBottom, right - 6, kScreenBottom + 2, 0.8);
    c.Fill(Circle(right - 14, 177.5, 2.2), Colour{64, 200, 80}, right - 18, 174, right - 10, 182);
    c.Fill(Circle(right - 14, 177.5, 5), Colour{64, 200, 80}, right - 20, 171, right - 8, 184, 0.25, 4);
    c.Fill(Circle(right - 14.6, 176.9, 0.7), Colour{200, 255, 210}, right - 17, 175, right - 12, 179);
    for (const double kx : {right - 40, right - 30}) {
        c.Fill(Box(kx, 176, kx + 7, 179, 1.5), Colour{150, 156, 166}, kx - 1, 175, kx + 8, 180);
        c.Fill(Box(kx, 176, kx + 7, 178.4, 1.2), Colour{236, 238, 242}, kx - 1, 175, kx + 8, 180);
    }
    c.Fill(Box(mid - 14, 176, mid + 14, 179, 1.5), Colour{174, 180, 190}, mid - 16, 175, mid + 16, 180);
    c.Fill(Box(mid - 14, 176.8, mid + 14, 179, 1.5), Colour{232, 235, 240}, mid - 16, 175, mid + 16, 180);

    // The glass covers exactly the screen area, pixel for pixel as the zones
    // and buttons are painted over it; a dark recess of one pixel around it.
    const int sx0 = scale.Pixels(static_cast<int>(kScreenLeft)), sy0 = scale.Pixels(static_cast<int>(kScreenTop));
    const int sx1 = scale.Pixels(static_cast<int>(kScreenRight)), sy1 = scale.Pixels(static_cast<int>(kScreenBottom));
    for (int y = sy0 - 1; y < sy1 + 1 && y < c.Height(); ++y)
        for (int x = sx0 - 1; x < sx1 + 1 && x < c.Width(); ++x)
            if (x >= 0 && y >= 0) c.At(x, y) = Colour{52, 56, 66};
    for (int y = sy0; y < sy1; ++y)
        for (int x = sx0; x < sx1; ++x)
            c.At(x, y) = Landscape(c.U(x) - kScreenLeft, c.U(y) - kScreenTop);
    DrawFirs(c);

    // A soft dark band where the hint goes, inside the screen only.
    constexpr double hintCentre = 58;
    const double height = hintLines * 13 - 3;
    const double hintTop = std::floor(hintCentre - height / 2);
    const double screenWidth = kScreenRight - kScreenLeft;
    if (hintLines > 0) {
        const Shape band = Box(kScreenLeft + (screenWidth - hintWidth) / 2 - 9, kScreenTop + hintTop - 6,
                               kScreenLeft + (screenWidth + hintWidth) / 2 + 9, kScreenTop + hintTop + height + 5, 7);
        std::vector<double> mask(static_cast<std::size_t>(c.Width()) * static_cast<std::size_t>(c.Height()), 0.0);
        for (int y = 0; y < c.Height(); ++y)
            for (int x = 0; x < c.Width(); ++x)
                mask[static_cast<std::size_t>(y) * c.Width() + x] = Clamp01(0.5 - band(c.U(x), c.U(y)) * c.K());
        Blur(mask, c.Width(), c.Height(), std::max(1, static_cast<int>(std::lround(2 * c.K()))));
        for (int y = sy0; y < sy1; ++y)
            for (int x = sx0; x < sx1; ++x)
                c.Blend(x, y, Colour{10, 24, 60}, mask[static_cast<std::size_t>(y) * c.Width() + x] * 0.42);
    }
    return c.Take(scale.Pixels(static_cast<int>(kScreenTop + hintCentre)));
}

}  // namespace vorn
