#include <gtest/gtest.h>

#include <optional>

#include "labelplacer.h"

namespace {

// Labels go beside their point on their side, are moved inside the plot, and give way to the
// labels placed before them.
TEST(LabelPlacer, PlacesBesideInsideAndApart)
{
    struct Row {
        QPointF anchor;
        QPointF direction;
        std::optional<QRectF> placed;
    };
    // Labels of 20 x 10 pixels, 2 pixels away from their point.
    const Row rows[] = {
        { { 100, 100 }, { 1, 0 }, QRectF(102, 95, 20, 10) },
        { { 100, 60 }, { 0, -1 }, QRectF(90, 48, 20, 10) },
        { { 100, 100 }, { -1, 0 }, QRectF(78, 95, 20, 10) },
        { { 110, 100 }, { 0, 0 }, std::nullopt }, // over the first label
        { { 100, 100 }, { 0, 1 }, std::nullopt }, // below, into the left and right ones
        { { 100, 130 }, { 0, 1 }, QRectF(90, 132, 20, 10) },
        { { 199, 50 }, { 1, 0 }, QRectF(180, 45, 20, 10) }, // moved left into the plot
        { { 5, 1 }, { 0, -1 }, QRectF(0, 0, 20, 10) }, // moved down and right into it
        { { 18, 2 }, { 1, 0 }, std::nullopt }, // moved into the label at the corner
        { { 150, 150 }, { 0.6, -0.8 }, QRectF(147.2, 135.4, 20, 10) }, // 2 + 0.6 * 10 + 0.8 * 5 along
    };
    LabelPlacer placer(QRectF(0, 0, 200, 200));
    for (const Row& row : rows) {
        const std::optional<QRectF> rect = placer.place(row.anchor, QSizeF(20, 10), row.direction);
        ASSERT_EQ(rect.has_value(), row.placed.has_value()) << row.anchor.x() << "," << row.anchor.y();
        if (!rect)
            continue;
        EXPECT_NEAR(rect->left(), row.placed->left(), 1e-9);
        EXPECT_NEAR(rect->top(), row.placed->top(), 1e-9);
    }
    // A label larger than the plot, or at no point, has no place.
    EXPECT_FALSE(placer.place(QPointF(100, 100), QSizeF(300, 10), QPointF(1, 0)));
    EXPECT_FALSE(placer.place(QPointF(NAN, 100), QSizeF(5, 5), QPointF(1, 0)));
}

} // namespace
