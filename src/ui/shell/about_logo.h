#pragma once
#include <QPixmap>

// The product's logo for the about box, 208 x 70, drawn rather than shipped.
QPixmap AboutLogo();
