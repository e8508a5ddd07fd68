#include "smithgrid.h"

#include <cmath>

#include "labeltext.h"

namespace {

const double pi = 3.141592653589793;
// Labels that have no side of their own sit above and right of their point.
const QPointF aboveRight(0.7071, -0.7071);
const char* const minusSign = "\u2212";

// The normalised impedance of a reflection: z = (1 + G) / (1 - G).
Complex impedanceOf(const Complex& g)
{
    return (1.0 + g) / (1.0 - g);
}

// The reflection of the normalised impedance j x on the rim.
Complex rimPoint(double x)
{
    return Complex(x * x - 1, 2 * x) / (1 + x * x);
}

std::string ohms(double normalised)
{
    return formatNumber("%lg", normalised * smithReferenceOhms);
}

// A normalised admittance in millisiemens for the reference impedance, with the unit: the
// impedance labels give ohms, so the admittance ones give siemens, and millisiemens keep
// them whole (1 / 50 ohm is 20 mS).
std::string millisiemens(double normalised, Language language)
{
    return formatNumber("%lg", normalised * 1000 / smithReferenceOhms)
        + (language == Language::russian ? " \u043c\u0421\u043c" : " mS");
}

// Labels of the admittance circles, which meet the real axis where the impedance circles
// do, sit below and left of that point; the impedance labels sit above and right.
const QPointF belowLeft(-0.7071, 0.7071);

// The circle of constant resistance r: centre r / (1 + r), radius 1 / (1 + r), labelled where it
// meets the real axis away from the open circuit. With sign -1 the circle of conductance r,
// mirrored through the centre.
GridCurve resistanceCircle(const GammaMapping& mapping, double r, GridStyle style, double sign, Language language)
{
    GridCurve curve;
    curve.style = style;
    appendArc(curve.points, Complex(sign * r / (1 + r), 0), 1 / (1 + r), 0, 2 * pi, mapping.pixelsPerUnit());
    const bool admittance = style == GridStyle::admittance;
    curve.label = admittance ? millisiemens(r, language) : ohms(r);
    curve.labelAt = Complex(sign * (r - 1) / (r + 1), 0);
    curve.direction = admittance ? belowLeft : aboveRight;
    return curve;
}

// The arc of constant reactance x inside the rim: on the circle of centre (1, 1 / x) and radius
// 1 / |x|, from the open circuit at 1 to the rim point of j x; labelled at the rim, outside it.
// With sign -1 the arc of susceptance x, mirrored through the centre: it meets the rim where
// the reactance arc of -1 / x does, so its label goes inside the rim instead.
GridCurve reactanceArc(const GammaMapping& mapping, double x, GridStyle style, double sign, Language language)
{
    const double ax = std::abs(x);
    const Complex rim = rimPoint(ax);
    const Complex centre(1, 1 / ax);
    double end = std::arg(rim - centre);
    if (end > -pi / 2)
        end -= 2 * pi;
    GridCurve curve;
    curve.style = style;
    std::vector<Complex> upper;
    appendArc(upper, centre, 1 / ax, -pi / 2, end, mapping.pixelsPerUnit());
    for (const Complex& p : upper) {
        const Complex q = x > 0 ? p : std::conj(p);
        curve.points.push_back(sign * q);
    }
    const bool admittance = style == GridStyle::admittance;
    curve.label = (x > 0 ? "+j" : std::string(minusSign) + "j") + (admittance ? millisiemens(ax, language) : ohms(ax));
    curve.labelAt = sign * (x > 0 ? rim : std::conj(rim));
    const QPointF outward(curve.labelAt.real(), -curve.labelAt.imag());
    curve.direction = admittance ? -outward : outward;
    return curve;
}

GridCurve outline(std::vector<Complex> points)
{
    GridCurve curve;
    curve.style = GridStyle::outline;
    curve.points = std::move(points);
    return curve;
}

void addFamily(std::vector<GridCurve>& grid, const GammaMapping& mapping,
    const std::vector<double>& resistances, const std::vector<double>& reactances, GridStyle style,
    double sign, Language language)
{
    for (const double r : resistances) {
        if (r > 0)
            grid.push_back(resistanceCircle(mapping, r, style, sign, language));
    }
    for (const double x : reactances) {
        if (x != 0)
            grid.push_back(reactanceArc(mapping, x, style, sign, language));
    }
}

} // namespace

const std::vector<double>& smithMainValues()
{
    static const std::vector<double> values = { 0.2, 0.5, 1, 2, 5 };
    return values;
}

std::vector<GridCurve> smithGrid(const GammaMapping& mapping, bool admittance, Language language)
{
    const std::vector<double>& main = smithMainValues();
    std::vector<double> reactances;
    for (const double x : main) {
        reactances.push_back(x);
        reactances.push_back(-x);
    }
    std::vector<GridCurve> grid;
    std::vector<Complex> rim;
    appendArc(rim, Complex(0, 0), 1, 0, 2 * pi, mapping.pixelsPerUnit());
    grid.push_back(outline(std::move(rim)));
    grid.push_back(outline({ Complex(-1, 0), Complex(1, 0) }));
    addFamily(grid, mapping, main, reactances, GridStyle::major, 1, language);
    if (mapping.view().halfSpan < finerGridHalfSpan) {
        const auto inside = [](const Complex& g, double v) { return std::abs(g) < 1 ? v : NAN; };
        const VisibleSpan r
            = visibleSpan(mapping, [&](const Complex& g) { return inside(g, impedanceOf(g).real()); });
        const VisibleSpan x
            = visibleSpan(mapping, [&](const Complex& g) { return inside(g, impedanceOf(g).imag()); });
        addFamily(grid, mapping, finerValues(r, main), finerValues(x, main), GridStyle::finer, 1, language);
    }
    if (admittance)
        addFamily(grid, mapping, main, reactances, GridStyle::admittance, -1, language);
    return grid;
}
