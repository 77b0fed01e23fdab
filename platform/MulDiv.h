#pragma once

#include <QPoint>

// a * b / c with a 64-bit product, rounded half away from zero; -1 when c is 0 or the
// result does not fit 32 bits.
int MulDiv(int a, int b, int c);

// Units of 0.01 mm to device pixels through the device's logical inch, rounded by MulDiv.
QPoint HIMETRICtoDP(QPoint himetric, int dpiX, int dpiY);
