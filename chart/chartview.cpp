#include "chartview.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

#include <algorithm>

namespace {

// The text whose size sets the margins: a label of seven digits fits.
const char* const marginSample = "0000000";

QImage makeSurface(QSize size)
{
    if (size.width() <= 0 || size.height() <= 0)
        return QImage();
    return QImage(size, QImage::Format_RGB32);
}

} // namespace

ChartView::ChartView()
    : palette(buildTracePalette())
    , backgroundColour(255, 255, 255)
{
}

ChartView::~ChartView()
{
    release();
}

QFont ChartView::surfaceDefaultFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    return font;
}

QFont ChartView::defaultLabelFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    return font;
}

QPen ChartView::makeTracePen(const QColor& colour)
{
    return QPen(QBrush(colour), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void ChartView::attach(const QFont& fontDescription, QSize frameSize)
{
    if (attached)
        release();
    if (!frameSize.isValid())
        return;

    attached = true;
    currentFrameSize = frameSize;
    gridPen = QPen(QBrush(Qt::black), 1, Qt::DotLine, Qt::FlatCap);
    framePen = QPen(QBrush(Qt::black), 1, Qt::SolidLine, Qt::FlatCap);
    for (int32_t i = 0; i < paletteSize; ++i)
        tracePens[i] = makeTracePen(palette[i]);
    chartFont = fontDescription;
    backgroundBrush = QBrush(backgroundColour);

    frameRect = PixelRect { 0, 0, frameSize.width(), frameSize.height() };
    chartBitmap = makeSurface(frameSize);

    const QFontMetrics metrics(surfaceDefaultFont());
    labelWidth = metrics.horizontalAdvance(QString::fromLatin1(marginSample));
    leftMargin = labelWidth;
    bottomMargin = metrics.height();
    rightMargin = 0;

    if (chartBitmap.isNull())
        return;
    QPainter painter(&chartBitmap);
    painter.fillRect(0, 0, frameRect.width(), frameRect.height(), backgroundBrush);
    painter.setPen(QPen(QBrush(Qt::black), 1));
    painter.drawRect(0, 0, frameRect.width() - 1, frameRect.height() - 1);
}

void ChartView::release()
{
    if (!attached)
        return;
    attached = false;
    currentFrameSize = QSize();
    frameRect = PixelRect();
    chartBitmap = QImage();
    gridPen = QPen();
    framePen = QPen();
    tracePens.fill(QPen());
    backgroundBrush = QBrush();
    chartFont = QFont();
}

void ChartView::setFrameSize(QSize size)
{
    if (attached && size.isValid())
        currentFrameSize = size;
}

PixelRect ChartView::plotRect() const
{
    const int32_t width = std::max(currentFrameSize.width(), 0);
    const int32_t height = std::max(currentFrameSize.height(), 0);
    return PixelRect { leftMargin, 0, width - rightMargin, height - bottomMargin };
}

void ChartView::setPaletteColour(int32_t slot, const QColor& colour)
{
    if (slot < 0 || slot >= paletteSize)
        return;
    palette[slot] = colour;
    if (attached)
        tracePens[slot] = makeTracePen(colour);
}
