#pragma once

#include <QList>
#include <QRect>

// Where a window with a stored rectangle opens. A rectangle that overlaps one of the available
// screen areas stays as it is; one that lies on no screen (a monitor that is gone) moves onto
// the primary screen's area, keeping its size where it fits and shrinking to the area
// otherwise, so the window never opens where nobody can see it.
QRect placeOnScreens(const QRect& stored, const QList<QRect>& availableAreas, const QRect& primaryArea);
