#include <gtest/gtest.h>

#include <QPainterPath>

#include <vector>

#include "clippedpolyline.h"

namespace {

// The subpaths of a path as lists of points.
std::vector<std::vector<QPointF>> subpathsOf(const QPainterPath& path)
{
    std::vector<std::vector<QPointF>> parts;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo())
            parts.emplace_back();
        parts.back().push_back(QPointF(e.x, e.y));
    }
    return parts;
}

TEST(ClippedPolyline, KeepsThePartsInsideTheBoxAsSubpaths)
{
    const QRectF box(10, 10, 100, 50); // x 10..110, y 10..60
    struct Case {
        const char* what;
        std::vector<QPoint> line;
        std::vector<std::vector<QPointF>> parts;
    };
    const std::vector<Case> cases = {
        { "inside", { { 20, 20 }, { 50, 30 }, { 100, 50 } }, { { { 20, 20 }, { 50, 30 }, { 100, 50 } } } },
        // Crossing the bottom at y 60: from (20, 40) to (40, 80) the line is there at x 30.
        { "leaves through the bottom", { { 20, 40 }, { 40, 80 }, { 60, 100 } },
            { { { 20, 40 }, { 30, 60 } } } },
        // Out below and back: 50 -> 90 crosses y 60 at x 35; 90 -> 50 at x 65.
        { "leaves and comes back", { { 20, 30 }, { 30, 50 }, { 50, 90 }, { 70, 50 }, { 80, 40 } },
            { { { 20, 30 }, { 30, 50 }, { 35, 60 } }, { { 65, 60 }, { 70, 50 }, { 80, 40 } } } },
        // From the left margin in: x 0 -> 20 at y 20 -> 40 enters at x 10, y 30.
        { "enters from the left", { { 0, 20 }, { 20, 40 } }, { { { 10, 30 }, { 20, 40 } } } },
        { "outside", { { 0, 0 }, { 200, 0 }, { 200, 100 } }, {} },
        { "one vertex", { { 20, 20 } }, {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QPainterPath path = clippedPolyline(c.line.data(), static_cast<int32_t>(c.line.size()), box);
        EXPECT_EQ(subpathsOf(path), c.parts);
    }
}

} // namespace
