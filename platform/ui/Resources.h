#pragma once
// Bitmap resources by name ("TE:CH(16X16X256)", "TI:RV1X", "TAB_GRAPH_1"),
// compiled into each deliverable under ":/<library>/pictures/". A name is
// found without regard to case; its file is the name with every character
// that is not a letter or digit replaced by "_" (trailing ones dropped):
// "TE:CH(16X16X256)" is pictures/TE_CH_16X16X256.png.

#include <QImage>
#include <QString>

namespace ui {

QString pictureFileName(const QString& resourceName);

// The picture, or error 326 (resource not found) with source library.
QImage LoadResPicture(const QString& library, const QString& resourceName);

bool hasResPicture(const QString& library, const QString& resourceName);

}  // namespace ui
