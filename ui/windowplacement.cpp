#include "windowplacement.h"

#include <algorithm>

QRect placeOnScreens(const QRect& stored, const QList<QRect>& availableAreas, const QRect& primaryArea)
{
    for (const QRect& area : availableAreas) {
        if (area.intersects(stored))
            return stored;
    }
    if (primaryArea.isEmpty())
        return stored;
    const int width = std::min(stored.width(), primaryArea.width());
    const int height = std::min(stored.height(), primaryArea.height());
    const int left = primaryArea.left() + (primaryArea.width() - width) / 2;
    const int top = primaryArea.top() + (primaryArea.height() - height) / 2;
    return QRect(left, top, width, height);
}
