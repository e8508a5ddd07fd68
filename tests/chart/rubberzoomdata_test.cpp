#include <gtest/gtest.h>

#include "rubberzoomdata.h"

namespace {

void expectAutomatic(const ZoomEntry& zoom)
{
    EXPECT_EQ(zoom.xMin, 0);
    EXPECT_EQ(zoom.xMax, 0);
    EXPECT_EQ(zoom.yMin, 0);
    EXPECT_EQ(zoom.yMax, 0);
    EXPECT_EQ(zoom.xStep, 0);
    EXPECT_EQ(zoom.yStep, 0);
    EXPECT_EQ(zoom.autoX, 1);
    EXPECT_EQ(zoom.autoY, 1);
}

TEST(RubberZoomData, EmptyListYieldsAnAutomaticView)
{
    RubberZoomData zooms;
    ZoomEntry& zoom = zooms.currentZoom();
    expectAutomatic(zoom);
    EXPECT_EQ(zooms.itemCount, 1);
    zoom.xMax = 5;
    EXPECT_EQ(&zooms.currentZoom(), &zoom);
    EXPECT_EQ(zooms.currentZoom().xMax, 5);
    EXPECT_EQ(zooms.itemCount, 1);
}

TEST(RubberZoomData, PushedViewIsInForceUntilPopped)
{
    RubberZoomData zooms;
    zooms.currentZoom().yMax = 100;
    ZoomEntry& pushed = zooms.pushZoom();
    EXPECT_EQ(zooms.itemCount, 2);
    expectAutomatic(pushed);
    pushed.autoX = 0;
    pushed.xMin = 20;
    EXPECT_EQ(&zooms.currentZoom(), &pushed);

    zooms.popZoom();
    EXPECT_EQ(zooms.itemCount, 1);
    EXPECT_EQ(zooms.currentZoom().yMax, 100);
    EXPECT_EQ(zooms.currentZoom().autoX, 1);
}

TEST(RubberZoomData, PoppingTheLastViewGivesAFreshAutomaticOne)
{
    RubberZoomData zooms;
    zooms.popZoom();
    EXPECT_EQ(zooms.itemCount, 0);
    ZoomEntry& first = zooms.pushZoom();
    EXPECT_EQ(zooms.itemCount, 1);
    first.autoY = 0;
    first.yMin = -10;
    zooms.popZoom();
    EXPECT_EQ(zooms.itemCount, 0);
    expectAutomatic(zooms.currentZoom());

    zooms.pushZoom();
    zooms.pushZoom();
    zooms.clear();
    EXPECT_EQ(zooms.itemCount, 0);
}

} // namespace
