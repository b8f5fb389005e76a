#pragma once

#include <QImage>
#include <QString>

// A QR code of a text (the join address), black on white with the quiet
// zone the standard asks for, one pixel a module: scale it without
// smoothing. A null image when the text cannot be encoded.
class QrCode {
public:
    static constexpr int kQuietModules = 4;
    static QImage image(const QString &text);
};
