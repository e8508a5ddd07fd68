#pragma once

#include <QIcon>
#include <QImage>

// Sprelin's application icon: a magnitude trace with a resonance peak and a return-loss dip
// over a dotted grid on a blue tile. Drawn at each size so that small sizes stay sharp.
QImage sprelinIconImage(int size);
QIcon sprelinIcon();
