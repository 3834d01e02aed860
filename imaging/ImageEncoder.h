#pragma once

#include <QImage>
#include <QString>

namespace imaging {

// Writes the image with the encoder of that class identifier through a temporary file in the same
// folder that replaces the target only once it is complete, so a failed write leaves an existing
// file as it was. Throws Exception naming the file.
void SaveImage(const QImage& image, const QString& path, const QString& encoderClsid);

}  // namespace imaging
